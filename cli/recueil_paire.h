#pragma once
// What a rebuild can still take from a pair's bytes, whatever its header and links say: every
// record that a node on a 47-byte boundary ties to its name (the node's key is the name stored
// in the record it points to, a record on a record boundary inside the data file).
//
// Deletions leave dead nodes and records in the files by design; on a sound tree only the names
// it reaches are live. When links are broken, a node the tree no longer reaches may be a live
// name cut off by the damage or a deleted one. It is taken for live when it hangs from the
// damage: its parent is reached and the link on its side is broken (outside the file, off a node
// boundary, to a node already reached, or to a node that does not name that parent back), or its
// parent is no node at all, or it hangs from such a node by links that agree both ways.
// Otherwise its parent no longer leads to it, which is what a deletion leaves: it is taken for
// dead; and when no link is broken at all, every node the tree does not reach is. Names found so
// are reported, so that the user can delete them again.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/verification_paire.h"

namespace velquor::outils {

struct EnregistrementRecueilli {
  std::string cle;                    // code page 1252, at most 30 bytes
  std::vector<unsigned char> octets;  // the record, each text ending inside its field
  std::int32_t noeud = 0;             // the node it was found through
  bool horsArbre = false;             // a name the tree no longer reaches
};

struct Recueil {
  std::vector<EnregistrementRecueilli> enregs;  // in our name order, each name once
  std::int32_t nbEnreg = 0;                     // as the header says (0 without a header)
  bool entete = false;                          // the data file has its 8-byte header
  std::int64_t atteints = 0;                    // nodes the tree reaches from its root
  std::int64_t parArbre = 0;                    // records kept through those nodes
  std::int64_t horsArbre = 0;          // records kept through nodes the tree no longer reaches
  std::int64_t morts = 0;              // unreached nodes taken for deleted names, left out
  std::int64_t nomsDifferents = 0;     // reached nodes whose record carries another name
  std::int64_t horsDonnees = 0;        // reached nodes whose record is not in the data file
  std::int64_t liensCasses = 0;        // links the walk could not follow, or that disagree
  std::int64_t doublons = 0;           // names reached twice, kept once
  std::int64_t coupes = 0;             // texts of reached records without their terminator, cut
  int profondeur = 0;                  // nodes on the longest path the walk took
  std::vector<std::string> remarques;  // French, UTF-8: what was cut, found, left out

  // Nothing to set right: the tree reaches every record the header counts, and all of them
  // whole. Only such a pair's backup may be replaced by a pair holding all of its records.
  bool Sain() const;
  // Most reached nodes point to records of other names: an index and a data file that do not
  // belong together. Rebuilding from them would keep almost nothing.
  bool Depareillee() const;
};

Recueil RecueillirPaire(const DescriptionPaire& paire, const std::vector<unsigned char>& index,
                        const std::vector<unsigned char>& donnees);

}  // namespace velquor::outils
