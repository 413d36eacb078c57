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
  AjouterCocktail("MOJITO ROYAL", "  LONG DRINK ",
                  {{0, "  un trait", "CR\xC8ME DE CASSIS"},
                   {2, "2 cl", " RHUM BLANC "},
                   {5, "", "MENTHE"},
                   {7, "glace", ""},
                   {9, "1", "Z"}},
                  "Piler\r\nServir");
  AjouterCocktail("BELLINI", "AP\xC9RITIFS", {{0, "10 cl", "PROSECCO"}});
  for (const auto& bilan : {ExporterFamilles(messages_), ExporterIngredients(messages_),
                            ExporterCocktails(messages_)}) {
    EXPECT_TRUE(bilan.Reussi());
  }
  EXPECT_TRUE(messages_.messages.empty());

  // Compared whole with the files of listes/ beside this file.
  for (const char* nom :
       {"Web/FAMILLE.WEB", "Web/INGRED.WEB", "Web/COCKTAIL.WEB", "Tux/FAMILLE.SQL",
        "Tux/INGRED.SQL", "Tux/COCKTAIL.SQL", "Tux/COMPO.SQL"}) {
    const auto attendu = std::filesystem::path(VELQUOR_EXPORT_ATTENDU) / "listes" /
                         std::filesystem::path(nom).filename();
    const std::string texte = LireTexte(attendu);
    ASSERT_FALSE(texte.empty()) << attendu;
    EXPECT_EQ(LireTexte(nom), texte) << nom;
  }
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

}  // namespace
}  // namespace velquor
