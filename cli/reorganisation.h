#pragma once
// The rebuild of a record file pair into a balanced tree and a compact data file, without dead
// nodes or dead records. The new pair is what the tree's own additions write when the names come
// middle first, so the legacy program reads it as any other pair, and walks it fast.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/verification_paire.h"

namespace velquor::outils {

struct MesurePaire {
  std::int64_t octetsIndex = 0, octetsDonnees = 0;
  std::int64_t nbEnreg = 0;
  int profondeur = 0;  // nodes on the longest path from the root
};

struct BilanReorganisation {
  bool fait = false;
  bool verrouillee = false;  // the program (or another companion) has the pair open
  std::string erreur;        // French, when not done for another reason
  MesurePaire avant, apres;
  std::vector<std::string> remarques;  // what was found and set right (French, UTF-8)
};

// Rebuilds BASE.NDX/BASE.DAT of the current directory. The new pair is written beside the old
// one, flushed to the disk, then renamed over it; the old pair stays as BASE.NDX.bak and
// BASE.DAT.bak. Every record the index reaches is kept, in name order. Refused while another
// program holds the pair open.
BilanReorganisation ReorganiserPaire(const DescriptionPaire& paire);

}  // namespace velquor::outils
