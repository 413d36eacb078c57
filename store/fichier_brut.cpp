// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/fichier_brut.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>

#include "store/en_parallele.h"
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

systeme::Poignee OuvrirAvecPannes(const std::string& chemin, systeme::Mode mode) {
  if (pannes::Echoue(pannes::Operation::Ouverture)) return systeme::Aucune;
  return systeme::Ouvrir(chemin, mode);
}

}  // namespace

bool FichierBrut::OuvrirExistant(const std::string& chemin) {
  if (Ouvert()) return false;
  fd_ = OuvrirAvecPannes(chemin, systeme::Mode::LectureEcriture);
  return Ouvert();
}

bool FichierBrut::CreerOuVider(const std::string& chemin) {
  if (Ouvert()) return false;
  fd_ = OuvrirAvecPannes(chemin, systeme::Mode::CreerOuVider);
  return Ouvert();
}

bool FichierBrut::CreerNeuf(const std::string& chemin) {
  if (Ouvert()) return false;
  fd_ = OuvrirAvecPannes(chemin, systeme::Mode::CreerExclusif);
  return Ouvert();
}

FichierBrut& FichierBrut::operator=(FichierBrut&& autre) noexcept {
  if (this != &autre) {
    Fermer();
    fd_ = autre.fd_;
    verrou_ = autre.verrou_;
    projection_ = autre.projection_;
    tailleProjection_ = autre.tailleProjection_;
    autre.fd_ = systeme::Aucune;
    autre.verrou_ = 0;
    autre.projection_ = nullptr;
    autre.tailleProjection_ = 0;
  }
  return *this;
}

void FichierBrut::Fermer() {
  Deprojeter();
  if (!Ouvert()) return;
  systeme::Fermer(fd_);
  fd_ = systeme::Aucune;
  verrou_ = 0;
}

std::int64_t FichierBrut::Lire(std::int64_t offset, void* destination, std::size_t n) const {
  if (!Ouvert() || offset < 0) return -1;
  if (pannes::Echoue(pannes::Operation::Lecture)) return -1;
  return systeme::LireA(fd_, offset, destination, n);
}

std::size_t FichierBrut::LireA(std::int64_t offset, void* destination, std::size_t n) const {
  const std::int64_t lus = Lire(offset, destination, n);
  return lus < 0 ? 0 : static_cast<std::size_t>(lus);
}

bool FichierBrut::EcrireA(std::int64_t offset, const void* source, std::size_t n) {
  if (!Ouvert() || offset < 0) return false;
  if (pannes::Arrete()) return true;
  if (pannes::programme.arretApres > 0) --pannes::programme.arretApres;
  if (pannes::Echoue(pannes::Operation::Ecriture)) {
    const int erreur = errno;
    if (pannes::programme.ecritureCourte && n > 1) systeme::EcrireA(fd_, offset, source, n / 2);
    errno = erreur;
    return false;
  }
  return systeme::EcrireA(fd_, offset, source, n) == static_cast<std::int64_t>(n);
}

std::int64_t FichierBrut::Taille() const {
  std::int64_t taille;
  long long modification;
  return TailleEtDate(taille, modification) ? taille : -1;
}

bool FichierBrut::TailleEtDate(std::int64_t& taille, long long& modification) const {
  return Ouvert() && systeme::TailleEtDate(fd_, taille, modification);
}

bool FichierBrut::VerrouillerPartage() {
  if (!Ouvert()) return false;
  if (verrou_ == 1) return true;
  if (verrou_ != 0) Deverrouiller();
  if (systeme::Verrouiller(fd_, false, true) != systeme::Verrou::Obtenu) return false;
  verrou_ = 1;
  return true;
}

bool FichierBrut::VerrouillerExclusifSansAttendre() {
  if (!Ouvert()) return false;
  if (verrou_ == 2) return true;
  if (verrou_ != 0) Deverrouiller();
  if (systeme::Verrouiller(fd_, true, false) != systeme::Verrou::Obtenu) return false;
  verrou_ = 2;
  return true;
}

bool FichierBrut::VerrouillerAvecDelai(bool exclusif, int delaiMs) {
  if (!Ouvert()) return false;
  const int voulu = exclusif ? 2 : 1;
  if (verrou_ == voulu) return true;
  if (verrou_ != 0) Deverrouiller();
  const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
  auto pause = std::chrono::microseconds(200);
  for (;;) {
    switch (systeme::Verrouiller(fd_, exclusif, false)) {
      case systeme::Verrou::Obtenu:
        verrou_ = voulu;
        return true;
      case systeme::Verrou::Erreur:
        return false;
      case systeme::Verrou::Occupe:
        break;
    }
    if (std::chrono::steady_clock::now() >= fin) return false;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds(20000));
  }
}

