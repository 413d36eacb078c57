// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A record file pair: an index file (NDX) holding an unbalanced binary tree of the record names
// in fixed 47-byte nodes, and a data file (DAT) holding an 8-byte header and fixed-size records.
// Several objects may have the same pair open at once, each with its own current record; the
// header is re-read from the file at the start of every operation.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "store/enregistrements.h"
#include "store/noeud_index.h"
#include "store/vue_ordonnee.h"

namespace velquor {

class EtatPaire;

class PFichier {
 public:
  virtual ~PFichier();
  PFichier(const PFichier&) = delete;
  PFichier& operator=(const PFichier&) = delete;

  // File pair. Creer makes an empty index and a data file holding its header; a creation that
  // a stop cut short is finished (store/creation_paire.h).
  bool Creer();
  bool Ouvrir();
  // Opens the pair for a command that must have it to itself (the companion's import): false,
  // with occupee set, when another program has it open.
  bool OuvrirExclusif(bool* occupee = nullptr);
  // Opens the pair as Ouvrir does but writes nothing, for readers that must leave the files as
  // they are (the companion's lists): a data file shorter than its header is read as an empty
  // collection and keeps its bytes, and every write through the object is refused.
  bool OuvrirEnLecture();
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
  // Reads and writes of the pair's files that failed since this process opened it: an operation
  // that returned false for that reason, or a walk cut short by it, can be told from the end.
  long ErreursES() const;
  bool EstOuvert() const { return etat_ != nullptr; }
  const std::string& NomBase() const { return nomBase_; }
  const std::string& NomFichierIndex() const { return nomIndex_; }
  const std::string& NomFichierDonnees() const { return nomDonnees_; }
  // The collection's plural noun in code page 1252 ("familles", "ingrédients", ...), the
  // argument of the opening messages.
  std::string_view NomPluriel() const;

 protected:
  PFichier(std::string_view libelle, std::string_view nomBase, std::string_view extIndex,
           std::string_view extDonnees, std::size_t tailleEnreg);

  virtual unsigned char* OctetsEnreg() = 0;
  virtual void NormaliserEnreg() = 0;

 private:
  friend class LotFichier;
  friend class LotGroupe;
  class Parcours;

  bool LireEnteteSure(std::size_t* octetsLus = nullptr);
  bool LireEnreg();
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
  bool Voisin(bool suivant);
  // One step of a walk in name order from the node at pos, node by node.
  enum class Pas { Fait, Fin, Echec };
  Pas PasVoisin(std::int32_t& pos, NoeudIndex& noeud, bool suivant) const;
  // Moves the scout along with a forward walk that stepped from depuis to the node at vers.
  void Eclairer(std::int32_t depuis, std::int32_t vers, const NoeudIndex& noeud);
  // Stands on the node and loads its record; false when the record could not be read.
  bool Positionner(std::int32_t pos, const NoeudIndex& noeud);
  std::int64_t LimitePas() const;

  // The same operations answered from the ordered view of a sound tree.
  bool ChercherDansVue(VueOrdonnee& vue, std::string_view nom);
  bool VoisinDansVue(VueOrdonnee& vue, bool suivant, bool& resultat);
  int ParentDansVue(VueOrdonnee& vue, std::string_view nom, std::int32_t& parent);

  // vue and entree, when given, are the sound tree's view and n's entry in it.
  bool Delier(std::int32_t n, const NoeudIndex& noeud, VueOrdonnee* vue,
              VueOrdonnee::iterator entree, std::int32_t& deplace);
  bool ChangerPere(std::int32_t pos, std::int32_t pere, std::int32_t posEcriture);
  bool ChangerLien(std::int32_t pos, std::int32_t ancien, std::int32_t nouveau);
  bool FixerLien(std::int32_t pos, bool droite, std::int32_t valeur);

  std::string libelle_;
  std::string nomBase_;
  std::string nomIndex_;
  std::string nomDonnees_;
  std::size_t tailleEnreg_;
  // The pair's state for a write, or nullptr when this object was opened to read only.
  EtatPaire* EtatPourEcrire() const { return lectureSeule_ ? nullptr : etat_.get(); }

  std::shared_ptr<EtatPaire> etat_;  // shared with the other objects that have the pair open
  bool lectureSeule_ = false;
  NoeudIndex noeud_;
  // The view's entry of the current node, kept from the last move through the view so that a
  // walk steps to the next name without looking the current one up again; good while the
  // view's generation is the one it was taken at.
  VueOrdonnee::iterator curseurVue_{};
  std::uint64_t generationCurseur_ = 0;
  void RetenirCurseur(VueOrdonnee::iterator entree);
  // A scout runs a few names ahead of a forward walk in a lot and has their records brought
  // into the cache. It only reads the index mirror; where it stands never changes a result.
  struct Eclaireur {
    std::int32_t origine = AucunLien;  // the walk's node it counts from
    std::int32_t pos = AucunLien;
    NoeudIndex noeud;
    int avance = 0;
    bool auBout = false;
  } eclaireur_;
};

}  // namespace velquor
