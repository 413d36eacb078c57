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
  std::function<void()> preparer;
  std::function<bool()> operation;
  std::set<std::string> supprimes;  // the names the operation deletes
};

// The names the prepared pair holds (all scenarios start from one of two pairs).
std::set<std::string> NomsPrepares(const ScenarioPanne& scenario);

std::vector<ScenarioPanne> ScenariosPannes();

// Names seen by a forward walk; fails the test when the walk does not end within the bound.
std::vector<std::string> ParcoursBorne(const char* base);

}  // namespace velquor::test
