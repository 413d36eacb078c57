// SPDX-License-Identifier: GPL-3.0-or-later
// The views at scale, in the real program (velquor, offscreen) on N generated cocktails with
// 2,000 ingredients: the time from the start of the process to its main window drawn, and from
// each view's command to its window drawn with its lists filled (the three editors, the search
// dialog and the results view, this one on a result holding every cocktail), as the program
// itself times them (VELQUOR_CHRONO); each the median of several runs. Beside each, the run's
// peak resident size (VmHWM, the ru_maxrss of the ended child).
//
// The last row presses M in the cocktail list once the cocktail view is drawn: the time of the
// list's type-ahead, from the key to the list drawn again.
//
// Usage: bench_vues [N ...] [--programme PATH]   (default 10000 50000 100000, the built program)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "donnees_bench.h"
#include "search/recherche.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "support_bench.h"

namespace velquor::bench {
namespace {

constexpr int NbIngredients = 2000;
constexpr int Repetitions = 5;

double MaintenantMs() {
  return std::chrono::duration<double, std::milli>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The cocktails, their families, the ingredients they use and more up to 2,000, and a search
// result holding every cocktail.
void EcrireCollections(const std::vector<CocktailGenere>& cocktails) {
  std::set<std::string> ingredients, familles;
  {
    FicCocktail f;
    f.Creer();
    f.Ouvrir();
    LotFichier lot(f, LotFichier::Usage::Ecriture);
    for (const CocktailGenere& c : cocktails) {
      f.Enreg = {};
      CopierTexte(f.Enreg.Nom, c.nom);
      CopierTexte(f.Enreg.Famille, c.famille);
      CopierTexte(f.Enreg.Remarques, c.remarques);
      familles.insert(c.famille);
      for (int i = 0; i < 10; ++i) {
        CopierTexte(f.Enreg.Quantite[i], c.quantite[i]);
        CopierTexte(f.Enreg.Ingredient[i], c.ingredient[i]);
        if (!c.ingredient[i].empty()) ingredients.insert(c.ingredient[i]);
      }
      f.Ajouter(c.nom);
    }
  }
  for (const std::string& nom : NomsAleatoires(NbIngredients, 3)) {
    if (ingredients.size() >= NbIngredients) break;
    ingredients.insert(nom);
  }
  {
    FicIngredient i;
    i.Creer();
    i.Ouvrir();
    LotFichier lot(i, LotFichier::Usage::Ecriture);
    for (const std::string& nom : ingredients) {
      i.Enreg = {};
      CopierTexte(i.Enreg.Nom, nom);
      i.Enreg.Alcool = nom == "GIN" || nom == "VODKA" ? 1 : 0;
      i.Ajouter(nom);
    }
  }
  {
    FicFamille fa;
    fa.Creer();
    fa.Ouvrir();
    for (const std::string& nom : familles) {
      fa.Enreg = {};
      CopierTexte(fa.Enreg.Nom, nom);
      fa.Ajouter(nom);
    }
  }
  Muet muet;
  if (!ExecuterRecherche(CriteresRecherche{}, {.Messages = muet, .Progression = muet})) {
    std::fprintf(stderr, "the search that fills the result failed\n");
    std::exit(1);
  }
}

struct Mesure {
  double demarrage = -1, commande = -1, touche = -1;  // ms
  long picKo = -1;
};

// One run of the program in the current directory, sending commande (0: none), then pressing
// touche in the window it opened (none when empty).
Mesure Executer(const std::string& programme, int commande, const char* touche) {
  std::error_code e;
  std::filesystem::remove("chrono.txt", e);
  const double debut = MaintenantMs();
  const pid_t pid = fork();
  if (pid < 0) return {};
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("VELQUOR_CHRONO", "chrono.txt", 1);
    unsetenv("VELQUOR_CAPTURE");
    if (commande > 0) {
      setenv("VELQUOR_COMMANDE", std::to_string(commande).c_str(), 1);
    } else {
      unsetenv("VELQUOR_COMMANDE");
    }
    if (touche != nullptr) {
      setenv("VELQUOR_TOUCHE", touche, 1);
    } else {
      unsetenv("VELQUOR_TOUCHE");
    }
    execl(programme.c_str(), programme.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int statut = 0;
  rusage usage{};
  if (wait4(pid, &statut, 0, &usage) != pid || !WIFEXITED(statut) || WEXITSTATUS(statut) != 0) {
    std::fprintf(stderr, "velquor ended with status %d\n", statut);
    return {};
  }
  Mesure m;
  m.picKo = usage.ru_maxrss;
  std::ifstream chrono("chrono.txt");
  std::string cle;
  double valeur;
  while (chrono >> cle >> valeur) {
    if (cle == "fenetre") m.demarrage = valeur - debut;
    if (cle == "commande") m.commande = valeur;
    if (cle == "touche") m.touche = valeur;
  }
  return m;
}

double Mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

bool Mesurer(const std::string& programme, int n) {
  DossierBench dossier;
  EcrireCollections(GenererCocktails(n));
  struct Travail {
    const char* nom;
    int commande;
    const char* touche = nullptr;
  };
  const Travail travaux[] = {
      {"the program's start, main window drawn", 0},
      {"family editor (102)", 102},
      {"ingredient editor (101)", 101},
      {"cocktail editor (103)", 103},
      {"search dialog with its lists (108)", 108},
      {"results view, every cocktail found (110)", 110},
      {"key M in the cocktail list, type-ahead to the list redrawn", 103, "M"}};
  for (const Travail& t : travaux) {
    std::vector<double> durees;
    long pic = 0;
    for (int i = 0; i < Repetitions; ++i) {
      const Mesure m = Executer(programme, t.commande, t.touche);
      const double d = t.touche != nullptr ? m.touche : t.commande > 0 ? m.commande : m.demarrage;
      if (m.picKo < 0 || d < 0) return false;
      durees.push_back(d);
      pic = std::max(pic, m.picKo);
    }
    const char* cible = t.touche != nullptr ? "≤ 50 ms"
                        : t.commande == 0   ? (n >= 100000  ? "≤ 100 ms"
                                               : n >= 50000 ? "≤ 300 ms"
                                                            : "-")
                        : n >= 50000        ? "≤ 300 ms"
                                            : "≤ 100 ms";
    std::printf("| %s | %d | %.1f ms | %s | %.1f MB |\n", t.nom, n, Mediane(durees), cible,
                pic / 1024.0);
    std::fflush(stdout);
  }
  return true;
}

}  // namespace
}  // namespace velquor::bench

int main(int argc, char** argv) {
  std::vector<int> tailles;
  std::string programme = VELQUOR_PROGRAMME;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--programme") == 0 && i + 1 < argc) {
      programme = argv[++i];
    } else if (std::atoi(argv[i]) > 0) {
      tailles.push_back(std::atoi(argv[i]));
    } else {
      std::fprintf(stderr, "usage: %s [N ...] [--programme PATH]\n", argv[0]);
      return 2;
    }
  }
  if (tailles.empty()) tailles = {10000, 50000, 100000};
  programme = std::filesystem::absolute(programme).string();
  std::printf(
      "| work | N | median time | target | peak memory (target < 120 MB, ≤ 150 MB at 100,000) |\n"
      "|---|---|---|---|---|\n");
  for (int n : tailles) {
    if (!velquor::bench::Mesurer(programme, n)) return 1;
  }
  return 0;
}
