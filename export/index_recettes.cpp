#include "export/index_recettes.h"

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

std::string PageIndexRecettes(const std::vector<PageRecette>& pages) {
  std::string page = DebutPageHtml5("Recettes de cocktails", Styles);
  page += "<h1>Recettes de cocktails</h1>\n";
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
  return EcrirePageEntiere(CheminIndexRecettes, PageIndexRecettes(pages));
}

}  // namespace velquor
