// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/rapport_vantor.h"

#include <cstdio>

namespace velquor {

namespace {

class RapporteurStderr : public PRapporteurVantor {
 public:
  void Afficher(std::string_view texte) override {
    std::fprintf(stderr, "Vantor : %.*s\n", static_cast<int>(texte.size()), texte.data());
  }
};

RapporteurStderr rapporteurParDefaut;
PRapporteurVantor* rapporteurCourant = &rapporteurParDefaut;

}  // namespace

void DefinirRapporteurVantor(PRapporteurVantor* rapporteur) {
  rapporteurCourant = rapporteur ? rapporteur : &rapporteurParDefaut;
}

PRapporteurVantor& RapporteurVantor() {
  return *rapporteurCourant;
}

const char* TexteErreurStore(int code) {
  switch (code) {
    case 201:
      return "Erreur en modification\n\nPointeur d'enregistrement non positionné !";
    case 301:
      return "Erreur en suppression\n\nPointeur d'enregistrement non positionné !";
    case 401:
      return "Erreur en parcours du fichier\n\nPointeur d'enregistrement non positionné !";
    case 501:
      return "Erreur en lecture\n\nPointeur d'enregistrement non positionné !";
    default:
      return nullptr;
  }
}

}  // namespace velquor
