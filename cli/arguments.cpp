#include "cli/arguments.h"

namespace velquor::outils {

AnalyseArguments AnalyserArguments(const std::vector<std::string>& mots) {
  AnalyseArguments analyse;
  Arguments& a = analyse.arguments;
  bool options = true;
  for (std::size_t i = 0; i < mots.size(); ++i) {
    const std::string& mot = mots[i];
    if (options && mot == "--") {
      options = false;
    } else if (options && (mot == "--aide" || mot == "-h" || mot == "--help")) {
      a.aide = true;
    } else if (options && mot.starts_with("-C")) {
      if (mot.size() > 2) {
        a.dossier = mot.substr(2);
      } else if (i + 1 < mots.size()) {
        a.dossier = mots[++i];
      } else {
        analyse.erreur = "l'option -C attend un dossier";
        return analyse;
      }
      if (a.dossier.empty()) {
        analyse.erreur = "l'option -C attend un dossier";
        return analyse;
      }
    } else if (options && mot.size() > 1 && mot[0] == '-') {
      analyse.erreur = "option inconnue : " + mot;
      return analyse;
    } else if (a.commande.empty()) {
      a.commande = mot;
    } else {
      a.operandes.push_back(mot);
    }
  }
  return analyse;
}

}  // namespace velquor::outils
