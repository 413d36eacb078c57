// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The selection files: the families and the ingredients chosen in the last search, one 31-byte
// slot per name (code page 1252 text, NUL-terminated, zero after the terminator), no header.
// An empty file means that nothing is chosen.

#include <string>
#include <string_view>
#include <vector>

namespace velquor {

inline constexpr std::string_view CheminSelectionFamilles = "./SELECFAM.DAT";
inline constexpr std::string_view CheminSelectionIngredients = "./SELECCOC.DAT";

// The names of the file in file order; a missing or unreadable file gives no name. A last slot
// shorter than 31 bytes still gives its text.
std::vector<std::string> LireSelection(std::string_view chemin);

// Replaces the file by one slot per name. Returns false when the file cannot be created or
// written (nothing is reported to the user).
bool EcrireSelection(std::string_view chemin, const std::vector<std::string>& noms);

}  // namespace velquor
