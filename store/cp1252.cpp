// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/cp1252.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace velquor {

namespace {

// Code points of the bytes 0x80 to 0x9F. The five holes of the code page (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) keep the control code point of the same value.
constexpr std::array<char32_t, 32> kPlage80{
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178',
};

bool EstTrou(char32_t point) {
  return point == 0x81 || point == 0x8D || point == 0x8F || point == 0x90 || point == 0x9D;
}

struct TablesCasse {
  std::array<unsigned char, 256> majuscule{};
  std::array<unsigned char, 256> minuscule{};
};

constexpr TablesCasse ConstruireTablesCasse() {
  TablesCasse t;
  for (int i = 0; i < 256; ++i) {
    t.majuscule[i] = static_cast<unsigned char>(i);
    t.minuscule[i] = static_cast<unsigned char>(i);
  }
  auto paire = [&t](int petite, int grande) {
    t.majuscule[petite] = static_cast<unsigned char>(grande);
    t.minuscule[grande] = static_cast<unsigned char>(petite);
  };
  for (int c = 'a'; c <= 'z'; ++c)
    paire(c, c - 0x20);
  // à-þ over À-Þ; 0xF7 (÷) and 0xD7 (×) are not letters. ß (0xDF) has no capital here.
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) paire(c, c - 0x20);
  }
  paire(0xFF, 0x9F);  // ÿ Ÿ
  paire(0x9A, 0x8A);  // š Š
  paire(0x9C, 0x8C);  // œ Œ
  paire(0x9E, 0x8E);  // ž Ž
  return t;
}

constexpr TablesCasse kCasse = ConstruireTablesCasse();

void AjouterUtf8(std::string& sortie, char32_t point) {
  if (point < 0x80) {
    sortie.push_back(static_cast<char>(point));
  } else if (point < 0x800) {
    sortie.push_back(static_cast<char>(0xC0 | (point >> 6)));
    sortie.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else {
    // Every code point of the code page lies in the basic plane.
    sortie.push_back(static_cast<char>(0xE0 | (point >> 12)));
    sortie.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    sortie.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  }
}

}  // namespace

std::optional<char32_t> LireUtf8(std::string_view texte, std::size_t& i) {
  const auto octet = [&texte](std::size_t k) { return static_cast<unsigned char>(texte[k]); };
  const unsigned char tete = octet(i);
  if (tete < 0x80) {
    ++i;
    return tete;
  }
  std::size_t suite;
  char32_t point;
  char32_t minimum;
  if (tete >= 0xC2 && tete <= 0xDF) {
    suite = 1;
    point = tete & 0x1F;
    minimum = 0x80;
  } else if (tete >= 0xE0 && tete <= 0xEF) {
    suite = 2;
    point = tete & 0x0F;
    minimum = 0x800;
  } else if (tete >= 0xF0 && tete <= 0xF4) {
    suite = 3;
    point = tete & 0x07;
    minimum = 0x10000;
  } else {
    return std::nullopt;  // continuation byte, 0xC0/0xC1 (always overlong) or 0xF5-0xFF
  }
  if (texte.size() - i - 1 < suite) return std::nullopt;
  for (std::size_t k = 1; k <= suite; ++k) {
    const unsigned char c = octet(i + k);
    if ((c & 0xC0) != 0x80) return std::nullopt;
    point = (point << 6) | (c & 0x3F);
  }
  if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
    return std::nullopt;
  }
  i += suite + 1;
  return point;
}

char32_t Cp1252VersUnicode(unsigned char octet) {
  if (octet >= 0x80 && octet < 0xA0) return kPlage80[octet - 0x80];
  return octet;
}

std::optional<unsigned char> UnicodeVersCp1252(char32_t point) {
  if (point < 0x80 || (point >= 0xA0 && point <= 0xFF) || EstTrou(point)) {
    return static_cast<unsigned char>(point);
  }
  if (point < 0xA0) return std::nullopt;  // a C1 control the code page does not keep
  for (std::size_t k = 0; k < kPlage80.size(); ++k) {
    if (kPlage80[k] == point) return static_cast<unsigned char>(0x80 + k);
  }
  return std::nullopt;
}

unsigned char MajusculeCp1252(unsigned char octet) {
  return kCasse.majuscule[octet];
}

unsigned char MinusculeCp1252(unsigned char octet) {
  return kCasse.minuscule[octet];
}

std::string MajusculesCp1252(std::string_view texte) {
  std::string resultat(texte);
  for (char& c : resultat)
    c = static_cast<char>(MajusculeCp1252(static_cast<unsigned char>(c)));
  return resultat;
}

std::string Cp1252VersUtf8(std::string_view texte) {
  std::string sortie;
  sortie.reserve(texte.size() * 2);
  for (char c : texte)
    AjouterUtf8(sortie, Cp1252VersUnicode(static_cast<unsigned char>(c)));
  return sortie;
}

std::optional<std::string> Utf8VersCp1252(std::string_view texte) {
  std::string sortie;
  sortie.reserve(texte.size());
  std::size_t i = 0;
  while (i < texte.size()) {
    const std::optional<char32_t> point = LireUtf8(texte, i);
    if (!point) return std::nullopt;
    const std::optional<unsigned char> octet = UnicodeVersCp1252(*point);
    if (!octet) return std::nullopt;
    sortie.push_back(static_cast<char>(*octet));
  }
  return sortie;
}

}  // namespace velquor
