// SPDX-License-Identifier: GPL-3.0-or-later
// The SQL files of the hostile records loaded into a real MariaDB server, and by the sqlite3
// shell, with the table definitions and load commands that the README gives: every field of the
// four tables must come back byte for byte as the file holds it (quotes doubled in the file,
// semicolons, backslashes, "\N", the bytes 0x80 to 0x9F).
//
// The server is Debian's mariadbd, started by the test in its temporary folder: a data folder
// made by mariadb-install-db, a private socket, no network. It dies with the test, whatever
// happens (killed at the end, and by the kernel if the test dies).

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <regex>
#include <thread>

#include "export/exports_listes.h"
#include "export/lignes_sql.h"
#include "jeu_hostile.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"
#include "support/execution.h"
#include "support/processus.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using Requete = std::function<test::Execution(const std::string&)>;

// The README's block of that language holding that text.
std::string BlocDuReadme(const std::string& langage, const std::string& contenu) {
  const std::string readme = test::LireTexte(fs::path(VELQUOR_README));
  const std::string ouverture = "```" + langage + "\n";
  for (std::size_t debut = readme.find(ouverture); debut != std::string::npos;
       debut = readme.find(ouverture, debut + 1)) {
    const std::size_t corps = debut + ouverture.size();
    const std::string bloc = readme.substr(corps, readme.find("```", corps) - corps);
    if (bloc.find(contenu) != std::string::npos) return bloc;
  }
  return {};
}

std::string Hex(const std::string& octets) {
  std::string hex;
  for (unsigned char c : octets) {
    hex += "0123456789ABCDEF"[c >> 4];
    hex += "0123456789ABCDEF"[c & 15];
  }
  return hex;
}

// The hostile records, with backslashes where a loader's escape character would act ("\N" for
// NULL, "\n", "\t", "\\", "\"", a backslash at the end of a quoted field), exported into Tux/.
void Exporter() {
  test::EcrireJeu();
  test::EcrireSansTerminateur();
  const std::string famille = "BARRE \\ \\N \\T \\\\ FIN\\", cocktail = "\\\"BARRE\\\";\\";
  FicFamille familles;
  FicIngredient ingredients;
  FicCocktail cocktails;
  ASSERT_TRUE(familles.Ouvrir() && ingredients.Ouvrir() && cocktails.Ouvrir());
  familles.Enreg =
      test::Enregistrement(test::FamilleHostile{famille, "C:\\temp\\n \\\"cit\\\" \\0 \\Z\\"});
  ingredients.Enreg = test::Enregistrement(test::IngredientHostile{"\\N", true, "\\"});
  cocktails.Enreg = test::Enregistrement(test::CocktailHostile{
      cocktail, famille, {"\\N", "1\\2 \"\\\""}, {"\\N", "\\"}, "\\r\\n\r\n\\\t\\;\\"});
  ASSERT_TRUE(familles.Ajouter(famille) && ingredients.Ajouter("\\N") &&
              cocktails.Ajouter(cocktail));
  familles.Fermer();
  ingredients.Fermer();
  cocktails.Fermer();
  test::EnregistreurMessages messages;
  fs::create_directory("Web");
  fs::create_directory("Tux");
  ASSERT_TRUE(ExporterFamilles(messages).Reussi());
  ASSERT_TRUE(ExporterIngredients(messages).Reussi());
  ASSERT_TRUE(ExporterCocktails(messages).Reussi());
}

// Each table the block loads (file, table: MariaDB's INFILE or SQLite's .import) read back, each
// column as the hex of its bytes, against the file's rows: one line a row, fields separated by
// tabs. `colonnes` is the query giving the list of hex expressions of a table's columns.
void ComparerTables(const std::string& bloc, const std::string& motif, const Requete& requete,
                    const std::function<std::string(const std::string&)>& colonnes) {
  const std::regex chargement(motif);
  int tables = 0;
  for (auto it = std::sregex_iterator(bloc.begin(), bloc.end(), chargement);
       it != std::sregex_iterator(); ++it, ++tables) {
    const std::string fichier = (*it)[1], table = (*it)[2];
    SCOPED_TRACE(fichier);
    const auto lignes = test::LireLignes(test::LireTexte(fichier));
    ASSERT_TRUE(lignes && !lignes->empty());
    std::string attendu;
    for (const auto& ligne : *lignes) {
      for (std::size_t k = 0; k < ligne.size(); ++k)
        attendu += (k ? "\t" : "") + Hex(ligne[k].valeur);
      attendu += "\n";
    }
    test::Execution r = requete(colonnes(table));
    ASSERT_EQ(r.code, 0) << r.erreurs;
    r = requete("SELECT " + r.sortie.substr(0, r.sortie.find('\n')) + " FROM " + table);
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.sortie, attendu);
  }
  EXPECT_EQ(tables, 4);
}

