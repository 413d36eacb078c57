// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Preparation of the text fields of the SQL files, on copies of the stored text (code page 1252
// bytes; only the ASCII letters change case, accented letters are kept as they are).

#include <string>
#include <string_view>

namespace velquor {

// Spaces (code 32 only) removed at both ends.
std::string_view Rogner(std::string_view texte);
// A to Z become a to z; every other byte stays.
std::string EnMinuscules(std::string_view texte);
// Trimmed, lower case, then a first letter a to z raised: "MOJITO ROYAL" gives "Mojito royal".
std::string Capitaliser(std::string_view texte);
// Trimmed, lower case, then the first character and every a to z after a space raised:
// "LONG DRINK" gives "Long Drink", "APÉRITIFS" gives "ApÉritifs".
std::string EnTitre(std::string_view texte);
// Trimmed, cut at every CR and LF (a run of them is one cut, empty pieces vanish), each piece
// followed by "<br>": "Sec\r\nFrais" gives "Sec<br>Frais<br>"; an empty text stays empty.
std::string SautsEnBr(std::string_view texte);
// The field in double quotes, a double quote inside it doubled, as SQL bulk loaders expect, so
// that neither a quote nor a semicolon of the data can break a row.
std::string ChampTexteSql(std::string_view texte);

}  // namespace velquor
