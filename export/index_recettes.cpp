// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/index_recettes.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "export/carte_html.h"
#include "export/html5.h"

namespace velquor {

namespace {

constexpr std::string_view Styles = R"(* { box-sizing: border-box; }
body { margin: 0 auto; max-width: 40rem; padding: 1.5rem 1rem 3rem; line-height: 1.5;
  font-family: Georgia, "DejaVu Serif", serif; color: #222; background: #fbf8f3; }
h1 { font-size: 1.8rem; margin: 0 0 .25rem; }
p { margin: 0 0 1.25rem; color: #666; font-style: italic; }
ol { margin: 0; padding-left: 2.5rem; }
li { padding: .15rem 0; overflow-wrap: anywhere; }
a { color: #8a3b12; }
@media print { body { background: #fff; max-width: none; } ol { columns: 2; } li { break-inside: avoid; } }
)";

// The page's address relative to the index, which stands in the same folder.
std::string Adresse(const std::string& chemin) {
  const std::size_t barre = chemin.rfind('/');
  return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}

}  // namespace

constexpr std::string_view Titre = "<h1>Recettes de cocktails</h1>\n";

std::string PageIndexRecettes(const std::vector<PageRecette>& pages, bool avecCarte) {
  std::string page = DebutPageHtml5("Recettes de cocktails", Styles);
  page += Titre;
  if (avecCarte) page += LienCarte;
  page += pages.empty() ? std::string("<p>Aucune recette.</p>\n")
                        : "<p>" + std::to_string(pages.size()) +
                              (pages.size() > 1 ? " recettes" : " recette") + "</p>\n<ol>\n";
  for (const PageRecette& p : pages) {
    page +=
        "<li><a href=\"" + TexteHtml(Adresse(p.chemin)) + "\">" + TexteHtml(p.nom) + "</a></li>\n";
  }
  if (!pages.empty()) page += "</ol>\n";
  page += "</body>\n</html>\n";
  return page;
}

bool EcrireIndexRecettes(const std::vector<PageRecette>& pages) {
  std::error_code erreur;
  const bool avecCarte = std::filesystem::exists(CheminCarte, erreur);
  return EcrirePageEntiere(CheminIndexRecettes, PageIndexRecettes(pages, avecCarte));
}

bool LierIndexACarte() {
  std::error_code erreur;
  if (!std::filesystem::exists(CheminIndexRecettes, erreur)) return !erreur;
  std::ifstream flux(CheminIndexRecettes, std::ios::binary);
  const std::string index{std::istreambuf_iterator<char>(flux), std::istreambuf_iterator<char>()};
  const std::size_t titre = index.find(Titre);
  if (titre == std::string::npos || index.find(LienCarte) != std::string::npos) return true;
  std::string lie = index;
  lie.insert(titre + Titre.size(), LienCarte);
  return EcrirePageEntiere(CheminIndexRecettes, lie);
}

}  // namespace velquor
