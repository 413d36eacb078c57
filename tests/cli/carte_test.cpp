// The menu and the index of the recipe pages as a reader gets them, on hostile records: read by a
// real HTML5 parser, strictly, their links followed.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "cli/console.h"
#include "cli/support_outils.h"
#include "export/carte_html.h"
#include "export/chemins_export.h"
#include "export/ligne_html.h"
#include "search/ligne_composition.h"
#include "store/collation.h"
#include "support/page_html5.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::ElementHtml;
using test::Outils;
using Elements = std::vector<std::pair<std::string, std::string>>;  // (element, text)

std::vector<EnrCocktail> Cocktails(std::string_view base) {
  std::vector<EnrCocktail> cocktails;
  FicCocktail f(base);
  for (bool ok = f.Ouvrir() && f.Premier(); ok; ok = f.Suivant())
    cocktails.push_back(f.Enreg);
  return cocktails;
}

// A stored text as a page shows it: each line break (CR LF, lone CR or LF) one "\n".
std::string Affiche(std::string_view brut) {
  std::string texte;
  for (std::size_t i = 0, debut = 0; i <= brut.size(); ++i) {
    if (i < brut.size() && brut[i] != '\r' && brut[i] != '\n') continue;
    texte += outils::TexteAffichable(brut.substr(debut, i - debut));
    if (i < brut.size()) texte += "\n";
    if (i + 1 < brut.size() && brut[i] == '\r' && brut[i + 1] == '\n') ++i;
    debut = i + 1;
  }
  return texte;
}

class CarteTest : public test::TestDansDossier {};