void FichierBrut::Deverrouiller() {
  if (Ouvert() && verrou_ != 0) systeme::Deverrouiller(fd_);
  verrou_ = 0;
}

bool FichierBrut::Tronquer(std::int64_t taille) {
  if (!Ouvert() || taille < 0) return false;
  return pannes::Arrete() || systeme::Tronquer(fd_, taille);
}

bool FichierBrut::Existe(const std::string& chemin) {
  return systeme::Existe(chemin);
}

bool FichierBrut::LireTout(const std::string& chemin, std::vector<unsigned char>& octets) {
  FichierBrut fichier;
  fichier.fd_ = OuvrirAvecPannes(chemin, systeme::Mode::Lecture);
  if (!fichier.Ouvert()) return false;
  const std::int64_t taille = fichier.Taille();
  if (taille < 0) return false;
  octets.assign(static_cast<std::size_t>(taille), 0);
  return fichier.Lire(0, octets.data(), octets.size()) == taille;
}

bool FichierBrut::EcrireNeufSynchronise(const std::string& chemin,
                                        const std::vector<unsigned char>& octets) {
  if (pannes::Arrete()) return true;
  FichierBrut fichier;
  fichier.fd_ = OuvrirAvecPannes(chemin, systeme::Mode::CreerExclusif);
  if (!fichier.Ouvert()) return false;
  // The file's contents and its name in the folder reach the disk together.
  if (!fichier.EcrireA(0, octets.data(), octets.size()) ||
      !ToutesEnParallele({[&fichier] { return fichier.Synchroniser(); },
                          [&chemin] { return SynchroniserDossierDe(chemin); }})) {
    fichier.Fermer();
    Supprimer(chemin);
    return false;
  }
  return true;
}

bool FichierBrut::RemplacerSynchronise(const std::string& chemin,
                                       const std::vector<unsigned char>& octets) {
  if (pannes::Arrete()) return true;
  const std::string provisoire = chemin + ".tmp";
  Supprimer(provisoire);
  if (!EcrireNeufSynchronise(provisoire, octets)) return false;
  if (!systeme::Renommer(provisoire, chemin)) {
    Supprimer(provisoire);
    return false;
  }
  return SynchroniserDossierDe(chemin);
}

bool FichierBrut::SynchroniserDossierDe(const std::string& chemin) {
  const std::size_t barre = chemin.find_last_of(systeme::SeparateursChemin);
  const std::string dossier = barre == std::string::npos ? "."
                              : barre == 0               ? chemin.substr(0, 1)
                                                         : chemin.substr(0, barre);
  return systeme::SynchroniserDossier(dossier);
}

std::string FichierBrut::CheminAbsolu(const std::string& chemin) {
  return systeme::CheminAbsolu(chemin);
}

bool FichierBrut::EstToujours(const std::string& chemin) const {
  unsigned long long v1, n1, v2, n2;
  return Ouvert() && systeme::IdentiteChemin(chemin, v1, n1) && systeme::Identite(fd_, v2, n2) &&
         v1 == v2 && n1 == n2;
}

const unsigned char* FichierBrut::Projeter(std::int64_t taille) {
  Deprojeter();
  if (!Ouvert() || taille <= 0) return nullptr;
  projection_ = systeme::Projeter(fd_, taille);
  if (projection_ != nullptr) tailleProjection_ = static_cast<std::size_t>(taille);
  return projection_;
}

void FichierBrut::Deprojeter() {
  if (projection_ == nullptr) return;
  systeme::Deprojeter(projection_, tailleProjection_);
  projection_ = nullptr;
  tailleProjection_ = 0;
}

bool FichierBrut::Horodater() {
  std::int64_t taille;
  long long avant;
  if (!TailleEtDate(taille, avant)) return false;
  long long nouveau = systeme::Maintenant();
  if (nouveau <= avant) nouveau = avant + 1;
  return systeme::FixerDate(fd_, nouveau);
}

bool FichierBrut::Synchroniser() {
  return Ouvert() && systeme::Vider(fd_);
}

bool FichierBrut::Identite(unsigned long long& peripherique, unsigned long long& numero) const {
  return Ouvert() && systeme::Identite(fd_, peripherique, numero);
}

bool FichierBrut::Supprimer(const std::string& chemin) {
  return pannes::Arrete() || systeme::Supprimer(chemin);
}

}  // namespace velquor
