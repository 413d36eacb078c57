// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/console.h"

#include <cstdio>
#include <iostream>
#include <string>

#include "resources/chaines.h"
#include "store/cp1252.h"

namespace velquor::outils {

void DireErreur(std::string_view texte) {
  std::cerr << NomProgramme << " : " << texte << '\n';
}

void Dire(std::string_view texte) {
  std::cerr << texte << '\n';
}

std::string TexteAffichable(std::string_view cp1252) {
  std::string sortie;
  sortie.reserve(cp1252.size());
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    const auto octet = static_cast<unsigned char>(cp1252[i]);
    const char32_t point = Cp1252VersUnicode(octet);
    if (point < 0x20 || (point >= 0x7F && point < 0xA0)) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned>(octet));
      sortie += code;
    } else {
      sortie += Cp1252VersUtf8(cp1252.substr(i, 1));
    }
  }
  return sortie;
}

std::string TexteAffichableUtf8(std::string_view utf8) {
  std::string sortie;
  sortie.reserve(utf8.size());
  auto echapper = [&sortie](std::string_view octets) {
    for (char c : octets) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X",
                    static_cast<unsigned>(static_cast<unsigned char>(c)));
      sortie += code;
    }
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t debut = i;
    const std::optional<char32_t> point = LireUtf8(utf8, i);
    if (!point) {
      echapper(utf8.substr(i++, 1));
      continue;
    }
    const std::string_view sequence = utf8.substr(debut, i - debut);
    if (*point < 0x20 || (*point >= 0x7F && *point < 0xA0)) {
      echapper(sequence);
    } else {
      sortie.append(sequence);
    }
  }
  return sortie;
}

std::string Compter(std::int64_t n, std::string_view singulier, std::string_view pluriel) {
  return std::to_string(n) + " " + std::string(n > 1 ? pluriel : singulier);
}

int ConsoleMessages::AffMessage(int idChaine, std::string_view argument, unsigned style) {
  ++nbMessages_;
  const char* modele = TexteChaine(idChaine);
  std::string texte = modele ? FormaterChaine(modele, Cp1252VersUtf8(argument))
                             : std::string("message ").append(std::to_string(idChaine));
  // Message boxes separate their sentences with blank lines; one line reads better here.
  for (std::size_t pos; (pos = texte.find("\n\n")) != std::string::npos;)
    texte.replace(pos, 2, 1, ' ');
  DireErreur(texte);
  return (style & StyleOuiNon) ? ReponseNon : ReponseOk;
}

}  // namespace velquor::outils
