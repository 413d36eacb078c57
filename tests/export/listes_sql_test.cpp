// The web list files and the SQL files of the three collections, byte for byte, with their
// field preparation and the frame around them (missing folders, empty collections).

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "collections_exemple.h"
#include "export/champs_sql.h"
#include "export/exports_listes.h"
#include "store/pannes_fichiers.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

using test::AjouterCocktail;
using test::AjouterFamille;
using test::AjouterIngredient;
using test::LireTexte;

// A field of a web record: the text, then zero bytes up to the width.
std::string Champ(std::string_view texte, std::size_t largeur) {
  std::string c(texte);
  c.resize(largeur, '\0');
  return c;
}

// A cocktail of the web list: name, ten rows of quantity and ingredient, family, remarks.
std::string CocktailWeb(std::string_view nom, const std::vector<test::LigneExemple>& lignes,
                        std::string_view famille, std::string_view remarques) {
  std::string rangees(10 * 50, '\0');
  for (const auto& l : lignes)
    rangees.replace(50 * l.place, 50, Champ(l.quantite, 20) + Champ(l.ingredient, 30));
  return Champ(nom, 30) + rangees + Champ(famille, 30) + Champ(remarques, 250);
}

class ListesSqlTest : public test::TestDansDossier {
 protected:
  void SetUp() override {
    std::filesystem::create_directory("Web");
    std::filesystem::create_directory("Tux");
  }
  test::EnregistreurMessages messages_;
};

TEST_F(ListesSqlTest, FamillesEnOrdreAvecNomsEnTitre) {
  const std::string trente = "PUNCHS ET BOISSONS CHAUDES 123";  // exactly 30 bytes
  ASSERT_EQ(trente.size(), 30u);
  AjouterFamille("LONG DRINK", "Grands verres");
  AjouterFamille(trente);
  AjouterFamille("AP\xC9RITIFS");
  BilanExport bilan = ExporterFamilles(messages_);
  EXPECT_TRUE(bilan.Reussi());
  EXPECT_EQ(bilan.nbEnregistrements, 3);
  EXPECT_EQ(bilan.fichiersEcrits,
            (std::vector<std::string>{"./Tux/FAMILLE.SQL", "./Web/FAMILLE.WEB"}));

  EXPECT_EQ(LireTexte("Web/FAMILLE.WEB"),
            Champ("AP\xC9RITIFS", 30) + Champ("LONG DRINK", 30) + trente);
  EXPECT_EQ(LireTexte("Tux/FAMILLE.SQL"),
            "1;\"Ap\xC9ritifs\";\"\"\r\n"
            "2;\"Long Drink\";\"\"\r\n"
            "3;\"Punchs Et Boissons Chaudes 123\";\"\"\r\n");
}

TEST_F(ListesSqlTest, IngredientsAvecAlcoolEtCommentaires) {
  AjouterIngredient("RHUM BLANC", true, "Sec\r\nFrais");
  AjouterIngredient(" CR\xC8ME DE CASSIS ", true, "  Doux\r\n\r\n\r\nde Dijon \n");
  AjouterIngredient("GLA\xC7ONS", false);
  EXPECT_TRUE(ExporterIngredients(messages_).Reussi());

  // " CRÈME DE CASSIS " sorts first: its leading space comes before the letters.
  EXPECT_EQ(LireTexte("Web/INGRED.WEB"),
            Champ(" CR\xC8ME DE CASSIS ", 30) + Champ("GLA\xC7ONS", 30) + Champ("RHUM BLANC", 30));
  EXPECT_EQ(LireTexte("Tux/INGRED.SQL"),
            "1;\"Cr\xC8me de cassis\";1;\"Doux<br>de Dijon <br>\"\r\n"
            "2;\"Gla\xC7ons\";0;\"\"\r\n"
            "3;\"Rhum blanc\";1;\"Sec<br>Frais<br>\"\r\n");
}

TEST_F(ListesSqlTest, CocktailsEtCompositions) {
  // Rows 1 and 3 filled, row 2 empty: two composition lines, numbered on from the cocktail
  // before. A row with only a quantity or only an ingredient is kept.
  const std::vector<test::LigneExemple> mojito = {{0, "  un trait", "CR\xC8ME DE CASSIS"},
                                                  {2, "2 cl", " RHUM BLANC "},
                                                  {5, "", "MENTHE"},
                                                  {7, "glace", ""}};
  const std::vector<test::LigneExemple> bellini = {{0, "10 cl", "PROSECCO"},
                                                   {1, "5 cl",
                                                    "P\xCA"
                                                    "CHE"}};
  AjouterCocktail("MOJITO ROYAL", "  LONG DRINK ", mojito, "Piler\r\nServir");
  AjouterCocktail("BELLINI", "AP\xC9RITIFS", bellini);
  EXPECT_TRUE(ExporterCocktails(messages_).Reussi());

  // The web list holds the stored texts as they are.
  EXPECT_EQ(LireTexte("Web/COCKTAIL.WEB"),
            CocktailWeb("BELLINI", bellini, "AP\xC9RITIFS", "") +
                CocktailWeb("MOJITO ROYAL", mojito, "  LONG DRINK ", "Piler\r\nServir"));
  EXPECT_EQ(LireTexte("Tux/COCKTAIL.SQL"),
            "1;\"Bellini\";\"AP\xC9RITIFS\";\"\"\r\n"
            "2;\"Mojito royal\";\"LONG DRINK\";\"Piler<br>Servir<br>\"\r\n");
  EXPECT_EQ(LireTexte("Tux/COMPO.SQL"),
            "1;1;\"prosecco\";\"10 cl\"\r\n"
            "2;1;\"p\xCA"
            "che\";\"5 cl\"\r\n"
            "3;2;\"cr\xC8me de cassis\";\"Un trait\"\r\n"
            "4;2;\"rhum blanc\";\"2 cl\"\r\n"
            "5;2;\"menthe\";\"\"\r\n"
            "6;2;\"\";\"Glace\"\r\n");
}

