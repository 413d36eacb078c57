// SPDX-License-Identifier: GPL-3.0-or-later
#include "support_bench.h"

#include <stdlib.h>

#include <algorithm>
#include <random>
#include <set>

namespace velquor::bench {

DossierBench::DossierBench() {
  std::error_code erreur;
  precedent_ = std::filesystem::current_path(erreur);
  std::string modele =
      (std::filesystem::temp_directory_path(erreur) / "velquor-bench-XXXXXX").string();
  if (::mkdtemp(modele.data()) == nullptr) return;
  chemin_ = modele;
  std::filesystem::current_path(chemin_, erreur);
}

DossierBench::~DossierBench() {
  std::error_code erreur;
  std::filesystem::current_path(precedent_, erreur);
  if (!chemin_.empty()) std::filesystem::remove_all(chemin_, erreur);
}

std::vector<std::string> NomsAleatoires(int n, unsigned graine) {
  static const char* mots[] = {"GIN",     "FIZZ",    "SOUR",  "ROYAL",  "BLUE",   "LAGON",  "MULE",
                               "SPRITZ",  "COBBLER", "JULEP", "FLIP",   "PUNCH",  "COLADA", "SLING",
                               "NEGRONI", "MARTINI", "TONIC", "CASSIS", "MENTHE", "CITRON"};
  std::mt19937 alea(graine);
  std::uniform_int_distribution<int> mot(0, std::size(mots) - 1);
  std::set<std::string> vus;
  std::vector<std::string> noms;
  while (static_cast<int>(noms.size()) < n) {
    std::string nom = std::string(mots[mot(alea)]) + " " + mots[mot(alea)] + " " +
                      std::to_string(alea() % 100000);
    if (nom.size() <= 30 && vus.insert(nom).second) noms.push_back(nom);
  }
  return noms;
}

}  // namespace velquor::bench
