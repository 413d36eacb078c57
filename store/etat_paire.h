// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of one open file pair, shared by every object of this process that has the same
// files open: the handles, the header as last seen, a mirror of the index file, and the views of
// the names. Writes go through it, so every object sees every change at once; another program's
// changes are seen because each operation starts by re-reading the header, and the mirror is
// reloaded whenever the counters or the index size differ from what this process last wrote or
// read (every change of the index changes a counter).
//
// Several programs may have a pair open (a shared lock on the index file says so; the companion's
// writing commands take it exclusively, and so refuse a pair that a program has open). Writing
// takes a second lock, exclusive, on the data file: each operation outside a lot holds it from
// its first read to its last write, and a lot from its first write (or its start, when it says it
// will write) until it is written out. A writer that finds the files changed since it last read
// them reloads what it knew before it writes anything, so no write lands on a stale view.
//
// A lot groups many operations (a search run, a consistency pass, an export, filling a list):
// it holds a lock on the data file while it runs (the write lock when it writes, else a shared
// one that keeps writers out), the header is read once at its start, and the writes are kept in
// memory, read back from there, and written out together when the lot ends, under a rollback
// journal (see journal_paire.h): after a kill, a crash or a full disk, either all of a lot is in
// the files or none of it. An operation outside a lot that fails half-way (a full disk) has its
// writes undone, so it leaves no partial record or node behind.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/fichier_brut.h"
#include "store/journal_paire.h"
#include "store/noeud_index.h"
#include "store/vue_ordonnee.h"

namespace velquor {

class EtatPaire {
 public:
  enum class Acces {
    Partage,  // as the program opens a pair: other programs may have it open too
    Exclusif  // as the companion's writing commands do: refused when anyone else has it open
  };
  // Opens both files read-write; the state already open on the same files is shared. With
  // Exclusif, occupee (when given) says whether the refusal came from another program.
  static std::shared_ptr<EtatPaire> Ouvrir(const std::string& nomIndex,
                                           const std::string& nomDonnees,
                                           Acces acces = Acces::Partage, bool* occupee = nullptr);
  ~EtatPaire();
  EtatPaire(const EtatPaire&) = delete;
  EtatPaire& operator=(const EtatPaire&) = delete;

  struct Entete {
    std::int32_t NbEnreg = 0;
    std::uint32_t NbSuppr = 0;
    std::size_t OctetsLus = 0;  // fewer than 8 for a new, empty data file
    bool Erreur = false;        // the files could not be read: nothing is known
  };
  // The header at the start of an operation (outside a lot, re-read from the file unless the
  // data file is provably untouched since: see Calme). When it or the index size changed since
  // this process last saw them, the mirror is reloaded.
  Entete LireEntete();
  // The next record read goes to the file: it follows no check of this operation.
  void LireSansCopie() { copiePermise_ = false; }
  bool EcrireEntete(std::int32_t nbEnreg, std::uint32_t nbSuppr);
  // Flushes a new pair: the data file and the folder that holds both names.
  bool SynchroniserNouvelle();

  bool LireNoeud(std::int32_t pos, NoeudIndex& noeud) const;
  // Hints that a walk will soon read the record at pos, or the node at pos: while a lot holds the
  // data file as it found it (mapped or copied), the bytes are brought into the processor's cache
  // ahead of the read. Anticipe says whether the lot holds it.
  void AnticiperEnreg(std::int64_t pos, std::size_t tailleEnreg) const;
  void AnticiperNoeud(std::int32_t pos) const {
    if (pos > 0 && static_cast<std::size_t>(pos) < index_.size())
      __builtin_prefetch(index_.data() + pos);
  }
  bool Anticipe() const { return projection_ != nullptr; }
  bool EcrireNoeud(std::int32_t pos, const NoeudIndex& noeud);
  std::int64_t TailleIndex() const { return static_cast<std::int64_t>(index_.size()); }

  // Bytes read (fewer at the end of the file), or -1 when the read failed.
  std::int64_t LireDonnees(std::int64_t pos, void* destination, std::size_t n);
  bool EcrireDonnees(std::int64_t pos, const void* source, std::size_t n);
  std::int64_t TailleDonnees();

