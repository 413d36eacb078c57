// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Name order of the record indexes: the platform's word sort in the French locale over code
// page 1252 bytes (lstrcmpA), which the legacy files were built with.

#include <string_view>

namespace velquor {

// Negative when a sorts before b, positive after, 0 only when the two byte strings are
// identical. Levels: letters without case or accent (ligatures as their letters; blanks,
// punctuation and symbols before digits, digits before letters; hyphens, apostrophes and
// dashes ignored), then accents compared from the end, then case from the start (small letter
// before capital), then hyphens, apostrophes and dashes (the one standing later first), then the
// raw bytes where the platform says equal.
int ComparerNoms(std::string_view a, std::string_view b);

// The order of sorted list boxes and combo boxes (the platform's lstrcmpiA): the same order with
// case ignored. 0 when the two texts differ at most in case.
int ComparerNomsSansCasse(std::string_view a, std::string_view b);

// Whether texte begins with prefixe, ignoring case by the code page 1252 rule (the prefix
// searches of list boxes and combo boxes).
bool CommenceParSansCasse(std::string_view texte, std::string_view prefixe);

}  // namespace velquor
