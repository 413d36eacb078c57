// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/pfichier.h"

#include <cstring>
#include <limits>

#include "store/creation_paire.h"
#include "store/etat_paire.h"
#include "store/fichier_brut.h"
#include "store/garde_ecriture.h"
#include "store/rapport_vantor.h"

namespace velquor {

PFichier::PFichier(std::string_view libelle, std::string_view nomBase, std::string_view extIndex,
                   std::string_view extDonnees, std::size_t tailleEnreg)
    : libelle_(libelle.substr(0, 128)),
      // A folder may come before the name: a search's new result is written aside.
      nomBase_(nomBase.substr(nomBase.find_last_of('/') + 1, 8)),
      nomIndex_(std::string(nomBase.substr(0, nomBase.find_last_of('/') + 1)) + nomBase_ + "." +
                std::string(extIndex.substr(0, 3))),
      nomDonnees_(nomIndex_.substr(0, nomIndex_.size() - extIndex.substr(0, 3).size()) +
                  std::string(extDonnees.substr(0, 3))),
      tailleEnreg_(tailleEnreg) {}

PFichier::~PFichier() {
  Fermer();
}

std::string_view PFichier::NomPluriel() const {
  if (nomBase_ == "FAMILLE") return "familles";
  if (nomBase_ == "INGRED")
    return "ingr\xE9"
           "dients";
  if (nomBase_ == "COCKTAIL") return "cocktails";
  if (nomBase_ == "RESURECH") return "r\xE9sultats";
  return nomBase_;
}

bool PFichier::Creer() {
  return CreerPaire(nomIndex_, nomDonnees_);
}

bool PFichier::Ouvrir() {
  if (etat_) return false;
  etat_ = EtatPaire::Ouvrir(nomIndex_, nomDonnees_);
  if (!etat_) return false;
  // A data file that cannot take its first header is of no use: report the open as failed.
  if (!MajEntete('I')) {
    Fermer();
    return false;
  }
  return true;
}

bool PFichier::OuvrirExclusif(bool* occupee) {
  if (etat_) return false;
  etat_ = EtatPaire::Ouvrir(nomIndex_, nomDonnees_, EtatPaire::Acces::Exclusif, occupee);
  if (!etat_) return false;
  // A data file that cannot take its first header is of no use: report the open as failed.
  if (!MajEntete('I')) {
    Fermer();
    return false;
  }
  return true;
}

bool PFichier::OuvrirEnLecture() {
  if (etat_) return false;
  etat_ = EtatPaire::Ouvrir(nomIndex_, nomDonnees_);
  lectureSeule_ = etat_ != nullptr;
  return lectureSeule_;
}

long PFichier::ErreursES() const {
  return etat_ ? etat_->ErreursES() : 0;
}

void PFichier::Fermer() {
  etat_.reset();
  lectureSeule_ = false;
  PtrEnreg = AucunLien;
}

// The counts as the header gives them. A header shorter than 8 bytes is that of a new, empty
// file: both counts are 0. When the files cannot be read, both counts are 0 as well (every
// operation then finds nothing), and false says that nothing is known.
bool PFichier::LireEnteteSure(std::size_t* octetsLus) {
  EtatPaire::Entete entete;
  entete.Erreur = !etat_;
  if (etat_) entete = etat_->LireEntete();
  NbEnreg = entete.NbEnreg;
  NbSuppr = entete.NbSuppr;
  if (octetsLus) *octetsLus = entete.OctetsLus;
  return !entete.Erreur;
}

void PFichier::LireEntete() {
  LireEnteteSure();
}

bool PFichier::EcrireEntete() {
  return etat_ && etat_->EcrireEntete(NbEnreg, NbSuppr);
}

bool PFichier::MajEntete(char code) {
  // Opening a pair whose header is there writes nothing: no lock to take.
  std::size_t lus = 0;
  if (code == 'I' && LireEnteteSure(&lus) && lus == TailleEntete) return true;
  GardeEcriture garde(EtatPourEcrire());
  if (!garde) return false;
  // A header that cannot be read is never rewritten from a guess.
  if (!LireEnteteSure(&lus)) return false;
  switch (code) {
    case 'A':
      // A negative count is read as an empty collection.
      if (NbEnreg < 0) NbEnreg = 0;
      if (NbEnreg < std::numeric_limits<std::int32_t>::max()) ++NbEnreg;
      break;
    case 'I':
      // An existing header is left as it is; only a new file receives its zero header. The new
      // pair, both names and the header, then reaches the disk before anything is written to
      // it: no stop leaves nodes beside a data file without its header, or an index alone.
      if (lus == TailleEntete) return garde.Fin(true);
      return garde.Fin(EcrireEntete() && etat_->SynchroniserNouvelle());
    case 'S':
      NbEnreg = NbEnreg > 0 ? NbEnreg - 1 : 0;
      ++NbSuppr;
      break;
    default:
      return false;
  }
  return garde.Fin(EcrireEntete());
}

void PFichier::Lire() {
  if (etat_) etat_->LireSansCopie();
  LireEnreg();
}

bool PFichier::LireEnreg() {
  if (PtrEnreg < 0) {
    Erreur(501);
    return false;
  }
  unsigned char* enreg = OctetsEnreg();
  std::int64_t lus = 0;
  if (etat_ && noeud_.PosEnreg >= TailleEntete) {
    lus = etat_->LireDonnees(noeud_.PosEnreg, enreg, tailleEnreg_);
  }
  // A short read leaves no bytes of the previous record behind; a failed one leaves none at all.
  const std::size_t gardes = lus > 0 ? static_cast<std::size_t>(lus) : 0;
  std::memset(enreg + gardes, 0, tailleEnreg_ - gardes);
  return lus >= 0;
}

bool PFichier::Modifier() {
  GardeEcriture garde(EtatPourEcrire());
  LireEntete();
  if (NbEnreg < 1 || !garde) return false;
  if (PtrEnreg < 0) {
    Erreur(201);
    return garde.Fin(true);
  }
  // A node pointing into the header is damaged: writing there would destroy the counts. One
  // pointing past the end of the data file would grow it to that size: both are refused.
  if (noeud_.PosEnreg < TailleEntete || noeud_.PosEnreg > etat_->TailleDonnees()) return false;
  NormaliserEnreg();
  return garde.Fin(etat_->EcrireDonnees(noeud_.PosEnreg, OctetsEnreg(), tailleEnreg_));
}

void PFichier::Erreur(int code) const {
  if (const char* texte = TexteErreurStore(code)) RapporteurVantor().Afficher(texte);
}

}  // namespace velquor
