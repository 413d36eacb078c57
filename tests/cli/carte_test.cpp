// The menu and the index of the recipe pages as a reader gets them: read by a real HTML5 parser,
// strictly, their links followed; and the menu written whole or not at all when the companion is
// killed or the disk is full.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "export/carte_html.h"
#include "export/ligne_html.h"
#include "search/ligne_composition.h"
#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/cp1252.h"
#include "support/dossier_temporaire.h"
#include "support/execution.h"
#include "support/page_html5.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::ElementHtml;

test::Execution Outils(std::vector<std::string> arguments,
                       const std::vector<std::string>& environnement = {}) {
  return test::Executer(VELQUOR_OUTILS, std::move(arguments), environnement);
}

// Whether the recipe page at that address, relative to web/, is the page of that cocktail: its
// title line is the one the recipe page writes for the name.
bool PageDe(const std::string& adresse, const std::string& nom) {
  if (adresse.empty() || adresse.find('/') != std::string::npos) return false;
  const std::string page = test::LireTexte(fs::path("web") / adresse);
  return page.find("\r\n" + PreparerLigneHtml("<title>" + EchapperHtml(nom) + "</title>") +
                   "\r\n") != std::string::npos;
}

std::vector<EnrCocktail> Cocktails(std::string_view base) {
  std::vector<EnrCocktail> cocktails;
  FicCocktail f(base);
  if (f.Ouvrir() && f.Premier()) {
    do
      cocktails.push_back(f.Enreg);
    while (f.Suivant());
  }
  return cocktails;
}

class CarteTest : public test::TestDansDossier {
 protected:
  void SetUp() override {
    ASSERT_EQ(Outils({"importer", VELQUOR_DEMO_CSV}).code, 0);
    ASSERT_EQ(Outils({"rechercher", "ingredients", "menthe", "rhum blanc cubain",
                      "jus de citron vert", "sucre de canne blanc", "eau gazeuse", "gin",
                      "sirop de sucre", "jus de citron", "sucre en poudre"})
                  .code,
              0);
  }
};

