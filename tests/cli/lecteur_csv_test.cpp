// The CSV reader: quoted fields under each line ending, doubled quotes, line numbers, and the
// malformed records it reports instead of guessing.

#include <gtest/gtest.h>

#include <utility>

#include "cli/lecteur_csv.h"

namespace velquor::outils {
namespace {

using Champs = std::vector<std::string>;

// A quoted field keeps its own breaks as they are and counts its LFs as lines. A lone CR is no
// line ending: the record holding it is refused, as is a quote that is never closed.
TEST(LecteurCsv, ChampsCitesSousChaqueFinDeLigne) {
  for (const std::string fin : {"\n", "\r\n"}) {
    SCOPED_TRACE(::testing::PrintToString(fin));
    const ContenuCsv c =
        LireCsv("\xEF\xBB\xBF\"a\"" + fin + "\"b" + fin + "c\",\"\"\"\"" + fin + fin + "\"d\rd\"," +
                fin + "x\"y" + fin + "\"e\"" + fin + "\"jamais" + fin + "ferm\xC3\xA9");
    std::vector<std::pair<int, Champs>> lus;
    for (const auto& e : c.enregistrements)
      lus.emplace_back(e.ligne, e.champs);
    EXPECT_EQ(lus, (std::vector<std::pair<int, Champs>>{
                       {1, {"a"}}, {2, {"b" + fin + "c", "\""}}, {5, {"d\rd", ""}}, {7, {"e"}}}));
    ASSERT_EQ(c.erreurs.size(), 2u);
    EXPECT_EQ(c.erreurs[0].ligne, 6);
    EXPECT_EQ(c.erreurs[1].ligne, 8);
  }
  const ContenuCsv cr = LireCsv("\"a\"\r\"b\"\rc\n\"d\"\r\n");
  ASSERT_EQ(cr.erreurs.size(), 1u);
  EXPECT_EQ(cr.erreurs[0].ligne, 1);
  ASSERT_EQ(cr.enregistrements.size(), 1u);
  EXPECT_EQ(cr.enregistrements[0].champs, Champs{"d"});
}

}  // namespace
}  // namespace velquor::outils
