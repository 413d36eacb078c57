// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A reader of comma-separated text as RFC 4180 describes it: records ended by CR LF (a bare LF
// is accepted too), fields separated by commas, a field in double quotes may hold commas, line
// breaks and doubled quotes. A UTF-8 byte order mark at the start is skipped; blank lines are
// skipped. A malformed record is reported with the line it starts on and left out.

#include <string>
#include <string_view>
#include <vector>

namespace velquor::outils {

struct EnregistrementCsv {
  int ligne;  // the line of the file where the record starts, from 1
  std::vector<std::string> champs;
};

struct ErreurLigne {
  int ligne;
  std::string texte;  // French, UTF-8
};

struct ContenuCsv {
  std::vector<EnregistrementCsv> enregistrements;
  std::vector<ErreurLigne> erreurs;
};

ContenuCsv LireCsv(std::string_view texte);

}  // namespace velquor::outils
