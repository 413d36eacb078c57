// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/choix_par_mot.h"

#include "store/cp1252.h"

namespace velquor::outils {

namespace {

// The base letters of the code page's accented letters from 0xC0 (À), the small letters 32 bytes
// further (à): the same table. A blank keeps the byte (× and ÷); Æ, Þ and ß are spelt out apart.
constexpr std::string_view Bases = "AAAAAA CEEEEIIIIDNOOOOO OUUUUY Y";
static_assert(Bases.size() == 32);

// The letters spelt out, and those outside the table: Š Œ Ž š œ ž Ÿ, Æ æ, Þ þ, ß.
struct Epele {
  unsigned char octet;
  std::string_view lettres;
};
constexpr Epele Epeles[] = {{0x8A, "S"},  {0x8C, "OE"}, {0x8E, "Z"},  {0x9A, "S"},
                            {0x9C, "OE"}, {0x9E, "Z"},  {0x9F, "Y"},  {0xC6, "AE"},
                            {0xE6, "AE"}, {0xDE, "TH"}, {0xFE, "TH"}, {0xDF, "SS"}};

std::string_view Epeler(unsigned char octet) {
  for (const Epele& e : Epeles) {
    if (e.octet == octet) return e.lettres;
  }
  return {};
}

}  // namespace

std::string SansCasseNiAccents(std::string_view texte) {
  std::string plie;
  plie.reserve(texte.size());
  for (const char c : texte) {
    const auto octet = static_cast<unsigned char>(c);
    if (const std::string_view epele = Epeler(octet); !epele.empty()) {
      plie += epele;
    } else if (octet >= 0xC0 && Bases[octet & 0x1F] != ' ') {
      plie += Bases[octet & 0x1F];
    } else {
      plie += static_cast<char>(MajusculeCp1252(octet));
    }
  }
  return plie;
}

std::vector<std::string> NomsContenant(const std::vector<std::string>& noms, std::string_view mot) {
  const std::string cherche = SansCasseNiAccents(mot);
  std::vector<std::string> trouves;
  for (const std::string& nom : noms) {
    if (SansCasseNiAccents(nom).find(cherche) != std::string::npos) trouves.push_back(nom);
  }
  return trouves;
}

}  // namespace velquor::outils
