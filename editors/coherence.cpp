// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/coherence.h"

#include <cstdint>
#include <filesystem>
#include <functional>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lignes_composition.h"
#include "store/lot_fichier.h"

namespace velquor {

namespace {

// Applies a rule to every cocktail in name order, with one progress step per cocktail. The
// rule changes the record in memory and says whether it did; a changed record is rewritten.
// False when a cocktail could not be read or rewritten: some may still carry the old name.
bool Parcourir(std::string_view ancienNom, std::string_view nouveauNom,
               RapporteurProgression& progression,
               const CrochetMessagesEnAttente& traiterMessagesEnAttente,
               const std::function<bool(EnrCocktail&)>& regle) {
  // Stored names are never empty, and an empty field means "none": an empty old name would
  // turn every blank slot into the new name. A new name that cannot fit a field would be
  // stored cut short, naming nothing. Neither can come from the editors; both are refused.
  if (ancienNom.empty() || nouveauNom.size() >= TailleNom) return true;

  FicCocktail cocktails(BaseCocktail);
  // No cocktail pair, nothing to carry over; a pair that is there but cannot be opened is a
  // failure.
  if (!cocktails.Ouvrir()) {
    std::error_code erreur;
    return !std::filesystem::exists(cocktails.NomFichierDonnees(), erreur) && !erreur;
  }
  const long erreursAvant = cocktails.ErreursES();
  // Read once, rewritten cocktails written out together at the end, all or none; no other
  // program writes a cocktail in between.
  LotFichier lot(cocktails, LotFichier::Usage::Ecriture);
  if (!cocktails.Premier()) return lot.Terminer() && cocktails.ErreursES() == erreursAvant;

  const std::int64_t total = cocktails.NbEnreg;
  std::int64_t ordinal = 0;
  bool reecrits = true;
  progression.Debut();
  do {
    ++ordinal;
    progression.MettreAJour(Texte(cocktails.Enreg.Nom), total, ordinal);  // cannot be stopped
    if (traiterMessagesEnAttente) traiterMessagesEnAttente();
    // A failed rewrite does not stop the scan: the other cocktails are still carried over.
    if (regle(cocktails.Enreg) && !cocktails.Modifier()) reecrits = false;
  } while (cocktails.Suivant());
  progression.Fin();
  return lot.Terminer() && reecrits && cocktails.ErreursES() == erreursAvant;
}

}  // namespace

bool PropagerFamille(std::string_view ancienNom, std::string_view nouveauNom,
                     RapporteurProgression& progression,
                     const CrochetMessagesEnAttente& traiterMessagesEnAttente) {
  return Parcourir(ancienNom, nouveauNom, progression, traiterMessagesEnAttente,
                   [&](EnrCocktail& cocktail) {
                     if (Texte(cocktail.Famille) != ancienNom) return false;
                     CopierTexte(cocktail.Famille, nouveauNom);
                     return true;
                   });
}

bool PropagerIngredient(std::string_view ancienNom, std::string_view nouveauNom,
                        RapporteurProgression& progression,
                        const CrochetMessagesEnAttente& traiterMessagesEnAttente) {
  return Parcourir(ancienNom, nouveauNom, progression, traiterMessagesEnAttente,
                   [&](EnrCocktail& cocktail) {
                     // All ten slots are examined: a name may stand in several rows.
                     bool change = false;
                     for (auto& slot : cocktail.Ingredient) {
                       if (Texte(slot) != ancienNom) continue;
                       CopierTexte(slot, nouveauNom);
                       change = true;
                     }
                     // The rows after an emptied one move up: every display of a recipe
                     // stops at the first row without an ingredient, and would hide them.
                     if (change && nouveauNom.empty()) ResserrerLignes(cocktail);
                     return change;
                   });
}

}  // namespace velquor
