// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/etat_paire.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <set>
#include <utility>

#include "store/champ_texte.h"
#include "store/en_parallele.h"
#include "store/remplacement_paire.h"
#include "store/systeme_fichiers.h"

namespace velquor {

namespace {

// How long a write waits for another program's operation or lot on the same pair, and how long
// an opening waits for the companion's import or rebuild to end. Both are far beyond what the
// other side takes; they only keep a program that holds a lock for ever from hanging this one.
int DelaiEcritureMs = 20000;
std::size_t TailleTampon = 1 << 20;
std::int64_t CopieMax = 2 << 20;
// Changed ranges of a lot at most this far apart reach the file in one write.
constexpr std::int64_t EcartJoint = 16 << 10;
bool VueCoupee = false;
constexpr int DelaiOuvertureMs = 120000;

// A lot's buffers (what it appends, its copy of a small data file) are kept for the process
// between lots: a search makes its result pair anew each time, and growing a fresh megabyte costs
// a page fault per page and a copy per doubling, more than a small search's own work. Two are
// kept, for the two lots of a search (the cocktails read, the result written).
std::mutex verrouTamponsLibres;
std::vector<unsigned char> tamponsLibres[2];

void PrendreTampon(std::vector<unsigned char>& tampon, std::size_t octets) {
  {
    std::lock_guard<std::mutex> garde(verrouTamponsLibres);
    auto& libre = tamponsLibres[0].capacity() >= tamponsLibres[1].capacity() ? tamponsLibres[0]
                                                                             : tamponsLibres[1];
    tampon.swap(libre);
  }
  tampon.clear();
  tampon.reserve(octets);
}

void RendreTampon(std::vector<unsigned char>& tampon) {
  tampon.clear();
  {
    std::lock_guard<std::mutex> garde(verrouTamponsLibres);
    auto& libre = tamponsLibres[0].capacity() <= tamponsLibres[1].capacity() ? tamponsLibres[0]
                                                                             : tamponsLibres[1];
    if (tampon.capacity() > libre.capacity()) tampon.swap(libre);
  }
  std::vector<unsigned char>().swap(tampon);
}

std::uint64_t NouvelleGeneration() {
  static std::atomic<std::uint64_t> derniere{0};
  return ++derniere;
}

// Marks [debut, fin) as written, merging it with the ranges it touches.
void Marquer(std::map<std::int64_t, std::int64_t>& sales, std::int64_t debut, std::int64_t fin) {
  auto it = sales.upper_bound(debut);
  if (it != sales.begin() && std::prev(it)->second >= debut) --it;
  while (it != sales.end() && it->first <= fin) {
    debut = std::min(debut, it->first);
    fin = std::max(fin, it->second);
    it = sales.erase(it);
  }
  sales.emplace(debut, fin);
}

// The parts of [debut, debut + n) where the lot's bytes differ from the file's. Only those need
// saving in the journal: a write torn anywhere leaves every other byte as it was. Differences
// closer together than an extract's own header are saved as one.
void MarquerDifferences(std::map<std::int64_t, std::int64_t>& sales, std::int64_t debut,
                        const unsigned char* nouveau, const unsigned char* ancien, std::size_t n) {
  constexpr std::size_t Rapprochees = 16;
  auto suivante = [&](std::size_t i) {  // the first differing byte from i, or n
    for (std::uint64_t a, b; i + 8 <= n; i += 8) {
      std::memcpy(&a, nouveau + i, 8);
      std::memcpy(&b, ancien + i, 8);
      if (a != b) break;
    }
    while (i < n && nouveau[i] == ancien[i])
      ++i;
    return i;
  };
  for (std::size_t i = suivante(0); i < n;) {
    std::size_t fin = i + 1, j = suivante(fin);
    while (j < n && j - fin < Rapprochees) {
      fin = j + 1;
      j = suivante(fin);
    }
    Marquer(sales, debut + static_cast<std::int64_t>(i), debut + static_cast<std::int64_t>(fin));
    i = j;
  }
}

void CopierDans(std::vector<unsigned char>& miroir, std::int64_t pos, const void* source,
                std::size_t n) {
  const auto fin = static_cast<std::size_t>(pos) + n;
  if (miroir.size() < fin) miroir.resize(fin, 0);  // a write past the end leaves zeros between
  std::memcpy(miroir.data() + pos, source, n);
}

std::int64_t Fin(const std::pair<const std::int64_t, std::vector<unsigned char>>& plage) {
  return plage.first + static_cast<std::int64_t>(plage.second.size());
}

// What a file held in the ranges, read back from it, for those parts that lie before `taille`
// (what lies beyond is undone by cutting the file back).
// projection, when given, maps the file's first `taille` bytes.
bool Extraire(const FichierBrut& fichier, bool index,
              const std::map<std::int64_t, std::int64_t>& plages, std::int64_t taille,
              std::vector<JournalPaire::Extrait>& extraits,
              const unsigned char* projection = nullptr) {
  for (auto [debut, fin] : plages) {
    fin = std::min(fin, taille);
    if (debut >= fin) continue;
    JournalPaire::Extrait e{index, debut, {}};
    if (projection != nullptr) {
      e.octets.assign(projection + debut, projection + fin);
    } else {
      e.octets.resize(static_cast<std::size_t>(fin - debut));
      if (fichier.Lire(debut, e.octets.data(), e.octets.size()) != fin - debut) return false;
    }
    extraits.push_back(std::move(e));
  }
  return true;
}

std::string NomDeFichier(const std::string& chemin) {
  const std::size_t barre = chemin.rfind('/');
  return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

std::string DossierDe(const std::string& chemin) {
  const std::size_t barre = chemin.rfind('/');
  return barre == std::string::npos ? std::string() : chemin.substr(0, barre + 1);
}

// A name no other lot of any program can take: the process, a counter and the time.
std::string NomDeGroupe() {
  static std::atomic<unsigned> compteur{0};
  const auto instant = std::chrono::steady_clock::now().time_since_epoch().count();
  return ".velquor-groupe-" + std::to_string(systeme::NumeroProcessus()) + "-" +
         std::to_string(++compteur) + "-" + std::to_string(instant);
}

}  // namespace

void EtatPaire::DefinirDelaiEcriture(int ms) {
  DelaiEcritureMs = ms;
}

void EtatPaire::DefinirCopieMax(std::int64_t octets) {
  CopieMax = octets;
}

void EtatPaire::DefinirTailleTampon(std::size_t octets) {
  TailleTampon = octets;
}

void EtatPaire::CouperVue(bool coupee) {
  VueCoupee = coupee;
}

std::map<EtatPaire::Cle, std::weak_ptr<EtatPaire>>& EtatPaire::Registre() {
  static std::map<Cle, std::weak_ptr<EtatPaire>> registre;
  return registre;
}

std::shared_ptr<EtatPaire> EtatPaire::Ouvrir(const std::string& nomIndex,
                                             const std::string& nomDonnees, Acces acces,
                                             bool* occupee) {
  if (occupee) *occupee = false;
  // A rebuild of the pair by the companion may replace the files while this waits for its
  // lock: the files are then opened again. One that was stopped half-way through replacing
  // them is finished (or undone) first, so that the two files opened are of one pair.
  const std::string base = nomIndex.substr(0, nomIndex.rfind('.'));
  const std::string remplacement = CheminNouveau(base, "remplacement");
  for (int essai = 0; essai < 4; ++essai) {
    if (FichierBrut::Existe(remplacement)) ReprendreRemplacements();
    FichierBrut index, donnees;
    if (!index.OuvrirExistant(nomIndex) || !donnees.OuvrirExistant(nomDonnees)) return nullptr;
    Cle cle;
    if (!index.Identite(cle.dev, cle.ino)) return nullptr;
    auto& registre = Registre();
    if (auto it = registre.find(cle); it != registre.end()) {
      if (auto existant = it->second.lock()) {
        if (acces == Acces::Exclusif && existant->acces_ != Acces::Exclusif) {
          // The lock cannot be raised in place without being let go first: take it back shared
          // when another program has the pair.
          if (!existant->fichierIndex_.VerrouillerExclusifSansAttendre()) {
            existant->fichierIndex_.VerrouillerAvecDelai(false, DelaiOuvertureMs);
            if (occupee) *occupee = true;
            return nullptr;
          }
          existant->acces_ = Acces::Exclusif;
        }
        return existant;
      }
    }
    if (acces == Acces::Exclusif) {
      if (!index.VerrouillerExclusifSansAttendre()) {
        if (occupee) *occupee = true;
        return nullptr;
      }
    } else {
      // The lock is advisory: where the file system has none, or the companion holds it far
      // longer than any import takes, the pair opens all the same.
      index.VerrouillerAvecDelai(false, DelaiOuvertureMs);
    }
    if (!index.EstToujours(nomIndex) || !donnees.EstToujours(nomDonnees) ||
        FichierBrut::Existe(remplacement)) {
      continue;
    }
    std::shared_ptr<EtatPaire> etat(new EtatPaire);
    etat->cle_ = cle;
    etat->acces_ = acces;
    etat->fichierIndex_ = std::move(index);
    etat->fichierDonnees_ = std::move(donnees);
    etat->cheminJournal_ = FichierBrut::CheminAbsolu(NomJournal(nomDonnees));
    registre[cle] = etat;
    etat->ReprendreSiAbandonne();
    return etat;
  }
  return nullptr;
}

EtatPaire::EtatPaire() : generationVue_(NouvelleGeneration()) {}

EtatPaire::~EtatPaire() {
  if (profondeurLot_ > 0) EcrireLots({this});
  LacherEcriture();
  auto& registre = Registre();
  if (auto it = registre.find(cle_); it != registre.end() && it->second.expired()) {
    registre.erase(it);
  }
}

// A journal beside the pair while nobody holds its write lock was left by a writer that
// stopped half-way: its lot is undone before the pair is used.
void EtatPaire::ReprendreSiAbandonne() {
  if (verrouEcriture_ || !FichierBrut::Existe(cheminJournal_)) return;
  if (!fichierDonnees_.VerrouillerAvecDelai(true, 0)) return;  // its writer is still at work
  if (ReprendreJournal(cheminJournal_, fichierIndex_, fichierDonnees_) == Reprise::Impossible) {
    ++erreursES_;
  }
  fichierDonnees_.Deverrouiller();
  enteteConnu_ = false;
}

EtatPaire::Entete EtatPaire::LireEntete() {
  if (profondeurLot_ > 0 && enteteConnu_) return entete_;
  if (profondeurLot_ == 0 && enteteConnu_ && Inchange()) {
    copiePermise_ = true;
    return entete_;
  }
  // The size and the date are taken before the reading: a write after them changes them.
  const std::optional<Calme> avant = CalmeActuel();
  const Entete lu = RelireEntete();
  OublierCalme();
  if (!lu.Erreur && profondeurLot_ == 0) calme_ = avant;
  return lu;
}

// The data file's size and date when nothing touched it for longer than a file system's grain of
// time (FAT keeps dates to 2 s): a later write gets a later date.
std::optional<EtatPaire::Calme> EtatPaire::CalmeActuel() const {
  constexpr long long Grain = 5'000'000'000LL;
  Calme c;
  if (!systeme::DatesSuiventLesEcritures || !fichierDonnees_.TailleEtDate(c.taille, c.date) ||
      c.date > systeme::Maintenant() - Grain) {
    return std::nullopt;
  }
  return c;
}

bool EtatPaire::Inchange() {
  std::int64_t taille;
  long long date;
  if (!calme_ || !fichierDonnees_.TailleEtDate(taille, date) || taille != calme_->taille ||
      date != calme_->date) {
    OublierCalme();
    return false;
  }
  return true;
}

void EtatPaire::OublierCalme() {
  calme_.reset();
  copiePermise_ = false;
  copieHorsLotFaite_ = false;
}

EtatPaire::Entete EtatPaire::RelireEntete() {
  unsigned char octets[TailleEntete] = {};
  Entete lu;
  const std::int64_t nbLus = fichierDonnees_.Lire(0, octets, sizeof octets);
  const std::int64_t tailleIndex = fichierIndex_.Taille();
  if (nbLus < 0 || tailleIndex < 0) {
    ++erreursES_;
    enteteConnu_ = false;  // read again, and the index with it, at the next operation
    lu.Erreur = true;
    return lu;
  }
  lu.OctetsLus = static_cast<std::size_t>(nbLus);
  if (lu.OctetsLus == sizeof octets) {
    lu.NbEnreg = LireMot(octets);
    lu.NbSuppr = static_cast<std::uint32_t>(LireMot(octets + 4));
  }
  const bool change = !enteteConnu_ || lu.NbEnreg != entete_.NbEnreg ||
                      lu.NbSuppr != entete_.NbSuppr || lu.OctetsLus != entete_.OctetsLus ||
                      tailleIndex != TailleIndex();
  entete_ = lu;
  enteteConnu_ = true;
  if (change && !Recharger()) {
    ++erreursES_;
    enteteConnu_ = false;
    lu.Erreur = true;
  }
  return lu;
}

bool EtatPaire::Recharger() {
  etatVue_ = EtatVue::ARefaire;
  std::int64_t taille = fichierIndex_.Taille();
  index_.resize(static_cast<std::size_t>(std::max<std::int64_t>(taille, 0)));
  const std::int64_t lus = fichierIndex_.Lire(0, index_.data(), index_.size());
  if (taille < 0 || lus != taille) {
    index_.clear();  // nothing is known of the tree: every node read fails
    return false;
  }
  return true;
}

std::optional<EtatPaire::Signature> EtatPaire::LireSignature() const {
  Signature s;
  if (!fichierIndex_.TailleEtDate(s.tailleIndex, s.modifIndex) ||
      !fichierDonnees_.TailleEtDate(s.tailleDonnees, s.modifDonnees) ||
      fichierDonnees_.Lire(0, s.entete, sizeof s.entete) < 0) {
    return std::nullopt;
  }
  return s;
}

// Saves what the running operation is about to overwrite, so that a failure can undo it.
void EtatPaire::SauverAvant(bool index, std::int64_t pos, std::size_t n) {
  if (!avant_ || profondeurLot_ > 0) return;
  avant_->ecrit = true;
  const std::int64_t limite = index ? avant_->tailleIndex : avant_->tailleDonnees;
  const std::int64_t fin = std::min(pos + static_cast<std::int64_t>(n), limite);
  if (pos >= fin) return;
  JournalPaire::Extrait e{index, pos, std::vector<unsigned char>(fin - pos)};
  const FichierBrut& f = index ? fichierIndex_ : fichierDonnees_;
  if (f.Lire(pos, e.octets.data(), e.octets.size()) != fin - pos) return;
  avant_->extraits.push_back(std::move(e));
}

// Undoes the running operation's writes, latest first, and cuts the files back to their sizes.
void EtatPaire::Defaire() {
  for (auto it = avant_->extraits.rbegin(); it != avant_->extraits.rend(); ++it) {
    FichierBrut& f = it->index ? fichierIndex_ : fichierDonnees_;
    if (!f.EcrireA(it->pos, it->octets.data(), it->octets.size())) ++erreursES_;
  }
  if (!fichierDonnees_.Tronquer(avant_->tailleDonnees) ||
      !fichierIndex_.Tronquer(avant_->tailleIndex)) {
    ++erreursES_;
  }
  enteteConnu_ = false;  // what this process knew of the files is to be read again
}

bool EtatPaire::EcrireEntete(std::int32_t nbEnreg, std::uint32_t nbSuppr) {
  unsigned char octets[TailleEntete];
  EcrireMot(octets, nbEnreg);
  EcrireMot(octets + 4, static_cast<std::int32_t>(nbSuppr));
  if (profondeurLot_ > 0) {
    std::memcpy(enteteLot_, octets, sizeof octets);
    enteteSale_ = true;
  } else {
    SauverAvant(false, 0, sizeof octets);
    if (!fichierDonnees_.EcrireA(0, octets, sizeof octets)) {
      ++erreursES_;
      enteteConnu_ = false;  // what the file holds now is unknown: re-read it next time
      return false;
    }
  }
  entete_ = {nbEnreg, nbSuppr, sizeof octets};
  enteteConnu_ = true;
  return true;
}

// Nodes start on 47-byte boundaries: a link into the middle of a node is damage, never a node.
bool EtatPaire::LireNoeud(std::int32_t pos, NoeudIndex& noeud) const {
  if (pos < 0 || pos % static_cast<std::int32_t>(NoeudIndex::Taille) != 0 ||
      static_cast<std::size_t>(pos) + NoeudIndex::Taille > index_.size()) {
    return false;
  }
  noeud = NoeudIndex::DepuisOctets(index_.data() + pos);
  return true;
}

// Records are read in name order, which is random order in the data file: a walk would spend
// most of its time waiting for each record's cache lines if they were not asked for ahead.
void EtatPaire::AnticiperEnreg(std::int64_t pos, std::size_t tailleEnreg) const {
  if (projection_ == nullptr || pos < TailleEntete || pos >= tailleDonneesLot_) return;
  const std::int64_t fin =
      std::min(pos + static_cast<std::int64_t>(tailleEnreg), tailleDonneesLot_);
  constexpr std::int64_t Ligne = 64;
  for (std::int64_t o = pos & ~(Ligne - 1); o < fin; o += Ligne)
    __builtin_prefetch(projection_ + o);
}

bool EtatPaire::EcrireNoeud(std::int32_t pos, const NoeudIndex& noeud) {
  if (pos < 0) return false;
  unsigned char octets[NoeudIndex::Taille];
  noeud.VersOctets(octets);
  if (profondeurLot_ > 0) {
    Journaliser(pos, octets, sizeof octets);
  } else {
    SauverAvant(true, pos, sizeof octets);
    if (!fichierIndex_.EcrireA(pos, octets, sizeof octets)) {
      ++erreursES_;
      enteteConnu_ = false;  // reload the mirror from the file at the next operation
      return false;
    }
  }
  CopierDans(index_, pos, octets, sizeof octets);
  return true;
}

void EtatPaire::Journaliser(std::int64_t pos, const unsigned char* octets, std::size_t n) {
  const auto fin = pos + static_cast<std::int64_t>(n);
  if (!journalIndex_.empty()) {
    EcritureIndex& derniere = journalIndex_.back();
    const auto finDerniere = derniere.pos + static_cast<std::int64_t>(derniere.octets.size());
    if (pos <= finDerniere && fin >= derniere.pos) {
      // Touches the last write: one write of the union, with the newest bytes where they meet.
      if (pos < derniere.pos) {
        derniere.octets.insert(derniere.octets.begin(),
                               static_cast<std::size_t>(derniere.pos - pos), 0);
        derniere.pos = pos;
      }
      if (fin > finDerniere) derniere.octets.resize(static_cast<std::size_t>(fin - derniere.pos));
      std::copy(octets, octets + n, derniere.octets.begin() + (pos - derniere.pos));
      return;
    }
  }
  journalIndex_.push_back({pos, std::vector<unsigned char>(octets, octets + n)});
}

// In a lot, the data file as the lot leaves it: the file, which no other program changes while
// the lot holds its lock, with the lot's own writes over it. Outside a lot, the file itself, or
// the copy of a small one when the operation's check found the file untouched (see Calme).
std::int64_t EtatPaire::LireDonnees(std::int64_t pos, void* destination, std::size_t n) {
  if (profondeurLot_ == 0 && std::exchange(copiePermise_, false) && calme_ && pos >= 0 &&
      calme_->taille <= CopieMax) {
    // The file is as the operation's check found it: the copy, read once, serves.
    const auto taille = static_cast<std::size_t>(calme_->taille);
    if (!copieHorsLotFaite_) {
      copieHorsLot_.resize(taille);
      copieHorsLotFaite_ = fichierDonnees_.Lire(0, copieHorsLot_.data(), taille) == calme_->taille;
    }
    if (copieHorsLotFaite_) {
      const std::size_t de = std::min(static_cast<std::size_t>(pos), taille);
      const std::size_t lus = std::min(n, taille - de);
      std::memcpy(destination, copieHorsLot_.data() + de, lus);
      return static_cast<std::int64_t>(lus);
    }
  }
  if (profondeurLot_ == 0 || (projection_ == nullptr && recouvrement_.empty() && !enteteSale_)) {
    const std::int64_t lus = fichierDonnees_.Lire(pos, destination, n);
    if (lus < 0) ++erreursES_;
    return lus;
  }
  if (pos < 0) return -1;
  const std::int64_t taille = TailleDonnees();
  if (pos >= taille) return 0;
  const std::int64_t total = std::min(static_cast<std::int64_t>(n), taille - pos);
  const std::int64_t fin = pos + total;
  auto* octets = static_cast<unsigned char*>(destination);
  std::memset(octets, 0, static_cast<std::size_t>(total));
  // Before the size the file had when the lot began: mapped, or read.
  if (const std::int64_t a = std::min(fin, tailleDonneesLot_); pos < a) {
    if (projection_ != nullptr) {
      std::memcpy(octets, projection_ + pos, static_cast<std::size_t>(a - pos));
    } else if (fichierDonnees_.Lire(pos, octets, static_cast<std::size_t>(a - pos)) < 0) {
      ++erreursES_;
      return -1;
    }
  }
  // Past it: what the lot added, in the file already when the lot keeps a journal, or still in
  // its buffer.
  if (const std::int64_t b = std::max(pos, tailleDonneesLot_); journalOuvert_ && b < fin) {
    if (journalSurDisque_ &&
        fichierDonnees_.Lire(b, octets + (b - pos), static_cast<std::size_t>(fin - b)) < 0) {
      ++erreursES_;
      return -1;
    }
    const std::int64_t de = std::max(pos, debutTampon_);
    const std::int64_t a = std::min(fin, debutTampon_ + static_cast<std::int64_t>(tampon_.size()));
    if (de < a) {
      std::memcpy(octets + (de - pos), tampon_.data() + (de - debutTampon_),
                  static_cast<std::size_t>(a - de));
    }
  }
  auto it = recouvrement_.upper_bound(pos);
  if (it != recouvrement_.begin()) --it;
  for (; it != recouvrement_.end() && it->first < fin; ++it) {
    const std::int64_t de = std::max(pos, it->first), a = std::min(fin, Fin(*it));
    if (de < a) {
      std::memcpy(octets + (de - pos), it->second.data() + (de - it->first),
                  static_cast<std::size_t>(a - de));
    }
  }
  if (enteteSale_ && pos < TailleEntete) {
    const std::int64_t a = std::min<std::int64_t>(TailleEntete, pos + total);
    std::memcpy(octets, enteteLot_ + pos, static_cast<std::size_t>(a - pos));
  }
  return total;
}

bool EtatPaire::EcrireDonnees(std::int64_t pos, const void* source, std::size_t n) {
  if (pos < 0) return false;
  if (profondeurLot_ == 0) {
    SauverAvant(false, pos, n);
    if (fichierDonnees_.EcrireA(pos, source, n)) return true;
    ++erreursES_;
    return false;
  }
  const auto* octets = static_cast<const unsigned char*>(source);
  const std::int64_t fin = pos + static_cast<std::int64_t>(n);
  if (!journalOuvert_ || fin <= tailleDonneesLot_) {
    Recouvrir(pos, octets, n);
    return true;
  }
  // Past the file's size when the lot began, nothing can be lost: the lot's journal cuts the
  // file back to that size should the lot not land, so what it adds goes to the file at once.
  const std::int64_t coupe = std::max(pos, tailleDonneesLot_);
  if (coupe > pos) Recouvrir(pos, octets, static_cast<std::size_t>(coupe - pos));
  // Records added one after another gather in a buffer written in large pieces.
  const auto finTampon = debutTampon_ + static_cast<std::int64_t>(tampon_.size());
  if (coupe != finTampon || tampon_.size() + static_cast<std::size_t>(fin - coupe) > TailleTampon) {
    if (!ViderTampon()) return false;
    debutTampon_ = coupe;
  }
  if (tampon_.capacity() == 0) PrendreTampon(tampon_, TailleTampon);
  tampon_.insert(tampon_.end(), octets + (coupe - pos), octets + n);
  finDirecte_ = std::max(finDirecte_, fin);
  return true;
}

// Writes out what the buffer gathered; a failure makes the whole lot fail.
bool EtatPaire::ViderTampon() {
  if (tampon_.empty()) return !lotEchoue_;
  // Nothing reaches the file before the journal that can cut it back.
  if (!journalSurDisque_ && !sansJournal_) {
    journalSurDisque_ =
        FichierBrut::EcrireNeufSynchronise(cheminJournal_, EncoderJournal(journalLot_));
    if (!journalSurDisque_) {
      ++erreursES_;
      lotEchoue_ = true;
      return false;
    }
  }
  if (!fichierDonnees_.EcrireA(debutTampon_, tampon_.data(), tampon_.size())) {
    ++erreursES_;
    lotEchoue_ = true;
  } else {
    // On its way to the disk while the lot goes on: the flush that lands it waits less.
    fichierDonnees_.LancerEcriture(debutTampon_, static_cast<std::int64_t>(tampon_.size()));
  }
  debutTampon_ += static_cast<std::int64_t>(tampon_.size());
  tampon_.clear();
  return !lotEchoue_;
}

// Keeps a write of the lot: the ranges stay disjoint and apart, a write that touches one joins
// it. Records added one after another (a search's result) make one range that only grows.
void EtatPaire::Recouvrir(std::int64_t pos, const unsigned char* source, std::size_t n) {
  const std::int64_t fin = pos + static_cast<std::int64_t>(n);
  auto it = recouvrement_.upper_bound(pos);
  if (it != recouvrement_.begin() && Fin(*std::prev(it)) >= pos) --it;
  if (it != recouvrement_.end() && it->first <= pos &&
      (std::next(it) == recouvrement_.end() || std::next(it)->first > fin)) {
    // Within or at the end of one range, reaching no other.
    std::vector<unsigned char>& octets = it->second;
    const auto debut = static_cast<std::size_t>(pos - it->first);
    const std::size_t recouverts = std::min(n, octets.size() - std::min(octets.size(), debut));
    std::memcpy(octets.data() + debut, source, recouverts);
    octets.insert(octets.end(), source + recouverts, source + n);
    return;
  }
  std::int64_t debut = pos, finUnion = fin;
  auto premier = it;
  for (; it != recouvrement_.end() && it->first <= fin; ++it) {
    debut = std::min(debut, it->first);
    finUnion = std::max(finUnion, Fin(*it));
  }
  std::vector<unsigned char> octets(static_cast<std::size_t>(finUnion - debut), 0);
  for (auto j = premier; j != it; ++j)
    std::copy(j->second.begin(), j->second.end(), octets.begin() + (j->first - debut));
  std::memcpy(octets.data() + (pos - debut), source, n);
  recouvrement_.erase(premier, it);
  recouvrement_.emplace(debut, std::move(octets));
}

std::int64_t EtatPaire::TailleDonnees() {
  if (profondeurLot_ == 0) return fichierDonnees_.Taille();
  const std::int64_t taille = std::max(tailleDonneesLot_, finDirecte_);
  return recouvrement_.empty() ? taille : std::max(taille, Fin(*recouvrement_.rbegin()));
}

bool EtatPaire::DebutEcriture() {
  OublierCalme();  // what this program writes changes the files under the copy
  if (profondeurEcriture_ > 0) {
    ++profondeurEcriture_;
    return true;
  }
  // A lot whose lock did not come in time, or whose files could not be measured, writes
  // nothing: its writes fail at once instead of each waiting again.
  if (profondeurLot_ > 0 && verrouRefuse_) return false;
  if (!verrouEcriture_) {
    // The lot's shared lock cannot be raised in place: it is let go first.
    if (verrouLecture_) {
      fichierDonnees_.Deverrouiller();
      verrouLecture_ = false;
    }
    if (!fichierDonnees_.VerrouillerAvecDelai(true, DelaiEcritureMs)) {
      ++erreursES_;
      verrouRefuse_ = profondeurLot_ > 0;
      Deprojeter();  // without a lock the file may be cut under the mapping
      return false;
    }
    verrouEcriture_ = true;
    // Another program may have stopped half-way through a lot: undo it first.
    const Reprise reprise = ReprendreJournal(cheminJournal_, fichierIndex_, fichierDonnees_);
    if (reprise == Reprise::Impossible) {
      ++erreursES_;
      LacherEcriture();
      return false;
    }
    if (reprise != Reprise::Aucune) enteteConnu_ = false;
    if (profondeurLot_ > 0) {
      // A lot that read without this lock: when another program wrote in between, what the lot
      // knows of the header and the tree is read again before it writes (it has written nothing
      // yet), and it goes on from there.
      const std::optional<Signature> maintenant = LireSignature();
      if (!maintenant || reprise != Reprise::Aucune || !(*maintenant == signatureLot_)) {
        if (Sale() || !maintenant || RelireEntete().Erreur) {
          ++erreursES_;
          verrouRefuse_ = true;
          Deprojeter();
          LacherEcriture();
          return false;
        }
        signatureLot_ = *maintenant;
        tailleDonneesLot_ = maintenant->tailleDonnees;
        tailleIndexLot_ = TailleIndex();
        sansJournal_ = sansJournal_ && entete_.NbEnreg <= 0;
        if (projection_ != nullptr) projection_ = ProjeterDonnees();
      }
    }
  }
  profondeurEcriture_ = 1;
  if (profondeurLot_ == 0)
    avant_ = Avant{fichierIndex_.Taille(), fichierDonnees_.Taille(), false, {}};
  return true;
}

void EtatPaire::FinEcriture(bool reussie) {
  if (profondeurEcriture_ == 0 || --profondeurEcriture_ > 0) return;
  if (avant_) {
    if (avant_->ecrit) {
      if (!reussie) Defaire();
      Horodater();
    }
    avant_.reset();
  }
  // A lot keeps the lock until it is written out.
  if (profondeurLot_ == 0) LacherEcriture();
}

bool EtatPaire::SynchroniserNouvelle() {
  return fichierDonnees_.Synchroniser() && FichierBrut::SynchroniserDossierDe(cheminJournal_);
}

void EtatPaire::Horodater() {
  fichierDonnees_.Horodater();
  fichierIndex_.Horodater();
}

void EtatPaire::LacherEcriture() {
  if (!verrouEcriture_) return;
  fichierDonnees_.Deverrouiller();
  verrouEcriture_ = false;
}

VueOrdonnee* EtatPaire::Vue() {
  if (etatVue_ == EtatVue::ARefaire) ConstruireVue();
  return etatVue_ == EtatVue::Saine && !VueCoupee ? &vue_ : nullptr;
}

VueOrdonnee* EtatPaire::VueSiConstruite() {
  return etatVue_ == EtatVue::Saine && !VueCoupee ? &vue_ : nullptr;
}

const std::unordered_map<std::string, std::int32_t>* EtatPaire::NomsExacts() {
  if (etatVue_ == EtatVue::ARefaire) ConstruireVue();
  return etatVue_ == EtatVue::Saine ? nullptr : &nomsExacts_;
}

void EtatPaire::NoteAjout(const std::string& nom, std::int32_t pos) {
  if (etatVue_ == EtatVue::NonTriee || etatVue_ == EtatVue::Abimee) {
    nomsExacts_.emplace(nom, pos);
  } else {
    OublierVue();
  }
}

void EtatPaire::NoteSuppression(const std::string& nom, std::int32_t deplaceVersRacine,
                                const std::string& nomDeplace) {
  if (etatVue_ != EtatVue::NonTriee && etatVue_ != EtatVue::Abimee) return OublierVue();
  nomsExacts_.erase(nom);
  if (deplaceVersRacine != AucunLien) nomsExacts_[nomDeplace] = 0;
}

void EtatPaire::EffacerDeLaVue(VueOrdonnee::iterator entree) {
  vue_.erase(entree);
  generationVue_ = NouvelleGeneration();
}

// The key of the node at pos, read in the mirror, whose bytes stay put while the views are built.
std::string_view EtatPaire::CleDansMiroir(std::int32_t pos) const {
  const char* cle = reinterpret_cast<const char*>(index_.data() + pos + 4);
  return std::string_view(cle, ::strnlen(cle, TailleNom));
}

// An in-order walk of the whole tree through the links that agree both ways. With every link
// sound and the names in strictly increasing order, the ordered view answers the operations;
// with every link sound in another order (a tree built by another version of the name order),
// or with a broken link, each name is found through the names table instead, and the tree is
// walked node by node.
void EtatPaire::ConstruireVue() {
  vue_.clear();
  generationVue_ = NouvelleGeneration();
  nomsExacts_.clear();
  etatVue_ = EtatVue::Saine;
  if (entete_.NbEnreg < 1) return;
  auto enfant = [this](std::int32_t parent, std::int32_t lien, NoeudIndex& noeud) {
    return lien > 0 && LireNoeud(lien, noeud) && noeud.Pere == parent;
  };
  std::vector<std::pair<std::string_view, std::int32_t>> enOrdre;
  bool sain = true, trie = true;
  NoeudIndex noeud;
  if (!LireNoeud(0, noeud)) return ConstruireNomsExacts();
  const std::size_t limite = index_.size() / NoeudIndex::Taille + 1;
  std::size_t pas = 0;
  std::vector<std::pair<std::int32_t, NoeudIndex>> pile;
  std::int32_t pos = 0;
  bool descendre = true;
  while (sain && (descendre || !pile.empty())) {
    while (descendre) {
      if (++pas > limite) {
        sain = false;
        break;
      }
      pile.emplace_back(pos, noeud);
      if (noeud.Gauche == AucunLien) break;
      NoeudIndex gauche;
      if (!enfant(pos, noeud.Gauche, gauche)) {
        sain = false;
        break;
      }
      pos = noeud.Gauche;
      noeud = gauche;
    }
    if (!sain) break;
    const std::int32_t posCourant = pile.back().first;
    const std::int32_t droite = pile.back().second.Droite;
    const std::string_view cle = CleDansMiroir(posCourant);
    pile.pop_back();
    if (!enOrdre.empty() && ComparerNoms(enOrdre.back().first, cle) >= 0) trie = false;
    enOrdre.emplace_back(cle, posCourant);
    descendre = droite != AucunLien;
    if (descendre) {
      if (!enfant(posCourant, droite, noeud)) {
        sain = false;
        break;
      }
      pos = droite;
    }
  }
  if (!sain) return ConstruireNomsExacts();
  if (trie) {
    for (const auto& [cle, p] : enOrdre)
      vue_.emplace_hint(vue_.end(), cle, p);
    return;
  }
  etatVue_ = EtatVue::NonTriee;
  nomsExacts_.reserve(enOrdre.size());
  for (const auto& [cle, p] : enOrdre)
    nomsExacts_.emplace(cle, p);
}

// A damaged tree: every node a child link leads to, from the root down, whether or not it names
// its parent back (as lookups go), each once.
void EtatPaire::ConstruireNomsExacts() {
  etatVue_ = EtatVue::Abimee;
  vue_.clear();
  generationVue_ = NouvelleGeneration();
  nomsExacts_.clear();
  std::set<std::int32_t> vus;
  std::vector<std::int32_t> pile{0};
  NoeudIndex noeud;
  while (!pile.empty()) {
    const std::int32_t pos = pile.back();
    pile.pop_back();
    if (!vus.insert(pos).second || !LireNoeud(pos, noeud)) continue;
    nomsExacts_.emplace(std::string(Texte(noeud.Cle)), pos);
    for (std::int32_t lien : {noeud.Droite, noeud.Gauche}) {
      if (lien > 0) pile.push_back(lien);
    }
  }
}

void EtatPaire::DebutLot(bool ecriture, const std::string& groupe, bool journaliser) {
  if (profondeurLot_++ > 0) {
    // A lot inside another: it takes the write lock now if need be.
    if (ecriture && !verrouEcriture_ && DebutEcriture()) FinEcriture(true);
    return;
  }
  // A lot that will write takes the write lock at once; another holds the shared lock, so that
  // what it reads cannot change while it runs. When the lock does not come in time, it reads the
  // files as operations outside a lot do.
  if (ecriture && DebutEcriture()) FinEcriture(true);  // the lock stays with the lot
  if (!verrouEcriture_) {
    verrouLecture_ = fichierDonnees_.VerrouillerAvecDelai(false, DelaiEcritureMs);
  }
  // A signature that cannot be read is one no later reading equals: the lot reads the files again
  // before it writes anything.
  signatureLot_ = LireSignature().value_or(Signature{});
  RelireEntete();
  tailleIndexLot_ = TailleIndex();
  // A data file whose size cannot be known takes no write in this lot: its records would land
  // over existing ones.
  tailleDonneesLot_ = fichierDonnees_.Taille();
  if (tailleDonneesLot_ < 0) {
    tailleDonneesLot_ = 0;
    verrouRefuse_ = true;
  }
  finDirecte_ = tailleDonneesLot_;
  debutTampon_ = tailleDonneesLot_;
  // While the lock keeps writers out, the file is read through a mapping (or a copy, when it is
  // small), without a system call per record.
  if (verrouLecture_ || verrouEcriture_) projection_ = ProjeterDonnees();
  // A writing lot may send what it adds at the end of the data file to the file as it comes,
  // once its journal, with the two sizes, is on the disk (written with the first such write).
  if (ecriture && journaliser && verrouEcriture_ && !verrouRefuse_) {
    journalLot_ = JournalPaire{groupe, tailleDonneesLot_, tailleIndexLot_, {}};
    journalOuvert_ = true;
  }
  // A lot on an empty collection, not landing with others, needs no journal on the disk: until
  // its header is written, last, the collection reads as empty whatever a stop left behind.
  sansJournal_ = groupe.empty() && !entete_.Erreur && entete_.NbEnreg <= 0;
}

// The data file as the lot found it. A small file is read whole into a kept buffer: one copy
// costs less than setting up and tearing down a mapping, and the reads that follow stay in the
// processor's cache (a search of 1,000 cocktails took about 15 % less). A large one is mapped.
const unsigned char* EtatPaire::ProjeterDonnees() {
  Deprojeter();
  if (tailleDonneesLot_ > CopieMax) return fichierDonnees_.Projeter(tailleDonneesLot_);
  if (tailleDonneesLot_ <= 0) return nullptr;
  const auto taille = static_cast<std::size_t>(tailleDonneesLot_);
  PrendreTampon(copieLot_, std::max(taille, TailleTampon));  // either use finds it big enough
  copieLot_.resize(taille);
  if (fichierDonnees_.Lire(0, copieLot_.data(), taille) != tailleDonneesLot_) {
    RendreTampon(copieLot_);
    return nullptr;
  }
  return copieLot_.data();
}

void EtatPaire::Deprojeter() {
  fichierDonnees_.Deprojeter();
  if (copieLot_.capacity() > 0) RendreTampon(copieLot_);
  projection_ = nullptr;
}

bool EtatPaire::Sale() const {
  return enteteSale_ || !recouvrement_.empty() || !journalIndex_.empty() ||
         finDirecte_ > tailleDonneesLot_ || lotEchoue_;
}

bool EtatPaire::FinLot() {
  if (profondeurLot_ == 0 || --profondeurLot_ > 0) return true;
  return EcrireLots({this});
}

bool EtatPaire::AbandonnerLot() {
  if (profondeurLot_ == 0) return true;
  if (!journalIndex_.empty() || enteteSale_) enteteConnu_ = false;  // reload the mirror
  // What went to the file already is cut off; a journal that cannot be applied stays for the
  // next start.
  bool remis = true;
  if (journalSurDisque_) {
    remis = AnnulerSelonJournal(journalLot_, fichierIndex_, fichierDonnees_);
    if (remis) FichierBrut::Supprimer(cheminJournal_);
  }
  TerminerLot();
  return remis;
}

bool EtatPaire::QuitterLotSansEcrire() {
  if (profondeurLot_ == 0) return false;
  return --profondeurLot_ == 0;
}

// The journal of the lot: the sizes the files had when the lot's copy was read (the lot has
// held the write lock since before its first write, so they are the files' sizes now), and what
// the files hold where the lot will write.
bool EtatPaire::PreparerJournal(JournalPaire& journal) {
  journal.groupe = journalLot_.groupe;
  journal.tailleDonnees = tailleDonneesLot_;
  journal.tailleIndex = tailleIndexLot_;
  std::map<std::int64_t, std::int64_t> plagesDonnees, plagesIndex;
  for (const auto& [pos, octets] : recouvrement_) {
    const std::int64_t fin = pos + static_cast<std::int64_t>(octets.size());
    if (projection_ != nullptr && fin <= tailleDonneesLot_) {
      MarquerDifferences(plagesDonnees, pos, octets.data(), projection_ + pos, octets.size());
    } else {
      Marquer(plagesDonnees, pos, fin);
    }
  }
  if (enteteSale_) Marquer(plagesDonnees, 0, TailleEntete);
  for (const EcritureIndex& e : journalIndex_)
    Marquer(plagesIndex, e.pos, e.pos + static_cast<std::int64_t>(e.octets.size()));
  journal.extraits.clear();
  return Extraire(fichierDonnees_, false, plagesDonnees, journal.tailleDonnees, journal.extraits,
                  projection_) &&
         Extraire(fichierIndex_, true, plagesIndex, journal.tailleIndex, journal.extraits);
}

// Records first (no node refers to a new record before its own index write), then the index
// writes in the order they were made, then the header.
bool EtatPaire::AppliquerLot() {
  bool ok = true;
  // Changed records lying close together go to the file in one write, with the bytes between
  // them as the lot found them (its lock kept every other writer out): a pass that rewrites one
  // record in ten makes a few large writes instead of thousands of small ones.
  std::vector<unsigned char> groupe;
  std::int64_t debutGroupe = 0;
  auto ecrireGroupe = [&] {
    if (groupe.empty()) return;
    ok = fichierDonnees_.EcrireA(debutGroupe, groupe.data(), groupe.size());
    // On its way to the disk while the next group is gathered.
    if (ok) fichierDonnees_.LancerEcriture(debutGroupe, static_cast<std::int64_t>(groupe.size()));
    groupe.clear();
  };
  for (auto it = recouvrement_.begin(); ok && it != recouvrement_.end(); ++it) {
    // The header goes last, from the lot's own copy of it.
    const std::int64_t de = std::max<std::int64_t>(it->first, TailleEntete);
    if (de >= Fin(*it)) continue;
    const std::int64_t finGroupe = debutGroupe + static_cast<std::int64_t>(groupe.size());
    if (!groupe.empty() && projection_ != nullptr && de <= tailleDonneesLot_ &&
        de - finGroupe <= EcartJoint) {
      groupe.insert(groupe.end(), projection_ + finGroupe, projection_ + de);
    } else {
      ecrireGroupe();
      debutGroupe = de;
    }
    groupe.insert(groupe.end(), it->second.begin() + (de - it->first), it->second.end());
    if (groupe.size() >= TailleTampon) ecrireGroupe();
  }
  if (ok) ecrireGroupe();
  for (std::size_t i = 0; ok && i < journalIndex_.size(); ++i) {
    ok = fichierIndex_.EcrireA(journalIndex_[i].pos, journalIndex_[i].octets.data(),
                               journalIndex_[i].octets.size());
  }
  auto synchroniserDonnees = [this] { return fichierDonnees_.Synchroniser(); };
  auto synchroniserIndex = [this] { return fichierIndex_.Synchroniser(); };
  if (ok && sansJournal_ && enteteSale_) {
    // Without a journal, the header that makes the collection hold what was written goes to
    // the disk after the rest; the folder, which may hold a new pair, with the rest.
    ok = ToutesEnParallele({synchroniserDonnees, synchroniserIndex,
                            [this] { return FichierBrut::SynchroniserDossierDe(cheminJournal_); }});
    return ok && fichierDonnees_.EcrireA(0, enteteLot_, TailleEntete) &&
           fichierDonnees_.Synchroniser();
  }
  if (ok && enteteSale_) ok = fichierDonnees_.EcrireA(0, enteteLot_, TailleEntete);
  // A lot that changed records only (a consistency pass) left the index as it was.
  if (journalIndex_.empty()) return ok && synchroniserDonnees();
  return ok && ToutesEnParallele({synchroniserDonnees, synchroniserIndex});
}

void EtatPaire::TerminerLot() {
  Deprojeter();
  verrouRefuse_ = false;
  journalOuvert_ = false;
  journalSurDisque_ = false;
  sansJournal_ = false;
  journalLot_ = {};
  lotEchoue_ = false;
  finDirecte_ = 0;
  RendreTampon(tampon_);
  debutTampon_ = 0;
  recouvrement_.clear();
  journalIndex_.clear();
  enteteSale_ = false;
  profondeurLot_ = 0;
  if (verrouLecture_) {
    fichierDonnees_.Deverrouiller();
    verrouLecture_ = false;
  }
  if (profondeurEcriture_ == 0) LacherEcriture();
}

// The lots are written out under their journals: first the group file when there are several
// pairs, then each pair's journal, then the changes, flushed. Removing the group file (or the
// lone journal) is the moment the lots land; before it, a stop leaves journals that put every
// pair back as it was. A write that fails puts them back at once.
bool EtatPaire::EcrireLots(const std::vector<EtatPaire*>& etats) {
  std::vector<EtatPaire*> sales;
  bool ok = true;
  std::string cheminGroupe;
  for (EtatPaire* e : etats) {
    if (!e->journalLot_.groupe.empty()) {
      cheminGroupe = DossierDe(e->cheminJournal_) + e->journalLot_.groupe;
    }
    if (!e->Sale()) {
      // A lot that wrote nothing has nothing to undo: its journal goes.
      if (e->journalSurDisque_) FichierBrut::Supprimer(e->cheminJournal_);
      continue;
    }
    sales.push_back(e);
    ok = ok && !e->lotEchoue_;
  }
  std::vector<JournalPaire> journaux(sales.size());
  // A journal already on the disk (with the sizes) puts the pair back whatever happens next.
  std::vector<bool> journalEcrit(sales.size(), false);
  for (std::size_t i = 0; i < sales.size(); ++i) {
    ok = sales[i]->ViderTampon() && ok;
    journalEcrit[i] = sales[i]->journalSurDisque_;
    journaux[i] = sales[i]->journalLot_;
    ok = ok && sales[i]->verrouEcriture_ && sales[i]->PreparerJournal(journaux[i]);
  }
  if (ok && sales.size() > 1 && cheminGroupe.empty()) {
    cheminGroupe = CreerGroupe(sales);
    ok = !cheminGroupe.empty();
  }
  // A lone lot on an empty collection keeps its journal in memory, to undo a failed write.
  const bool sansJournal = sales.size() == 1 && sales[0]->sansJournal_;
  for (std::size_t i = 0; ok && !sansJournal && i < sales.size(); ++i) {
    journaux[i].groupe = NomDeFichier(cheminGroupe);
    const std::vector<unsigned char> octets = EncoderJournal(journaux[i]);
    ok = journalEcrit[i] ? FichierBrut::RemplacerSynchronise(sales[i]->cheminJournal_, octets)
                         : FichierBrut::EcrireNeufSynchronise(sales[i]->cheminJournal_, octets);
    journalEcrit[i] = journalEcrit[i] || ok;
  }
  for (std::size_t i = 0; ok && i < sales.size(); ++i)
    ok = sales[i]->AppliquerLot();
  for (std::size_t i = 0; i < sales.size(); ++i) {
    if (journalEcrit[i] || sansJournal) sales[i]->Horodater();
  }

  if (ok) {
    // The lots land here.
    const std::string marque = !cheminGroupe.empty() ? cheminGroupe
                               : sales.empty()       ? std::string()
                                                     : sales[0]->cheminJournal_;
    // (A group of lots that all wrote nothing leaves its group file to go here too.)
    const bool marqueOtee = !marque.empty() && !sansJournal;
    if (marqueOtee) {
      FichierBrut::Supprimer(marque);
      FichierBrut::SynchroniserDossierDe(marque);
    }
    for (EtatPaire* e : sales) {
      if (!marqueOtee || e->cheminJournal_ != marque) FichierBrut::Supprimer(e->cheminJournal_);
    }
  } else {
    bool remis = true;
    for (std::size_t i = 0; i < sales.size(); ++i) {
      EtatPaire& e = *sales[i];
      // Without its journal on the disk the pair was not written yet; with it, a journal that
      // cannot be applied now stays, with its group, for the next start to apply.
      if (!journalEcrit[i] && !sansJournal) continue;
      if (AnnulerSelonJournal(journaux[i], e.fichierIndex_, e.fichierDonnees_)) {
        FichierBrut::Supprimer(e.cheminJournal_);
      } else {
        remis = false;
      }
    }
    if (remis && !cheminGroupe.empty()) FichierBrut::Supprimer(cheminGroupe);
    for (EtatPaire* e : sales) {
      ++e->erreursES_;
      e->enteteConnu_ = false;  // the mirror holds the lot: reload it from the files
    }
  }
  for (EtatPaire* e : etats)
    e->TerminerLot();
  return ok;
}

// The group file of lots that land together: in the first pair's folder, naming each pair's
// journal. Its path, or empty when it could not be written.
std::string EtatPaire::CreerGroupe(const std::vector<EtatPaire*>& etats) {
  if (etats.empty()) return {};
  const std::string chemin = DossierDe(etats[0]->cheminJournal_) + NomDeGroupe();
  std::string membres;
  for (EtatPaire* e : etats)
    membres += NomDeFichier(e->cheminJournal_) + "\n";
  const bool ok = FichierBrut::EcrireNeufSynchronise(
      chemin, std::vector<unsigned char>(membres.begin(), membres.end()));
  return ok ? chemin : std::string();
}

}  // namespace velquor
