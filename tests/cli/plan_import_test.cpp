// The import file checked as a whole: the plan of what is to be added, and every fault with its
// line number, before anything is written.

#include <gtest/gtest.h>

#include "cli/plan_import.h"

namespace velquor::outils {
namespace {

const std::string Entete = "cocktail,famille,quantite,ingredient,alcoolise,remarques\n";

TEST(PlanImport, CocktailsEnCapitalesEtSautsDeLigneEnCrLf) {
  const ResultatPlan r = PreparerImport(
      "remarques,cocktail,ingredient,quantite,famille,alcoolise\r\n"  // any column order
      "\"Piler\nServir\r\nGlacer\rBoire\",Mojito,Rhum blanc,4 cl,Long drinks,oui\r\n"
      ",Mojito,,,,\r\n"  // no composition row: it would hide the next one
      ",Mojito,Crème,2 cl,long drinks,OUI\r\n");
  ASSERT_TRUE(r.erreurs.empty()) << r.erreurs[0].texte;
  ASSERT_EQ(r.plan.cocktails.size(), 1u);
  const auto& c = r.plan.cocktails[0];
  EXPECT_EQ(c.nom + "|" + c.famille + "|" + c.remarques,
            "MOJITO|LONG DRINKS|Piler\r\nServir\r\nGlacer\r\nBoire");
  ASSERT_EQ(c.lignes.size(), 2u);
  EXPECT_EQ(c.lignes[1].quantite + " " + c.lignes[1].ingredient, "2 cl CR\xC8ME");
  EXPECT_EQ(r.plan.familles.size(), 1u);
  ASSERT_EQ(r.plan.ingredients.size(), 2u);
  EXPECT_TRUE(r.plan.ingredients[0].alcool && r.plan.ingredients[1].alcool);
}

// Nothing is cut or dropped to fit: every text past its limit in code page 1252 bytes, every
// eleventh line, every contradiction is refused with its line; the file's control characters
// are quoted as \xHH in the messages, never sent to the terminal.
TEST(PlanImport, ToutesLesErreursAvecLeurLigne) {
  std::string csv = Entete +
                    "A,,1 cl,Gin,oui,\n"            // 2: fine
                    "A,,1 cl,Gin,non,\n"            // 3: flag contradicts 2
                    "B,Sours,1 cl,Rhum,,\n"         // 4: fine
                    "B,Tiki,1 cl,Rhum,,\n"          // 5: second family
                    "C,,2 cl,,,\n"                  // 6: quantity alone
                    "D,,1,Gin,\x1B[31moui,\n"       // 7: not oui/non
                    "E\xC5\x91,,1,Gin,,\n"          // 8: ő is not CP1252
                    "J,\"Long\ndrinks\",1,Gin,,\n"  // 9: break in a name
                    + std::string(30, 'A') +
                    "\xC3\xA9,,1,Gin,,\n"  // 11: 31 bytes
                    "W,,1,Gin,,\"" +
                    std::string(249, 'r') +
                    "\n\"\n"                    // 12: 251 once CR LF
                    "A,,1 cl,Vermouth,oui,\n";  // 14: A after others
  for (int i = 0; i < 11; ++i)
    csv += "Z,,1 cl,Rhum " + std::to_string(i) + ",oui,\n";  // 25: the eleventh
  const ResultatPlan r = PreparerImport(csv);
  std::vector<int> lignes;
  for (const auto& e : r.erreurs) {
    lignes.push_back(e.ligne);
    EXPECT_EQ(e.texte.find('\x1B'), std::string::npos) << e.texte;
  }
  EXPECT_EQ(lignes, (std::vector<int>{3, 5, 6, 7, 8, 9, 11, 12, 14, 25}));
  ASSERT_EQ(r.erreurs.size(), 10u);
  EXPECT_NE(r.erreurs[3].texte.find("\\x1B[31moui"), std::string::npos) << r.erreurs[3].texte;
  EXPECT_NE(r.erreurs[4].texte.find("U+0151"), std::string::npos);
  EXPECT_NE(r.erreurs[8].texte.find("« A » est déjà donné à partir de la ligne 2"),
            std::string::npos);
}

}  // namespace
}  // namespace velquor::outils
