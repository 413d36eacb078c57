#pragma once
// The recipe pages of the whole cocktail collection: one page per cocktail in "web" under the
// current directory, numbered by the cocktail's position in name order.

#include "export/bilan_export.h"
#include "store/messages.h"

namespace velquor {

// Opens COCKTAIL by the opening convention (its messages go through messages) and writes
// ./web/recet001.html, recet002.html, ... A page that cannot be created (the folder "web"
// missing) is skipped without a message and its number is not reused; the result says so.
BilanExport ExporterRecettesHtml(PMessages& messages);

}  // namespace velquor
