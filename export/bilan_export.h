// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an export did, for callers that report it (the companion); the window program's
// commands show nothing on success and ignore it.

#include <string>
#include <vector>

namespace velquor {

struct BilanExport {
  bool collectionOuverte = false;
  int nbEnregistrements = 0;                    // records of the collection that were exported
  std::vector<std::string> fichiersEcrits;      // files written in full
  std::vector<std::string> fichiersEnEchec;     // files that could not be created or written
  std::vector<std::string> fichiersIllisibles;  // the collection's files, when reading them failed

  bool Reussi() const {
    return collectionOuverte && fichiersEnEchec.empty() && fichiersIllisibles.empty();
  }
};

}  // namespace velquor
