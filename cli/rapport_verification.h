#pragma once
// How the companion reports the checks of verification_paire.h: one line a pair ("FAMILLE :
// 8 familles, aucun défaut"), the first faults under it, and what to do about them.

#include <cstdint>
#include <string_view>

#include "cli/verification_paire.h"

namespace velquor::outils {

// Reports one pair; returns its number of faults.
std::int64_t RapporterPaire(const DescriptionPaire& paire, const RapportPaire& r,
                            std::string_view siAbsente);

// Reports the families and ingredients the cocktails name and that are absent; returns how many.
std::int64_t RapporterReferences(const RapportPaire& references);

// Reports the cocktails and the results whose rows are hidden, with what to do; returns how many.
std::int64_t RapporterLignes(const RapportPaire& cocktails, const RapportPaire& resultats);

}  // namespace velquor::outils
