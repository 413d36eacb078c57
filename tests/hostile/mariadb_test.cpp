// The SQL files of the hostile records loaded into a real MariaDB server with the table
// definitions and LOAD DATA statements that the README gives: every field of the four tables
// must come back byte for byte as the file holds it (quotes doubled in the file, semicolons,
// backslashes, "\N", the bytes 0x80 to 0x9F).
//
// The server is Debian's mariadbd, started by the test in its temporary folder: a data folder
// made by mariadb-install-db, a private socket, no network, run as the current user. It dies
// with the test, whatever happens (killed at the end, and by the kernel if the test dies).

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <regex>
#include <thread>

#include "export/exports_listes.h"
#include "export/lignes_sql.h"
#include "jeu_hostile.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"
#include "support/execution.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> Trouver(const std::string& nom) {
  for (const char* dossier : {"/usr/sbin", "/usr/bin", "/usr/local/sbin", "/usr/local/bin"}) {
    const fs::path chemin = fs::path(dossier) / nom;
    if (::access(chemin.c_str(), X_OK) == 0) return chemin.string();
  }
  return std::nullopt;
}

std::string Utilisateur() {
  const passwd* p = ::getpwuid(::geteuid());
  return p ? p->pw_name : "";
}

class ServeurMariaDB {
 public:
  ~ServeurMariaDB() { Arreter(); }

  // Makes the data folder and starts the server; an empty string when it answers, else what
  // went wrong.
  std::string Demarrer(const fs::path& dossier, const std::string& installation,
                       const std::string& serveur) {
    const std::string donnees = (dossier / "donnees").string();
    socket_ = (dossier / "s").string();
    const test::Execution creation = test::Executer(
        installation,
        {"--no-defaults", "--datadir=" + donnees, "--user=" + Utilisateur(),
         "--auth-root-authentication-method=normal", "--skip-test-db", "--skip-name-resolve"});
    if (creation.code != 0) return "mariadb-install-db: " + creation.erreurs;
    std::vector<std::string> arguments{serveur,
                                       "--no-defaults",
                                       "--datadir=" + donnees,
                                       "--socket=" + socket_,
                                       "--skip-networking",
                                       "--pid-file=" + (dossier / "pid").string(),
                                       "--log-error=" + (dossier / "journal").string(),
                                       "--user=" + Utilisateur()};
    std::vector<char*> argv;
    for (std::string& a : arguments)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives the test
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
    if (pid_ < 0) return "fork";
    // Waits for the socket (made once the server takes connections), or for the server to end.
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fs::exists(socket_)) {
      int etat = 0;
      if (::waitpid(pid_, &etat, WNOHANG) == pid_) {
        pid_ = -1;
        return "mariadbd ended: " + test::LireTexte(dossier / "journal");
      }
      if (std::chrono::steady_clock::now() > limite) return "mariadbd did not answer in 30 s";
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
  }

  void Arreter() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  const std::string& Socket() const { return socket_; }

 private:
  pid_t pid_ = -1;
  std::string socket_;
};

// The README's block of that language holding that text.
std::string BlocDuReadme(const std::string& langage, const std::string& contenu) {
  const std::string readme = test::LireTexte(fs::path(VELQUOR_README));
  const std::string ouverture = "```" + langage + "\n";
  for (std::size_t debut = readme.find(ouverture); debut != std::string::npos;
       debut = readme.find(ouverture, debut + 1)) {
    const std::size_t corps = debut + ouverture.size();
    const std::size_t fin = readme.find("```", corps);
    const std::string bloc = readme.substr(corps, fin - corps);
    if (bloc.find(contenu) != std::string::npos) return bloc;
  }
  return {};
}

std::string Hex(const std::string& octets) {
  static const char* chiffres = "0123456789ABCDEF";
  std::string hex;
  for (unsigned char c : octets) {
    hex += chiffres[c >> 4];
    hex += chiffres[c & 15];
  }
  return hex;
}

// Records with backslashes where a loader's escape character would act: "\N" (NULL), "\n",
// "\t", "\\", "\"" and a backslash at the end of a quoted field.
void EcrireBarresObliques() {
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
}

// A file's rows as the loaded tables should give them back: one line a row, the fields as the
// hex of their bytes separated by tabs.
std::string Attendu(const std::string& fichier) {
  const auto lignes = test::LireLignes(test::LireTexte(fichier));
  EXPECT_TRUE(lignes.has_value()) << fichier;
  EXPECT_FALSE(lignes && lignes->empty()) << fichier;
  std::string attendu;
  for (const auto& ligne : lignes.value_or(std::vector<std::vector<test::ChampSql>>{})) {
    for (std::size_t k = 0; k < ligne.size(); ++k)
      attendu += (k ? "\t" : "") + Hex(ligne[k].valeur);
    attendu += "\n";
  }
  return attendu;
}

// Which file goes to which table, as the block loads them (MariaDB's INFILE or SQLite's .import).
std::vector<std::pair<std::string, std::string>> Chargements(const std::string& bloc,
                                                             const std::string& motif) {
  std::vector<std::pair<std::string, std::string>> chargements;
  const std::regex chargement(motif);
  for (auto it = std::sregex_iterator(bloc.begin(), bloc.end(), chargement);
       it != std::sregex_iterator(); ++it)
    chargements.emplace_back((*it)[1], (*it)[2]);
  return chargements;
}

