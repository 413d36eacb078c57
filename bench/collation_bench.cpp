// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one step of the name index: one comparison of two names.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "store/collation.h"
#include "store/cp1252.h"

namespace {

constexpr std::size_t kNombre = 4096;  // a power of two

// Random names of 10 to 30 characters drawn from `alphabet`, each starting with `debut`.
std::vector<std::string> Noms(std::string_view alphabet, std::string_view debut = {}) {
  std::mt19937 alea(31);
  std::uniform_int_distribution<std::size_t> longueur(10, 30);
  std::uniform_int_distribution<std::size_t> lettre(0, alphabet.size() - 1);
  std::vector<std::string> noms;
  for (std::size_t i = 0; i < kNombre; ++i) {
    std::string nom(debut);
    const std::size_t n = longueur(alea);
    while (nom.size() < n)
      nom.push_back(alphabet[lettre(alea)]);
    noms.push_back(nom);
  }
  return noms;
}

void Mesurer(benchmark::State& state, const std::vector<std::string>& noms,
             int (*comparer)(std::string_view, std::string_view)) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(comparer(noms[i % kNombre], noms[(i * 7 + 1) % kNombre]));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

const std::string kCapitales = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

// The usual case: names typed in capitals.
void BM_ComparerNoms_Capitales(benchmark::State& state) {
  static const std::vector<std::string> noms = Noms(kCapitales);
  Mesurer(state, noms, velquor::ComparerNoms);
}
BENCHMARK(BM_ComparerNoms_Capitales);

// Capitals, digits and spaces behind a long common prefix.
void BM_ComparerNoms_PrefixeCommun(benchmark::State& state) {
  static const std::vector<std::string> noms = Noms(kCapitales + "0123456789 ", "COCKTAIL DU ");
  Mesurer(state, noms, velquor::ComparerNoms);
}
BENCHMARK(BM_ComparerNoms_PrefixeCommun);

// French capitals with accents, ligatures, hyphens and apostrophes.
void BM_ComparerNoms_Accents(benchmark::State& state) {
  static const std::vector<std::string> noms =
      Noms(*velquor::Utf8VersCp1252("ABCDEFGHIJKLMNOPQRSTUVWXYZ ÉÈÊÀÇÔŒ-'"));
  Mesurer(state, noms, velquor::ComparerNoms);
}
BENCHMARK(BM_ComparerNoms_Accents);

// The slow path: names with the same letters, told apart by an accent, a hyphen or the
// case of their first letter, so that the whole name is walked at every level.
void BM_ComparerNoms_MemesLettres(benchmark::State& state) {
  static const std::vector<std::string> noms = [] {
    std::vector<std::string> paires;
    const std::string variantes[][2] = {{"E", "\xC9"}, {"CO-OP", "COOP"}, {"Z", "z"}};
    std::size_t k = 0;
    for (const std::string& nom : Noms("ABCDFGHIJKLMNOPQRSTUVWXY")) {
      const auto& v = variantes[k++ % 3];
      paires.push_back(v[0] + nom);
      paires.push_back(v[1] + nom);
    }
    return paires;
  }();
  std::size_t i = 0;
  for (auto _ : state) {
    const std::size_t j = (i % kNombre) * 2;
    benchmark::DoNotOptimize(velquor::ComparerNoms(noms[j], noms[j + 1]));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComparerNoms_MemesLettres);

void BM_ComparerNomsSansCasse_Capitales(benchmark::State& state) {
  static const std::vector<std::string> noms = Noms(kCapitales + "abcdefghijklmnopqrstuvwxyz");
  Mesurer(state, noms, velquor::ComparerNomsSansCasse);
}
BENCHMARK(BM_ComparerNomsSansCasse_Capitales);

}  // namespace
