// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/remplacement_paire.h"

#include <filesystem>
#include <set>
#include <sstream>

#include "store/journal_paire.h"
#include "store/systeme_fichiers.h"

namespace velquor {

namespace {

namespace fs = std::filesystem;

constexpr const char* EnteteJournal = "velquor-remplacement";
constexpr int VersionJournal = 2;                     // 1: the backups only
constexpr const char* Extensions[] = {"DAT", "NDX"};  // the data file is replaced first

std::string CheminJournal(const std::string& base) {
  return CheminNouveau(base, "remplacement");
}

bool Existe(const std::string& chemin) {
  return systeme::Existe(chemin);
}

bool MemeFichier(const std::string& a, const std::string& b) {
  unsigned long long va, na, vb, nb;
  return systeme::IdentiteChemin(a, va, na) && systeme::IdentiteChemin(b, vb, nb) && va == vb &&
         na == nb;
}

void Synchroniser(const char* dossier) {
  systeme::SynchroniserDossier(dossier);
}

// An exclusive lock on the working directory for as long as it lives; nothing when the
// directory is not there. The directory is removed once empty: a lock taken on one that is
// gone is taken again on the one the name gives now.
class VerrouDossier {
 public:
  VerrouDossier() : verrou_(systeme::VerrouillerDossier(DossierRemplacement)) {}
  ~VerrouDossier() { systeme::LibererDossier(verrou_); }
  VerrouDossier(const VerrouDossier&) = delete;
  VerrouDossier& operator=(const VerrouDossier&) = delete;
  bool Present() const { return verrou_ != systeme::Aucune; }

 private:
  systeme::Poignee verrou_;
};

// Whether a pair is nobody's: neither its index nor the new index of a replacement under way
// is locked by a program that has it open (a rebuild, a search writing a new result); the lock
// taken without waiting is held for as long as this lives. An index that is not there is
// nobody's.
class VerrouIndex {
 public:
  explicit VerrouIndex(const std::string& base, bool vivantTenu) {
    if (!vivantTenu) libre_ = Prendre(base + ".NDX", fd_[0]);
    libre_ = libre_ && Prendre(CheminNouveau(base, "NDX"), fd_[1]);
  }
  ~VerrouIndex() {
    for (systeme::Poignee fd : fd_)
      systeme::Fermer(fd);
  }
  VerrouIndex(const VerrouIndex&) = delete;
  VerrouIndex& operator=(const VerrouIndex&) = delete;
  bool Libre() const { return libre_; }

