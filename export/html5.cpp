// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/html5.h"

#include <cstdio>
#include <vector>

#include "store/cp1252.h"
#include "store/fichier_brut.h"

namespace velquor {

namespace {

void AjouterPoint(std::string& sortie, char32_t point) {
  switch (point) {
    case '&':
      sortie += "&amp;";
      return;
    case '<':
      sortie += "&lt;";
      return;
    case '>':
      sortie += "&gt;";
      return;
    case '"':
      sortie += "&quot;";
      return;
    default:
      break;
  }
  if (point < 0x20 || (point >= 0x7F && point < 0xA0)) {
    char code[8];
    std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned>(point));
    sortie += code;
    return;
  }
  if ((point >= 0xFDD0 && point <= 0xFDEF) || (point & 0xFFFE) == 0xFFFE) point = 0xFFFD;
  if (point < 0x80) {
    sortie += static_cast<char>(point);
  } else if (point < 0x800) {
    sortie += static_cast<char>(0xC0 | point >> 6);
    sortie += static_cast<char>(0x80 | (point & 0x3F));
  } else if (point < 0x10000) {
    sortie += static_cast<char>(0xE0 | point >> 12);
    sortie += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    sortie += static_cast<char>(0x80 | (point & 0x3F));
  } else {
    sortie += static_cast<char>(0xF0 | point >> 18);
    sortie += static_cast<char>(0x80 | (point >> 12 & 0x3F));
    sortie += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    sortie += static_cast<char>(0x80 | (point & 0x3F));
  }
}

}  // namespace

std::string TexteHtml(std::string_view cp1252, bool sautsDeLigne) {
  std::string sortie;
  sortie.reserve(cp1252.size() + cp1252.size() / 4);
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    const char c = cp1252[i];
    if (sautsDeLigne && (c == '\r' || c == '\n')) {
      if (c == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n') ++i;
      sortie += "<br>";
      continue;
    }
    AjouterPoint(sortie, Cp1252VersUnicode(static_cast<unsigned char>(c)));
  }
  return sortie;
}

std::optional<std::string> TexteHtmlUtf8(std::string_view utf8) {
  std::string sortie;
  sortie.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const std::optional<char32_t> point = LireUtf8(utf8, i);
    if (!point) return std::nullopt;
    AjouterPoint(sortie, *point);
  }
  return sortie;
}

std::string DebutPageHtml5(std::string_view titreEchappe, std::string_view styles) {
  std::string page;
  page += "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  page += "<meta name=\"generator\" content=\"Le Velquor\">\n";
  page.append("<title>").append(titreEchappe).append("</title>\n");
  page.append("<style>\n").append(styles).append("</style>\n</head>\n<body>\n");
  return page;
}

bool EcrirePageEntiere(const std::string& chemin, std::string_view page) {
  return FichierBrut::RemplacerSynchronise(chemin,
                                           std::vector<unsigned char>(page.begin(), page.end()));
}

}  // namespace velquor
