// SPDX-License-Identifier: GPL-3.0-or-later
// A whole search: "every cocktail" (by name, containing the empty string) into an empty result,
// over a cocktail collection of N records added in random name order. Each run visits every
// cocktail, looks its name up in RESURECH and adds a full copy of it there.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "search/recherche.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support_bench.h"

namespace velquor::bench {
namespace {

class ProgressionMuette : public RapporteurProgression {
 public:
  void Debut() override {}
  bool MettreAJour(std::string_view, std::int64_t, std::int64_t) override { return false; }
  void Fin() override {}
};

class MessagesMuets : public PMessages {
 public:
  int AffMessage(int, std::string_view, unsigned) override { return ReponseOk; }
};

void RemplirCocktails(const std::vector<std::string>& noms) {
  FicCocktail f;
  f.Creer();
  f.Ouvrir();
  for (const auto& nom : noms) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, nom);
    CopierTexte(f.Enreg.Famille, "SOURS");
    CopierTexte(f.Enreg.Quantite[0], "4 cl");
    CopierTexte(f.Enreg.Ingredient[0], "GIN");
    CopierTexte(f.Enreg.Quantite[1], "2 cl");
    CopierTexte(f.Enreg.Ingredient[1], "CITRON");
    CopierTexte(f.Enreg.Remarques, "Secouer avec de la glace et servir.");
    f.Ajouter(nom);
  }
}

void BM_RechercherToutVersResultatVide(benchmark::State& etat) {
  DossierBench dossier;
  RemplirCocktails(NomsAleatoires(static_cast<int>(etat.range(0))));
  ProgressionMuette progression;
  MessagesMuets messages;
  const CriteresRecherche tout;
  for (auto _ : etat) {
    etat.PauseTiming();
    std::filesystem::remove("RESURECH.NDX");
    std::filesystem::remove("RESURECH.DAT");
    etat.ResumeTiming();
    bool trouve = ExecuterRecherche(tout, {.Messages = messages, .Progression = progression});
    benchmark::DoNotOptimize(trouve);
  }
  etat.SetItemsProcessed(etat.iterations() * etat.range(0));
}

BENCHMARK(BM_RechercherToutVersResultatVide)
    ->Arg(1000)
    ->Arg(3000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace velquor::bench
