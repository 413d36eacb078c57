// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/champs_sql.h"

namespace velquor {

namespace {

bool EstMinusculeAscii(char c) {
  return c >= 'a' && c <= 'z';
}

char EnMajusculeAscii(char c) {
  return EstMinusculeAscii(c) ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string_view Rogner(std::string_view texte) {
  std::size_t debut = texte.find_first_not_of(' ');
  if (debut == std::string_view::npos) return {};
  std::size_t fin = texte.find_last_not_of(' ');
  return texte.substr(debut, fin - debut + 1);
}

std::string EnMinuscules(std::string_view texte) {
  std::string sortie(texte);
  for (char& c : sortie) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return sortie;
}

std::string Capitaliser(std::string_view texte) {
  std::string sortie = EnMinuscules(Rogner(texte));
  if (!sortie.empty()) sortie[0] = EnMajusculeAscii(sortie[0]);
  return sortie;
}

std::string EnTitre(std::string_view texte) {
  std::string sortie = EnMinuscules(Rogner(texte));
  for (std::size_t i = 0; i < sortie.size(); ++i) {
    if (i == 0 || sortie[i - 1] == ' ') sortie[i] = EnMajusculeAscii(sortie[i]);
  }
  return sortie;
}

std::string SautsEnBr(std::string_view texte) {
  std::string_view reste = Rogner(texte);
  std::string sortie;
  while (!reste.empty()) {
    std::size_t coupe = reste.find_first_of("\r\n");
    std::string_view morceau = reste.substr(0, coupe);
    if (!morceau.empty()) {
      sortie += morceau;
      sortie += "<br>";
    }
    if (coupe == std::string_view::npos) break;
    reste.remove_prefix(coupe + 1);
  }
  return sortie;
}

std::string ChampTexteSql(std::string_view texte) {
  std::string sortie = "\"";
  for (char c : texte) {
    if (c == '"') sortie += '"';
    sortie += c;
  }
  sortie += '"';
  return sortie;
}

}  // namespace velquor
