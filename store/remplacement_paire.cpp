#include "store/remplacement_paire.h"

#include <filesystem>
#include <optional>
#include <set>
#include <sstream>

#include "store/systeme_fichiers.h"

namespace velquor {

namespace {

namespace fs = std::filesystem;

constexpr const char* EnteteJournal = "velquor-remplacement 1";
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

// The lock of a pair's index, taken without waiting: held, the pair is nobody else's. A pair
// whose index is not there is nobody's either.
class VerrouIndex {
 public:
  explicit VerrouIndex(const std::string& base) {
    bool absent = false;
    fd_ = systeme::Ouvrir(base + ".NDX", systeme::Mode::Lecture, &absent);
    libre_ = fd_ == systeme::Aucune
                 ? absent
                 : systeme::Verrouiller(fd_, true, false) == systeme::Verrou::Obtenu;
  }
  ~VerrouIndex() { systeme::Fermer(fd_); }
  VerrouIndex(const VerrouIndex&) = delete;
  VerrouIndex& operator=(const VerrouIndex&) = delete;
  bool Libre() const { return libre_; }

 private:
  systeme::Poignee fd_;
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
    const systeme::Poignee fd = systeme::Ouvrir(CheminJournal(base), systeme::Mode::Lecture);
    if (fd == systeme::Aucune) return EtatJournal::Illisible;
    char tampon[512];
    std::int64_t position = 0;
    for (std::int64_t n; (n = systeme::LireA(fd, position, tampon, sizeof tampon)) > 0;) {
      texte.write(tampon, n);
      position += n;
    }
    systeme::Fermer(fd);
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
// index open for its lock), the old file, already kept under its backup name, is moved aside
// first. A stop in between leaves the live name free, and the next start renames the new file.
bool RemplacerEnDeuxTemps(const std::string& nouveau, const std::string& vivant,
                          const std::string& sauvegarde) {
  if (!Existe(vivant) || !MemeFichier(vivant, sauvegarde)) return false;
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
      systeme::Supprimer(lien);
      if (!systeme::Lier(vivant, lien) || !systeme::Renommer(lien, sauvegarde)) {
        reprise.erreur = "impossible de garder " + vivant + " en " + sauvegarde;
        return false;
      }
    }
    if (!systeme::Renommer(nouveau, vivant) && !RemplacerEnDeuxTemps(nouveau, vivant, sauvegarde)) {
      reprise.erreur =
          "impossible de remplacer " + vivant + " (l'ancien est dans " + sauvegarde + ")";
      return false;
    }
  }
  Synchroniser(".");
  systeme::Supprimer(CheminJournal(base));
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
