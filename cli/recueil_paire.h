// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a rebuild can still take from a pair's bytes, whatever its header and links say. Neither
// file is trusted alone: the names come from the index, the records from the data file, and the
// two are paired by name.
//
// The live names are the keys of the live nodes. A node is live when the tree reaches it from
// its root (following every link that starts on a node boundary inside the file and leads to a
// node not reached yet), or when it hangs from the damage. Deletions leave dead nodes and
// records in the files by design; a deletion leaves its node's parent leading elsewhere, so when
// no link is broken at all, every node the tree does not reach is dead. Otherwise an unreached
// node is live when it is the child a damaged link of a live parent led to: the link leads to a
// node that belongs to another parent, or nowhere with a value nearer the node's place than
// "none". A side has one child: of the candidates, the one whose own children name it back (a
// deleted node's children have left it), then the nearest, then the latest. What a live node
// links to is live too. A node whose parent field is no node at all is dead: its parent, had it
// been live, would still lead to it.
//
// Each live node then yields one name and its record:
// - its key, with the record it points to when that record carries the key (a name field that
//   lost its terminator but begins with the key counts);
// - else its key, with a record on a record boundary that carries the key: the position in the
//   node was damaged (of several such records, one a live node points to, else the last
//   written);
// - else its key, with the record it points to when that record's name field is unreadable;
// - else the name its record carries, with the record, when no live node has that name as its
//   key: the key was damaged (or a record no node points to, whose name differs from the key in
//   a byte or two: the key and the position were both damaged);
// - else its key, with a record holding nothing but the name: the recipe is lost, the name stays.
// So a record comes back only through a live node, which points to it or names it: the records
// of deleted names stay out, and every record left out is listed with its reason.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/verification_paire.h"

namespace velquor::outils {

enum class Origine {
  Arbre,        // a node the tree reaches, with its record
  HorsArbre,    // a node the tree no longer reaches, with its record
  Donnees,      // a key, with a record found in the data file by its name
  NomAbime,     // a key, with the record it points to, whose name field was unreadable
  NomEnreg,     // the name a record carries, given by a node with a damaged key
  DeuxNoms,     // a key a byte or two from its record's name: the record, under each name
  SansRecette,  // a key whose record is lost: the name is kept with an empty record
};
inline constexpr int NbOrigines = 7;

struct EnregistrementRecueilli {
  std::string cle;                    // code page 1252, at most 30 bytes
  std::vector<unsigned char> octets;  // the record, each text ending inside its field
  std::int32_t noeud = 0;             // the node it was found through
  Origine origine = Origine::Arbre;
};

struct Recueil {
  std::vector<EnregistrementRecueilli> enregs;  // in our name order, each name once
  std::int32_t nbEnreg = 0;                     // as the header says (0 without a header)
  bool entete = false;                          // the data file has its 8-byte header
  std::int64_t atteints = 0;                    // nodes the tree reaches from its root
  std::int64_t parOrigine[NbOrigines] = {};     // names kept, by where they came from
  std::int64_t morts = 0;                       // unreached nodes taken for deleted names, left out
  std::int64_t nomsDifferents = 0;              // reached nodes whose record carries another name
  std::int64_t horsDonnees = 0;          // reached nodes whose record is not in the data file
  std::int64_t liensCasses = 0;          // links the walk could not follow, or that disagree
  std::int64_t doublons = 0;             // live nodes of a name already kept
  std::int64_t coupes = 0;               // texts of kept records without their terminator, cut
  std::int64_t laisses = 0;              // records of the data file left out
  int profondeur = 0;                    // nodes on the longest path the walk took
  std::vector<std::string> sansRecette;  // French, UTF-8: each name kept without its record
  std::vector<std::string> remarques;    // French, UTF-8: what was cut, found, left out
  std::int64_t nbRemarques = 0;          // the first 200 of them are kept

  std::int64_t Gardes(Origine o) const { return parOrigine[static_cast<int>(o)]; }
  // Nothing to set right: the tree reaches every record the header counts, and all of them
  // whole. Only such a pair's backup may be replaced by a pair holding all of its records.
  bool Sain() const;
  // Most reached nodes point to records of other names: an index and a data file that do not
  // belong together. Rebuilding from them would keep almost nothing.
  bool Depareillee() const;
  // Whether any name kept its record: none means a data file holding nothing of the index's.
  bool AucuneRecette() const;
};

Recueil RecueillirPaire(const DescriptionPaire& paire, const std::vector<unsigned char>& index,
                        const std::vector<unsigned char>& donnees);

}  // namespace velquor::outils
