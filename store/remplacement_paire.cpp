#include "store/remplacement_paire.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>

namespace velquor {

namespace {

namespace fs = std::filesystem;

constexpr const char* EnteteJournal = "velquor-remplacement 1";
constexpr const char* Extensions[] = {"DAT", "NDX"};  // the data file is replaced first

std::string CheminJournal(const std::string& base) {
  return CheminNouveau(base, "remplacement");
}

bool Existe(const std::string& chemin) {
  struct stat s;
  return ::lstat(chemin.c_str(), &s) == 0;
}

bool MemeFichier(const std::string& a, const std::string& b) {
  struct stat sa, sb;
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

void Synchroniser(const char* dossier) {
  const int fd = ::open(dossier, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool Verrouiller(int fd, int operation) {
  int r;
  do {
    r = ::flock(fd, operation);
  } while (r != 0 && errno == EINTR);
  return r == 0;
}

// An exclusive lock on the working directory for as long as it lives; nothing when the
// directory is not there. The directory is removed once empty: a lock taken on one that is
// gone is taken again on the one the name gives now.
class VerrouDossier {
 public:
  VerrouDossier() {
    for (int essai = 0; essai < 3 && fd_ < 0; ++essai) {
      fd_ = ::open(DossierRemplacement, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (fd_ < 0) return;
      struct stat parHandle, parNom;
      if (Verrouiller(fd_, LOCK_EX) && ::fstat(fd_, &parHandle) == 0 &&
          ::stat(DossierRemplacement, &parNom) == 0 && parHandle.st_dev == parNom.st_dev &&
          parHandle.st_ino == parNom.st_ino) {
        return;
      }
      ::close(fd_);
      fd_ = -1;
    }
  }
  ~VerrouDossier() {
    if (fd_ >= 0) ::close(fd_);
  }
  VerrouDossier(const VerrouDossier&) = delete;
  VerrouDossier& operator=(const VerrouDossier&) = delete;
  bool Present() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// The lock of a pair's index, taken without waiting: held, the pair is nobody else's. A pair
// whose index is not there is nobody's either.
class VerrouIndex {
 public:
  explicit VerrouIndex(const std::string& base)
      : fd_(::open((base + ".NDX").c_str(), O_RDONLY | O_CLOEXEC)) {
    libre_ = fd_ < 0 ? errno == ENOENT : Verrouiller(fd_, LOCK_EX | LOCK_NB);
  }
  ~VerrouIndex() {
    if (fd_ >= 0) ::close(fd_);
  }
  VerrouIndex(const VerrouIndex&) = delete;
  VerrouIndex& operator=(const VerrouIndex&) = delete;
  bool Libre() const { return libre_; }

 private:
  int fd_;
  bool libre_;
};

struct Journal {
  std::string sauvegarde[2];  // for Extensions[0] and [1]
};

enum class EtatJournal { Absent, Valide, Illisible };

EtatJournal LireJournal(const std::string& base, Journal& journal) {
  if (!Existe(CheminJournal(base))) return EtatJournal::Absent;
  std::ostringstream texte;
  {
    const int fd = ::open(CheminJournal(base).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return EtatJournal::Illisible;
    char tampon[512];
    for (ssize_t n; (n = ::read(fd, tampon, sizeof tampon)) > 0;)
      texte.write(tampon, n);
    ::close(fd);
  }
  std::istringstream lignes(texte.str());
  std::string entete, fin;
  std::getline(lignes, entete);
  for (int i = 0; i < 2; ++i) {
    std::string extension;
    lignes >> extension >> journal.sauvegarde[i];
    if (extension != Extensions[i] || journal.sauvegarde[i].empty()) return EtatJournal::Illisible;
  }
  lignes >> fin;
  return entete == EnteteJournal && fin == "fin" ? EtatJournal::Valide : EtatJournal::Illisible;
}

bool EcrireJournal(const std::string& base, const Journal& journal) {
  std::string texte = std::string(EnteteJournal) + "\n";
  for (int i = 0; i < 2; ++i)
    texte += std::string(Extensions[i]) + " " + journal.sauvegarde[i] + "\n";
  texte += "fin\n";
  const std::string provisoire = CheminJournal(base) + ".tmp";
  const int fd = ::open(provisoire.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = ::write(fd, texte.data(), texte.size()) == static_cast<ssize_t>(texte.size()) &&
            ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || ::rename(provisoire.c_str(), CheminJournal(base).c_str()) != 0) {
    ::unlink(provisoire.c_str());
    return false;
  }
  Synchroniser(DossierRemplacement);
  return true;
}

// The files a replacement of this pair may leave in the working directory.
std::vector<std::string> Restes(const std::string& base) {
  std::vector<std::string> restes;
  for (const char* extension : Extensions) {
    restes.push_back(CheminNouveau(base, extension));
    restes.push_back(CheminNouveau(base, extension) + ".lien");
  }
  restes.push_back(CheminJournal(base) + ".tmp");
  return restes;
}

bool RestesPresents(const std::string& base) {
  for (const std::string& reste : Restes(base)) {
    if (Existe(reste)) return true;
  }
  return false;
}

void Nettoyer(const std::string& base) {
  for (const std::string& reste : Restes(base))
    ::unlink(reste.c_str());
  ::rmdir(DossierRemplacement);  // only when nothing else is in it
}

// Every step is done again safely after a stop: a file whose new version is still in the
// working directory has not been replaced yet; its old version is kept first.
bool Achever(const std::string& base, const Journal& journal, RepriseRemplacement& reprise) {
  reprise.sauvegardeDonnees = journal.sauvegarde[0];
  reprise.sauvegardeIndex = journal.sauvegarde[1];
  for (int i = 0; i < 2; ++i) {
    const std::string nouveau = CheminNouveau(base, Extensions[i]);
    const std::string vivant = base + "." + Extensions[i];
    const std::string& sauvegarde = journal.sauvegarde[i];
    if (!Existe(nouveau)) continue;
    if (Existe(vivant) && !MemeFichier(vivant, sauvegarde)) {
      const std::string lien = nouveau + ".lien";
      ::unlink(lien.c_str());
      if (::link(vivant.c_str(), lien.c_str()) != 0 ||
          ::rename(lien.c_str(), sauvegarde.c_str()) != 0) {
        reprise.erreur = "impossible de garder " + vivant + " en " + sauvegarde;
        return false;
      }
    }
    if (::rename(nouveau.c_str(), vivant.c_str()) != 0) {
      reprise.erreur =
          "impossible de remplacer " + vivant + " (l'ancien est dans " + sauvegarde + ")";
      return false;
    }
  }
  Synchroniser(".");
  ::unlink(CheminJournal(base).c_str());
  Synchroniser(DossierRemplacement);
  Nettoyer(base);
  return true;
}

// Under the lock of the working directory.
bool Reprendre(const std::string& base, bool verrouTenu, RepriseRemplacement& reprise) {
  reprise = {};
  reprise.base = base;
  Journal journal;
  switch (LireJournal(base, journal)) {
    case EtatJournal::Valide:
      reprise.issue = Achever(base, journal, reprise) ? RepriseRemplacement::Issue::Achevee
                                                      : RepriseRemplacement::Issue::Echec;
      return true;
    case EtatJournal::Illisible:
      reprise.issue = RepriseRemplacement::Issue::Echec;
      reprise.erreur = "journal illisible : " + CheminJournal(base);
      return true;
    case EtatJournal::Absent:
      break;
  }
  if (!RestesPresents(base)) return false;
  // Unfinished new files: the rebuild that wrote them may still be running, unless the pair's
  // lock, held until they are gone, says otherwise.
  std::optional<VerrouIndex> verrou;
  if (!verrouTenu && !verrou.emplace(base).Libre()) return false;
  Nettoyer(base);
  reprise.issue = RepriseRemplacement::Issue::Abandonnee;
  return true;
}

}  // namespace

std::string CheminNouveau(const std::string& base, const std::string& extension) {
  return std::string(DossierRemplacement) + "/" + base + "." + extension;
}

std::vector<RepriseRemplacement> ReprendreRemplacements() {
  std::vector<RepriseRemplacement> reprises;
  VerrouDossier verrou;
  if (!verrou.Present()) return reprises;
  std::set<std::string> bases;
  std::error_code erreur;
  for (fs::directory_iterator it(DossierRemplacement, erreur), fin; !erreur && it != fin;
       it.increment(erreur)) {
    const std::string nom = it->path().filename().string();
    bases.insert(nom.substr(0, nom.find('.')));
  }
  for (const std::string& base : bases) {
    // Each pair under its own lock, if it is not in use.
    RepriseRemplacement reprise;
    if (Reprendre(base, false, reprise)) reprises.push_back(std::move(reprise));
  }
  ::rmdir(DossierRemplacement);
  return reprises;
}

bool ReprendreRemplacement(const std::string& base, RepriseRemplacement& reprise) {
  VerrouDossier verrou;
  return verrou.Present() && Reprendre(base, true, reprise);
}

bool RemplacerPaire(const std::string& base, const std::string& sauvegardeIndex,
                    const std::string& sauvegardeDonnees, std::string& erreur) {
  VerrouDossier verrou;
  if (!verrou.Present()) {
    erreur = std::string("dossier de travail ") + DossierRemplacement + " absent";
    return false;
  }
  Journal journal;
  journal.sauvegarde[0] = sauvegardeDonnees;
  journal.sauvegarde[1] = sauvegardeIndex;
  if (!EcrireJournal(base, journal)) {
    erreur = "impossible d'écrire " + CheminJournal(base) + " ; l'ancienne paire est intacte";
    return false;
  }
  RepriseRemplacement reprise;
  if (!Achever(base, journal, reprise)) {
    erreur = reprise.erreur + " ; le prochain démarrage finira le remplacement";
    return false;
  }
  return true;
}

}  // namespace velquor
