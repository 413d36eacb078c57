#include "ordre_plateforme.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <string_view>

#include "store/cp1252.h"

namespace velquor {
namespace {

// A name as the file shows it: UTF-8 text where \xHH stands for the byte HH.
std::optional<std::string> LireNom(std::string_view ligne) {
  std::string nom;
  for (;;) {
    const std::size_t echappe = ligne.find("\\x");
    const std::optional<std::string> texte = Utf8VersCp1252(ligne.substr(0, echappe));
    if (!texte) return std::nullopt;
    nom += *texte;
    if (echappe == std::string_view::npos) return nom;
    unsigned octet = 0;
    if (ligne.size() < echappe + 4 ||
        std::sscanf(std::string(ligne.substr(echappe + 2, 2)).c_str(), "%2x", &octet) != 1)
      return std::nullopt;
    nom.push_back(static_cast<char>(octet));
    ligne.remove_prefix(echappe + 4);
  }
}

DonneesPlateforme Lire(const char* chemin) {
  DonneesPlateforme d;
  std::ifstream fichier(chemin);
  std::string ligne;
  int numero = 0;
  while (std::getline(fichier, ligne)) {
    ++numero;
    const char marque = ligne.empty() ? '#' : ligne[0];
    const std::string_view reste = ligne.size() > 2 ? std::string_view(ligne).substr(2) : "";
    unsigned o = 0, p = 0, maj = 0, min = 0;
    std::optional<std::string> nom;
    if (marque == '#' || marque == 'I') continue;
    if (marque == 'G') {
      const std::size_t espace = reste.find(' ');
      d.groupes.push_back(
          {std::string(reste.substr(0, espace)), std::string(reste.substr(espace + 1)), {}, {}});
    } else if ((marque == '<' || marque == '=') && !d.groupes.empty() && (nom = LireNom(reste))) {
      GroupePlateforme& g = d.groupes.back();
      const int precedent = g.rangs.empty() ? -1 : g.rangs.back();
      g.noms.push_back(*nom);
      g.rangs.push_back(marque == '=' && precedent >= 0 ? precedent : precedent + 1);
    } else if (marque == 'T' &&
               std::sscanf(ligne.c_str(), "T %x %x %x %x", &o, &p, &maj, &min) == 4) {
      d.table.push_back({static_cast<unsigned char>(o), p, static_cast<unsigned char>(maj),
                         static_cast<unsigned char>(min)});
    } else {
      break;
    }
  }
  if (!fichier.eof())
    d.erreur = std::string(chemin) + ": unreadable line " + std::to_string(numero);
  return d;
}

}  // namespace

const DonneesPlateforme& Plateforme() {
  static const DonneesPlateforme donnees = Lire(VELQUOR_ORDRE_PLATEFORME);
  return donnees;
}

}  // namespace velquor
