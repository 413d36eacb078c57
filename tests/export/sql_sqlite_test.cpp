// The four SQL files loaded into a real SQLite database: every cocktail's composition comes back
// through a join, even with names that hold double quotes and semicolons.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <optional>
#include <tuple>

#include "collections_exemple.h"
#include "export/exports_listes.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

using test::AjouterCocktail;
using test::AjouterFamille;
using test::AjouterIngredient;

// One field of a line: text when it was quoted, a number otherwise.
struct Champ {
  bool cite;
  std::string valeur;
};

// Reads lines of fields separated by ";", ended by CR LF; a quoted field may hold ";" and a
// doubled quote. Nothing when the text does not follow these rules.
std::optional<std::vector<std::vector<Champ>>> LireLignes(const std::string& texte) {
  std::vector<std::vector<Champ>> lignes;
  std::size_t i = 0;
  while (i < texte.size()) {
    std::vector<Champ> ligne;
    for (;;) {
      Champ champ{false, ""};
      if (i < texte.size() && texte[i] == '"') {
        champ.cite = true;
        for (++i;; ++i) {
          if (i >= texte.size()) return std::nullopt;
          if (texte[i] == '"') {
            if (i + 1 < texte.size() && texte[i + 1] == '"') {
              champ.valeur += '"';
              ++i;
            } else {
              ++i;
              break;
            }
          } else {
            champ.valeur += texte[i];
          }
        }
      } else {
        while (i < texte.size() && texte[i] != ';' && texte[i] != '\r')
          champ.valeur += texte[i++];
      }
      ligne.push_back(champ);
      if (i < texte.size() && texte[i] == ';') {
        ++i;
        continue;
      }
      if (texte.compare(i, 2, "\r\n") != 0) return std::nullopt;
      i += 2;
      break;
    }
    lignes.push_back(std::move(ligne));
  }
  return lignes;
}

class BaseSqlite {
 public:
  BaseSqlite() { sqlite3_open(":memory:", &base_); }
  ~BaseSqlite() { sqlite3_close(base_); }

  void Executer(const char* sql) {
    char* erreur = nullptr;
    ASSERT_EQ(sqlite3_exec(base_, sql, nullptr, nullptr, &erreur), SQLITE_OK) << erreur;
  }

  // Loads an export file into a table with as many columns as each line has fields.
  void Charger(const std::string& table, const std::string& fichier, int nbColonnes) {
    auto lignes = LireLignes(test::LireTexte(fichier));
    ASSERT_TRUE(lignes.has_value()) << fichier << " is not well formed";
    std::string sql = "INSERT INTO " + table + " VALUES (?";
    for (int k = 1; k < nbColonnes; ++k)
      sql += ",?";
    sql += ")";
    sqlite3_stmt* insertion = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(base_, sql.c_str(), -1, &insertion, nullptr), SQLITE_OK);
    for (const auto& ligne : *lignes) {
      ASSERT_EQ(static_cast<int>(ligne.size()), nbColonnes) << fichier;
      for (int k = 0; k < nbColonnes; ++k) {
        const Champ& c = ligne[k];
        if (c.cite) {
          sqlite3_bind_text(insertion, k + 1, c.valeur.data(), static_cast<int>(c.valeur.size()),
                            SQLITE_TRANSIENT);
        } else {
          sqlite3_bind_int64(insertion, k + 1, std::stoll(c.valeur));
        }
      }
      ASSERT_EQ(sqlite3_step(insertion), SQLITE_DONE) << sqlite3_errmsg(base_);
      sqlite3_reset(insertion);
    }
    sqlite3_finalize(insertion);
  }

  std::vector<std::vector<std::string>> Requete(const char* sql) {
    std::vector<std::vector<std::string>> rangees;
    sqlite3_stmt* requete = nullptr;
    if (sqlite3_prepare_v2(base_, sql, -1, &requete, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sqlite3_errmsg(base_);
      return rangees;
    }
    while (sqlite3_step(requete) == SQLITE_ROW) {
      std::vector<std::string> rangee;
      for (int k = 0; k < sqlite3_column_count(requete); ++k) {
        auto texte = reinterpret_cast<const char*>(sqlite3_column_text(requete, k));
        rangee.emplace_back(texte ? texte : "NULL");
      }
      rangees.push_back(std::move(rangee));
    }
    sqlite3_finalize(requete);
    return rangees;
  }

 private:
  sqlite3* base_ = nullptr;
};

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
