// The CSV reader: quoting, line breaks inside fields, line numbers, and the malformed records
// it reports instead of guessing.

#include <gtest/gtest.h>

#include <utility>

#include "cli/lecteur_csv.h"

namespace velquor::outils {
namespace {

using Champs = std::vector<std::string>;

// Each record as its line and its fields.
std::vector<std::pair<int, Champs>> Enregistrements(const ContenuCsv& c) {
  std::vector<std::pair<int, Champs>> e;
  for (const auto& enr : c.enregistrements)
    e.emplace_back(enr.ligne, enr.champs);
  return e;
}

std::vector<int> LignesEnErreur(const ContenuCsv& c) {
  std::vector<int> lignes;
  for (const auto& e : c.erreurs)
    lignes.push_back(e.ligne);
  return lignes;
}

TEST(LecteurCsv, ChampsCitesVirgulesSautsEtGuillemetsDoubles) {
  ContenuCsv c = LireCsv(
      "\xEF\xBB\xBF"
      "a,b,c\r\n"
      "\"x, y\",\"il dit \"\"oui\"\"\",\"deux\r\nlignes\"\r\n"
      "\n"
      ",,\n"
      "fin,sans,saut");
  EXPECT_TRUE(c.erreurs.empty());
  // Lines are those of the file: a field over two lines and a blank line count.
  EXPECT_EQ(Enregistrements(c),
            (std::vector<std::pair<int, Champs>>{{1, {"a", "b", "c"}},
                                                 {2, {"x, y", "il dit \"oui\"", "deux\r\nlignes"}},
                                                 {5, {"", "", ""}},
                                                 {6, {"fin", "sans", "saut"}}}));
}

TEST(LecteurCsv, EnregistrementsMalFormesSignalesEtEcartes) {
  ContenuCsv c = LireCsv(
      "a,b\n"
      "x\"y,z\n"    // a quote inside a field that does not begin with one
      "\"x\"y,z\n"  // text after the closing quote
      "ok,1\n"
      "a\rb,c\n"  // a lone carriage return
      "\"jamais\nferm\xC3\xA9,z\n");
  EXPECT_EQ(LignesEnErreur(c), (std::vector<int>{2, 3, 5, 6}));
  ASSERT_EQ(c.erreurs.size(), 4u);
  EXPECT_NE(c.erreurs[3].texte.find("guillemet"), std::string::npos);
  EXPECT_EQ(Enregistrements(c),
            (std::vector<std::pair<int, Champs>>{{1, {"a", "b"}}, {4, {"ok", "1"}}}));
}

// The same records under each line ending; a quoted field keeps its own breaks as they are, and
// counts its LFs as lines. A lone CR is no line ending: the record holding it is refused.
TEST(LecteurCsv, ChampsCitesSousChaqueFinDeLigne) {
  for (const std::string fin : {"\n", "\r\n"}) {
    SCOPED_TRACE(::testing::PrintToString(fin));
    const ContenuCsv c = LireCsv("\"a\"" + fin + "\"b" + fin + "c\",\"\"\"\"" + fin + fin +
                                 "\"d\rd\"," + fin + "\"e\"");
    EXPECT_TRUE(c.erreurs.empty());
    EXPECT_EQ(Enregistrements(c),
              (std::vector<std::pair<int, Champs>>{
                  {1, {"a"}}, {2, {"b" + fin + "c", "\""}}, {5, {"d\rd", ""}}, {6, {"e"}}}));
  }
  const ContenuCsv cr = LireCsv("\"a\"\r\"b\"\rc\n\"d\"\r\nx\ry\n");
  EXPECT_EQ(LignesEnErreur(cr), (std::vector<int>{1, 3}));
  EXPECT_EQ(Enregistrements(cr), (std::vector<std::pair<int, Champs>>{{2, {"d"}}}));
}

TEST(LecteurCsv, FichierVideOuBlanc) {
  EXPECT_TRUE(LireCsv("").enregistrements.empty());
  EXPECT_TRUE(LireCsv("\r\n\n").enregistrements.empty());
  EXPECT_EQ(LireCsv("\"\"").enregistrements.at(0).champs, Champs{""});
}

}  // namespace
}  // namespace velquor::outils
