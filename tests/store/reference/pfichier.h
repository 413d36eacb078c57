#pragma once
// Reference implementation of the record file pair, kept for the differential test: the tree's
// algorithms walked on the files themselves, one read or write per node and per record.
// A record file pair: an index file (NDX) holding an unbalanced binary tree of the record names
// in fixed 47-byte nodes, and a data file (DAT) holding an 8-byte header and fixed-size records.
// Several objects may have the same pair open at once, each with its own current record; the
// header is re-read from the file at the start of every operation.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/enregistrements.h"
#include "store/fichier_brut.h"

namespace velquor::reference {

constexpr std::int32_t AucunLien = -1;
constexpr std::int64_t TailleEntete = 8;

// One node of the index file, 47 bytes on disk, integers little-endian.
struct NoeudIndex {
  static constexpr std::size_t Taille = 47;

  std::int32_t PosEnreg = 0;        // offset of the record in the data file
  char Cle[TailleNom] = {};         // the record's name
  std::int32_t Droite = AucunLien;  // subtree of greater names
  std::int32_t Gauche = AucunLien;  // subtree of lesser names
  std::int32_t Pere = AucunLien;    // parent; none for the root, which is always at offset 0

  void VersOctets(unsigned char (&octets)[Taille]) const;
  static NoeudIndex DepuisOctets(const unsigned char (&octets)[Taille]);
};

class PFichier {
 public:
  virtual ~PFichier();
  PFichier(const PFichier&) = delete;
  PFichier& operator=(const PFichier&) = delete;

  // File pair.
  bool Creer();
  bool Ouvrir();
  void Fermer();
  void LireEntete();
  bool MajEntete(char code);  // 'A' added, 'I' opened, 'S' deleted
  void Lire();
  bool Modifier();
  void Erreur(int code) const;

  // Name index.
  bool Premier();
  bool Dernier();
  bool Suivant();
  bool Precedent();
  bool Chercher(std::string_view nom);
  bool Ajouter(std::string_view nom);
  bool Supprimer();

  std::int32_t NbEnreg = 0;   // live records, header word 0
  std::uint32_t NbSuppr = 0;  // deletions since the data file was initialised, header word 1
  std::int32_t PtrEnreg = AucunLien;  // offset of the current node; none when not positioned

  const NoeudIndex& Noeud() const { return noeud_; }
  bool EstOuvert() const { return index_.Ouvert() && donnees_.Ouvert(); }

 protected:
  PFichier(std::string_view nomBase, std::string_view extIndex, std::string_view extDonnees,
           std::size_t tailleEnreg);

  virtual unsigned char* OctetsEnreg() = 0;
  virtual void NormaliserEnreg() = 0;

 private:
  class Parcours;

  std::size_t LireEnteteBrute();
  bool EcrireEntete();

  // Every node access goes through these two.
  bool LireNoeud(std::int32_t pos, NoeudIndex& noeud) const;
  bool EcrireNoeud(std::int32_t pos, const NoeudIndex& noeud);

  // A link is followed only when it leads to a node that names its origin back, so that a
  // damaged file can neither loop a walk nor lead it out of the tree.
  bool LireEnfant(std::int32_t posParent, std::int32_t posEnfant, NoeudIndex& enfant) const;
  bool LireDescendant(std::int32_t posEnfant, NoeudIndex& enfant) const;
  bool LireParent(std::int32_t posEnfant, const NoeudIndex& enfant, NoeudIndex& parent) const;
  void Descendre(std::int32_t& pos, NoeudIndex& noeud, bool versDroite, Parcours& parcours) const;
  bool Extremite(bool versDroite);
  void Positionner(std::int32_t pos, const NoeudIndex& noeud);
  std::int64_t LimitePas() const;

  bool Delier(std::int32_t n, const NoeudIndex& noeud);
  bool ChangerPere(std::int32_t pos, std::int32_t pere, std::int32_t posEcriture);
  bool ChangerLien(std::int32_t pos, std::int32_t ancien, std::int32_t nouveau);
  bool FixerLien(std::int32_t pos, bool droite, std::int32_t valeur);

  std::string nomBase_;
  std::string nomIndex_;
  std::string nomDonnees_;
  std::size_t tailleEnreg_;
  FichierBrut index_;
  FichierBrut donnees_;
  NoeudIndex noeud_;
};

}  // namespace velquor::reference
