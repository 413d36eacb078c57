#include "store/etat_paire.h"

#include <algorithm>
#include <cstring>

#include "store/champ_texte.h"

namespace velquor {

namespace {

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

void CopierDans(std::vector<unsigned char>& miroir, std::int64_t pos, const void* source,
                std::size_t n) {
  const auto fin = static_cast<std::size_t>(pos) + n;
  if (miroir.size() < fin) miroir.resize(fin, 0);  // a write past the end leaves zeros between
  std::memcpy(miroir.data() + pos, source, n);
}

}  // namespace

std::map<EtatPaire::Cle, std::weak_ptr<EtatPaire>>& EtatPaire::Registre() {
  static std::map<Cle, std::weak_ptr<EtatPaire>> registre;
  return registre;
}

std::shared_ptr<EtatPaire> EtatPaire::Ouvrir(const std::string& nomIndex,
                                             const std::string& nomDonnees) {
  // A rebuild of the pair by the companion may replace the files while this waits for its
  // lock: the files are then opened again.
  for (int essai = 0; essai < 3; ++essai) {
    FichierBrut index, donnees;
    if (!index.OuvrirExistant(nomIndex) || !donnees.OuvrirExistant(nomDonnees)) return nullptr;
    Cle cle;
    if (!index.Identite(cle.dev, cle.ino)) return nullptr;
    auto& registre = Registre();
    if (auto it = registre.find(cle); it != registre.end()) {
      if (auto existant = it->second.lock()) return existant;
    }
    // The lock is advisory: where the file system has none, the pair opens all the same.
    index.VerrouillerPartage();
    if (!index.EstToujours(nomIndex) || !donnees.EstToujours(nomDonnees)) continue;
    std::shared_ptr<EtatPaire> etat(new EtatPaire);
    etat->cle_ = cle;
    etat->fichierIndex_ = std::move(index);
    etat->fichierDonnees_ = std::move(donnees);
    registre[cle] = etat;
    return etat;
  }
  return nullptr;
}

EtatPaire::~EtatPaire() {
  if (lotEnMemoire_) Vider();
  auto& registre = Registre();
  if (auto it = registre.find(cle_); it != registre.end() && it->second.expired()) {
    registre.erase(it);
  }
}

EtatPaire::Entete EtatPaire::LireEntete() {
  if (lotEnMemoire_ && enteteConnu_) return entete_;
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
  index_.assign(static_cast<std::size_t>(std::max<std::int64_t>(taille, 0)), 0);
  const std::int64_t lus = fichierIndex_.Lire(0, index_.data(), index_.size());
  if (taille < 0 || lus != taille) {
    index_.clear();  // nothing is known of the tree: every node read fails
    return false;
  }
  return true;
}

bool EtatPaire::EcrireEntete(std::int32_t nbEnreg, std::uint32_t nbSuppr) {
  unsigned char octets[TailleEntete];
  EcrireMot(octets, nbEnreg);
  EcrireMot(octets + 4, static_cast<std::int32_t>(nbSuppr));
  if (lotEnMemoire_) {
    CopierDans(donnees_, 0, octets, sizeof octets);
    enteteSale_ = true;
  } else if (!fichierDonnees_.EcrireA(0, octets, sizeof octets)) {
    ++erreursES_;
    enteteConnu_ = false;  // what the file holds now is unknown: re-read it next time
    return false;
  }
  entete_ = {nbEnreg, nbSuppr, sizeof octets};
  enteteConnu_ = true;
  return true;
}

bool EtatPaire::LireNoeud(std::int32_t pos, NoeudIndex& noeud) const {
  if (pos < 0 || static_cast<std::size_t>(pos) + NoeudIndex::Taille > index_.size()) return false;
  noeud = NoeudIndex::DepuisOctets(index_.data() + pos);
  return true;
}

bool EtatPaire::EcrireNoeud(std::int32_t pos, const NoeudIndex& noeud) {
  if (pos < 0) return false;
  unsigned char octets[NoeudIndex::Taille];
  noeud.VersOctets(octets);
  if (lotEnMemoire_) {
    Journaliser(pos, octets, sizeof octets);
  } else if (!fichierIndex_.EcrireA(pos, octets, sizeof octets)) {
    ++erreursES_;
    enteteConnu_ = false;  // reload the mirror from the file at the next operation
    return false;
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

std::int64_t EtatPaire::LireDonnees(std::int64_t pos, void* destination, std::size_t n) {
  if (!lotEnMemoire_) {
    const std::int64_t lus = fichierDonnees_.Lire(pos, destination, n);
    if (lus < 0) ++erreursES_;
    return lus;
  }
  if (pos < 0) return -1;
  if (static_cast<std::size_t>(pos) >= donnees_.size()) return 0;
  const std::size_t lus = std::min(n, donnees_.size() - static_cast<std::size_t>(pos));
  std::memcpy(destination, donnees_.data() + pos, lus);
  return static_cast<std::int64_t>(lus);
}

bool EtatPaire::EcrireDonnees(std::int64_t pos, const void* source, std::size_t n) {
  if (pos < 0) return false;
  if (!lotEnMemoire_) {
    if (fichierDonnees_.EcrireA(pos, source, n)) return true;
    ++erreursES_;
    return false;
  }
  CopierDans(donnees_, pos, source, n);
  Marquer(salesDonnees_, pos, pos + static_cast<std::int64_t>(n));
  return true;
}

std::int64_t EtatPaire::TailleDonnees() {
  if (lotEnMemoire_) return static_cast<std::int64_t>(donnees_.size());
  return fichierDonnees_.Taille();
}

VueOrdonnee* EtatPaire::Vue() {
  if (etatVue_ == EtatVue::ARefaire) ConstruireVue();
  return etatVue_ == EtatVue::Saine ? &vue_ : nullptr;
}

// An in-order walk of the whole tree: the view is sound when every link leads to a node that
// names its origin back, no link leads to the root slot, and the names come in strictly
// increasing order. Anything else leaves the tree to the node-by-node walks.
void EtatPaire::ConstruireVue() {
  vue_.clear();
  etatVue_ = EtatVue::Abimee;
  if (entete_.NbEnreg < 1) {
    etatVue_ = EtatVue::Saine;
    return;
  }
  auto enfant = [this](std::int32_t parent, std::int32_t lien, NoeudIndex& noeud) {
    return lien > 0 && LireNoeud(lien, noeud) && noeud.Pere == parent;
  };
  NoeudIndex noeud;
  if (!LireNoeud(0, noeud)) return;
  const std::size_t limite = index_.size() / NoeudIndex::Taille + 1;
  std::size_t pas = 0;
  std::vector<std::pair<std::int32_t, NoeudIndex>> pile;
  std::int32_t pos = 0;
  bool descendre = true;
  std::string_view precedent;
  while (descendre || !pile.empty()) {
    while (descendre) {
      if (++pas > limite) return;
      pile.emplace_back(pos, noeud);
      if (noeud.Gauche == AucunLien) break;
      NoeudIndex gauche;
      if (!enfant(pos, noeud.Gauche, gauche)) return;
      pos = noeud.Gauche;
      noeud = gauche;
    }
    const auto [posCourant, courant] = pile.back();
    pile.pop_back();
    const std::string_view cle = Texte(courant.Cle);
    if (!vue_.empty() && ComparerNoms(precedent, cle) >= 0) return;
    precedent = vue_.emplace_hint(vue_.end(), cle, posCourant)->first;
    descendre = courant.Droite != AucunLien;
    if (descendre) {
      if (!enfant(posCourant, courant.Droite, noeud)) return;
      pos = courant.Droite;
    }
  }
  etatVue_ = EtatVue::Saine;
}

void EtatPaire::DebutLot() {
  if (profondeurLot_++ > 0) return;
  // Validated against the files once, for the whole lot. When they cannot be read, the lot
  // works on the files themselves, as operations outside a lot do.
  if (LireEntete().Erreur) return;
  const std::int64_t taille = fichierDonnees_.Taille();
  donnees_.assign(static_cast<std::size_t>(std::max<std::int64_t>(taille, 0)), 0);
  if (taille < 0 || fichierDonnees_.Lire(0, donnees_.data(), donnees_.size()) != taille) {
    donnees_.clear();  // not an error of the lot's operations: they read the files instead
    return;
  }
  lotEnMemoire_ = true;
}

bool EtatPaire::FinLot() {
  if (profondeurLot_ == 0 || --profondeurLot_ > 0) return true;
  if (!lotEnMemoire_) return true;
  return Vider();
}

// Records first (no node refers to a new record before its own index write), then the index
// writes in the order they were made, then the header: a stop half-way leaves every name stored
// before the lot in the tree, as a stop between two operations would.
bool EtatPaire::Vider() {
  bool ok = true;
  for (const auto& [debut, fin] : salesDonnees_) {
    const std::int64_t de = std::max<std::int64_t>(debut, TailleEntete);
    if (ok && de < fin) {
      ok = fichierDonnees_.EcrireA(de, donnees_.data() + de, static_cast<std::size_t>(fin - de));
    }
  }
  for (std::size_t i = 0; ok && i < journalIndex_.size(); ++i) {
    ok = fichierIndex_.EcrireA(journalIndex_[i].pos, journalIndex_[i].octets.data(),
                               journalIndex_[i].octets.size());
  }
  if (ok && enteteSale_) ok = fichierDonnees_.EcrireA(0, donnees_.data(), TailleEntete);
  salesDonnees_.clear();
  journalIndex_.clear();
  enteteSale_ = false;
  profondeurLot_ = 0;
  lotEnMemoire_ = false;
  donnees_.clear();
  donnees_.shrink_to_fit();
  if (!ok) {
    ++erreursES_;
    enteteConnu_ = false;  // the files hold part of the lot: reload them next time
  }
  return ok;
}

}  // namespace velquor