class ChargementSql : public test::TestDansDossier {};

TEST_F(ChargementSql, MariaDBChargeLesQuatreFichiersAvecChaqueChampIntact) {
  const std::string installation = "/usr/bin/mariadb-install-db", serveur = "/usr/sbin/mariadbd",
                    client = "/usr/bin/mariadb";
  for (const auto& programme : {installation, serveur, client})
    if (::access(programme.c_str(), X_OK) != 0)
      GTEST_SKIP() << "mariadb-server is not installed (scripts/test.sh installs it)";
  ASSERT_NO_FATAL_FAILURE(Exporter());
  const std::string sql = BlocDuReadme("sql", "LOAD DATA");
  ASSERT_FALSE(sql.empty()) << "no sql block with LOAD DATA in the README";

  const fs::path dossier = fs::current_path() / "serveur";
  const std::string donnees = (dossier / "donnees").string(), socket = (dossier / "s").string();
  const std::string utilisateur = "--user=" + std::string(::getpwuid(::geteuid())->pw_name);
  const test::Execution creation =
      test::Executer(installation, {"--no-defaults", "--datadir=" + donnees, utilisateur,
                                    "--auth-root-authentication-method=normal", "--skip-test-db",
                                    "--skip-name-resolve"});
  ASSERT_EQ(creation.code, 0) << creation.erreurs;
  std::vector<std::string> arguments{serveur,
                                     "--no-defaults",
                                     "--datadir=" + donnees,
                                     "--socket=" + socket,
                                     "--skip-networking",
                                     "--log-error=" + (dossier / "journal").string(),
                                     utilisateur};
  test::Processus mariadbd([&](const test::Canal&) {
    std::vector<char*> argv;
    for (std::string& a : arguments)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives the test
    ::execv(argv[0], argv.data());
    return 127;
  });
  // The socket is made once the server takes connections.
  const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!fs::exists(socket)) {
    ASSERT_EQ(mariadbd.Fin(0), -1) << test::LireTexte(dossier / "journal");
    ASSERT_LT(std::chrono::steady_clock::now(), limite) << "mariadbd did not answer in 30 s";
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  const auto requete = [&](const std::string& texte, const std::string& base = "velquor") {
    std::vector<std::string> arguments{"--no-defaults", "--socket=" + socket,
                                       "--user=root",   "--local-infile=1",
                                       "--batch",       "--skip-column-names"};
    if (!base.empty()) arguments.push_back("--database=" + base);
    arguments.push_back("--execute=" + texte);
    return test::Executer(client, arguments);
  };
  test::Execution r = requete("CREATE DATABASE velquor", "");
  ASSERT_EQ(r.code, 0) << r.erreurs;
  r = requete(sql);
  ASSERT_EQ(r.code, 0) << r.erreurs;
  ComparerTables(
      sql, R"(INFILE\s+'([^']+)'\s+INTO\s+TABLE\s+(\w+))",
      [&](const std::string& texte) { return requete(texte); },
      [](const std::string& table) {
        return "SELECT GROUP_CONCAT(CONCAT('HEX(CAST(`', COLUMN_NAME, '` AS BINARY))')"
               " ORDER BY ORDINAL_POSITION SEPARATOR ', ') FROM information_schema.COLUMNS"
               " WHERE TABLE_SCHEMA = 'velquor' AND TABLE_NAME = '" +
               table + "'";
      });
}

// The README's SQLite commands, run as they stand by the sqlite3 shell on the same files.
TEST_F(ChargementSql, LesCommandesSqliteDuReadmeChargentAussiChaqueChampIntact) {
  if (::access("/usr/bin/sqlite3", X_OK) != 0)
    GTEST_SKIP() << "sqlite3 is not installed (scripts/test.sh installs it)";
  ASSERT_NO_FATAL_FAILURE(Exporter());
  const std::string commandes = BlocDuReadme("sh", "sqlite3 recettes.db");
  ASSERT_FALSE(commandes.empty()) << "no sh block with sqlite3 in the README";
  const test::Execution r = test::Executer("/bin/sh", {"-c", commandes});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_EQ(r.erreurs, "");  // no row refused or filled up
  ComparerTables(
      commandes, R"(\.import\s+(\S+)\s+(\w+))",
      [](const std::string& texte) {
        return test::Executer("/usr/bin/sqlite3",
                              {"-batch", "-noheader", "-separator", "\t", "recettes.db", texte});
      },
      [](const std::string& table) {
        return "SELECT group_concat('hex(CAST(\"' || name || '\" AS BLOB))', ', ') FROM"
               " (SELECT name FROM pragma_table_info('" +
               table + "') ORDER BY cid)";
      });
}

}  // namespace
}  // namespace velquor
