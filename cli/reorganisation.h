// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rebuild of a record file pair into a balanced tree and a compact data file, without dead
// nodes or dead records: a salvage of every record the old pair still ties to a name (see
// recueil_paire.h), written as the tree's own additions would write it with the names coming
// middle first, so the legacy program reads it as any other pair, and walks it fast.
//
// Nothing is lost: the new pair replaces the old one through store/remplacement_paire.h, so a
// stop at any instant leaves one or the other, whole; the old pair is kept as a backup, under
// BASE.NDX.bak and BASE.DAT.bak when these are free or hold nothing the old pair lacks (every
// record of theirs is in it, byte for byte), otherwise under the next free number (.bak2, .bak3,
// ...). A backup that holds a record the old pair lacks, or that cannot be read whole, is never
// replaced.

#include <cstdint>
#include <string>
#include <vector>

#include "cli/recueil_paire.h"
#include "cli/verification_paire.h"
#include "store/remplacement_paire.h"

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
  Recueil recueil;  // what was taken from the old pair, and what was left out
  std::string sauvegardeIndex, sauvegardeDonnees;  // where the old pair is kept
  int sauvegardesGardees = 0;  // older backups kept because they hold records the pair lacks
  bool reprise = false;        // an interrupted rebuild of the pair was dealt with first
  RepriseRemplacement repriseFaite;
};

// Rebuilds BASE.NDX/BASE.DAT of the current directory. Refused while another program holds the
// pair open, and for a pair whose index and data file do not belong together.
BilanReorganisation ReorganiserPaire(const DescriptionPaire& paire);

// What the companion says of an interrupted rebuild that it finished or undid at its start.
std::string TexteReprise(const RepriseRemplacement& reprise);

}  // namespace velquor::outils
