// The import file checked as a whole: the plan of what is to be added, and every fault with its
// line number.

#include <gtest/gtest.h>

#include "cli/plan_import.h"

namespace velquor::outils {
namespace {

const std::string Entete = "cocktail,famille,quantite,ingredient,alcoolise,remarques\n";

std::vector<int> Lignes(const ResultatPlan& r) {
  std::vector<int> lignes;
  for (const auto& e : r.erreurs)
    lignes.push_back(e.ligne);
  return lignes;
}

// The plan in one text per entry: "NAME|FAMILY|REMARKS|QUANTITY INGREDIENT;...", "NAME" and
// "NAME alcool" (code page 1252).
std::vector<std::string> Decrire(const PlanImport& p) {
  std::vector<std::string> d;
  for (const auto& c : p.cocktails) {
    std::string texte = c.nom + "|" + c.famille + "|" + c.remarques + "|";
    for (const auto& l : c.lignes)
      texte += l.quantite + " " + l.ingredient + ";";
    d.push_back(texte);
  }
  for (const auto& f : p.familles)
    d.push_back(f.nom);
  for (const auto& i : p.ingredients)
    d.push_back(i.nom + (i.alcool ? " alcool" : ""));
  return d;
}

TEST(PlanImport, CocktailsDansLOrdreDeLeurPremiereLigne) {
  ResultatPlan r = PreparerImport(
      "remarques,cocktail,ingredient,quantite,famille,alcoolise\r\n"  // any column order
      "\"Piler\nServir\r\nGlacer\rBoire\",Mojito,Rhum blanc,4 cl,Long drinks,oui\r\n"
      ",Mojito,Menthe,6 brins,,\r\n"
      ",Mojito,,,,\r\n"  // an empty slot
      ",Mojito,Eau gazeuse,compléter,long drinks,non\r\n"
      ",Kir,Crème de cassis,1 cl,Apéritifs,oui\r\n"
      ",Kir,Vin blanc,9 cl,,OUI\r\n");
  ASSERT_TRUE(r.erreurs.empty()) << r.erreurs[0].texte;
  // Names in capitals, quantities keep their case, each line break (LF, CR LF, CR) stored as
  // one CR LF; an empty
  // "alcoolise" means no, "OUI" in any case means yes.
  EXPECT_EQ(
      Decrire(r.plan),
      (std::vector<std::string>{
          "MOJITO|LONG DRINKS|Piler\r\nServir\r\nGlacer\r\nBoire|4 cl RHUM BLANC;6 brins MENTHE; ;"
          "compl\xE9ter EAU GAZEUSE;",
          "KIR|AP\xC9RITIFS||1 cl CR\xC8ME DE CASSIS;9 cl VIN BLANC;",
          "LONG DRINKS",
          "AP\xC9RITIFS",
          "RHUM BLANC alcool",
          "MENTHE",
          "EAU GAZEUSE",
          "CR\xC8ME DE CASSIS alcool",
          "VIN BLANC alcool",
      }));
}

TEST(PlanImport, CapitalesParLaRegleCp1252) {
  ResultatPlan r = PreparerImport(Entete + "œil de ÿ ß,,1,  crème brûlée  ,non,\n");
  ASSERT_TRUE(r.erreurs.empty());
  // ß has no capital; the ingredient is trimmed too.
  const std::string creme =
      "CR\xC8ME BR\xDBL\xC9"
      "E";
  EXPECT_EQ(Decrire(r.plan),
            (std::vector<std::string>{"\x8CIL DE \x9F \xDF|||1 " + creme + ";", creme}));
}

TEST(PlanImport, LimitesEnOctetsCp1252) {
  const std::string trente(30, 'A');
  const std::string vingt(20, 'q');
  const std::string remarques(249, 'r');
  // é is one byte in code page 1252 although two in UTF-8.
  ResultatPlan bon = PreparerImport(Entete + trente + ",," + vingt + "," + std::string(29, 'I') +
                                    "é,non," + remarques + "é\n");
  EXPECT_TRUE(bon.erreurs.empty());
  ResultatPlan mauvais = PreparerImport(Entete + trente + "B,,1,GIN,,\n" +  // name of 31 bytes
                                        "X," + trente + "F,1,GIN,,\n" +     // family of 31
                                        "Y,,1," + trente + "I,,\n" +        // ingredient of 31
                                        "Z,," + vingt + "q,GIN,,\n" +       // quantity of 21
                                        "W,,1,GIN,,\"" + remarques +
                                        "\n\"\n");  // remarks of 251 once LF becomes CR LF
  EXPECT_EQ(Lignes(mauvais), (std::vector<int>{2, 3, 4, 5, 6}));
}

TEST(PlanImport, PlusDeDixLignesPourUnCocktail) {
  std::string csv = Entete;
  for (int i = 0; i < 11; ++i)
    csv += "Zombie,,1 cl,Rhum " + std::to_string(i) + ",oui,\n";
  ResultatPlan r = PreparerImport(csv);
  EXPECT_EQ(Lignes(r), std::vector<int>{12});
  EXPECT_NE(r.erreurs[0].texte.find("ZOMBIE"), std::string::npos);
}

TEST(PlanImport, ToutesLesErreursAvecLeurLigne) {
  ResultatPlan r = PreparerImport(Entete +
                                  "A,,1 cl,Gin,oui,\n"            // 2: fine
                                  "A,,1 cl,Gin,non,\n"            // 3: flag contradicts 2
                                  "B,Sours,1 cl,Rhum,,\n"         // 4: fine
                                  "B,Tiki,1 cl,Rhum,,\n"          // 5: second family
                                  "C,,,,,Un\n"                    // 6: fine
                                  "C,,,,,Deux\n"                  // 7: second remarks
                                  ",,1 cl,Gin,,\n"                // 8: no cocktail name
                                  "D,,2 cl,,,\n"                  // 9: quantity alone
                                  "E,,1,Gin,peut-être,\n"         // 10: not oui/non
                                  "F,,1,Gin\n"                    // 11: 4 fields
                                  "G\xC5\x91,,1,Gin,,\n"          // 12: ő is not CP1252
                                  "H,,1,G\xFFin,,\n"              // 13: not UTF-8
                                  "I,,1\t2,Gin,,\n"               // 14: a tab in a quantity
                                  "J,\"Long\ndrinks\",1,Gin,,\n"  // 15: line break in a name
                                  "K,,1,Gin,,\"a\x01\"\n"         // 17: control in remarks
                                  "A,,1 cl,Vermouth,oui,\n");     // 18: A again, after others
  EXPECT_EQ(Lignes(r), (std::vector<int>{3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18}));
  EXPECT_NE(r.erreurs[0].texte.find("ligne 2"), std::string::npos);
  EXPECT_NE(r.erreurs[7].texte.find("U+0151"), std::string::npos);
  EXPECT_NE(r.erreurs[12].texte.find("« A » est déjà donné à partir de la ligne 2"),
            std::string::npos);
}

// What the file holds is quoted in the messages with its control characters as \xHH: an escape
// sequence in an import file never reaches the terminal.
TEST(PlanImport, MessagesSansCaracteresDeControle) {
  const std::pair<std::string, std::string> cas[] = {
      {"cocktail,famille,quantite,ingredient,alcoolise,remarques,\x1B]0;titre\x07\n",
       "\\x1B]0;titre\\x07"},
      {Entete + "A,,1,Gin,\x1B[31moui,\n", "\\x1B[31moui"},
      {Entete + "A,,1,Gin,\xFF\x9B,\n", "\\xFF\\x9B"},  // not UTF-8
      {Entete + "B\xC2\x9B"
                "2J,,1,Gin,,\n",
       "\\xC2\\x9B"},  // U+009B, a C1 control
  };
  for (const auto& [csv, cite] : cas) {
    ResultatPlan r = PreparerImport(csv);
    ASSERT_FALSE(r.erreurs.empty()) << cite;
    for (const auto& e : r.erreurs) {
      EXPECT_NE(e.texte.find(cite), std::string::npos) << e.texte;
      for (std::size_t i = 0; i < e.texte.size(); ++i) {
        const auto c = static_cast<unsigned char>(e.texte[i]);
        const bool c1 = c == 0xC2 && i + 1 < e.texte.size() &&
                        static_cast<unsigned char>(e.texte[i + 1]) < 0xA0;
        EXPECT_FALSE(c < 0x20 || c == 0x7F || c1 || c == 0xFF) << e.texte;
      }
    }
  }
}

TEST(PlanImport, EnteteIncorrecte) {
  EXPECT_EQ(Lignes(PreparerImport("")), std::vector<int>{1});
  ResultatPlan r = PreparerImport(
      "cocktail,famille,quantite,ingredient,alcool,remarques,cocktail\n"
      "A,,1,Gin,,,\n");
  // An unknown column, a repeated one, a missing one; no row is read after a wrong header.
  EXPECT_EQ(Lignes(r), (std::vector<int>{1, 1, 1}));
  EXPECT_TRUE(r.plan.cocktails.empty());
}

}  // namespace
}  // namespace velquor::outils