  // Write access for one operation (nested calls count). False when the pair could not be had
  // in time; the operation must then write nothing. FinEcriture says whether the operation
  // succeeded: outside a lot, one that failed has every write it made undone.
  bool DebutEcriture();
  void FinEcriture(bool reussie);
  // How long a writer waits for another program's write to end (20 seconds; tests shorten it).
  static void DefinirDelaiEcriture(int ms);
  // The size of the buffer in which a writing lot gathers what it adds (1 MB; tests make it
  // small, so that a short lot sends its additions to the file before it lands).
  static void DefinirTailleTampon(std::size_t octets);
  // The largest data file a lot copies whole rather than maps (2 MB; tests set 0 to map them).
  static void DefinirCopieMax(std::int64_t octets);

  // The ordered view of a sound tree sorted in the program's name order, or nullptr when the
  // tree must be walked node by node.
  VueOrdonnee* Vue();
  // Where the ordered view cannot serve (a tree built in another order, or a damaged one): the
  // node of each name reachable from the root, so that a name is found whatever the order the
  // tree was built in. nullptr when the ordered view serves.
  const std::unordered_map<std::string, std::int32_t>* NomsExacts();
  // After an addition or a deletion made without the ordered view: kept in step when the tree is
  // sound, rebuilt at the next request otherwise.
  void NoteAjout(const std::string& nom, std::int32_t pos);
  void NoteSuppression(const std::string& nom, std::int32_t deplaceVersRacine,
                       const std::string& nomDeplace);
  void OublierVue() { etatVue_ = EtatVue::ARefaire; }
  // Changes each time an entry may have left the ordered view (rebuilt, emptied, an entry
  // erased), never to a value another pair had: an iterator into the view that an object keeps
  // is good while the generation it was taken at is current.
  std::uint64_t GenerationVue() const { return generationVue_; }
  // The ordered view when it is built and sound, without building it: a walk in name order goes
  // through the tree's links as fast as through the view, and needs none built for it.
  VueOrdonnee* VueSiConstruite();
  // With the view cut off, a sound tree is walked node by node as a damaged one is: the tests
  // run the same operations both ways and compare. Off by default.
  static void CouperVue(bool coupee);
  void EffacerDeLaVue(VueOrdonnee::iterator entree);

  const std::string& CheminJournal() const { return cheminJournal_; }

  // Reads and writes of the files that failed since the pair was opened in this process.
  long ErreursES() const { return erreursES_; }

  // A lot that says it will write takes the write lock at once, so that what it reads cannot
  // change before it writes.
  // A writing lot keeps its journal on the disk from its start (groupe: the group file of the
  // lots it lands with, when they have one), unless journaliser says otherwise.
  void DebutLot(bool ecriture = false, const std::string& groupe = {}, bool journaliser = true);
  // Writes out what the lot kept, all or nothing; false when it could not be written (the files
  // are then as they were before the lot).
  bool FinLot();
  // Ends the lot without writing it out when it is one of several written out together.
  bool QuitterLotSansEcrire();
  // Drops what the lot kept: the files stay as they were before it (false when what it had
  // added could not be cut off: its journal then stays for the next start).
  bool AbandonnerLot();
  // Writes out the lots of several pairs as one: either every change lands, or none.
  static bool EcrireLots(const std::vector<EtatPaire*>& etats);
  static std::string CreerGroupe(const std::vector<EtatPaire*>& etats);

 private:
  EtatPaire();
  bool Recharger();
  Entete RelireEntete();
  void Recouvrir(std::int64_t pos, const unsigned char* source, std::size_t n);
  void Journaliser(std::int64_t pos, const unsigned char* octets, std::size_t n);
  void ConstruireVue();
  void ConstruireNomsExacts();
  std::string_view CleDansMiroir(std::int32_t pos) const;
  bool Sale() const;
  bool PreparerJournal(JournalPaire& journal);
  bool AppliquerLot();
  void TerminerLot();
  bool ViderTampon();
  void Deprojeter();
  void Horodater();
  void LacherEcriture();
  void ReprendreSiAbandonne();
  void SauverAvant(bool index, std::int64_t pos, std::size_t n);
  void Defaire();

