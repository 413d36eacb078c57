// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/ligne_html.h"

namespace velquor {

namespace {

// The entity of one byte of the table, or nullptr. The table's letters are code page 1252.
const char* EntiteAccent(unsigned char octet) {
  switch (octet) {
    case 0xE0:
      return "&agrave;";
    case 0xE2:
      return "&acirc;";
    case 0xE7:
      return "&ccedil;";
    case 0xE9:
      return "&eacute;";
    case 0xEA:
      return "&ecirc;";
    case 0xE8:
      return "&egrave;";
    case 0xF4:
      return "&ocirc;";
    case 0xF9:
      return "&ugrave;";
    case 0xFB:
      return "&ucirc;";
    default:
      return nullptr;
  }
}

}  // namespace

std::string PreparerLigneHtml(std::string_view texte) {
  // Entities are plain ASCII without CR or LF, so one pass gives the same text as replacing each
  // letter of the table in turn and then the line breaks.
  std::string ligne;
  ligne.reserve(texte.size() + texte.size() / 4);
  for (std::size_t i = 0; i < texte.size(); ++i) {
    const auto octet = static_cast<unsigned char>(texte[i]);
    if (const char* entite = EntiteAccent(octet)) {
      ligne += entite;
    } else if (octet == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') {
      ligne += "<br>";
      ++i;
    } else {
      ligne += static_cast<char>(octet);
    }
  }
  return ligne;
}

void EcrireLigneHtml(FichierSortie& fichier, std::string_view texte) {
  fichier.Ecrire(PreparerLigneHtml(texte));
  fichier.Ecrire("\r\n");
}

std::string EchapperHtml(std::string_view texte) {
  std::string sortie;
  sortie.reserve(texte.size());
  for (char c : texte) {
    switch (c) {
      case '&':
        sortie += "&amp;";
        break;
      case '<':
        sortie += "&lt;";
        break;
      case '>':
        sortie += "&gt;";
        break;
      case '"':
        sortie += "&quot;";
        break;
      default:
        sortie += c;
    }
  }
  return sortie;
}

}  // namespace velquor
