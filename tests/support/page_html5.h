// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A page as a real HTML5 parser reads it (html5lib, strict: a parse error fails the reading),
// through support/lire_html5.py run by Debian's python3 with python3-html5lib.

#include <filesystem>
#include <string>
#include <vector>

namespace velquor::test {

struct ElementHtml {
  std::string balise;   // title, h1, h2, h3, li or p
  std::string texte;    // UTF-8, a <br> as "\n"
  std::string adresse;  // href of the link inside, or empty
};

struct PageHtml5 {
  bool valide = false;
  std::string erreurs;   // the parser's, when it is not valid
  std::string encodage;  // the one the parser read the bytes with
  std::vector<ElementHtml> elements;

  // The elements of one kind, in document order.
  std::vector<ElementHtml> De(const std::string& balise) const;
};

PageHtml5 LirePageHtml5(const std::filesystem::path& chemin);

}  // namespace velquor::test
