// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search engine: walks the cocktail collection in name order and copies every cocktail that
// meets the criteria into the result collection RESURECH, which outlives the run and grows
// across runs until the user agrees to clear it.

#include <functional>

#include "search/criteres_recherche.h"
#include "search/rapporteur_progression.h"
#include "store/enregistrements.h"
#include "store/messages.h"

namespace velquor {

// What the caller supplies to a run; the window program plugs in its dialogs, tests recorders.
struct CrochetsRecherche {
  // Asked once, only when a result collection already exists (string 3011): true to clear it
  // before the run, false to add to it. When left empty the result is kept.
  std::function<bool()> ConfirmerEffacement{};
  // Shows the file errors (3001, 3002) and the nothing-found message (3010).
  PMessages& Messages;
  RapporteurProgression& Progression;
  // Called right after each progress step; may be left empty.
  CrochetMessagesEnAttente TraiterMessagesEnAttente{};
};

// What a run could not write, for a caller that must tell (the companion's exit status); the
// window program has shown the file messages.
struct EcrituresRecherche {
  bool resultat = true;   // every match is in the result: false when the result pair could not
                          // be opened or created (3001, 3002 shown) or its writing failed
  bool selection = true;  // the selection file of the search's kind was written
};

// Runs one search. Returns true when at least one cocktail matched in this run; otherwise it
// has shown string 3010 and returns false. Leaves no result files behind when the result
// collection ends up empty (a lone index, which the run could not open, stays: it may be what
// is left of a result whose data file is lost).
bool ExecuterRecherche(const CriteresRecherche& criteres, const CrochetsRecherche& crochets,
                       EcrituresRecherche* ecritures = nullptr);

// Whether one cocktail meets the criteria. Reads nothing but its two arguments.
bool Correspond(const CriteresRecherche& criteres, const EnrCocktail& cocktail);

}  // namespace velquor
