// The web list files and the SQL files of the three collections, byte for byte, with their field
// preparation and the frame around them.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "collections_exemple.h"
#include "export/exports_listes.h"
#include "store/pannes_fichiers.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

using test::AjouterCocktail;
using test::AjouterExemple;
using test::LireTexte;

// A field of a web record: the text, then zero bytes up to the width.
std::string Champ(std::string_view texte, std::size_t largeur) {
  std::string c(texte);
  c.resize(largeur, '\0');
  return c;
}

void AjouterFamille(std::string_view nom) {
  AjouterExemple<FicFamille>(nom, [](EnrFamille& e) { CopierTexte(e.Commentaire, "note"); });
}

void AjouterIngredient(std::string_view nom, bool alcool, std::string_view commentaire) {
  AjouterExemple<FicIngredient>(nom, [&](EnrIngredient& e) {
    e.Alcool = alcool ? 1 : 0;
    CopierTexte(e.Commentaire, commentaire);
  });
}

class ListesSqlTest : public test::TestDansDossier {
 protected:
  void SetUp() override {
    std::filesystem::create_directory("Web");
    std::filesystem::create_directory("Tux");
  }
  test::EnregistreurMessages messages_;
};

// The web lists hold the stored texts as they are, in name order; the SQL files trimmed texts,
// names in title case (families) or capitalised, line breaks as <br>, quotes doubled.
TEST_F(ListesSqlTest, LesQuatreFichiersEntiers) {
  const std::string trente = "PUNCHS ET BOISSONS CHAUDES 123";  // exactly 30 bytes
  AjouterFamille("LONG DRINK");
  AjouterFamille(trente);
  AjouterFamille("AP\xC9RITIFS");
  AjouterIngredient("RHUM \"BLANC\"", true, "Sec\r\nFrais");
  AjouterIngredient(" CR\xC8ME DE CASSIS ", true, "  Doux\r\n\r\n\r\nde Dijon \n");
  AjouterIngredient("GLA\xC7ONS", false, "");
  // Rows 1, 3, 6 and 8 filled: numbered on from the cocktail before; a row with only a quantity
  // or only an ingredient is kept. The whole tenth row is written too.
  const std::vector<test::LigneExemple> mojito = {{0, "  un trait", "CR\xC8ME DE CASSIS"},
                                                  {2, "2 cl", " RHUM BLANC "},
                                                  {5, "", "MENTHE"},
                                                  {7, "glace", ""},
                                                  {9, "1", "Z"}};
  AjouterCocktail("MOJITO ROYAL", "  LONG DRINK ", mojito, "Piler\r\nServir");
  AjouterCocktail("BELLINI", "AP\xC9RITIFS", {{0, "10 cl", "PROSECCO"}});
  for (const auto& bilan : {ExporterFamilles(messages_), ExporterIngredients(messages_),
                            ExporterCocktails(messages_)}) {
    EXPECT_TRUE(bilan.Reussi());
  }
  EXPECT_TRUE(messages_.messages.empty());

  EXPECT_EQ(LireTexte("Web/FAMILLE.WEB"),
            Champ("AP\xC9RITIFS", 30) + Champ("LONG DRINK", 30) + trente);
  EXPECT_EQ(LireTexte("Tux/FAMILLE.SQL"),
            "1;\"Ap\xC9ritifs\";\"\"\r\n"
            "2;\"Long Drink\";\"\"\r\n"
            "3;\"Punchs Et Boissons Chaudes 123\";\"\"\r\n");
  EXPECT_EQ(LireTexte("Web/INGRED.WEB"), Champ(" CR\xC8ME DE CASSIS ", 30) +
                                             Champ("GLA\xC7ONS", 30) + Champ("RHUM \"BLANC\"", 30));
  EXPECT_EQ(LireTexte("Tux/INGRED.SQL"),
            "1;\"Cr\xC8me de cassis\";1;\"Doux<br>de Dijon <br>\"\r\n"
            "2;\"Gla\xC7ons\";0;\"\"\r\n"
            "3;\"Rhum \"\"blanc\"\"\";1;\"Sec<br>Frais<br>\"\r\n");
  std::string rangees(10 * 50, '\0');
  for (const auto& l : mojito)
    rangees.replace(50 * l.place, 50, Champ(l.quantite, 20) + Champ(l.ingredient, 30));
  EXPECT_EQ(LireTexte("Web/COCKTAIL.WEB"),
            Champ("BELLINI", 30) + Champ("10 cl", 20) + Champ("PROSECCO", 30 + 9 * 50) +
                Champ("AP\xC9RITIFS", 30) + Champ("", 250) + Champ("MOJITO ROYAL", 30) + rangees +
                Champ("  LONG DRINK ", 30) + Champ("Piler\r\nServir", 250));
  EXPECT_EQ(LireTexte("Tux/COCKTAIL.SQL"),
            "1;\"Bellini\";\"AP\xC9RITIFS\";\"\"\r\n"
            "2;\"Mojito royal\";\"LONG DRINK\";\"Piler<br>Servir<br>\"\r\n");
  EXPECT_EQ(LireTexte("Tux/COMPO.SQL"),
            "1;1;\"prosecco\";\"10 cl\"\r\n"
            "2;2;\"cr\xC8me de cassis\";\"Un trait\"\r\n"
            "3;2;\"rhum blanc\";\"2 cl\"\r\n"
            "4;2;\"menthe\";\"\"\r\n"
            "5;2;\"\";\"Glace\"\r\n"
            "6;2;\"z\";\"1\"\r\n");
}

// Without its folder a file is not written, and the export says so; an empty collection
// empties its web list and leaves the SQL file as it was.
TEST_F(ListesSqlTest, DossierManquantEtCollectionVide) {
  test::EcrireOctets("Web/INGRED.WEB", {'x', 'y'});
  test::EcrireOctets("Tux/INGRED.SQL", {'a'});
  BilanExport bilan = ExporterIngredients(messages_);
  EXPECT_TRUE(bilan.Reussi());
  EXPECT_EQ(std::filesystem::file_size("Web/INGRED.WEB"), 0u);
  EXPECT_EQ(LireTexte("Tux/INGRED.SQL"), "a");

  std::filesystem::remove_all("Web");
  AjouterFamille("SOURS");
  bilan = ExporterFamilles(messages_);
  EXPECT_FALSE(bilan.Reussi());
  EXPECT_EQ(bilan.fichiersEnEchec, std::vector<std::string>{"./Web/FAMILLE.WEB"});
  EXPECT_TRUE(messages_.messages.empty());
}

// A read of the collection failing during an export is never taken for the end of the
// collection: the export is either complete or says which files could not be read.
TEST_F(ListesSqlTest, UneLectureEnEchecNeDonneJamaisUnExportTronqueReussi) {
  for (const char* nom : {"A", "B", "C", "D", "E", "F"})
    AjouterFamille(nom);
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
