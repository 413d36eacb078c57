// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/fichiers_sql.h"

#include "export/champs_sql.h"
#include "store/champ_texte.h"

namespace velquor {

namespace {

constexpr std::string_view FinLigne = "\r\n";

std::string Nombre(int n) {
  return std::to_string(n);
}

}  // namespace

std::string LigneSqlFamille(int rang, std::string_view cle) {
  return Nombre(rang) + ";" + ChampTexteSql(EnTitre(cle)) + ";" + ChampTexteSql("") +
         std::string(FinLigne);
}

std::string LigneSqlIngredient(int rang, std::string_view cle, const EnrIngredient& ingredient) {
  return Nombre(rang) + ";" + ChampTexteSql(Capitaliser(cle)) + ";" +
         (ingredient.Alcool != 0 ? "1" : "0") + ";" +
         ChampTexteSql(SautsEnBr(Texte(ingredient.Commentaire))) + std::string(FinLigne);
}

std::string LigneSqlCocktail(int rang, std::string_view cle, const EnrCocktail& cocktail) {
  return Nombre(rang) + ";" + ChampTexteSql(Capitaliser(cle)) + ";" +
         ChampTexteSql(Rogner(Texte(cocktail.Famille))) + ";" +
         ChampTexteSql(SautsEnBr(Texte(cocktail.Remarques))) + std::string(FinLigne);
}

std::string LignesSqlCompo(int& numero, int rang, const EnrCocktail& cocktail) {
  std::string lignes;
  for (int i = 0; i < NbLignesComposition; ++i) {
    std::string quantite = EnMinuscules(Rogner(Texte(cocktail.Quantite[i])));
    std::string ingredient = EnMinuscules(Rogner(Texte(cocktail.Ingredient[i])));
    if (quantite.empty() && ingredient.empty()) continue;
    if (!quantite.empty() && quantite[0] >= 'a' && quantite[0] <= 'z')
      quantite[0] = static_cast<char>(quantite[0] - 'a' + 'A');
    lignes += Nombre(numero) + ";" + Nombre(rang) + ";" + ChampTexteSql(ingredient) + ";" +
              ChampTexteSql(quantite) + std::string(FinLigne);
    ++numero;
  }
  return lignes;
}

}  // namespace velquor
