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
      "\"Piler\nServir\",Mojito,Rhum blanc,4 cl,Long drinks,oui\r\n"
      ",Kir,Crème de cassis,1 cl,Apéritifs,oui\r\n"
      ",Mojito,Menthe,6 brins,,\r\n"
      ",Kir,Vin blanc,9 cl,,OUI\r\n"
      ",Mojito,,,,\r\n"  // an empty slot
      ",Mojito,Eau gazeuse,compléter,long drinks,non\r\n");
  ASSERT_TRUE(r.erreurs.empty()) << r.erreurs[0].texte;
  // Names in capitals, quantities keep their case, line breaks stored as CR LF; an empty
  // "alcoolise" means no, "OUI" in any case means yes.
  EXPECT_EQ(Decrire(r.plan),
            (std::vector<std::string>{
                "MOJITO|LONG DRINKS|Piler\r\nServir|4 cl RHUM BLANC;6 brins MENTHE; ;"
                "compl\xE9ter EAU GAZEUSE;",
                "KIR|AP\xC9RITIFS||1 cl CR\xC8ME DE CASSIS;9 cl VIN BLANC;",
                "LONG DRINKS",
                "AP\xC9RITIFS",
                "RHUM BLANC alcool",
                "CR\xC8ME DE CASSIS alcool",
                "MENTHE",
                "VIN BLANC alcool",
                "EAU GAZEUSE",
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
                                  "K,,1,Gin,,\"a\x01\"\n");       // 17: control in remarks
  EXPECT_EQ(Lignes(r), (std::vector<int>{3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17}));
  EXPECT_NE(r.erreurs[0].texte.find("ligne 2"), std::string::npos);
  EXPECT_NE(r.erreurs[7].texte.find("U+0151"), std::string::npos);
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
