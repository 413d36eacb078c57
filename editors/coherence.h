// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The consistency passes: cocktails name their family and their ingredients by text, so a
// rename or a deletion in the family or ingredient collection is carried into every cocktail
// that still carries the old name. One scan of COCKTAIL in name order; only the records that
// change are rewritten, each once, in place. RESURECH and the selection files are left alone.

#include <string_view>

#include "search/rapporteur_progression.h"

namespace velquor {

// Carries a family rename into the cocktails' family field; an empty new name is a deletion.
// Does nothing, and reports no progress, when the cocktail pair does not open (it is never
// created here) or holds no cocktail. The pass cannot be stopped: the step's answer is ignored.
// False when a cocktail could not be read or rewritten (a failing disk): the pass still goes
// through every cocktail it can, but some may keep the old name.
bool PropagerFamille(std::string_view ancienNom, std::string_view nouveauNom,
                     RapporteurProgression& progression,
                     const CrochetMessagesEnAttente& traiterMessagesEnAttente);

// The same for an ingredient, over the ten ingredient slots of each cocktail. A deletion keeps
// the quantity of each row it empties, and closes the cocktail's rows up (ResserrerLignes): the
// rows with an ingredient first, in their order, so that none is hidden behind an emptied one.
bool PropagerIngredient(std::string_view ancienNom, std::string_view nouveauNom,
                        RapporteurProgression& progression,
                        const CrochetMessagesEnAttente& traiterMessagesEnAttente);

}  // namespace velquor
