#pragma once
// The SQL export files read back and loaded into a real SQLite database: lines of fields
// separated by ";" and ended by CR LF, a quoted field holding ";", line breaks and doubled quotes.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>
#include <string>
#include <vector>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/execution.h"

namespace velquor::test {

// One field of a line: text when it was quoted, a number otherwise.
struct ChampSql {
  bool cite;
  std::string valeur;
};

// Reads lines of fields separated by ";", ended by CR LF; a quoted field may hold ";" and a
// doubled quote. Nothing when the text does not follow these rules.
inline std::optional<std::vector<std::vector<ChampSql>>> LireLignes(const std::string& texte) {
  std::vector<std::vector<ChampSql>> lignes;
  std::size_t i = 0;
  while (i < texte.size()) {
    std::vector<ChampSql> ligne;
    for (;;) {
      ChampSql champ{false, ""};
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
    auto lignes = LireLignes(LireTexte(fichier));
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
        const ChampSql& c = ligne[k];
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

}  // namespace velquor::test
