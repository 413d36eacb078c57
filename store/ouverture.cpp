// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ouverture.h"

#include "resources/chaines.h"

namespace velquor {

bool OuvrirCollection(PFichier& fichier, PMessages& messages) {
  if (fichier.Ouvrir()) return true;
  if (!fichier.Creer()) {
    messages.AffMessage(ChaineCreationImpossible, fichier.NomPluriel(), StyleArret);
    return false;
  }
  if (!fichier.Ouvrir()) {
    messages.AffMessage(ChaineOuvertureApresCreation, fichier.NomPluriel(), StyleArret);
    return false;
  }
  return true;
}

}  // namespace velquor
