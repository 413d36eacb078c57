// SPDX-License-Identifier: GPL-3.0-or-later
// The performance table: the same work on the same generated recipes, done by Le Velquor on its
// legacy files and by SQLite 3 (default settings, printed) on the equivalent schema, in one run,
// with the median of several repetitions and the ratio. Reads are paired like for like: ours in
// a lot with SQLite in one transaction, ours outside a lot with SQLite in autocommit. The writing
// works are also run against SQLite in WAL mode with synchronous=NORMAL (rows without a target:
// that setting gives up durability). For the searches, the physical floor too: reading the
// cocktail file and writing a result pair of the same size with plain buffered I/O, without and
// with a flush of each written file to the disk. Usage: bench_comparaison [N ...] (default 1000
// 10000 50000 100000).

#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "donnees_bench.h"
#include "editors/coherence.h"
#include "search/recherche.h"
#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "support_bench.h"

namespace velquor::bench {
namespace {

using Horloge = std::chrono::steady_clock;

double Mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Median duration in milliseconds of `travail`, each run preceded by the untimed `preparer`.
double Chronometrer(int repetitions, const std::function<void()>& preparer,
                    const std::function<void()>& travail) {
  std::vector<double> durees;
  for (int i = 0; i < repetitions; ++i) {
    preparer();
    auto debut = Horloge::now();
    travail();
    durees.push_back(std::chrono::duration<double, std::milli>(Horloge::now() - debut).count());
  }
  return Mediane(durees);
}

// --- SQLite side -------------------------------------------------------------------------------

class BaseSqlite {
 public:
  // wal: journal_mode=WAL and synchronous=NORMAL, what a user picking SQLite for speed sets;
  // otherwise SQLite's defaults (a rollback journal deleted at each commit, synchronous=FULL).
  BaseSqlite(const std::vector<CocktailGenere>& cocktails, bool wal) {
    sqlite3_open(wal ? "recettes-wal.db" : "recettes.db", &db_);
    if (wal) Executer("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL");
    std::string colonnes = "nom TEXT PRIMARY KEY, famille TEXT";
    for (const char* prefixe : {", q", ", i"}) {
      for (int i = 0; i < 10; ++i)
        colonnes.append(prefixe).append(std::to_string(i)).append(" TEXT");
    }
    colonnes += ", remarques TEXT";
    Executer("CREATE TABLE cocktail(" + colonnes + ")");
    Executer("CREATE TABLE resurech(" + colonnes + ")");
    Executer("BEGIN");
    std::string marques = "?";
    for (int i = 1; i < 23; ++i)
      marques += ",?";
    sqlite3_stmt* s = Preparer("INSERT INTO cocktail VALUES(" + marques + ")");
    for (const auto& c : cocktails) {
      sqlite3_bind_text(s, 1, c.nom.c_str(), -1, SQLITE_STATIC);
      sqlite3_bind_text(s, 2, c.famille.c_str(), -1, SQLITE_STATIC);
      for (int i = 0; i < 10; ++i) {
        sqlite3_bind_text(s, 3 + i, c.quantite[i].c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(s, 13 + i, c.ingredient[i].c_str(), -1, SQLITE_STATIC);
      }
      sqlite3_bind_text(s, 23, c.remarques.c_str(), -1, SQLITE_STATIC);
      sqlite3_step(s);
      sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    Executer("COMMIT");
  }
  ~BaseSqlite() { sqlite3_close(db_); }

  void Executer(const std::string& sql) {
    char* erreur = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &erreur) != SQLITE_OK) {
      std::fprintf(stderr, "SQLite: %s\n", erreur ? erreur : "?");
      sqlite3_free(erreur);
      std::exit(1);
    }
  }
  // The value of a setting, as SQLite reports it.
  std::string Reglage(const char* pragma) {
    sqlite3_stmt* s = Preparer(std::string("PRAGMA ") + pragma);
    std::string valeur = sqlite3_step(s) == SQLITE_ROW
                             ? reinterpret_cast<const char*>(sqlite3_column_text(s, 0))
                             : "?";
    sqlite3_finalize(s);
    return valeur;
  }
  sqlite3_stmt* Preparer(const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr);
    return s;
  }
  // Reads every column of the current row, as our record read does.
  static void LireLigne(sqlite3_stmt* s) {
    long octets = 0;
    for (int c = 0; c < 23; ++c) {
      octets += sqlite3_column_bytes(s, c) + (sqlite3_column_text(s, c) != nullptr);
    }
    Garder(octets);
  }
  // Keeps a value alive so that the reads that produced it are not optimised away.
  static void Garder(long valeur) { puits_ = puits_ + valeur; }
  static inline volatile long puits_ = 0;