TEST_F(CarteTest, CarteEtSommaireSeLisentEtLeursLiensMenentAuxBonnesPages) {
  ASSERT_NO_FATAL_FAILURE(test::Preparer(test::JeuDeDonnees::Hostile));
  // In the result only, a cocktail whose fields fill their width with no terminator.
  ASSERT_NO_FATAL_FAILURE(test::EcrireSansTerminateur(true));
  ASSERT_EQ(Outils({"exporter", "recettes"}).code, 0);
  const std::vector<EnrCocktail> exportes = Cocktails(BaseCocktail);
  // A cocktail added since the pages were written: every page now stands one number after the
  // cocktail's place, and the new one has no page. Its family, ÉTÉ, sorts among the others by
  // name, not after them by its bytes.
  std::ofstream("nouveau.csv") << "cocktail,famille,quantite,ingredient,alcoolise,remarques\n"
                                  "Aaa nouveau,Été,2 cl,Gin,oui,\n";
  ASSERT_EQ(Outils({"importer", "nouveau.csv"}).code, 0);
  ASSERT_EQ(Outils({"rechercher", "nom", "--ajouter", "aaa"}).code, 0);

  const std::string titre = "</title><script>\"&amp;\x01\u00e9 « chez nous »";
  const test::Execution r = Outils({"exporter", "menu", "--titre", titre});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  const test::PageHtml5 carte = test::LirePageHtml5("web/menu.html");
  ASSERT_TRUE(carte.valide) << carte.erreurs;
  EXPECT_EQ(carte.encodage, "utf-8");
  EXPECT_EQ(carte.De("title").at(0).texte, outils::TexteAffichableUtf8(titre));
  ASSERT_EQ(carte.De("h1").size(), 1u);
  EXPECT_EQ(carte.De("h1")[0].texte, outils::TexteAffichableUtf8(titre));

  // The recipe pages by the title line each writes for its cocktail's name.
  std::map<std::string, std::string> pages;
  for (int n = 1; fs::exists(CheminPageHtml(n)); ++n) {
    const std::string page = test::LireTexte(CheminPageHtml(n));
    const std::size_t debut = page.find("<title>") + 7;
    pages[page.substr(debut, page.find("</title>\r\n") - debut)] =
        fs::path(CheminPageHtml(n)).filename().string();
  }
  ASSERT_EQ(pages.size(), exportes.size());

  // The families in name order, those without one last, each followed by its cocktails in name
  // order, each with its link, its composition lines as the results window shows them and its
  // remarks.
  std::vector<EnrCocktail> resultat = Cocktails(BaseResultat);
  ASSERT_GT(resultat.size(), 3u);
  std::stable_sort(resultat.begin(), resultat.end(),
                   [](const EnrCocktail& a, const EnrCocktail& b) {
                     if (Texte(a.Famille).empty() != Texte(b.Famille).empty())
                       return Texte(b.Famille).empty();
                     return ComparerNoms(Texte(a.Famille), Texte(b.Famille)) < 0;
                   });
  Elements attendus;
  std::vector<std::string> liens;
  for (std::size_t i = 0; i < resultat.size(); ++i) {
    const EnrCocktail& c = resultat[i];
    if (i == 0 || Texte(c.Famille) != Texte(resultat[i - 1].Famille))
      attendus.emplace_back("h2", Texte(c.Famille).empty()
                                      ? "Sans famille"
                                      : outils::TexteAffichable(Texte(c.Famille)));
    attendus.emplace_back("h3", outils::TexteAffichable(Texte(c.Nom)));
    const auto page = pages.find(PreparerLigneHtml(EchapperHtml(Texte(c.Nom))));
    liens.push_back(page == pages.end() ? "" : page->second);
    for (int k = 0; k < NbLignesComposition && !Texte(c.Ingredient[k]).empty(); ++k)
      attendus.emplace_back("li", outils::TexteAffichable(LigneComposition(
                                      Texte(c.Quantite[k]), Texte(c.Ingredient[k]))));
    if (!Texte(c.Remarques).empty()) attendus.emplace_back("p", Affiche(Texte(c.Remarques)));
  }
  Elements lus;
  std::vector<std::string> liensLus;
  for (const ElementHtml& e : carte.elements) {
    if (e.balise == "h2" || e.balise == "h3" || e.balise == "li" ||
        (e.balise == "p" && !lus.empty()))
      lus.emplace_back(e.balise, e.texte);
    if (e.balise == "h3") liensLus.push_back(e.adresse);
  }
  EXPECT_EQ(lus, attendus);
  EXPECT_EQ(liensLus, liens);
  // The index lists every page written, in name order, each link leading to its page.
  const test::PageHtml5 index = test::LirePageHtml5("web/index.html");
  ASSERT_TRUE(index.valide) << index.erreurs;
  EXPECT_EQ(index.encodage, "utf-8");
  const std::vector<ElementHtml> entrees = index.De("li");
  ASSERT_EQ(entrees.size(), exportes.size());
  for (std::size_t n = 0; n < entrees.size(); ++n) {
    EXPECT_EQ(entrees[n].texte, outils::TexteAffichable(Texte(exportes[n].Nom)));
    EXPECT_EQ(entrees[n].adresse,
              fs::path(CheminPageHtml(static_cast<int>(n + 1))).filename().string());
    EXPECT_EQ(pages.at(PreparerLigneHtml(EchapperHtml(Texte(exportes[n].Nom)))),
              entrees[n].adresse);
  }
}

// The cocktails without a family close the menu, after every family however it sorts.
TEST(CartePage, LesCocktailsSansFamilleViennentEnDernier) {
  const std::string page = PageCarte({{"A", "", {}, ""}, {"B", "ZZZ", {}, ""}}, "Carte", {});
  const std::size_t famille = page.find("<h2>ZZZ</h2>");
  const std::size_t sans = page.find("<h2>Sans famille</h2>");
  ASSERT_NE(sans, std::string::npos);
  EXPECT_LT(famille, sans);
}

// Of two recipe pages of one name, the menu links to the one written last.
TEST(CartePage, LeLienMeneALaPageEcriteEnDernier) {
  test::DossierTemporaire dossier;
  fs::create_directory("web");
  const std::string page = "1\r\n2\r\n3\r\n4\r\n5\r\n" +
                           PreparerLigneHtml("<title>" + EchapperHtml("GIN") + "</title>") + "\r\n";
  std::ofstream("web/recet001.html", std::ios::binary) << page;
  std::ofstream("web/recet002.html", std::ios::binary) << page;
  fs::last_write_time("web/recet001.html",
                      fs::last_write_time("web/recet002.html") + std::chrono::hours(1));
  EXPECT_EQ(LiensRecettes({{"GIN", "", {}, ""}}).at("GIN"), "recet001.html");
}

}  // namespace
}  // namespace velquor
