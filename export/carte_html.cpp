// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/carte_html.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "export/chemins_export.h"
#include "export/html5.h"
#include "export/index_recettes.h"
#include "export/ligne_html.h"
#include "search/ligne_composition.h"
#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/lignes_composition.h"
#include "store/lot_fichier.h"

namespace velquor {

namespace {

// Cards on a screen, one column on a phone; two columns on paper, where no cocktail is ever
// split across two pages. The paper's size comes from the printer, so that the same page prints
// on A4 and on Letter.
constexpr std::string_view Styles =
    R"(:root { --encre: #222; --accent: #8a3b12; --doux: #6b6259; --filet: #dccdb8; }
* { box-sizing: border-box; }
html { -webkit-text-size-adjust: 100%; text-size-adjust: 100%; }
body { margin: 0 auto; max-width: 62rem; padding: 1.5rem 1rem 3rem; line-height: 1.45;
  font-family: Georgia, "DejaVu Serif", serif; color: var(--encre); background: #fbf8f3; }
header { text-align: center; border-bottom: 3px double var(--filet); padding-bottom: .75rem;
  margin-bottom: 1rem; }
h1 { font-size: 2.2rem; margin: 0; letter-spacing: .03em; overflow-wrap: anywhere; }
header p { margin: .3rem 0 0; color: var(--doux); font-style: italic; }
h2 { font-size: 1.05rem; letter-spacing: .14em; color: var(--accent); text-align: center;
  margin: 1.75rem 0 .9rem; break-after: avoid; page-break-after: avoid; overflow-wrap: anywhere; }
.cocktails { display: grid; grid-template-columns: repeat(auto-fill, minmax(min(17rem, 100%), 1fr));
  gap: 1rem 1.25rem; }
article { break-inside: avoid; page-break-inside: avoid; background: #fff;
  border: 1px solid var(--filet); border-radius: 6px; padding: .8rem 1rem; }
h3 { font-size: 1.05rem; margin: 0 0 .4rem; letter-spacing: .04em; overflow-wrap: anywhere; }
h3 a { color: inherit; text-decoration-color: var(--filet); text-underline-offset: .2em; }
ul { list-style: none; margin: 0; padding: 0; }
li { padding-left: 1rem; text-indent: -1rem; overflow-wrap: anywhere; }
li::before { content: "\2022\00a0\00a0"; color: var(--accent); }
.remarques { margin: .5rem 0 0; font-size: .9rem; color: var(--doux); font-style: italic;
  overflow-wrap: anywhere; }
.vide { text-align: center; font-style: italic; }
footer { margin-top: 2.5rem; text-align: center; font-size: .8rem; color: var(--doux); }
footer a { color: inherit; }
@page { margin: 15mm 14mm; }
@media print {
  body { background: #fff; max-width: none; padding: 0; font-size: 10.5pt; }
  .cocktails { display: block; columns: 2; column-gap: 9mm; }
  article { border: 0; border-top: 1px solid var(--filet); border-radius: 0; padding: 2mm 0 3mm;
    margin: 0 0 2mm; }
  h3 a { text-decoration: none; }
  footer { margin-top: 4mm; break-before: avoid; page-break-before: avoid; }
}
@media (max-width: 30rem) {
  body { padding: 1rem .75rem 2rem; }
  h1 { font-size: 1.6rem; }
}
)";

// The capitals a French name elides before, as typography wants it: A E I O U Y, their accented
// forms, Æ and Œ (code page 1252).
constexpr std::string_view Voyelles =
    "AEIOUY\x8C\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
    "\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD";

// A composition line of the menu: the results window's connectors, but "d’EAU" for its "d' EAU",
// the apostrophe U+2019 (0x92 in the code page) against the name, nothing to break between them.
std::string LigneCarte(std::string_view quantite, std::string_view ingredient) {
  if (ingredient.empty() || Voyelles.find(ingredient.front()) == std::string_view::npos)
    return LigneComposition(quantite, ingredient);
  return std::string(quantite).append(" d\x92").append(ingredient);
}

// The families the cocktails belong to; "Sans famille" is none.
int NombreDeFamilles(const std::vector<CocktailCarte>& cocktails) {
  std::vector<std::string> familles;
  for (const CocktailCarte& c : cocktails) {
    if (!c.famille.empty()) familles.push_back(c.famille);
  }
  std::sort(familles.begin(), familles.end());
  return static_cast<int>(std::unique(familles.begin(), familles.end()) - familles.begin());
}

std::string Compte(std::size_t n, std::string_view singulier, std::string_view pluriel) {
  return std::to_string(n) + " " + std::string(n > 1 ? pluriel : singulier);
}

// The number of a recipe page's file name, "recet012.html" giving 12; -1 for any other name.
long NumeroDePage(const std::string& nom) {
  if (!nom.starts_with("recet") || !nom.ends_with(".html")) return -1;
  const std::string chiffres = nom.substr(5, nom.size() - 10);
  if (chiffres.size() < 3 || chiffres.size() > 9 ||
      !std::all_of(chiffres.begin(), chiffres.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::stol(chiffres);
}

void EcrireCocktail(std::string& page, const CocktailCarte& c,
                    const std::map<std::string, std::string>& liens) {
  page += "<article>\n<h3>";
  const auto lien = liens.find(c.nom);
  if (lien != liens.end())
    page += "<a href=\"" + TexteHtml(lien->second) + "\">" + TexteHtml(c.nom) + "</a>";
  else
    page += TexteHtml(c.nom);
  page += "</h3>\n";
  if (!c.lignes.empty()) {
    page += "<ul>\n";
    for (const std::string& ligne : c.lignes)
      page += "<li>" + TexteHtml(ligne) + "</li>\n";
    page += "</ul>\n";
  }
  if (!c.remarques.empty())
    page += "<p class=\"remarques\">" + TexteHtml(c.remarques, true) + "</p>\n";
  page += "</article>\n";
}

}  // namespace

CocktailCarte CocktailPourCarte(const EnrCocktail& cocktail) {
  CocktailCarte c{std::string(Texte(cocktail.Nom)),
                  std::string(Texte(cocktail.Famille)),
                  {},
                  std::string(Texte(cocktail.Remarques))};
  for (int i = 0, n = NbLignesAffichees(cocktail); i < n; ++i)
    c.lignes.push_back(LigneCarte(Texte(cocktail.Quantite[i]), Texte(cocktail.Ingredient[i])));
  return c;
}

std::map<std::string, std::string> LiensRecettes(const std::vector<CocktailCarte>& cocktails) {
  struct Page {
    std::filesystem::file_time_type date;
    long numero;
    std::string fichier;
  };
  std::map<std::string, Page> parTitre;  // the title line as the page writes it
  std::error_code erreur;
  for (std::filesystem::directory_iterator it(DossierPagesHtml, erreur), fin; !erreur && it != fin;
       it.increment(erreur)) {
    const std::string fichier = it->path().filename().string();
    const long numero = NumeroDePage(fichier);
    if (numero < 0 || !it->is_regular_file(erreur)) continue;
    // The title is the sixth line; what comes before it is fixed and short.
    std::ifstream flux(it->path(), std::ios::binary);
    std::string debut(2048, '\0');
    flux.read(debut.data(), static_cast<std::streamsize>(debut.size()));
    debut.resize(static_cast<std::size_t>(flux.gcount()));
    std::size_t position = 0;
    for (int ligne = 0; ligne < 5 && position != std::string::npos; ++ligne) {
      position = debut.find("\r\n", position);
      if (position != std::string::npos) position += 2;
    }
    if (position == std::string::npos) continue;
    const std::size_t finLigne = debut.find("\r\n", position);
    if (finLigne == std::string::npos) continue;
    Page page{it->last_write_time(erreur), numero, fichier};
    if (erreur) continue;
    auto [place, nouvelle] =
        parTitre.try_emplace(debut.substr(position, finLigne - position), page);
    if (!nouvelle && (page.date > place->second.date ||
                      (page.date == place->second.date && page.numero < place->second.numero)))
      place->second = page;
  }
  // A name's title line, written as the recipe page writes it, says which page is its own.
  std::map<std::string, std::string> liens;
  for (const CocktailCarte& c : cocktails) {
    const auto page =
        parTitre.find(PreparerLigneHtml("<title>" + EchapperHtml(c.nom) + "</title>"));
    if (page != parTitre.end()) liens.emplace(c.nom, page->second.fichier);
  }
  return liens;
}

std::string PageCarte(const std::vector<CocktailCarte>& cocktails, std::string_view titre,
                      const std::map<std::string, std::string>& liens, bool avecIndex) {
  // The families in name order, a cocktail without family at the end; within a family the
  // cocktails keep their name order.
  std::vector<const CocktailCarte*> ordre;
  ordre.reserve(cocktails.size());
  for (const CocktailCarte& c : cocktails)
    ordre.push_back(&c);
  std::stable_sort(ordre.begin(), ordre.end(), [](const CocktailCarte* a, const CocktailCarte* b) {
    if (a->famille.empty() != b->famille.empty()) return b->famille.empty();
    return ComparerNoms(a->famille, b->famille) < 0;
  });
  std::string page = DebutPageHtml5(titre, Styles);
  page.append("<header>\n<h1>").append(titre).append("</h1>\n<p>");
  const auto familles = static_cast<std::size_t>(NombreDeFamilles(cocktails));
  page += cocktails.empty() ? std::string("Aucun cocktail")
                            : Compte(cocktails.size(), "cocktail", "cocktails");
  if (familles > 0) page += " · " + Compte(familles, "famille", "familles");
  page += "</p>\n</header>\n<main>\n";
  if (cocktails.empty()) page += "<p class=\"vide\">Aucun cocktail à présenter.</p>\n";
  for (std::size_t i = 0; i < ordre.size(); ++i) {
    const CocktailCarte& c = *ordre[i];
    if (i == 0 || c.famille != ordre[i - 1]->famille) {
      if (i > 0) page += "</div>\n</section>\n";
      page += "<section>\n<h2>" + (c.famille.empty() ? "Sans famille" : TexteHtml(c.famille)) +
              "</h2>\n<div class=\"cocktails\">\n";
    }
    EcrireCocktail(page, c, liens);
  }
  if (!ordre.empty()) page += "</div>\n</section>\n";
  page += "</main>\n<footer>";
  if (avecIndex) page += "<a href=\"index.html\">Toutes les recettes</a> · ";
  page += "Carte établie avec Le Velquor</footer>\n</body>\n</html>\n";
  return page;
}

BilanCarte ExporterCarteHtml(std::string_view base, std::string_view titre) {
  BilanCarte bilan;
  FicCocktail source(base);
  bilan.collectionOuverte = source.OuvrirEnLecture();
  if (!bilan.collectionOuverte) return bilan;
  std::vector<CocktailCarte> cocktails;
  {
    LotFichier lot(source);  // one reading of the pair for the whole menu
    if (source.Premier()) {
      do
        cocktails.push_back(CocktailPourCarte(source.Enreg));
      while (source.Suivant());
    }
  }
  // A walk cut short by a failed read is not the whole result: the former menu stays.
  if (source.ErreursES() > 0) {
    bilan.fichiersIllisibles.push_back(source.NomFichierIndex());
    bilan.fichiersIllisibles.push_back(source.NomFichierDonnees());
    return bilan;
  }
  source.Fermer();

  const std::map<std::string, std::string> liens = LiensRecettes(cocktails);
  bilan.nbEnregistrements = static_cast<int>(cocktails.size());
  bilan.nbLiens = static_cast<int>(liens.size());
  std::error_code erreur;
  const std::string page =
      PageCarte(cocktails, titre, liens, std::filesystem::exists(CheminIndexRecettes, erreur));
  bilan.nbFamilles = NombreDeFamilles(cocktails);
  if (!EcrirePageEntiere(CheminCarte, page)) {
    bilan.fichiersEnEchec.push_back(CheminCarte);
    return bilan;
  }
  bilan.fichiersEcrits.push_back(CheminCarte);
  // The index of the recipe pages, written before, links to the menu from now on.
  if (!LierIndexACarte()) bilan.fichiersEnEchec.push_back(CheminIndexRecettes);
  return bilan;
}

}  // namespace velquor