TEST_F(CarteTest, CarteEtSommaireSeLisentEtLeursLiensMenentAuxBonnesPages) {
  ASSERT_EQ(Outils({"exporter", "recettes"}).code, 0);
  const std::vector<EnrCocktail> exportes = Cocktails(BaseCocktail);
  // A cocktail added since the pages were written: every page now stands one number after the
  // cocktail's place, and the new one has no page. Its family, ÉTÉ, sorts among the others by
  // name, not after them by its bytes.
  std::ofstream("nouveau.csv") << "cocktail,famille,quantite,ingredient,alcoolise,remarques\n"
                                  "Aaa nouveau,Été,2 cl,Gin,oui,\n";
  ASSERT_EQ(Outils({"importer", "nouveau.csv"}).code, 0);
  ASSERT_EQ(Outils({"rechercher", "familles", "--ajouter", "sours", "été"}).code, 0);

  const std::string titre = "Ce soir « chez nous » & <amis>";
  const test::Execution r = Outils({"exporter", "menu", "--titre", titre});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  const test::PageHtml5 carte = test::LirePageHtml5("web/menu.html");
  ASSERT_TRUE(carte.valide) << carte.erreurs;
  EXPECT_EQ(carte.encodage, "utf-8");
  ASSERT_EQ(carte.De("h1").size(), 1u);
  EXPECT_EQ(carte.De("h1")[0].texte, titre);
  EXPECT_EQ(carte.De("title")[0].texte, titre);

  // The families in name order, each followed by its cocktails in name order, each with its
  // composition lines as the results window shows them and its remarks.
  std::vector<EnrCocktail> resultat = Cocktails(BaseResultat);
  ASSERT_GT(resultat.size(), 8u);
  std::stable_sort(resultat.begin(), resultat.end(),
                   [](const EnrCocktail& a, const EnrCocktail& b) {
                     return ComparerNoms(Texte(a.Famille), Texte(b.Famille)) < 0;
                   });
  std::vector<std::pair<std::string, std::string>> attendus;  // (element, text)
  std::vector<std::pair<std::string, std::string>> lus;
  for (std::size_t i = 0; i < resultat.size(); ++i) {
    const EnrCocktail& c = resultat[i];
    if (i == 0 || Texte(c.Famille) != Texte(resultat[i - 1].Famille))
      attendus.emplace_back("h2", Cp1252VersUtf8(Texte(c.Famille)));
    attendus.emplace_back("h3", Cp1252VersUtf8(Texte(c.Nom)));
    for (int k = 0; k < NbLignesComposition && !Texte(c.Ingredient[k]).empty(); ++k)
      attendus.emplace_back(
          "li", Cp1252VersUtf8(LigneComposition(Texte(c.Quantite[k]), Texte(c.Ingredient[k]))));
    const std::string brutes = Cp1252VersUtf8(Texte(c.Remarques));
    std::string remarques;  // CR LF read as one line break
    for (std::size_t i = 0; i < brutes.size(); ++i) {
      if (!(brutes[i] == '\r' && i + 1 < brutes.size() && brutes[i + 1] == '\n'))
        remarques += brutes[i];
    }
    if (!remarques.empty()) attendus.emplace_back("p", remarques);
  }
  for (const ElementHtml& e : carte.elements) {
    if (e.balise == "h2" || e.balise == "h3" || e.balise == "li" ||
        (e.balise == "p" && !lus.empty()))
      lus.emplace_back(e.balise, e.texte);
  }
  EXPECT_EQ(lus, attendus);

  // Each name leads to its own page, wherever the added cocktail moved it; the new one, which has
  // no page yet, leads nowhere.
  int liens = 0;
  for (const ElementHtml& h3 : carte.De("h3")) {
    const std::string nom = *Utf8VersCp1252(h3.texte);
    if (nom == "AAA NOUVEAU") {
      EXPECT_EQ(h3.adresse, "");
    } else {
      EXPECT_TRUE(PageDe(h3.adresse, nom)) << h3.texte << " -> " << h3.adresse;
      ++liens;
    }
  }
  EXPECT_EQ(liens + 1, static_cast<int>(resultat.size()));

  // The index lists every page written, in name order, each link leading to its page.
  const test::PageHtml5 index = test::LirePageHtml5("web/index.html");
  ASSERT_TRUE(index.valide) << index.erreurs;
  EXPECT_EQ(index.encodage, "utf-8");
  const std::vector<ElementHtml> pages = index.De("li");
  ASSERT_EQ(pages.size(), exportes.size());
  for (std::size_t n = 0; n < pages.size(); ++n) {
    char fichier[32];
    std::snprintf(fichier, sizeof fichier, "recet%03zu.html", n + 1);
    EXPECT_EQ(pages[n].adresse, fichier);
    EXPECT_EQ(pages[n].texte, Cp1252VersUtf8(Texte(exportes[n].Nom)));
    EXPECT_TRUE(PageDe(pages[n].adresse, std::string(Texte(exportes[n].Nom)))) << fichier;
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

TEST_F(CarteTest, UsageEtCarteDeTousLesCocktails) {
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"exporter", "menu", "--titre", ""},
           {"exporter", "menu", "--titre", "\xC3(mal form\xC3\xA9"},
           {"exporter", "recettes", "--tout"},
           {"exporter", "menu", "--toute"},
       }) {
    EXPECT_EQ(Outils(arguments).code, 2) << ::testing::PrintToString(arguments);
  }
  EXPECT_FALSE(fs::exists("web"));

  const test::Execution r = Outils({"exporter", "menu", "--tout"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  const test::PageHtml5 carte = test::LirePageHtml5("web/menu.html");
  ASSERT_TRUE(carte.valide) << carte.erreurs;
  EXPECT_EQ(carte.De("h1")[0].texte, "Carte des cocktails");
  EXPECT_EQ(carte.De("h2").size(), 8u);
  EXPECT_EQ(carte.De("h3").size(), Cocktails(BaseCocktail).size());
  // No recipe page was written: no link.
  for (const ElementHtml& h3 : carte.De("h3"))
    EXPECT_EQ(h3.adresse, "") << h3.texte;

  // Without a result, the companion says how to get one.
  fs::remove("RESURECH.NDX");
  fs::remove("RESURECH.DAT");
  const test::Execution sans = Outils({"exporter", "menu"});
  EXPECT_EQ(sans.code, 1);
  EXPECT_NE(sans.erreurs.find("rechercher"), std::string::npos) << sans.erreurs;
  EXPECT_FALSE(fs::exists("RESURECH.NDX"));
}

TEST_F(CarteTest, LaCarteEstEntiereApresUnArretOuUnDisquePlein) {
  ASSERT_EQ(Outils({"exporter", "menu"}).code, 0);
  const std::vector<unsigned char> ancienne = test::LireOctets("web/menu.html");
  ASSERT_FALSE(ancienne.empty());

  // The whole menu is far larger than the limit: nothing of it may replace the former one.
  EXPECT_EQ(test::ExecuterDisqueLimite(VELQUOR_OUTILS, {"exporter", "menu", "--tout"},
                                       ancienne.size() + 100),
            1);
  EXPECT_EQ(test::LireOctets("web/menu.html"), ancienne);

  if (test::EnvironnementArret(1).empty()) GTEST_SKIP() << "no preloaded library";
  ASSERT_EQ(Outils({"exporter", "menu", "--tout"}).code, 0);
  const std::vector<unsigned char> nouvelle = test::LireOctets("web/menu.html");
  ASSERT_NE(nouvelle, ancienne);
  // A stop after each file-changing call in turn, from the first, until a run gets to its end;
  // what a stopped run leaves beside the menu is there for the next run to meet.
  int anciennes = 0;
  int nouvelles = 0;
  bool finie = false;
  for (long n = 1; n <= 50 && !finie; ++n) {
    test::EcrireOctets("web/menu.html", ancienne);
    const test::Execution r = Outils({"exporter", "menu", "--tout"}, test::EnvironnementArret(n));
    finie = r.code == 0;
    EXPECT_TRUE(finie || r.tue) << r.erreurs;
    const std::vector<unsigned char> lue = test::LireOctets("web/menu.html");
    EXPECT_TRUE(lue == ancienne || lue == nouvelle) << "a broken menu after a stop at call " << n;
    (lue == ancienne ? anciennes : nouvelles)++;
  }
  EXPECT_TRUE(finie);
  EXPECT_GT(anciennes, 0);
  EXPECT_GT(nouvelles, 0);
}

}  // namespace
}  // namespace velquor