 private:
  sqlite3* db_ = nullptr;
};

std::string AuMoinsUnSql() {
  std::string liste = "(";
  for (int k = 0; k < 3; ++k) {
    if (k > 0) liste += ",";
    liste.append("'").append(TroisIngredients[k]).append("'");
  }
  liste += ")";
  std::string condition;
  for (int i = 0; i < 10; ++i) {
    if (i > 0) condition += " OR ";
    condition.append("i").append(std::to_string(i)).append(" IN ").append(liste);
  }
  return condition;
}

std::string RenommerSql(const std::string& ancien, const std::string& nouveau) {
  std::string ensembles, condition;
  for (int i = 0; i < 10; ++i) {
    std::string c = "i";
    c += std::to_string(i);
    if (i > 0) {
      ensembles += ", ";
      condition += " OR ";
    }
    ensembles.append(c).append(" = CASE WHEN ").append(c).append(" = '").append(ancien);
    ensembles.append("' THEN '").append(nouveau).append("' ELSE ").append(c).append(" END");
    condition.append(c).append(" = '").append(ancien).append("'");
  }
  std::string sql = "UPDATE cocktail SET ";
  sql.append(ensembles).append(" WHERE ").append(condition);
  return sql;
}

// --- Le Velquor side ---------------------------------------------------------------------------

void RemplirVelquor(const std::vector<CocktailGenere>& cocktails, bool trie) {
  std::vector<const CocktailGenere*> ordre;
  for (const auto& c : cocktails)
    ordre.push_back(&c);
  if (trie) {
    std::sort(ordre.begin(), ordre.end(),
              [](auto* a, auto* b) { return ComparerNoms(a->nom, b->nom) < 0; });
  }
  FicCocktail f;
  f.Creer();
  f.Ouvrir();
  LotFichier lot(f);
  for (const CocktailGenere* c : ordre) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, c->nom);
    CopierTexte(f.Enreg.Famille, c->famille);
    CopierTexte(f.Enreg.Remarques, c->remarques);
    for (int i = 0; i < 10; ++i) {
      CopierTexte(f.Enreg.Quantite[i], c->quantite[i]);
      CopierTexte(f.Enreg.Ingredient[i], c->ingredient[i]);
    }
    f.Ajouter(c->nom);
  }
}

void EffacerResultat() {
  std::error_code e;
  std::filesystem::remove("RESURECH.NDX", e);
  std::filesystem::remove("RESURECH.DAT", e);
}

std::int64_t TailleDe(const char* chemin) {
  std::error_code e;
  const auto taille = std::filesystem::file_size(chemin, e);
  return e ? 0 : static_cast<std::int64_t>(taille);
}