// The hostile records, with backslashes, exported into Tux/.
void Exporter() {
  test::EcrireJeu();
  test::EcrireSansTerminateur();
  EcrireBarresObliques();
  test::EnregistreurMessages messages;
  fs::create_directory("Web");
  fs::create_directory("Tux");
  ASSERT_TRUE(ExporterFamilles(messages).Reussi());
  ASSERT_TRUE(ExporterIngredients(messages).Reussi());
  ASSERT_TRUE(ExporterCocktails(messages).Reussi());
}

class ChargementSql : public test::TestDansDossier {};

TEST_F(ChargementSql, MariaDBChargeLesQuatreFichiersAvecChaqueChampIntact) {
  const auto installation = Trouver("mariadb-install-db");
  const auto serveur = Trouver("mariadbd");
  const auto client = Trouver("mariadb");
  if (!installation || !serveur || !client) {
    GTEST_SKIP() << "mariadb-server is not installed (scripts/test.sh installs it)";
  }
  ASSERT_NO_FATAL_FAILURE(Exporter());

  const std::string sql = BlocDuReadme("sql", "LOAD DATA");
  ASSERT_FALSE(sql.empty()) << "no sql block with LOAD DATA in the README";
  const auto chargements = Chargements(sql, R"(INFILE\s+'([^']+)'\s+INTO\s+TABLE\s+(\w+))");
  ASSERT_EQ(chargements.size(), 4u);

  const fs::path dossierServeur = fs::current_path() / "serveur";
  fs::create_directory(dossierServeur);
  ServeurMariaDB mariadb;
  const std::string erreur = mariadb.Demarrer(dossierServeur, *installation, *serveur);
  ASSERT_TRUE(erreur.empty()) << erreur;
  auto requete = [&](const std::string& texte, const std::string& base = "velquor") {
    std::vector<std::string> arguments{"--no-defaults", "--socket=" + mariadb.Socket(),
                                       "--user=root",   "--local-infile=1",
                                       "--batch",       "--skip-column-names"};
    if (!base.empty()) arguments.push_back("--database=" + base);
    arguments.push_back("--execute=" + texte);
    return test::Executer(*client, arguments);
  };
  test::Execution r = requete("CREATE DATABASE velquor", "");
  ASSERT_EQ(r.code, 0) << r.erreurs;
  r = requete(sql);
  ASSERT_EQ(r.code, 0) << r.erreurs;

  for (const auto& [fichier, table] : chargements) {
    SCOPED_TRACE(fichier);
    // Each column as the hex of its bytes (its decimal text for a number), rows in key order.
    r = requete(
        "SELECT GROUP_CONCAT(CONCAT('HEX(CAST(`', COLUMN_NAME, '` AS BINARY))')"
        " ORDER BY ORDINAL_POSITION SEPARATOR ', ') FROM information_schema.COLUMNS"
        " WHERE TABLE_SCHEMA = 'velquor' AND TABLE_NAME = '" +
        table + "'");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    r = requete("SELECT " + r.sortie.substr(0, r.sortie.find('\n')) + " FROM " + table);
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.sortie, Attendu(fichier));
  }
  mariadb.Arreter();
}

// The README's SQLite commands, run as they stand by the sqlite3 shell on the same files.
TEST_F(ChargementSql, LesCommandesSqliteDuReadmeChargentAussiChaqueChampIntact) {
  const auto sqlite = Trouver("sqlite3");
  if (!sqlite) GTEST_SKIP() << "sqlite3 is not installed (scripts/test.sh installs it)";
  ASSERT_NO_FATAL_FAILURE(Exporter());
  const std::string commandes = BlocDuReadme("sh", "sqlite3 recettes.db");
  ASSERT_FALSE(commandes.empty()) << "no sh block with sqlite3 in the README";
  const auto chargements = Chargements(commandes, R"(\.import\s+(\S+)\s+(\w+))");
  ASSERT_EQ(chargements.size(), 4u);
  test::Execution r = test::Executer("/bin/sh", {"-c", commandes});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  EXPECT_EQ(r.erreurs, "");  // no row refused or filled up
  auto requete = [&](const std::string& texte) {
    return test::Executer(*sqlite,
                          {"-batch", "-noheader", "-separator", "\t", "recettes.db", texte});
  };
  for (const auto& [fichier, table] : chargements) {
    SCOPED_TRACE(fichier);
    r = requete(
        "SELECT group_concat('hex(CAST(\"' || name || '\" AS BLOB))', ', ') FROM"
        " (SELECT name FROM pragma_table_info('" +
        table + "') ORDER BY cid)");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    const std::string colonnes = r.sortie.substr(0, r.sortie.find('\n'));
    r = requete("SELECT " + colonnes + " FROM " + table + " ORDER BY rowid");
    ASSERT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(r.sortie, Attendu(fichier));
  }
}

}  // namespace
}  // namespace velquor
