// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The SQL export files read back: lines of fields separated by ";" and ended by CR LF, a quoted
// field holding ";", line breaks and doubled quotes.

#include <optional>
#include <string>
#include <vector>

namespace velquor::test {

// One field of a line: text when it was quoted, a number otherwise.
struct ChampSql {
  bool cite;
  std::string valeur;
};

// The lines of the text; nothing when the text does not follow these rules.
inline std::optional<std::vector<std::vector<ChampSql>>> LireLignes(const std::string& texte) {
  std::vector<std::vector<ChampSql>> lignes;
  std::vector<ChampSql> ligne;
  for (std::size_t i = 0; i < texte.size();) {
    ChampSql champ{i < texte.size() && texte[i] == '"', ""};
    if (champ.cite) {
      for (++i; i < texte.size() && (texte[i] != '"' || texte.compare(i, 2, "\"\"") == 0); ++i) {
        if (texte[i] == '"') ++i;  // a doubled quote
        champ.valeur += texte[i];
      }
      if (i++ >= texte.size()) return std::nullopt;  // no closing quote
    } else {
      while (i < texte.size() && texte[i] != ';' && texte[i] != '\r')
        champ.valeur += texte[i++];
    }
    ligne.push_back(champ);
    if (i < texte.size() && texte[i] == ';') {
      ++i;
    } else if (texte.compare(i, 2, "\r\n") == 0) {
      i += 2;
      lignes.push_back(std::move(ligne));
      ligne.clear();
    } else {
      return std::nullopt;
    }
  }
  if (!ligne.empty()) return std::nullopt;
  return lignes;
}

}  // namespace velquor::test
