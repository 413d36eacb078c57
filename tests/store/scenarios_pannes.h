// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The store operations that the fault and stop tests run over and over: each prepares a family
// pair on disk, then runs one operation through objects of its own (so that opening is part of
// it) and returns its result.

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "store/etat_paire.h"
#include "store/pannes_fichiers.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor::test {

struct ScenarioPanne {
  std::string nom;
  std::vector<std::string> prepares;  // the names of the pair before the operation
  std::function<bool()> operation;
  std::set<std::string> supprimes = {};  // the names the operation deletes
  bool neuve = false;  // two empty files: a pair whose creation stopped before its header
};

std::vector<ScenarioPanne> ScenariosPannes();

// Names seen by the walks of the family pair (both must end).
std::vector<std::string> NomsFamilles();

// Each trial in a fresh sub-directory; a lot's additions reach the file before it lands, a
// record at a time.
class EssaisPannes : public TestDansDossier {
 protected:
  void SetUp() override { EtatPaire::DefinirTailleTampon(1); }
  void TearDown() override {
    pannes::Effacer();
    EtatPaire::DefinirTailleTampon(1 << 20);
    EtatPaire::DefinirCopieMax(2 << 20);
  }
  // Writes the scenario's pair in a fresh sub-directory, which becomes the current one.
  void Preparer(const ScenarioPanne& s);

  int essais_ = 0;
  EnregistreurVantor vantor_;
};

}  // namespace velquor::test
