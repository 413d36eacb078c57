// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list exports of the three collections, in name order: fixed-width records in "Web" and
// semicolon-separated lines in "Tux", both folders under the current directory.
//
// Each opens its collection by the opening convention (messages through `messages`), then
// creates the .WEB file; when that fails nothing at all is written. An empty collection leaves
// the .WEB file empty and the .SQL files untouched. When an .SQL file cannot be created the
// others are still written; the result lists it among the failures.

#include "export/bilan_export.h"
#include "store/messages.h"

namespace velquor {

// ./Web/INGRED.WEB and ./Tux/INGRED.SQL
BilanExport ExporterIngredients(PMessages& messages);
// ./Web/FAMILLE.WEB and ./Tux/FAMILLE.SQL
BilanExport ExporterFamilles(PMessages& messages);
// ./Web/COCKTAIL.WEB, ./Tux/COCKTAIL.SQL and ./Tux/COMPO.SQL
BilanExport ExporterCocktails(PMessages& messages);

}  // namespace velquor