TEST_F(ListesSqlTest, CollectionVideVideLaListeEtGardeLeSql) {
  test::EcrireOctets("Web/INGRED.WEB", {'x', 'y'});
  test::EcrireOctets("Tux/INGRED.SQL", {'a', 'n', 'c', 'i', 'e', 'n'});
  BilanExport bilan = ExporterIngredients(messages_);
  EXPECT_TRUE(bilan.Reussi());
  EXPECT_EQ(bilan.nbEnregistrements, 0);
  EXPECT_EQ(std::filesystem::file_size("Web/INGRED.WEB"), 0u);
  EXPECT_EQ(LireTexte("Tux/INGRED.SQL"), "ancien");
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(ListesSqlTest, SansDossierWebRienNEstEcrit) {
  std::filesystem::remove("Web");
  AjouterFamille("SOURS");
  test::EcrireOctets("Tux/FAMILLE.SQL", {'a'});
  BilanExport bilan = ExporterFamilles(messages_);
  EXPECT_FALSE(bilan.Reussi());
  EXPECT_EQ(bilan.fichiersEnEchec, std::vector<std::string>{"./Web/FAMILLE.WEB"});
  EXPECT_EQ(LireTexte("Tux/FAMILLE.SQL"), "a");
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(ListesSqlTest, SansDossierTuxLaListeWebEstQuandMemeEcrite) {
  std::filesystem::remove("Tux");
  AjouterCocktail("NEGRONI", "", {});
  BilanExport bilan = ExporterCocktails(messages_);
  EXPECT_FALSE(bilan.Reussi());
  EXPECT_EQ(bilan.fichiersEcrits, std::vector<std::string>{"./Web/COCKTAIL.WEB"});
  EXPECT_EQ(bilan.fichiersEnEchec,
            (std::vector<std::string>{"./Tux/COCKTAIL.SQL", "./Tux/COMPO.SQL"}));
  EXPECT_EQ(std::filesystem::file_size("Web/COCKTAIL.WEB"), 810u);
}

TEST(ChampsSql, PreparationDesTextes) {
  // The export tests above have the common cases.
  EXPECT_EQ(Rogner("\ta \t"), "\ta \t");  // only spaces are trimmed
  EXPECT_EQ(Rogner("   "), "");
  EXPECT_EQ(Capitaliser("\xC9"
                        "CLAT"),
            "\xC9"
            "clat");
  EXPECT_EQ(EnTitre("PUNCH  AU RHUM-COCO"), "Punch  Au Rhum-coco");
  EXPECT_EQ(EnTitre("1ER CRU"), "1er Cru");
  EXPECT_EQ(SautsEnBr(""), "");
  EXPECT_EQ(SautsEnBr(" \r\n a \r\rb\n\nc \r\n "), " a <br>b<br>c <br>");
  EXPECT_EQ(ChampTexteSql("\"\""), "\"\"\"\"\"\"");
}

// A read of the collection failing during an export is never taken for the end of the
// collection: the export is either complete or says which files could not be read.
TEST_F(ListesSqlTest, UneLectureEnEchecNeDonneJamaisUnExportTronqueReussi) {
  for (const char* nom : {"A", "B", "C", "D", "E", "F"})
    AjouterFamille(nom, "");
  for (long k = 1; k < 40; ++k) {
    // From the k-th read on, every read fails.
    pannes::Programmer(pannes::Operation::Lecture, k, EIO, false, true);
    const BilanExport bilan = ExporterFamilles(messages_);
    pannes::Effacer();
    if (bilan.Reussi()) {
      EXPECT_EQ(bilan.nbEnregistrements, 6) << "read " << k;
    } else if (bilan.collectionOuverte && bilan.fichiersEnEchec.empty()) {
      EXPECT_EQ(bilan.fichiersIllisibles, (std::vector<std::string>{"FAMILLE.NDX", "FAMILLE.DAT"}))
          << "read " << k;
    }
  }
}

}  // namespace
}  // namespace velquor
