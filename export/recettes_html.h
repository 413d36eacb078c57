// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The recipe pages of the whole cocktail collection: one page per cocktail in "web" under the
// current directory, numbered by the cocktail's position in name order.

#include <string>
#include <vector>

#include "export/bilan_export.h"
#include "store/messages.h"

namespace velquor {

// A page written: its path ("./web/recet001.html") and the cocktail's name (code page 1252).
struct PageRecette {
  std::string chemin;
  std::string nom;
};

// Opens COCKTAIL by the opening convention (its messages go through messages) and writes
// ./web/recet001.html, recet002.html, ... A page that cannot be created (the folder "web"
// missing) is skipped without a message and its number is not reused; the result says so.
// When pages is given, it receives every page written, in name order.
BilanExport ExporterRecettesHtml(PMessages& messages, std::vector<PageRecette>* pages = nullptr);

}  // namespace velquor
