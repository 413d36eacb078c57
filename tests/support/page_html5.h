// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A page as a real HTML5 parser reads it (html5lib, strict: a parse error fails the reading),
// through support/lire_html5.py run by Debian's python3 with python3-html5lib; and as the W3C
// Nu HTML checker judges it (vnu.jar), which must find nothing to say.

#include <filesystem>
#include <string>

namespace velquor::test {

struct PageHtml5 {
  bool valide = false;
  std::string erreurs;   // the parser's and the checker's, when it is not valid
  std::string encodage;  // the one the parser read the bytes with
};

PageHtml5 LirePageHtml5(const std::filesystem::path& chemin);

}  // namespace velquor::test
