#pragma once
// The store operations that the fault and stop tests run over and over: each prepares a family
// pair on disk, then runs one operation through objects of its own (so that opening is part of
// it) and returns its result.

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace velquor::test {

struct ScenarioPanne {
  std::string nom;
  std::vector<std::string> prepares;  // the names of the pair before the operation
  std::function<bool()> operation;
  std::set<std::string> supprimes = {};  // the names the operation deletes
  bool neuve = false;                    // the pair is created, never opened (no header yet)
};

// Writes the scenario's pair in the current directory.
void Preparer(const ScenarioPanne& scenario);

std::vector<ScenarioPanne> ScenariosPannes();

// Names seen by the walks of the family pair (both must end).
std::vector<std::string> NomsFamilles();

}  // namespace velquor::test
