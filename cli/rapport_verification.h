// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the companion reports the checks of verification_paire.h: one line a pair ("FAMILLE :
// 8 familles, aucun défaut"), the first faults under it, and what to do about them; on the
// stream given (the check's report goes to standard output, like any data the user may keep).

#include <cstdint>
#include <ostream>
#include <string_view>

#include "cli/verification_paire.h"

namespace velquor::outils {

// Reports one pair; returns its number of faults.
std::int64_t RapporterPaire(std::ostream& flux, const DescriptionPaire& paire,
                            const RapportPaire& r, std::string_view siAbsente);

// Reports the families and ingredients the cocktails name and that are absent; returns how many.
std::int64_t RapporterReferences(std::ostream& flux, const RapportPaire& references);

// Reports the cocktails and the results whose rows are hidden, with what to do; returns how many.
std::int64_t RapporterLignes(std::ostream& flux, const RapportPaire& cocktails,
                             const RapportPaire& resultats);

}  // namespace velquor::outils
