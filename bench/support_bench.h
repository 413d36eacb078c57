#pragma once
// What the benchmarks share: a scratch directory to work in, and generated names.

#include <filesystem>
#include <string>
#include <vector>

namespace velquor::bench {

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
