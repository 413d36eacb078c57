// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names chosen by a word, as a bartender types it: case and accents ignored ("sirop" finds
// SIROP D'ORGEAT, "eclat" finds ÉCLAT).

#include <string>
#include <string_view>
#include <vector>

namespace velquor::outils {

// A code page 1252 text in capitals without accents, ligatures spelt out: "Œuf à l'Éclat" gives
// "OEUF A L'ECLAT". What is not a letter stays as it is.
std::string SansCasseNiAccents(std::string_view texte);

// The names (code page 1252) that contain the word (code page 1252), case and accents ignored,
// in the order given.
std::vector<std::string> NomsContenant(const std::vector<std::string>& noms, std::string_view mot);

}  // namespace velquor::outils
