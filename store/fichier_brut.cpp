#include "store/fichier_brut.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <thread>

#include "store/pannes_fichiers.h"

namespace velquor {

namespace pannes {
namespace {

struct Programme {
  long compte[3] = {};
  long rang[3] = {};  // 0: nothing programmed
  int erreur[3] = {};
  bool persistante[3] = {};  // every call from the rang-th on fails
  bool ecritureCourte = false;
  long arretApres = -1;  // writes still allowed; -1: no stop
};
Programme programme;

// A "stopped" program changes nothing on the disk any more: no write, no creation, no removal,
// no rename, no truncation, as after a kill; the calls report success so that the program goes
// on as if nothing had happened.
bool Arrete() {
  return programme.arretApres == 0;
}

// Whether this call must fail, with errno set.
bool Echoue(Operation operation) {
  const int i = static_cast<int>(operation);
  ++programme.compte[i];
  if (programme.rang[i] == 0) return false;
  if (programme.compte[i] != programme.rang[i] &&
      !(programme.persistante[i] && programme.compte[i] > programme.rang[i])) {
    return false;
  }
  errno = programme.erreur[i];
  return true;
}

}  // namespace

void Programmer(Operation operation, long rang, int erreur, bool ecritureCourte, bool persistante) {
  const int i = static_cast<int>(operation);
  programme.rang[i] = programme.compte[i] + rang;
  programme.erreur[i] = erreur;
  programme.persistante[i] = persistante;
  if (operation == Operation::Ecriture) programme.ecritureCourte = ecritureCourte;
}

void ArreterApres(long ecritures) {
  programme.arretApres = ecritures;
}

void Effacer() {
  programme = {};
}

long Compter(Operation operation) {
  return programme.compte[static_cast<int>(operation)];
}

}  // namespace pannes

namespace {

int OuvrirSansInterruption(const char* chemin, int drapeaux, mode_t mode = 0) {
  if (pannes::Echoue(pannes::Operation::Ouverture)) return -1;
  int fd;
  do {
    fd = ::open(chemin, drapeaux | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

}  // namespace

bool FichierBrut::OuvrirExistant(const std::string& chemin) {
  if (Ouvert()) return false;
  fd_ = OuvrirSansInterruption(chemin.c_str(), O_RDWR);
  return Ouvert();
}

bool FichierBrut::CreerOuVider(const std::string& chemin) {
  if (Ouvert()) return false;
  fd_ = OuvrirSansInterruption(chemin.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0666);
  return Ouvert();
}

FichierBrut& FichierBrut::operator=(FichierBrut&& autre) noexcept {
  if (this != &autre) {
    Fermer();
    fd_ = autre.fd_;
    projection_ = autre.projection_;
    tailleProjection_ = autre.tailleProjection_;
    autre.fd_ = -1;
    autre.projection_ = nullptr;
    autre.tailleProjection_ = 0;
  }
  return *this;
}

void FichierBrut::Fermer() {
  Deprojeter();
  if (!Ouvert()) return;
  ::close(fd_);  // not retried on EINTR: on Linux the descriptor is released either way
  fd_ = -1;
}

std::int64_t FichierBrut::Lire(std::int64_t offset, void* destination, std::size_t n) const {
  if (!Ouvert() || offset < 0) return -1;
  if (pannes::Echoue(pannes::Operation::Lecture)) return -1;
  auto* octets = static_cast<unsigned char*>(destination);
  std::size_t lus = 0;
  while (lus < n) {
    ssize_t r = ::pread(fd_, octets + lus, n - lus, static_cast<off_t>(offset + lus));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (r == 0) break;
    lus += static_cast<std::size_t>(r);
  }
  return static_cast<std::int64_t>(lus);
}

std::size_t FichierBrut::LireA(std::int64_t offset, void* destination, std::size_t n) const {
  const std::int64_t lus = Lire(offset, destination, n);
  return lus < 0 ? 0 : static_cast<std::size_t>(lus);
}

bool FichierBrut::EcrireA(std::int64_t offset, const void* source, std::size_t n) {
  if (!Ouvert() || offset < 0) return false;
  const auto* octets = static_cast<const unsigned char*>(source);
  if (pannes::Arrete()) return true;
  if (pannes::programme.arretApres > 0) --pannes::programme.arretApres;
  if (pannes::Echoue(pannes::Operation::Ecriture)) {
    const int erreur = errno;
    if (pannes::programme.ecritureCourte && n > 1) ::pwrite(fd_, octets, n / 2, offset);
    errno = erreur;
    return false;
  }
  std::size_t ecrits = 0;
  while (ecrits < n) {
    ssize_t r = ::pwrite(fd_, octets + ecrits, n - ecrits, static_cast<off_t>(offset + ecrits));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    ecrits += static_cast<std::size_t>(r);
  }
  return true;
}

std::int64_t FichierBrut::Taille() const {
  struct stat s;
  if (!Ouvert() || ::fstat(fd_, &s) != 0) return -1;
  return static_cast<std::int64_t>(s.st_size);
}

bool FichierBrut::TailleEtDate(std::int64_t& taille, long long& modification) const {
  struct stat s;
  if (!Ouvert() || ::fstat(fd_, &s) != 0) return false;
  taille = static_cast<std::int64_t>(s.st_size);
  modification = static_cast<long long>(s.st_mtim.tv_sec) * 1000000000LL + s.st_mtim.tv_nsec;
  return true;
}

bool FichierBrut::VerrouillerPartage() {
  int r;
  do {
    r = Ouvert() ? ::flock(fd_, LOCK_SH) : -1;
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

bool FichierBrut::VerrouillerExclusifSansAttendre() {
  return Ouvert() && ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
}

bool FichierBrut::VerrouillerAvecDelai(bool exclusif, int delaiMs) {
  if (!Ouvert()) return false;
  const int type = (exclusif ? LOCK_EX : LOCK_SH) | LOCK_NB;
  const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
  auto pause = std::chrono::microseconds(200);
  for (;;) {
    if (::flock(fd_, type) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= fin) return false;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds(20000));
  }
}

void FichierBrut::Deverrouiller() {
  if (Ouvert()) ::flock(fd_, LOCK_UN);
}

bool FichierBrut::Tronquer(std::int64_t taille) {
  if (!Ouvert() || taille < 0) return false;
  if (pannes::Arrete()) return true;
  int r;
  do {
    r = ::ftruncate(fd_, static_cast<off_t>(taille));
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

bool FichierBrut::Existe(const std::string& chemin) {
  struct stat s;
  return ::stat(chemin.c_str(), &s) == 0;
}

bool FichierBrut::LireTout(const std::string& chemin, std::vector<unsigned char>& octets) {
  FichierBrut fichier;
  int fd = OuvrirSansInterruption(chemin.c_str(), O_RDONLY);
  if (fd < 0) return false;
  fichier.fd_ = fd;
  const std::int64_t taille = fichier.Taille();
  if (taille < 0) return false;
  octets.assign(static_cast<std::size_t>(taille), 0);
  return fichier.Lire(0, octets.data(), octets.size()) == taille;
}

bool FichierBrut::EcrireNeufSynchronise(const std::string& chemin,
                                        const std::vector<unsigned char>& octets) {
  if (pannes::Arrete()) return true;
  FichierBrut fichier;
  fichier.fd_ = OuvrirSansInterruption(chemin.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
  if (!fichier.Ouvert()) return false;
  if (!fichier.EcrireA(0, octets.data(), octets.size()) || !fichier.Synchroniser()) {
    fichier.Fermer();
    Supprimer(chemin);
    return false;
  }
  return SynchroniserDossierDe(chemin);
}

bool FichierBrut::RemplacerSynchronise(const std::string& chemin,
                                       const std::vector<unsigned char>& octets) {
  if (pannes::Arrete()) return true;
  const std::string provisoire = chemin + ".tmp";
  Supprimer(provisoire);
  if (!EcrireNeufSynchronise(provisoire, octets)) return false;
  if (::rename(provisoire.c_str(), chemin.c_str()) != 0) {
    Supprimer(provisoire);
    return false;
  }
  return SynchroniserDossierDe(chemin);
}

bool FichierBrut::SynchroniserDossierDe(const std::string& chemin) {
  const std::size_t barre = chemin.rfind('/');
  const std::string dossier = barre == std::string::npos ? "."
                              : barre == 0               ? "/"
                                                         : chemin.substr(0, barre);
  int fd = OuvrirSansInterruption(dossier.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

std::string FichierBrut::CheminAbsolu(const std::string& chemin) {
  if (!chemin.empty() && chemin[0] == '/') return chemin;
  char ici[PATH_MAX];
  if (::getcwd(ici, sizeof ici) == nullptr) return chemin;
  return std::string(ici) + "/" + chemin;
}

bool FichierBrut::EstToujours(const std::string& chemin) const {
  struct stat parChemin, parHandle;
  return Ouvert() && ::stat(chemin.c_str(), &parChemin) == 0 && ::fstat(fd_, &parHandle) == 0 &&
         parChemin.st_dev == parHandle.st_dev && parChemin.st_ino == parHandle.st_ino;
}

const unsigned char* FichierBrut::Projeter(std::int64_t taille) {
  Deprojeter();
  if (!Ouvert() || taille <= 0) return nullptr;
  void* p = ::mmap(nullptr, static_cast<std::size_t>(taille), PROT_READ, MAP_SHARED | MAP_POPULATE,
                   fd_, 0);
  if (p == MAP_FAILED) return nullptr;
  projection_ = static_cast<unsigned char*>(p);
  tailleProjection_ = static_cast<std::size_t>(taille);
  return projection_;
}

void FichierBrut::Deprojeter() {
  if (projection_ == nullptr) return;
  ::munmap(projection_, tailleProjection_);
  projection_ = nullptr;
  tailleProjection_ = 0;
}

bool FichierBrut::Horodater() {
  struct stat s;
  if (!Ouvert() || ::fstat(fd_, &s) != 0) return false;
  timespec maintenant{};
  ::clock_gettime(CLOCK_REALTIME, &maintenant);
  const long long avant =
      static_cast<long long>(s.st_mtim.tv_sec) * 1000000000LL + s.st_mtim.tv_nsec;
  long long nouveau = static_cast<long long>(maintenant.tv_sec) * 1000000000LL + maintenant.tv_nsec;
  if (nouveau <= avant) nouveau = avant + 1;
  const timespec temps[2] = {{0, UTIME_OMIT}, {nouveau / 1000000000LL, nouveau % 1000000000LL}};
  return ::futimens(fd_, temps) == 0;
}

bool FichierBrut::Synchroniser() {
  return Ouvert() && ::fdatasync(fd_) == 0;  // the contents and the size: all a reader needs
}

bool FichierBrut::Identite(unsigned long long& peripherique, unsigned long long& numero) const {
  struct stat s;
  if (!Ouvert() || ::fstat(fd_, &s) != 0) return false;
  peripherique = static_cast<unsigned long long>(s.st_dev);
  numero = static_cast<unsigned long long>(s.st_ino);
  return true;
}

bool FichierBrut::CreerExclusif(const std::string& chemin) {
  if (pannes::Arrete()) return true;
  int fd = OuvrirSansInterruption(chemin.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool FichierBrut::Supprimer(const std::string& chemin) {
  if (pannes::Arrete()) return true;
  return ::unlink(chemin.c_str()) == 0;
}

}  // namespace velquor
