// SPDX-License-Identifier: GPL-3.0-or-later
// The file calls on POSIX systems: descriptors, pread/pwrite, flock, mmap.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "store/systeme_fichiers.h"

namespace velquor::systeme {

Poignee Ouvrir(const std::string& chemin, Mode mode, bool* absent) {
  int drapeaux = O_RDWR;
  switch (mode) {
    case Mode::Lecture:
      drapeaux = O_RDONLY;
      break;
    case Mode::LectureEcriture:
      break;
    case Mode::CreerOuVider:
      drapeaux |= O_CREAT | O_TRUNC;
      break;
    case Mode::CreerExclusif:
      drapeaux |= O_CREAT | O_EXCL;
      break;
  }
  int fd;
  do {
    fd = ::open(chemin.c_str(), drapeaux | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (absent != nullptr) *absent = fd < 0 && errno == ENOENT;
  return fd;
}

void Fermer(Poignee p) {
  if (p >= 0) ::close(static_cast<int>(p));  // not retried on EINTR: the descriptor is gone
}

bool EstFichierOrdinaire(Poignee p) {
  struct stat s;
  return p >= 0 && ::fstat(static_cast<int>(p), &s) == 0 && S_ISREG(s.st_mode);
}

std::int64_t LireA(Poignee p, std::int64_t offset, void* destination, std::size_t n) {
  auto* octets = static_cast<unsigned char*>(destination);
  std::size_t lus = 0;
  while (lus < n) {
    ssize_t r = ::pread(static_cast<int>(p), octets + lus, n - lus,
                        static_cast<off_t>(offset + static_cast<std::int64_t>(lus)));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (r == 0) break;
    lus += static_cast<std::size_t>(r);
  }
  return static_cast<std::int64_t>(lus);
}

std::int64_t EcrireA(Poignee p, std::int64_t offset, const void* source, std::size_t n) {
  const auto* octets = static_cast<const unsigned char*>(source);
  std::size_t ecrits = 0;
  while (ecrits < n) {
    ssize_t r = ::pwrite(static_cast<int>(p), octets + ecrits, n - ecrits,
                         static_cast<off_t>(offset + static_cast<std::int64_t>(ecrits)));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return ecrits == 0 ? -1 : static_cast<std::int64_t>(ecrits);
    ecrits += static_cast<std::size_t>(r);
  }
  return static_cast<std::int64_t>(ecrits);
}

bool Vider(Poignee p) {
  return ::fdatasync(static_cast<int>(p)) == 0;  // the contents and the size: all a reader needs
}

void LancerEcriture(Poignee p, std::int64_t offset, std::int64_t taille) {
#ifdef __linux__
  ::sync_file_range(static_cast<int>(p), static_cast<off64_t>(offset), static_cast<off64_t>(taille),
                    SYNC_FILE_RANGE_WRITE);
#else
  (void)p, (void)offset, (void)taille;
#endif
}

bool Tronquer(Poignee p, std::int64_t taille) {
  int r;
  do {
    r = ::ftruncate(static_cast<int>(p), static_cast<off_t>(taille));
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

bool TailleEtDate(Poignee p, std::int64_t& taille, long long& modification) {
  struct stat s;
  if (p < 0 || ::fstat(static_cast<int>(p), &s) != 0) return false;
  taille = static_cast<std::int64_t>(s.st_size);
  modification = static_cast<long long>(s.st_mtim.tv_sec) * 1000000000LL + s.st_mtim.tv_nsec;
  return true;
}

bool FixerDate(Poignee p, long long modification) {
  const timespec temps[2] = {{0, UTIME_OMIT},
                             {modification / 1000000000LL, modification % 1000000000LL}};
  return ::futimens(static_cast<int>(p), temps) == 0;
}

long long Maintenant() {
  timespec maintenant{};
  ::clock_gettime(CLOCK_REALTIME, &maintenant);
  return static_cast<long long>(maintenant.tv_sec) * 1000000000LL + maintenant.tv_nsec;
}

bool Identite(Poignee p, unsigned long long& volume, unsigned long long& numero) {
  struct stat s;
  if (p < 0 || ::fstat(static_cast<int>(p), &s) != 0) return false;
  volume = static_cast<unsigned long long>(s.st_dev);
  numero = static_cast<unsigned long long>(s.st_ino);
  return true;
}

bool IdentiteChemin(const std::string& chemin, unsigned long long& volume,
                    unsigned long long& numero) {
  struct stat s;
  if (::stat(chemin.c_str(), &s) != 0) return false;
  volume = static_cast<unsigned long long>(s.st_dev);
  numero = static_cast<unsigned long long>(s.st_ino);
  return true;
}

Verrou Verrouiller(Poignee p, bool exclusif, bool attendre) {
  const int operation = (exclusif ? LOCK_EX : LOCK_SH) | (attendre ? 0 : LOCK_NB);
  int r;
  do {
    r = ::flock(static_cast<int>(p), operation);
  } while (r != 0 && errno == EINTR && attendre);
  if (r == 0) return Verrou::Obtenu;
  return errno == EWOULDBLOCK || errno == EINTR ? Verrou::Occupe : Verrou::Erreur;
}

void Deverrouiller(Poignee p) {
  ::flock(static_cast<int>(p), LOCK_UN);
}

const unsigned char* Projeter(Poignee p, std::int64_t taille) {
  void* projection = ::mmap(nullptr, static_cast<std::size_t>(taille), PROT_READ,
                            MAP_SHARED | MAP_POPULATE, static_cast<int>(p), 0);
  return projection == MAP_FAILED ? nullptr : static_cast<const unsigned char*>(projection);
}

void Deprojeter(const unsigned char* projection, std::size_t taille) {
  ::munmap(const_cast<unsigned char*>(projection), taille);
}

bool Existe(const std::string& chemin) {
  struct stat s;
  return ::lstat(chemin.c_str(), &s) == 0;
}

bool EstDossier(const std::string& chemin) {
  struct stat s;
  return ::stat(chemin.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

bool Supprimer(const std::string& chemin) {
  return ::unlink(chemin.c_str()) == 0;
}

bool SupprimerDossier(const std::string& chemin) {
  return ::rmdir(chemin.c_str()) == 0;
}

bool Renommer(const std::string& de, const std::string& vers) {
  return ::rename(de.c_str(), vers.c_str()) == 0;
}

bool Lier(const std::string& existant, const std::string& nouveau) {
  return ::link(existant.c_str(), nouveau.c_str()) == 0;
}

bool SynchroniserDossier(const std::string& dossier) {
  int fd;
  do {
    fd = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

std::string CheminAbsolu(const std::string& chemin) {
  if (!chemin.empty() && chemin[0] == '/') return chemin;
  char ici[PATH_MAX];
  if (::getcwd(ici, sizeof ici) == nullptr) return chemin;
  return std::string(ici) + "/" + chemin;
}

bool ChangerDossier(const std::string& chemin) {
  return ::chdir(chemin.c_str()) == 0;
}

unsigned long NumeroProcessus() {
  return static_cast<unsigned long>(::getpid());
}

// flock on the folder itself. A lock taken on a folder that was removed meanwhile is taken again
// on the one the name gives now.
Poignee VerrouillerDossier(const std::string& dossier) {
  for (int essai = 0; essai < 3; ++essai) {
    const int fd = ::open(dossier.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Aucune;
    unsigned long long v1, n1, v2, n2;
    if (Verrouiller(fd, true, true) == Verrou::Obtenu && Identite(fd, v1, n1) &&
        IdentiteChemin(dossier, v2, n2) && v1 == v2 && n1 == n2) {
      return fd;
    }
    ::close(fd);
  }
  return Aucune;
}

void LibererDossier(Poignee verrou) {
  Fermer(verrou);
}

void ConsoleEnUtf8() {}

std::filesystem::path CheminNatif(const std::string& chemin) {
  return std::filesystem::path(chemin);
}

std::vector<std::string> ArgumentsDuProgramme(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

}  // namespace velquor::systeme