  // What tells whether another program changed the files: sizes, times of change and header.
  struct Signature {
    std::int64_t tailleIndex = -1, tailleDonnees = -1;
    long long modifIndex = 0, modifDonnees = 0;
    unsigned char entete[TailleEntete] = {};
    bool operator==(const Signature&) const = default;
  };
  std::optional<Signature> LireSignature() const;

  struct Cle {
    unsigned long long dev, ino;
    bool operator<(const Cle& autre) const {
      return dev != autre.dev ? dev < autre.dev : ino < autre.ino;
    }
  };
  static std::map<Cle, std::weak_ptr<EtatPaire>>& Registre();

  Cle cle_{};
  FichierBrut fichierIndex_;
  FichierBrut fichierDonnees_;
  std::string cheminJournal_;
  Acces acces_ = Acces::Partage;
  Entete entete_;
  bool enteteConnu_ = false;
  long erreursES_ = 0;

  // Outside lots, each operation must see what another program wrote. The header and the
  // index's size are read again at each one, unless the data file's size and date are still
  // those taken before the last such reading, at which time no write had touched it for a while
  // (longer than any file system's grain of time): every writer changes the date, ours to a
  // later one each time. While that holds, one operation may take its record from a copy of
  // the file (a small one), so that a walk makes one system call a step.
  struct Calme {
    std::int64_t taille;
    long long date;
  };
  std::optional<Calme> CalmeActuel() const;
  bool Inchange();
  void OublierCalme();
  std::optional<Calme> calme_;
  bool copiePermise_ = false;  // the operation under way checked calme_: one read may use the copy
  bool copieHorsLotFaite_ = false;
  std::vector<unsigned char> copieHorsLot_;
  std::vector<unsigned char> index_;  // the whole index file

  enum class EtatVue { ARefaire, Saine, NonTriee, Abimee };
  EtatVue etatVue_ = EtatVue::ARefaire;
  VueOrdonnee vue_;
  std::uint64_t generationVue_;
  std::unordered_map<std::string, std::int32_t> nomsExacts_;

  // Write access: the lock on the data file, how many operations use it, and, outside a lot,
  // what the running operation overwrote (in the order written) and the sizes before it.
  bool verrouEcriture_ = false;
  bool verrouRefuse_ = false;  // in a lot: the lock did not come in time
  int profondeurEcriture_ = 0;
  struct Avant {
    std::int64_t tailleIndex = 0, tailleDonnees = 0;
    bool ecrit = false;  // whether the operation wrote anything yet
    std::vector<JournalPaire::Extrait> extraits;
  };
  std::optional<Avant> avant_;

  // Lot: depth, the lock it holds to read, the files as it found them, the bytes it wrote over
  // the data file (disjoint ranges by start) and its header, and the index writes in the order
  // they were made (each with its bytes of the moment), so that they reach the file in the order
  // that keeps every name in the tree at every step. A write next to the one before it joins it.
  struct EcritureIndex {
    std::int64_t pos;
    std::vector<unsigned char> octets;
  };
  int profondeurLot_ = 0;
  bool verrouLecture_ = false;
  const unsigned char* projection_ = nullptr;  // the data file as the lot found it
  std::vector<unsigned char> copieLot_;        // ... when it is small enough to be copied
  const unsigned char* ProjeterDonnees();
  Signature signatureLot_;
  std::int64_t tailleDonneesLot_ = 0, tailleIndexLot_ = 0;
  // A writing lot whose journal (with the two sizes, until it is written out) goes to the disk
  // before anything else: what it writes past the data file's size goes to the file as it comes,
  // through a buffer, up to finDirecte_; a failed write makes the whole lot fail.
  bool journalOuvert_ = false;
  bool journalSurDisque_ = false;
  bool sansJournal_ = false;  // the collection was empty when the lot began
  JournalPaire journalLot_;
  std::int64_t finDirecte_ = 0;
  bool lotEchoue_ = false;
  std::vector<unsigned char> tampon_;  // bytes from debutTampon_ on, not yet in the file
  std::int64_t debutTampon_ = 0;
  std::map<std::int64_t, std::vector<unsigned char>> recouvrement_;
  unsigned char enteteLot_[TailleEntete] = {};
  bool enteteSale_ = false;
  std::vector<EcritureIndex> journalIndex_;
};

}  // namespace velquor
