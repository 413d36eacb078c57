// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks share: a scratch directory to work in, generated names, and a silent
// user for the engines (no progress shown, every message answered Ok at once).

#include <filesystem>
#include <string>
#include <vector>

#include "search/rapporteur_progression.h"
#include "store/messages.h"

namespace velquor::bench {

class Muet : public RapporteurProgression, public PMessages {
 public:
  void Debut() override {}
  bool MettreAJour(std::string_view, std::int64_t, std::int64_t) override { return false; }
  void Fin() override {}
  int AffMessage(int, std::string_view, unsigned) override { return ReponseOk; }
};

// Makes a fresh temporary directory the current one for its lifetime.
class DossierBench {
 public:
  DossierBench();
  ~DossierBench();
  DossierBench(const DossierBench&) = delete;
  DossierBench& operator=(const DossierBench&) = delete;

 private:
  std::filesystem::path precedent_;
  std::filesystem::path chemin_;
};

// n distinct cocktail-like names in capitals (at most 30 bytes), in random order.
std::vector<std::string> NomsAleatoires(int n, unsigned graine = 42);

}  // namespace velquor::bench
