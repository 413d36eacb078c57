#include "compteur_ecritures.h"

#include <dlfcn.h>
#include <unistd.h>

namespace velquor::test {

namespace {

std::vector<Ecriture>* ecritures = nullptr;

}  // namespace

CompteurEcritures::CompteurEcritures() {
  ecritures = new std::vector<Ecriture>;
}

CompteurEcritures::~CompteurEcritures() {
  delete ecritures;
  ecritures = nullptr;
}

std::vector<Ecriture> CompteurEcritures::DeTaille(std::size_t taille) const {
  std::vector<Ecriture> choisies;
  for (const auto& e : *ecritures)
    if (e.taille == taille) choisies.push_back(e);
  return choisies;
}

}  // namespace velquor::test

// The definition in the executable comes before the C library's (and the sanitizer's) in symbol
// lookup; the real function is the next one.
extern "C" ssize_t pwrite(int fd, const void* octets, size_t n, off_t offset) {
  using Pwrite = ssize_t (*)(int, const void*, size_t, off_t);
  static const auto reelle = reinterpret_cast<Pwrite>(::dlsym(RTLD_NEXT, "pwrite"));
  if (velquor::test::ecritures != nullptr)
    velquor::test::ecritures->push_back({static_cast<std::int64_t>(offset), n});
  return reelle(fd, octets, n, offset);
}
