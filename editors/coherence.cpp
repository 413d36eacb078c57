#include "editors/coherence.h"

#include <cstdint>
#include <functional>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"

namespace velquor {

namespace {

// Applies a rule to every cocktail in name order, with one progress step per cocktail. The
// rule changes the record in memory and says whether it did; a changed record is rewritten.
void Parcourir(std::string_view ancienNom, std::string_view nouveauNom,
               RapporteurProgression& progression,
               const CrochetMessagesEnAttente& traiterMessagesEnAttente,
               const std::function<bool(EnrCocktail&)>& regle) {
  // Stored names are never empty, and an empty field means "none": an empty old name would
  // turn every blank slot into the new name. A new name that cannot fit a field would be
  // stored cut short, naming nothing. Neither can come from the editors; both are refused.
  if (ancienNom.empty() || nouveauNom.size() >= TailleNom) return;

  FicCocktail cocktails(BaseCocktail);
  if (!cocktails.Ouvrir()) return;
  LotFichier lot(cocktails);  // read once, rewritten cocktails written out together at the end
  if (!cocktails.Premier()) return;

  const std::int64_t total = cocktails.NbEnreg;
  std::int64_t ordinal = 0;
  progression.Debut();
  do {
    ++ordinal;
    progression.MettreAJour(Texte(cocktails.Enreg.Nom), total, ordinal);  // cannot be stopped
    if (traiterMessagesEnAttente) traiterMessagesEnAttente();
    if (regle(cocktails.Enreg)) cocktails.Modifier();  // a failed rewrite does not stop the scan
  } while (cocktails.Suivant());
  progression.Fin();
}

}  // namespace

void PropagerFamille(std::string_view ancienNom, std::string_view nouveauNom,
                     RapporteurProgression& progression,
                     const CrochetMessagesEnAttente& traiterMessagesEnAttente) {
  Parcourir(ancienNom, nouveauNom, progression, traiterMessagesEnAttente,
            [&](EnrCocktail& cocktail) {
              if (Texte(cocktail.Famille) != ancienNom) return false;
              CopierTexte(cocktail.Famille, nouveauNom);
              return true;
            });
}

void PropagerIngredient(std::string_view ancienNom, std::string_view nouveauNom,
                        RapporteurProgression& progression,
                        const CrochetMessagesEnAttente& traiterMessagesEnAttente) {
  Parcourir(ancienNom, nouveauNom, progression, traiterMessagesEnAttente,
            [&](EnrCocktail& cocktail) {
              // All ten slots are examined: a name may stand in several rows.
              bool change = false;
              for (auto& slot : cocktail.Ingredient) {
                if (Texte(slot) != ancienNom) continue;
                CopierTexte(slot, nouveauNom);
                change = true;
              }
              return change;
            });
}

}  // namespace velquor
