// SPDX-License-Identifier: GPL-3.0-or-later
// The record store on its own: additions in random and in sorted order, lookups of random
// names, and a full forward walk, on a cocktail collection of N records.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "support_bench.h"

namespace velquor::bench {
namespace {

void Remplir(FicCocktail& f, const std::vector<std::string>& noms) {
  for (const auto& nom : noms) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, nom);
    CopierTexte(f.Enreg.Ingredient[0], "GIN");
    f.Ajouter(nom);
  }
}

std::vector<std::string> Tries(std::vector<std::string> noms) {
  std::sort(noms.begin(), noms.end(),
            [](const auto& a, const auto& b) { return ComparerNoms(a, b) < 0; });
  return noms;
}

void AjouterN(benchmark::State& etat, bool trie) {
  auto noms = NomsAleatoires(static_cast<int>(etat.range(0)));
  if (trie) noms = Tries(noms);
  for (auto _ : etat) {
    DossierBench dossier;
    FicCocktail f;
    f.Creer();
    f.Ouvrir();
    Remplir(f, noms);
    benchmark::DoNotOptimize(f.NbEnreg);
  }
  etat.SetItemsProcessed(etat.iterations() * etat.range(0));
}

void BM_AjouterAleatoire(benchmark::State& etat) {
  AjouterN(etat, false);
}
void BM_AjouterTrie(benchmark::State& etat) {
  AjouterN(etat, true);
}

void ChercherN(benchmark::State& etat, bool trie) {
  auto noms = NomsAleatoires(static_cast<int>(etat.range(0)));
  DossierBench dossier;
  FicCocktail f;
  f.Creer();
  f.Ouvrir();
  Remplir(f, trie ? Tries(noms) : noms);
  std::mt19937 alea(7);
  std::uniform_int_distribution<std::size_t> choix(0, noms.size() - 1);
  for (auto _ : etat)
    benchmark::DoNotOptimize(f.Chercher(noms[choix(alea)]));
}

void BM_ChercherArbreAleatoire(benchmark::State& etat) {
  ChercherN(etat, false);
}
void BM_ChercherArbreTrie(benchmark::State& etat) {
  ChercherN(etat, true);
}

void BM_ParcoursComplet(benchmark::State& etat) {
  DossierBench dossier;
  FicCocktail f;
  f.Creer();
  f.Ouvrir();
  Remplir(f, NomsAleatoires(static_cast<int>(etat.range(0))));
  for (auto _ : etat) {
    int n = 0;
    for (bool ok = f.Premier(); ok; ok = f.Suivant())
      ++n;
    benchmark::DoNotOptimize(n);
  }
  etat.SetItemsProcessed(etat.iterations() * etat.range(0));
}

BENCHMARK(BM_AjouterAleatoire)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AjouterTrie)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ChercherArbreAleatoire)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChercherArbreTrie)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParcoursComplet)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velquor::bench
