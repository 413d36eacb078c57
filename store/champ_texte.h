// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text fields of the records and nodes: fixed-width, NUL-terminated, code page 1252 bytes.
// A field that lacks its terminator (a damaged file) is read as the whole field, never past it.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace velquor {

template <std::size_t N>
std::string_view Texte(const char (&champ)[N]) {
  return std::string_view(champ, ::strnlen(champ, N));
}

// Zeroes the field and copies at most N - 1 bytes of texte into it, so the terminator fits.
template <std::size_t N>
void CopierTexte(char (&champ)[N], std::string_view texte) {
  std::memset(champ, 0, N);
  std::memcpy(champ, texte.data(), std::min(texte.size(), N - 1));
}

}  // namespace velquor
