// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

#include <algorithm>

namespace velquor::outils {

AnalyseArguments AnalyserArguments(const std::vector<std::string>& mots,
                                   const OptionsDeCommande& optionsDe) {
  AnalyseArguments analyse;
  Arguments& a = analyse.arguments;
  std::span<const OptionCommande> propres;
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
      // "--titre=TEXTE" is "--titre TEXTE".
      const std::size_t egal = mot.starts_with("--") ? mot.find('=') : std::string::npos;
      const std::string nom = mot.substr(0, egal);
      const auto option = std::find_if(propres.begin(), propres.end(),
                                       [&nom](const OptionCommande& o) { return o.nom == nom; });
      if (option == propres.end()) {
        analyse.erreur = "option inconnue : " + nom;
        if (!a.commande.empty()) analyse.erreur += " (pour " + a.commande + ")";
        return analyse;
      }
      OptionDonnee donnee{nom, {}};
      if (option->avecValeur) {
        if (egal != std::string::npos) {
          donnee.valeur = mot.substr(egal + 1);
        } else if (i + 1 < mots.size()) {
          donnee.valeur = mots[++i];
        } else {
          analyse.erreur = "l'option " + nom + " attend une valeur";
          return analyse;
        }
      } else if (egal != std::string::npos) {
        analyse.erreur = "l'option " + nom + " n'attend pas de valeur";
        return analyse;
      }
      a.options.push_back(std::move(donnee));
    } else if (a.commande.empty()) {
      a.commande = mot;
      if (optionsDe) propres = optionsDe(a.commande);
    } else {
      a.operandes.push_back(mot);
    }
  }
  return analyse;
}

}  // namespace velquor::outils