// The physical floor of a search: the cocktail file read and a pair of the result's sizes
// written with stdio, each written file flushed to the disk when `durable`.
void EcrirePlancher(bool durable) {
  static std::vector<char> tampon(1 << 16);
  const std::int64_t tailles[2] = {TailleDe("RESURECH.DAT"), TailleDe("RESURECH.NDX")};
  long lus = 0;
  if (std::FILE* source = std::fopen("COCKTAIL.DAT", "rb")) {
    for (std::size_t n; (n = std::fread(tampon.data(), 1, tampon.size(), source)) > 0;)
      lus += n;
    std::fclose(source);
  }
  BaseSqlite::Garder(lus);
  const char* chemins[2] = {"plancher.dat", "plancher.ndx"};
  for (int i = 0; i < 2; ++i) {
    std::FILE* sortie = std::fopen(chemins[i], "wb");
    if (sortie == nullptr) std::exit(1);
    for (std::int64_t reste = tailles[i]; reste > 0;) {
      const std::size_t n = static_cast<std::size_t>(
          std::min<std::int64_t>(reste, static_cast<std::int64_t>(tampon.size())));
      std::fwrite(tampon.data(), 1, n, sortie);
      reste -= static_cast<std::int64_t>(n);
    }
    std::fflush(sortie);
    if (durable) ::fdatasync(::fileno(sortie));
    std::fclose(sortie);
  }
}

void EffacerPlancher() {
  std::error_code e;
  std::filesystem::remove("plancher.dat", e);
  std::filesystem::remove("plancher.ndx", e);
}

struct Ligne {
  std::string travail;
  int n;
  double sqlite, nous;
  const char* unite;
  std::string cible;
  double plancher = 0, plancherDurable = 0;  // ms; 0 where there is none
};

void Afficher(const std::vector<Ligne>& lignes) {
  std::printf(
      "| work | N | SQLite | Le Velquor | ratio | target | floor, buffered / flushed | "
      "ours / floor |\n|---|---|---|---|---|---|---|---|\n");
  for (const auto& l : lignes) {
    std::printf("| %s | %d | %.3g %s | %.3g %s | %.2f | %s |", l.travail.c_str(), l.n, l.sqlite,
                l.unite, l.nous, l.unite, l.nous / l.sqlite, l.cible.c_str());
    if (l.plancher > 0) {
      std::printf(" %.3g / %.3g ms | %.1f / %.1f |\n", l.plancher, l.plancherDurable,
                  l.nous / l.plancher, l.nous / l.plancherDurable);
    } else {
      std::printf(" - | - |\n");
    }
  }
  std::fflush(stdout);
}

// Both floors of the search whose result pair stands in the folder.
void MesurerPlancher(int repetitions, Ligne& ligne) {
  ligne.plancher = Chronometrer(repetitions, EffacerPlancher, [] { EcrirePlancher(false); });
  ligne.plancherDurable = Chronometrer(repetitions, EffacerPlancher, [] { EcrirePlancher(true); });
  EffacerPlancher();
}

