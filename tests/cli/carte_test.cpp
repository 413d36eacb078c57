// The menu and the index of the recipe pages as a reader gets them, on hostile records: read by a
// real HTML5 parser, strictly, and compared byte for byte with carte/ beside this file (the
// families in name order, those without one last, each cocktail with its composition, its
// remarks and its link to the page written for its name).

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "cli/support_outils.h"
#include "export/carte_html.h"
#include "export/ligne_html.h"
#include "support/page_html5.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::Outils;

class CarteTest : public test::TestDansDossier {};

TEST_F(CarteTest, CarteEtSommaireSeLisentEtLeursLiensMenentAuxBonnesPages) {
  ASSERT_NO_FATAL_FAILURE(test::PreparerHostile());
  // In the result only, a cocktail whose fields fill their width with no terminator.
  ASSERT_NO_FATAL_FAILURE(test::EcrireSansTerminateur(true));
  ASSERT_EQ(Outils({"exporter", "recettes"}).code, 0);
  // A cocktail added since the pages were written: every page now stands one number after the
  // cocktail's place, and the new one has no page. Its family, ÉTÉ, sorts among the others by
  // name, not after them by its bytes.
  std::ofstream("nouveau.csv") << "cocktail,famille,quantite,ingredient,alcoolise,remarques\n"
                                  "Aaa nouveau,Été,2 cl,Gin,oui,\n";
  ASSERT_EQ(Outils({"importer", "nouveau.csv"}).code, 0);
  ASSERT_EQ(Outils({"rechercher", "nom", "--ajouter", "aaa"}).code, 0);
  const test::Execution r =
      Outils({"exporter", "menu", "--titre", "</title><script>\"&amp;\x01\u00e9 « chez nous »"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  for (const char* page : {"menu.html", "index.html"}) {
    SCOPED_TRACE(page);
    const test::PageHtml5 lue = test::LirePageHtml5(fs::path("web") / page);
    EXPECT_TRUE(lue.valide) << lue.erreurs;
    EXPECT_EQ(lue.encodage, "utf-8");
    EXPECT_EQ(test::LireTexte(fs::path("web") / page),
              test::LireTexte(fs::path(VELQUOR_CARTE_ATTENDUE) / page));
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
