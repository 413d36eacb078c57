#pragma once
// Name order of the record indexes: a word sort over code page 1252 bytes, standing in for
// the platform comparison the legacy files were built with.

#include <string_view>

namespace velquor {

// Negative when a sorts before b, positive after, 0 only when the two byte strings are
// identical. Levels: letters without case or accent (ligatures expanded; space, punctuation and
// symbols before digits, digits before letters; hyphen and apostrophe ignored), then accents
// left to right, then case (lower before upper), then hyphens and apostrophes, then raw bytes.
int ComparerNoms(std::string_view a, std::string_view b);

// The order of sorted list boxes and combo boxes: the same order with case ignored. 0 when the
// two texts differ at most in case.
int ComparerNomsSansCasse(std::string_view a, std::string_view b);

// Whether texte begins with prefixe, ignoring case by the code page 1252 rule (the prefix
// searches of list boxes and combo boxes).
bool CommenceParSansCasse(std::string_view texte, std::string_view prefixe);

}  // namespace velquor
