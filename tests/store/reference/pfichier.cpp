#include "store/reference/pfichier.h"

#include <cstring>
#include <limits>

#include "store/rapport_vantor.h"

namespace velquor::reference {

namespace {

std::int32_t LireMot(const unsigned char* p) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
      static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

void EcrireMot(unsigned char* p, std::int32_t valeur) {
  auto v = static_cast<std::uint32_t>(valeur);
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

}  // namespace

void NoeudIndex::VersOctets(unsigned char (&octets)[Taille]) const {
  EcrireMot(octets, PosEnreg);
  std::memcpy(octets + 4, Cle, TailleNom);
  EcrireMot(octets + 35, Droite);
  EcrireMot(octets + 39, Gauche);
  EcrireMot(octets + 43, Pere);
}

NoeudIndex NoeudIndex::DepuisOctets(const unsigned char (&octets)[Taille]) {
  NoeudIndex n;
  n.PosEnreg = LireMot(octets);
  std::memcpy(n.Cle, octets + 4, TailleNom);
  n.Droite = LireMot(octets + 35);
  n.Gauche = LireMot(octets + 39);
  n.Pere = LireMot(octets + 43);
  return n;
}

PFichier::PFichier(std::string_view nomBase, std::string_view extIndex, std::string_view extDonnees,
                   std::size_t tailleEnreg)
    : nomBase_(nomBase.substr(0, 8)),
      nomIndex_(nomBase_ + "." + std::string(extIndex.substr(0, 3))),
      nomDonnees_(nomBase_ + "." + std::string(extDonnees.substr(0, 3))),
      tailleEnreg_(tailleEnreg) {}

PFichier::~PFichier() {
  Fermer();
}

bool PFichier::Creer() {
  if (!FichierBrut::CreerExclusif(nomIndex_)) return false;
  return FichierBrut::CreerExclusif(nomDonnees_);
}

bool PFichier::Ouvrir() {
  if (index_.Ouvert() || !index_.OuvrirExistant(nomIndex_)) return false;
  if (!donnees_.OuvrirExistant(nomDonnees_)) {
    index_.Fermer();
    return false;
  }
  // A data file that cannot take its first header is of no use: report the open as failed.
  if (!MajEntete('I')) {
    Fermer();
    return false;
  }
  return true;
}

void PFichier::Fermer() {
  index_.Fermer();
  donnees_.Fermer();
  PtrEnreg = AucunLien;
}

std::size_t PFichier::LireEnteteBrute() {
  unsigned char octets[TailleEntete] = {};
  std::size_t lus = donnees_.LireA(0, octets, sizeof octets);
  if (lus < sizeof octets) {
    // A header shorter than 8 bytes is that of a new, empty file.
    NbEnreg = 0;
    NbSuppr = 0;
  } else {
    NbEnreg = LireMot(octets);
    NbSuppr = static_cast<std::uint32_t>(LireMot(octets + 4));
  }
  return lus;
}

void PFichier::LireEntete() {
  LireEnteteBrute();
}

bool PFichier::EcrireEntete() {
  unsigned char octets[TailleEntete];
  EcrireMot(octets, NbEnreg);
  EcrireMot(octets + 4, static_cast<std::int32_t>(NbSuppr));
  return donnees_.EcrireA(0, octets, sizeof octets);
}

bool PFichier::MajEntete(char code) {
  std::size_t lus = LireEnteteBrute();
  switch (code) {
    case 'A':
      // A negative count is read as an empty collection.
      if (NbEnreg < 0) NbEnreg = 0;
      if (NbEnreg < std::numeric_limits<std::int32_t>::max()) ++NbEnreg;
      break;
    case 'I':
      // An existing header is left as it is; only a new file receives its zero header.
      if (lus == TailleEntete) return true;
      break;
    case 'S':
      NbEnreg = NbEnreg > 0 ? NbEnreg - 1 : 0;
      ++NbSuppr;
      break;
    default:
      return false;
  }
  return EcrireEntete();
}

void PFichier::Lire() {
  if (PtrEnreg < 0) {
    Erreur(501);
    return;
  }
  unsigned char* enreg = OctetsEnreg();
  std::size_t lus = 0;
  if (noeud_.PosEnreg >= TailleEntete) lus = donnees_.LireA(noeud_.PosEnreg, enreg, tailleEnreg_);
  // A short read leaves no bytes of the previous record behind.
  std::memset(enreg + lus, 0, tailleEnreg_ - lus);
}

bool PFichier::Modifier() {
  LireEntete();
  if (NbEnreg < 1) return false;
  if (PtrEnreg < 0) {
    Erreur(201);
    return true;
  }
  // A node pointing into the header is damaged: writing there would destroy the counts.
  if (noeud_.PosEnreg < TailleEntete) return false;
  NormaliserEnreg();
  return donnees_.EcrireA(noeud_.PosEnreg, OctetsEnreg(), tailleEnreg_);
}

void PFichier::Erreur(int code) const {
  if (const char* texte = TexteErreurStore(code)) RapporteurVantor().Afficher(texte);
}

}  // namespace velquor::reference
