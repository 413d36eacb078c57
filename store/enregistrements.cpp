// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/enregistrements.h"

#include <cstring>

namespace velquor {

namespace {

// Zero from the field's terminator to its end, in place; a field without one is kept whole.
template <std::size_t N>
void EffacerApresTerminateur(char (&champ)[N]) {
  const std::size_t longueur = ::strnlen(champ, N);
  if (longueur < N) std::memset(champ + longueur, 0, N - longueur);
}

}  // namespace

void Normaliser(EnrFamille& enr) {
  EffacerApresTerminateur(enr.Nom);
  EffacerApresTerminateur(enr.Commentaire);
}

void Normaliser(EnrIngredient& enr) {
  EffacerApresTerminateur(enr.Nom);
  EffacerApresTerminateur(enr.Commentaire);
}

void Normaliser(EnrCocktail& enr) {
  EffacerApresTerminateur(enr.Nom);
  for (int i = 0; i < NbLignesComposition; ++i) {
    EffacerApresTerminateur(enr.Quantite[i]);
    EffacerApresTerminateur(enr.Ingredient[i]);
  }
  EffacerApresTerminateur(enr.Famille);
  EffacerApresTerminateur(enr.Remarques);
}

}  // namespace velquor
