// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/support_fuzz.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace velquor::fuzz {

namespace {

namespace fs = std::filesystem;

fs::path& DossierCree() {
  static fs::path dossier;
  return dossier;
}

void SupprimerDossierCree() {
  std::error_code e;
  if (!DossierCree().empty()) fs::remove_all(DossierCree(), e);
}

fs::path Parent() {
  if (const char* choisi = std::getenv("VELQUOR_FUZZ_DOSSIER"); choisi && *choisi) return choisi;
  std::error_code e;
  if (fs::is_directory("/dev/shm", e)) return "/dev/shm";
  return fs::temp_directory_path(e);
}

}  // namespace

void EntrerDossierFuzz() {
  if (!DossierCree().empty()) return;
  std::string modele = (Parent() / "velquor-fuzz-XXXXXX").string();
  if (::mkdtemp(modele.data()) == nullptr || ::chdir(modele.c_str()) != 0) {
    std::perror("velquor fuzz: working directory");
    std::abort();
  }
  DossierCree() = modele;
  std::atexit(SupprimerDossierCree);
}

void ViderDossier() {
  std::error_code e;
  for (const fs::directory_entry& entree : fs::directory_iterator(".", e)) {
    std::error_code ignoree;
    fs::remove_all(entree.path(), ignoree);
  }
}

void EcrireFichier(std::string_view nom, const std::uint8_t* octets, std::size_t n) {
  const std::string chemin(nom);
  const int fd = ::open(chemin.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::perror(chemin.c_str());
    std::abort();
  }
  while (n > 0) {
    const ssize_t ecrits = ::write(fd, octets, n);
    if (ecrits <= 0) {
      std::perror(chemin.c_str());
      std::abort();
    }
    octets += ecrits;
    n -= static_cast<std::size_t>(ecrits);
  }
  ::close(fd);
}

void Echec(const char* fichier, int ligne, const char* condition, const char* quoi) {
  std::fprintf(stderr, "\n*** velquor fuzz finding: %s\n    %s:%d: %s\n", quoi, fichier, ligne,
               condition);
  std::fflush(stderr);
  SupprimerDossierCree();  // abort() skips the handlers of atexit
  std::abort();
}

}  // namespace velquor::fuzz
