#pragma once
// The state of one open file pair, shared by every object of this process that has the same
// files open: the handles, the header as last seen, a mirror of the index file, and the ordered
// view of the names. Writes go through it, so every object sees every change at once; another
// program's changes are seen because each operation starts by re-reading the header, and the
// mirror is reloaded whenever the counters or the index size differ from what this process
// last wrote or read (every change of the index changes a counter).
//
// A lot groups many operations (a search run, a consistency pass, an export, filling a list):
// the header is read once at its start, records are read from a mirror of the data file, and the
// writes are kept and written out together when the lot ends, in an order that keeps the names
// already stored reachable should the program stop half-way. The bytes written are those the
// operations would have written one by one.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/fichier_brut.h"
#include "store/noeud_index.h"
#include "store/vue_ordonnee.h"

namespace velquor {

class EtatPaire {
 public:
  // Opens both files read-write; the state already open on the same files is shared.
  static std::shared_ptr<EtatPaire> Ouvrir(const std::string& nomIndex,
                                           const std::string& nomDonnees);
  ~EtatPaire();
  EtatPaire(const EtatPaire&) = delete;
  EtatPaire& operator=(const EtatPaire&) = delete;

  struct Entete {
    std::int32_t NbEnreg = 0;
    std::uint32_t NbSuppr = 0;
    std::size_t OctetsLus = 0;  // fewer than 8 for a new, empty data file
    bool Erreur = false;        // the files could not be read: nothing is known
  };
  // The header at the start of an operation (re-read from the file outside a lot). When it or
  // the index size changed since this process last saw them, the mirror is reloaded.
  Entete LireEntete();
  bool EcrireEntete(std::int32_t nbEnreg, std::uint32_t nbSuppr);

  bool LireNoeud(std::int32_t pos, NoeudIndex& noeud) const;
  bool EcrireNoeud(std::int32_t pos, const NoeudIndex& noeud);
  std::int64_t TailleIndex() const { return static_cast<std::int64_t>(index_.size()); }

  // Bytes read (fewer at the end of the file), or -1 when the read failed.
  std::int64_t LireDonnees(std::int64_t pos, void* destination, std::size_t n);
  bool EcrireDonnees(std::int64_t pos, const void* source, std::size_t n);
  std::int64_t TailleDonnees();

  // The ordered view of a sound tree, or nullptr when the tree must be walked node by node.
  VueOrdonnee* Vue();
  // After a change the caller could not follow in the view: rebuilt at the next request.
  void OublierVue() { etatVue_ = EtatVue::ARefaire; }

  // Reads and writes of the files that failed since the pair was opened in this process.
  long ErreursES() const { return erreursES_; }

  void DebutLot();
  // Writes out what the lot kept; false when a write failed (the mirror is then reloaded).
  bool FinLot();

 private:
  EtatPaire() = default;
  bool Recharger();
  void Journaliser(std::int64_t pos, const unsigned char* octets, std::size_t n);
  void ConstruireVue();
  bool Vider();

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
  Entete entete_;
  bool enteteConnu_ = false;
  long erreursES_ = 0;
  std::vector<unsigned char> index_;  // the whole index file

  enum class EtatVue { ARefaire, Saine, Abimee };
  EtatVue etatVue_ = EtatVue::ARefaire;
  VueOrdonnee vue_;

  // Lot: depth, the data file's mirror and the byte ranges written since the lot began, and the
  // index writes in the order they were made (each with its bytes of the moment), so that they
  // reach the file in the order that keeps every name in the tree at every step. A write next
  // to the one before it joins it.
  struct EcritureIndex {
    std::int64_t pos;
    std::vector<unsigned char> octets;
  };
  int profondeurLot_ = 0;
  bool lotEnMemoire_ = false;  // false when the files could not be read: the lot writes through
  std::vector<unsigned char> donnees_;
  std::vector<EcritureIndex> journalIndex_;
  std::map<std::int64_t, std::int64_t> salesDonnees_;  // start -> end
  bool enteteSale_ = false;
};

}  // namespace velquor
