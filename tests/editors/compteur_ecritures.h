#pragma once
// Counts the positioned writes of the process while it lives, by standing in front of the C
// library's pwrite (the file layer writes every node, record and header with one call). Lets a
// test see how many times, and where, a record was rewritten. Linux and glibc only.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velquor::test {

struct Ecriture {
  std::int64_t offset;
  std::size_t taille;
};

class CompteurEcritures {
 public:
  CompteurEcritures();
  ~CompteurEcritures();
  CompteurEcritures(const CompteurEcritures&) = delete;
  CompteurEcritures& operator=(const CompteurEcritures&) = delete;

  // The writes of exactly this many bytes, in order.
  std::vector<Ecriture> DeTaille(std::size_t taille) const;
};

}  // namespace velquor::test
