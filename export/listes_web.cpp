// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/listes_web.h"

#include "store/champ_texte.h"

namespace velquor {

namespace {

// Appends the text of a stored field in exactly `largeur` bytes. Only the text is taken, never
// what a damaged record may hold after its terminator.
template <std::size_t N>
void AjouterChamp(std::string& sortie, const char (&champ)[N], std::size_t largeur) {
  std::string_view texte = Texte(champ).substr(0, largeur);
  sortie += texte;
  sortie.append(largeur - texte.size(), '\0');
}

}  // namespace

std::string EnregistrementWeb(const EnrFamille& famille) {
  std::string sortie;
  AjouterChamp(sortie, famille.Nom, TailleNomWeb);
  return sortie;
}

std::string EnregistrementWeb(const EnrIngredient& ingredient) {
  std::string sortie;
  AjouterChamp(sortie, ingredient.Nom, TailleNomWeb);
  return sortie;
}

std::string EnregistrementWeb(const EnrCocktail& cocktail) {
  std::string sortie;
  sortie.reserve(TailleCocktailWeb);
  AjouterChamp(sortie, cocktail.Nom, TailleNomWeb);
  for (int i = 0; i < NbLignesComposition; ++i) {
    AjouterChamp(sortie, cocktail.Quantite[i], TailleQuantiteWeb);
    AjouterChamp(sortie, cocktail.Ingredient[i], TailleNomWeb);
  }
  AjouterChamp(sortie, cocktail.Famille, TailleNomWeb);
  AjouterChamp(sortie, cocktail.Remarques, TailleRemarquesWeb);
  return sortie;
}

}  // namespace velquor