void Mesurer(int n, std::vector<Ligne>& lignes) {
  // A few milliseconds at 1,000, where one slow flush moves a median of five: more runs there.
  const int repetitions = n >= 50000 ? 3 : n >= 10000 ? 5 : 21;
  const auto cocktails = GenererCocktails(n);
  std::mt19937 alea(11);
  Muet muet;

  // Lookups of random names in both trees and in SQLite.
  const int nbRecherches = 20000;
  std::vector<std::string> aChercher;
  for (int i = 0; i < nbRecherches; ++i)
    aChercher.push_back(cocktails[alea() % n].nom);

  DossierBench dossierTrie;
  RemplirVelquor(cocktails, true);
  // Each lookup or step outside a lot is an operation of its own that sees other programs'
  // changes, as each statement in SQLite's autocommit is a read transaction of its own; in a lot
  // the lock is taken once, as in one SQLite transaction.
  auto chercherTout = [&](bool enLot) {
    FicCocktail f;
    f.Ouvrir();
    std::unique_ptr<LotFichier> lot;
    if (enLot) lot = std::make_unique<LotFichier>(f);
    for (const auto& nom : aChercher)
      f.Chercher(nom);
  };
  auto parcourir = [&](bool enLot) {
    FicCocktail f;
    f.Ouvrir();
    std::unique_ptr<LotFichier> lot;
    if (enLot) lot = std::make_unique<LotFichier>(f);
    long octets = 0;
    for (bool ok = f.Premier(); ok; ok = f.Suivant())
      octets += Texte(f.Enreg.Remarques).size();
    BaseSqlite::Garder(octets);
  };
  auto parLookup = [&](double ms) { return ms * 1000 / nbRecherches; };
  const double chercherTrie = parLookup(Chronometrer(
      repetitions, [] {}, [&] { chercherTout(false); }));
  const double parcoursTrie = Chronometrer(
      repetitions, [] {}, [&] { parcourir(true); });

  DossierBench dossier;
  RemplirVelquor(cocktails, false);
  BaseSqlite base(cocktails, false);
  if (n == 1000) {
    std::printf("SQLite %s: journal_mode=%s, synchronous=%s, cache_size=%s, page_size=%s\n",
                sqlite3_libversion(), base.Reglage("journal_mode").c_str(),
                base.Reglage("synchronous").c_str(), base.Reglage("cache_size").c_str(),
                base.Reglage("page_size").c_str());
  }

  const double chercherAleatoire = parLookup(Chronometrer(
      repetitions, [] {}, [&] { chercherTout(false); }));
  const double chercherEnLot = parLookup(Chronometrer(
      repetitions, [] {}, [&] { chercherTout(true); }));
  sqlite3_stmt* point = base.Preparer("SELECT * FROM cocktail WHERE nom = ?");
  auto chercherSqlite = [&](bool transaction) {
    if (transaction) base.Executer("BEGIN");
    for (const auto& nom : aChercher) {
      sqlite3_bind_text(point, 1, nom.c_str(), -1, SQLITE_STATIC);
      if (sqlite3_step(point) == SQLITE_ROW) BaseSqlite::LireLigne(point);
      sqlite3_reset(point);
    }
    if (transaction) base.Executer("COMMIT");
  };
  const double chercherAutocommit = parLookup(Chronometrer(
      repetitions, [] {}, [&] { chercherSqlite(false); }));
  const double chercherTransaction = parLookup(Chronometrer(
      repetitions, [] {}, [&] { chercherSqlite(true); }));
  sqlite3_finalize(point);
  lignes.push_back({"`Chercher` of a random name outside a lot / autocommit, random tree", n,
                    chercherAutocommit, chercherAleatoire, "µs", "≤ 1"});
  lignes.push_back({"`Chercher` of a random name outside a lot / autocommit, sorted tree", n,
                    chercherAutocommit, chercherTrie, "µs", "≤ 1"});
  lignes.push_back({"`Chercher` of a random name in a lot / one transaction, random tree", n,
                    chercherTransaction, chercherEnLot, "µs", "≤ 1"});

  sqlite3_stmt* scan = base.Preparer("SELECT * FROM cocktail ORDER BY nom");
  auto parcourirSqlite = [&](bool transaction) {
    if (transaction) base.Executer("BEGIN");
    while (sqlite3_step(scan) == SQLITE_ROW)
      BaseSqlite::LireLigne(scan);
    sqlite3_reset(scan);
    if (transaction) base.Executer("COMMIT");
  };
  const double parcoursAutocommit = Chronometrer(
      repetitions, [] {}, [&] { parcourirSqlite(false); });
  const double parcoursTransaction = Chronometrer(
      repetitions, [] {}, [&] { parcourirSqlite(true); });
  sqlite3_finalize(scan);
  lignes.push_back({"full `Premier`/`Suivant` walk in a lot / one transaction, random tree", n,
                    parcoursTransaction,
                    Chronometrer(
                        repetitions, [] {}, [&] { parcourir(true); }),
                    "ms", "≤ 1"});
  lignes.push_back({"full `Premier`/`Suivant` walk in a lot / one transaction, sorted tree", n,
                    parcoursTransaction, parcoursTrie, "ms", "≤ 1"});
  lignes.push_back({"full `Premier`/`Suivant` walk outside a lot / autocommit, random tree", n,
                    parcoursAutocommit,
                    Chronometrer(
                        repetitions, [] {}, [&] { parcourir(false); }),
                    "ms", "≤ 1"});

  // The three writing works in SQLite, on the default base and on one in WAL mode.
  BaseSqlite baseWal(cocktails, true);
  auto rechercheSqlite = [&](BaseSqlite& b, const std::string& condition) {
    return Chronometrer(
        repetitions, [&] { b.Executer("DELETE FROM resurech"); },
        [&] {
          b.Executer("INSERT INTO resurech SELECT * FROM cocktail WHERE " + condition +
                     " ORDER BY nom");
        });
  };
  auto passeSqlite = [&](BaseSqlite& b) {
    int sens = 0;
    return Chronometrer(
        repetitions, [] {},
        [&] {
          const bool aller = sens++ % 2 == 0;
          b.Executer(aller ? RenommerSql("CITRON", "CITRON VERT")
                           : RenommerSql("CITRON VERT", "CITRON"));
        });
  };
  std::vector<Ligne> wal;
  const std::string avecWal = " (SQLite in WAL, synchronous=NORMAL)";

  CriteresRecherche tout;
  const double rechercheTout = Chronometrer(repetitions, EffacerResultat, [&] {
    ExecuterRecherche(tout, {.Messages = muet, .Progression = muet});
  });
  const std::string toutSql = "instr(nom, '') > 0";
  lignes.push_back({"search all (empty string, \"contains\") into an empty result", n,
                    rechercheSqlite(base, toutSql), rechercheTout, "ms", "≤ 1"});
  MesurerPlancher(repetitions, lignes.back());
  wal.push_back({lignes.back().travail + avecWal, n, rechercheSqlite(baseWal, toutSql),
                 rechercheTout, "ms", "-"});

  CriteresRecherche auMoinsUn;
  auMoinsUn.TypeRecherche = RechercheIngredients;
  auMoinsUn.SensIngredients = AuMoinsUnChoisi;
  auMoinsUn.IngredientsChoisis = {TroisIngredients[0], TroisIngredients[1], TroisIngredients[2]};
  const double rechercheIngredients = Chronometrer(repetitions, EffacerResultat, [&] {
    ExecuterRecherche(auMoinsUn, {.Messages = muet, .Progression = muet});
  });
  lignes.push_back({"search by ingredients, \"at least one\" of 3 chosen", n,
                    rechercheSqlite(base, AuMoinsUnSql()), rechercheIngredients, "ms", "≤ 1"});
  MesurerPlancher(repetitions, lignes.back());
  wal.push_back({lignes.back().travail + avecWal, n, rechercheSqlite(baseWal, AuMoinsUnSql()),
                 rechercheIngredients, "ms", "-"});

  // Renaming the ingredient back and forth: each run changes the same cocktails.
  int sens = 0;
  const double passe = Chronometrer(
      repetitions, [] {},
      [&] {
        const bool aller = sens++ % 2 == 0;
        PropagerIngredient(aller ? "CITRON" : "CITRON VERT", aller ? "CITRON VERT" : "CITRON", muet,
                           {});
      });
  lignes.push_back({"consistency pass renaming an ingredient used by 10 % of cocktails", n,
                    passeSqlite(base), passe, "ms", "≤ 1"});
  wal.push_back({lignes.back().travail + avecWal, n, passeSqlite(baseWal), passe, "ms", "-"});
  lignes.insert(lignes.end(), wal.begin(), wal.end());
}

}  // namespace
}  // namespace velquor::bench

int main(int argc, char** argv) {
  std::vector<int> tailles;
  for (int i = 1; i < argc; ++i)
    tailles.push_back(std::atoi(argv[i]));
  if (tailles.empty()) tailles = {1000, 10000, 50000, 100000};
  std::vector<velquor::bench::Ligne> lignes;
  for (int n : tailles)
    velquor::bench::Mesurer(n, lignes);
  velquor::bench::Afficher(lignes);
  return 0;
}
