// SPDX-License-Identifier: GPL-3.0-or-later
// What the window program writes, without its windows, for the tests of what a stop leaves: the
// editors' save of a cocktail and deletion of an ingredient (with the pass over the cocktails),
// made as the editors make them.
//
//   programme_ecrivain enregistrer NOM   new remarks for the cocktail NOM
//   programme_ecrivain supprimer NOM     deletes the ingredient NOM

#include <string>

#include "editors/coherence.h"
#include "editors/ecriture_editeur.h"
#include "store/champ_texte.h"
#include "store/collections.h"

int main(int argc, char** argv) {
  using namespace velquor;
  if (argc != 3) return 2;
  const std::string commande = argv[1], nom = argv[2];
  if (commande == "enregistrer") {
    FicCocktail cocktails;
    if (!cocktails.Ouvrir()) return 1;
    EcritureEditeur ecriture(cocktails, false);
    if (!cocktails.Chercher(nom)) return 1;
    CopierTexte(cocktails.Enreg.Remarques, "Enregistré par l'éditeur.");
    return cocktails.Modifier() && ecriture.Terminer() ? 0 : 1;
  }
  FicIngredient ingredients;
  if (commande != "supprimer" || !ingredients.Ouvrir()) return 1;
  EcritureEditeur ecriture(ingredients, true);
  SansProgression progression;
  const bool ok = ingredients.Chercher(nom) && ingredients.Supprimer() &&
                  PropagerIngredient(nom, "", progression, {});
  return ok && ecriture.Terminer() ? 0 : 1;
}