 private:
  static bool Prendre(const std::string& chemin, systeme::Poignee& fd) {
    bool absent = false;
    fd = systeme::Ouvrir(chemin, systeme::Mode::Lecture, &absent);
    return fd == systeme::Aucune ? absent
                                 : systeme::Verrouiller(fd, true, false) == systeme::Verrou::Obtenu;
  }
  systeme::Poignee fd_[2] = {systeme::Aucune, systeme::Aucune};
  bool libre_ = true;
};

// Per file (Extensions[0] and [1]): where the old one is kept ("-": it is not kept), and the new
// one's size and checksum, by which it is known once in its place (size -1 in a journal of
// version 1, which did not have them).
struct Journal {
  std::string sauvegarde[2];
  long long taille[2] = {-1, -1};
  unsigned long long somme[2] = {0, 0};
};

constexpr const char* SansSauvegarde = "-";

enum class EtatJournal { Absent, Valide, Illisible };

bool LireFichier(const std::string& chemin, std::vector<unsigned char>& octets) {
  const systeme::Poignee fd = systeme::Ouvrir(chemin, systeme::Mode::Lecture);
  if (fd == systeme::Aucune) return false;
  std::int64_t taille;
  long long date;
  const bool ok = systeme::TailleEtDate(fd, taille, date) &&
                  (octets.resize(static_cast<std::size_t>(taille)),
                   systeme::LireA(fd, 0, octets.data(), octets.size()) == taille);
  systeme::Fermer(fd);
  return ok;
}

// Whether the file holds what the journal says the new one holds.
bool EstLeNouveau(const std::string& chemin, long long taille, unsigned long long somme) {
  std::vector<unsigned char> octets;
  return LireFichier(chemin, octets) && static_cast<long long>(octets.size()) == taille &&
         SommeOctets(octets.data(), octets.size()) == somme;
}

EtatJournal LireJournal(const std::string& base, Journal& journal) {
  if (!Existe(CheminJournal(base))) return EtatJournal::Absent;
  std::vector<unsigned char> octets;
  if (!LireFichier(CheminJournal(base), octets)) return EtatJournal::Illisible;
  std::istringstream lignes(std::string(octets.begin(), octets.end()));
  std::string entete, fin;
  int version = 0;
  lignes >> entete >> version;
  for (int i = 0; i < 2; ++i) {
    std::string extension;
    lignes >> extension >> journal.sauvegarde[i];
    if (version >= 2) lignes >> journal.taille[i] >> journal.somme[i];
    if (extension != Extensions[i] || journal.sauvegarde[i].empty()) return EtatJournal::Illisible;
  }
  lignes >> fin;
  return entete == EnteteJournal && (version == 1 || version == VersionJournal) && fin == "fin"
             ? EtatJournal::Valide
             : EtatJournal::Illisible;
}

// Written whole through a rename, after the folder that holds the new files, and the folder that
// holds it, are flushed: on any file system, a journal on the disk names new files that are on
// the disk too.
bool EcrireJournal(const std::string& base, const Journal& journal) {
  std::string texte = std::string(EnteteJournal) + " " + std::to_string(VersionJournal) + "\n";
  for (int i = 0; i < 2; ++i)
    texte += std::string(Extensions[i]) + " " + journal.sauvegarde[i] + " " +
             std::to_string(journal.taille[i]) + " " + std::to_string(journal.somme[i]) + "\n";
  texte += "fin\n";
  const std::string provisoire = CheminJournal(base) + ".tmp";
  if (!systeme::SynchroniserDossier(DossierRemplacement) || !systeme::SynchroniserDossier("."))
    return false;
  const systeme::Poignee fd = systeme::Ouvrir(provisoire, systeme::Mode::CreerOuVider);
  if (fd == systeme::Aucune) return false;
  const bool ok = systeme::EcrireA(fd, 0, texte.data(), texte.size()) ==
                      static_cast<std::int64_t>(texte.size()) &&
                  systeme::Vider(fd);
  systeme::Fermer(fd);
  if (!ok || !systeme::Renommer(provisoire, CheminJournal(base))) {
    systeme::Supprimer(provisoire);
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
    restes.push_back(CheminNouveau(base, extension) + ".ancien");
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
    systeme::Supprimer(reste);
  systeme::SupprimerDossier(DossierRemplacement);  // only when nothing else is in it
}

// Where a file cannot be renamed over while it is open (Windows, and the rebuild keeps the old
// index open for its lock), the old file, already kept under its backup name or not to be kept,
// is moved aside first. A stop in between leaves the live name free, and the next start renames
// the new file.
bool RemplacerEnDeuxTemps(const std::string& nouveau, const std::string& vivant,
                          const std::string& sauvegarde) {
  if (!Existe(vivant) || (sauvegarde != SansSauvegarde && !MemeFichier(vivant, sauvegarde)))
    return false;
  const std::string ecarte = nouveau + ".ancien";
  systeme::Supprimer(ecarte);
  if (!systeme::Renommer(vivant, ecarte)) return false;
  if (!systeme::Renommer(nouveau, vivant)) {
    systeme::Renommer(ecarte, vivant);
    return false;
  }
  systeme::Supprimer(ecarte);
  return true;
}

// Where each new file is: still beside the pair, in its place, or lost (never on the disk, on a
// file system that kept the journal without it).
enum class Place { Attente, EnPlace, Perdu };

Place PlaceDu(const std::string& base, const Journal& journal, int i) {
  if (Existe(CheminNouveau(base, Extensions[i]))) return Place::Attente;
  if (journal.taille[i] < 0) return Place::EnPlace;  // a journal of version 1 cannot tell
  return EstLeNouveau(base + "." + Extensions[i], journal.taille[i], journal.somme[i])
             ? Place::EnPlace
             : Place::Perdu;
}

// Every step is done again safely after a stop: a file whose new version is still in the
// working directory has not been replaced yet. The old files are kept first, and the folder
// flushed, so that no file system puts a new file in place without the old one kept. A
// replacement whose new file is lost is never finished (it would put a new file beside an old
// one): when nothing was replaced yet it is given up, the old pair being whole.
RepriseRemplacement::Issue Achever(const std::string& base, const Journal& journal,
                                   RepriseRemplacement& reprise) {
  reprise.sauvegardeDonnees = journal.sauvegarde[0];
  reprise.sauvegardeIndex = journal.sauvegarde[1];
  const Place places[2] = {PlaceDu(base, journal, 0), PlaceDu(base, journal, 1)};
  for (int i = 0; i < 2; ++i) {
    if (places[i] != Place::Perdu) continue;
    reprise.erreur = "le nouveau " + base + "." + Extensions[i] + " manque";
    if (places[0] == Place::EnPlace || places[1] == Place::EnPlace)
      return RepriseRemplacement::Issue::Echec;
    systeme::Supprimer(CheminJournal(base));
    Synchroniser(DossierRemplacement);
    Nettoyer(base);
    return RepriseRemplacement::Issue::Abandonnee;
  }
  bool garde = false;
  for (int i = 0; i < 2; ++i) {
    const std::string vivant = base + "." + Extensions[i];
    const std::string& sauvegarde = journal.sauvegarde[i];
    if (places[i] != Place::Attente || sauvegarde == SansSauvegarde || !Existe(vivant) ||
        MemeFichier(vivant, sauvegarde))
      continue;
    const std::string lien = CheminNouveau(base, Extensions[i]) + ".lien";
    systeme::Supprimer(lien);
    if (!systeme::Lier(vivant, lien) || !systeme::Renommer(lien, sauvegarde)) {
      reprise.erreur = "impossible de garder " + vivant + " en " + sauvegarde;
      return RepriseRemplacement::Issue::Echec;
    }
    garde = true;
  }
  if (garde) Synchroniser(".");
  for (int i = 0; i < 2; ++i) {
    const std::string nouveau = CheminNouveau(base, Extensions[i]);
    const std::string vivant = base + "." + Extensions[i];
    if (places[i] == Place::Attente && !systeme::Renommer(nouveau, vivant) &&
        !RemplacerEnDeuxTemps(nouveau, vivant, journal.sauvegarde[i])) {
      reprise.erreur = "impossible de remplacer " + vivant;
      return RepriseRemplacement::Issue::Echec;
    }
  }
  Synchroniser(".");
  systeme::Supprimer(CheminJournal(base));
  Synchroniser(DossierRemplacement);
  Nettoyer(base);
  return RepriseRemplacement::Issue::Achevee;
}

// Under the lock of the working directory.
bool Reprendre(const std::string& base, bool verrouTenu, RepriseRemplacement& reprise) {
  reprise = {};
  reprise.base = base;
  Journal journal;
  switch (LireJournal(base, journal)) {
    case EtatJournal::Valide:
      reprise.issue = Achever(base, journal, reprise);
      return true;
    case EtatJournal::Illisible:
      reprise.issue = RepriseRemplacement::Issue::Echec;
      reprise.erreur = "journal illisible : " + CheminJournal(base);
      return true;
    case EtatJournal::Absent:
      break;
  }
  if (!RestesPresents(base)) return false;
  // Unfinished new files: the rebuild or the search that writes them may still be running,
  // unless the locks, held until they are gone, say otherwise.
  if (!VerrouIndex(base, verrouTenu).Libre()) return false;
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
  systeme::SupprimerDossier(DossierRemplacement);
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
  journal.sauvegarde[0] = sauvegardeDonnees.empty() ? SansSauvegarde : sauvegardeDonnees;
  journal.sauvegarde[1] = sauvegardeIndex.empty() ? SansSauvegarde : sauvegardeIndex;
  for (int i = 0; i < 2; ++i) {
    std::vector<unsigned char> octets;
    if (!LireFichier(CheminNouveau(base, Extensions[i]), octets)) {
      erreur = "impossible de relire " + CheminNouveau(base, Extensions[i]);
      return false;
    }
    journal.taille[i] = static_cast<long long>(octets.size());
    journal.somme[i] = SommeOctets(octets.data(), octets.size());
  }
  if (!EcrireJournal(base, journal)) {
    erreur = "impossible d'écrire " + CheminJournal(base) + " ; l'ancienne paire est intacte";
    return false;
  }
  RepriseRemplacement reprise;
  switch (Achever(base, journal, reprise)) {
    case RepriseRemplacement::Issue::Achevee:
      return true;
    case RepriseRemplacement::Issue::Abandonnee:
      erreur = reprise.erreur + " ; l'ancienne paire est intacte";
      return false;
    case RepriseRemplacement::Issue::Echec:
      break;
  }
  erreur = reprise.erreur + " ; le prochain démarrage finira le remplacement";
  return false;
}

}  // namespace velquor
