// The four SQL files loaded into a real SQLite database: every cocktail's composition comes back
// through a join, even with names that hold double quotes and semicolons.

#include <gtest/gtest.h>

#include <filesystem>

#include "base_sqlite.h"
#include "collections_exemple.h"
#include "export/exports_listes.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

using test::AjouterCocktail;
using test::AjouterFamille;
using test::AjouterIngredient;
using test::BaseSqlite;

class SqlSqliteTest : public test::TestDansDossier {};

TEST_F(SqlSqliteTest, LesCompositionsReviennentParUneJointure) {
  AjouterFamille("SOURS");
  AjouterFamille("LONG \"DRINKS\"; ET AUTRES");
  AjouterIngredient("GIN \"OLD TOM\"", true);
  AjouterIngredient("SIROP; SUCRE", false, "Maison;\r\n\"1:1\"");
  AjouterIngredient("CITRON", false);
  AjouterIngredient("EAU GAZEUSE", false);
  AjouterCocktail("TOM \"COLLINS\"; LONG", "LONG \"DRINKS\"; ET AUTRES",
                  {{0, "4 cl", "GIN \"OLD TOM\""},
                   {1, "2 cl", "SIROP; SUCRE"},
                   {3, "compl\xE9ter", "EAU GAZEUSE"}},
                  "Au verre; \"sans\" glace");
  AjouterCocktail(
      "GIN SOUR", "SOURS",
      {{0, "5 cl", "GIN \"OLD TOM\""}, {1, "3 cl", "CITRON"}, {2, "1 cl", "SIROP; SUCRE"}});

  std::filesystem::create_directory("Web");
  std::filesystem::create_directory("Tux");
  test::EnregistreurMessages messages;
  ASSERT_TRUE(ExporterFamilles(messages).Reussi());
  ASSERT_TRUE(ExporterIngredients(messages).Reussi());
  ASSERT_TRUE(ExporterCocktails(messages).Reussi());

  BaseSqlite base;
  base.Executer(
      "CREATE TABLE famille (id INTEGER PRIMARY KEY, nom TEXT, vide TEXT);"
      "CREATE TABLE ingred (id INTEGER PRIMARY KEY, nom TEXT, alcool INTEGER, commentaire TEXT);"
      "CREATE TABLE cocktail (id INTEGER PRIMARY KEY, nom TEXT, famille TEXT, remarques TEXT);"
      "CREATE TABLE compo (id INTEGER PRIMARY KEY, cocktail INTEGER REFERENCES cocktail(id),"
      "                    ingredient TEXT, quantite TEXT);");
  base.Charger("famille", "Tux/FAMILLE.SQL", 3);
  base.Charger("ingred", "Tux/INGRED.SQL", 4);
  base.Charger("cocktail", "Tux/COCKTAIL.SQL", 4);
  base.Charger("compo", "Tux/COMPO.SQL", 4);

  // The composition lines name ingredients in lower case and families by their stored name;
  // the ingredient and family tables hold them recased, so the join lowers both sides (SQLite's
  // lower() changes only A to Z, as the export does).
  auto rangees = base.Requete(
      "SELECT c.nom, f.nom, p.quantite, i.nom, i.alcool FROM compo p"
      " JOIN cocktail c ON c.id = p.cocktail"
      " JOIN ingred i ON lower(i.nom) = p.ingredient"
      " JOIN famille f ON lower(f.nom) = lower(c.famille)"
      " ORDER BY c.nom, p.id");
  std::vector<std::vector<std::string>> attendu = {
      {"Gin sour", "Sours", "5 cl", "Gin \"old tom\"", "1"},
      {"Gin sour", "Sours", "3 cl", "Citron", "0"},
      {"Gin sour", "Sours", "1 cl", "Sirop; sucre", "0"},
      {"Tom \"collins\"; long", "Long \"drinks\"; Et Autres", "4 cl", "Gin \"old tom\"", "1"},
      {"Tom \"collins\"; long", "Long \"drinks\"; Et Autres", "2 cl", "Sirop; sucre", "0"},
      {"Tom \"collins\"; long", "Long \"drinks\"; Et Autres", "Compl\xE9ter", "Eau gazeuse", "0"},
  };
  EXPECT_EQ(rangees, attendu);

  EXPECT_EQ(base.Requete("SELECT remarques FROM cocktail WHERE nom LIKE 'Tom%'"),
            (std::vector<std::vector<std::string>>{{"Au verre; \"sans\" glace<br>"}}));
  EXPECT_EQ(base.Requete("SELECT commentaire FROM ingred WHERE nom = 'Sirop; sucre'"),
            (std::vector<std::vector<std::string>>{{"Maison;<br>\"1:1\"<br>"}}));
}

}  // namespace
}  // namespace velquor
