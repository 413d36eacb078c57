// The peak memory of the window program with the cocktail editor open on N generated cocktails,
// their ingredients and their families: the real program (velquor) started offscreen in a
// scratch directory holding the collections, opening the cocktail view at once
// (VELQUOR_COMMANDE=103) and ending once its window is up (VELQUOR_CAPTURE). Its peak resident
// size (VmHWM, the ru_maxrss of the ended child) is printed beside that of the program with no
// view open. The program's picture with the editor open is left beside the runner
// (memoire_editeur.png).
//
// Usage: bench_memoire_editeur [N [path of velquor]]   (default 10000 and the built program)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "donnees_bench.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "support_bench.h"

namespace velquor::bench {
namespace {

void EcrireCollections(const std::vector<CocktailGenere>& cocktails) {
  std::set<std::string> ingredients, familles;
  {
    FicCocktail f;
    f.Creer();
    f.Ouvrir();
    LotFichier lot(f);
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
  FicIngredient i;
  i.Creer();
  i.Ouvrir();
  for (const std::string& nom : ingredients) {
    i.Enreg = {};
    CopierTexte(i.Enreg.Nom, nom);
    i.Enreg.Alcool = nom == "GIN" || nom == "VODKA" ? 1 : 0;
    i.Ajouter(nom);
  }
  FicFamille fa;
  fa.Creer();
  fa.Ouvrir();
  for (const std::string& nom : familles) {
    fa.Enreg = {};
    CopierTexte(fa.Enreg.Nom, nom);
    fa.Ajouter(nom);
  }
}

// Runs the program in the current directory; its peak resident size in kB, or -1 on failure.
long PicMemoireKo(const std::string& programme, const char* commande) {
  std::error_code e;
  std::filesystem::remove("capture.png", e);
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("VELQUOR_CAPTURE", "capture.png", 1);
    if (commande)
      setenv("VELQUOR_COMMANDE", commande, 1);
    else
      unsetenv("VELQUOR_COMMANDE");
    execl(programme.c_str(), programme.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int statut = 0;
  rusage usage{};
  if (wait4(pid, &statut, 0, &usage) != pid) return -1;
  if (!WIFEXITED(statut) || WEXITSTATUS(statut) != 0 || !std::filesystem::exists("capture.png")) {
    std::fprintf(stderr, "velquor ended with status %d\n", statut);
    return -1;
  }
  return usage.ru_maxrss;  // kilobytes on Linux: the child's VmHWM
}

}  // namespace
}  // namespace velquor::bench

int main(int argc, char** argv) {
  using namespace velquor::bench;
  const int n = argc > 1 ? std::atoi(argv[1]) : 10000;
  std::string programme = argc > 2 ? argv[2] : VELQUOR_PROGRAMME;
  if (n <= 0) {
    std::fprintf(stderr, "usage: %s [N [path of velquor]]\n", argv[0]);
    return 2;
  }
  programme = std::filesystem::absolute(programme).string();
  const std::string dossierRunner = std::filesystem::absolute(argv[0]).parent_path().string();
  DossierBench dossier;
  EcrireCollections(GenererCocktails(n));
  const long sansVue = PicMemoireKo(programme, nullptr);
  const long avecEditeur = PicMemoireKo(programme, "103");
  if (sansVue < 0 || avecEditeur < 0) return 1;
  // The picture of the program with the editor open, to see that it was: beside the runner.
  std::error_code e;
  std::filesystem::copy_file("capture.png",
                             std::filesystem::path(dossierRunner) / "memoire_editeur.png",
                             std::filesystem::copy_options::overwrite_existing, e);
  std::printf("| work | N | peak memory (VmHWM) | target |\n|---|---|---|---|\n");
  std::printf("| the program, no view open | %d | %.1f MB | |\n", n, sansVue / 1024.0);
  std::printf("| the program with the cocktail editor open | %d | %.1f MB | <= 120 MB |\n", n,
              avecEditeur / 1024.0);
  return 0;
}
