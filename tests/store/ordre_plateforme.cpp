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
  while (!ligne.empty()) {
    const std::size_t echappe = ligne.find("\\x");
    const std::optional<std::string> texte = Utf8VersCp1252(ligne.substr(0, echappe));
    if (!texte) return std::nullopt;
    nom += *texte;
    if (echappe == std::string_view::npos) break;
    unsigned octet = 0;
    if (ligne.size() < echappe + 4 ||
        std::sscanf(std::string(ligne.substr(echappe + 2, 2)).c_str(), "%2x", &octet) != 1) {
      return std::nullopt;
    }
    nom.push_back(static_cast<char>(octet));
    ligne.remove_prefix(echappe + 4);
  }
  return nom;
}

DonneesPlateforme Lire(const char* chemin) {
  DonneesPlateforme donnees;
  std::ifstream fichier(chemin);
  if (!fichier) donnees.erreur = std::string("cannot read ") + chemin;
  std::string ligne;
  int numero = 0;
  while (donnees.erreur.empty() && std::getline(fichier, ligne)) {
    ++numero;
    const char marque = ligne.empty() ? '#' : ligne[0];
    if (marque == '#' || marque == 'I') continue;
    const std::string_view reste =
        ligne.size() > 2 ? std::string_view(ligne).substr(2) : std::string_view();
    if (marque == 'G') {
      const std::size_t espace = reste.find(' ');
      donnees.groupes.push_back(
          {std::string(reste.substr(0, espace)), std::string(reste.substr(espace + 1)), {}, {}});
    } else if ((marque == '<' || marque == '=') && !donnees.groupes.empty()) {
      GroupePlateforme& groupe = donnees.groupes.back();
      const std::optional<std::string> nom = LireNom(reste);
      if (!nom) break;
      const int precedent = groupe.rangs.empty() ? -1 : groupe.rangs.back();
      groupe.noms.push_back(*nom);
      groupe.rangs.push_back(marque == '=' && precedent >= 0 ? precedent : precedent + 1);
    } else if (marque == 'T') {
      unsigned octet = 0, point = 0, majuscule = 0, minuscule = 0;
      if (std::sscanf(ligne.c_str(), "T %x %x %x %x", &octet, &point, &majuscule, &minuscule) != 4)
        break;
      donnees.table.push_back({static_cast<unsigned char>(octet), point,
                               static_cast<unsigned char>(majuscule),
                               static_cast<unsigned char>(minuscule)});
    } else {
      break;
    }
  }
  if (donnees.erreur.empty() && !fichier.eof()) {
    donnees.erreur = std::string(chemin) + ": unreadable line " + std::to_string(numero);
  }
  return donnees;
}

}  // namespace

const DonneesPlateforme& Plateforme() {
  static const DonneesPlateforme donnees = Lire(VELQUOR_ORDRE_PLATEFORME);
  return donnees;
}

}  // namespace velquor
