// The CSV reader: quoting, line breaks inside fields, line numbers, and the malformed records
// it reports instead of guessing.

#include <gtest/gtest.h>

#include "cli/lecteur_csv.h"

namespace velquor::outils {
namespace {

using Champs = std::vector<std::string>;

TEST(LecteurCsv, ChampsCitesVirgulesSautsEtGuillemetsDoubles) {
  ContenuCsv c = LireCsv(
      "\xEF\xBB\xBF"
      "a,b,c\r\n"
      "\"x, y\",\"il dit \"\"oui\"\"\",\"deux\r\nlignes\"\r\n"
      "\n"
      ",,\n"
      "fin,sans,saut");
  EXPECT_TRUE(c.erreurs.empty());
  ASSERT_EQ(c.enregistrements.size(), 4u);
  EXPECT_EQ(c.enregistrements[0].champs, (Champs{"a", "b", "c"}));
  EXPECT_EQ(c.enregistrements[1].champs, (Champs{"x, y", "il dit \"oui\"", "deux\r\nlignes"}));
  EXPECT_EQ(c.enregistrements[2].champs, (Champs{"", "", ""}));
  EXPECT_EQ(c.enregistrements[3].champs, (Champs{"fin", "sans", "saut"}));
  // Lines are those of the file: a field over two lines and a blank line count.
  EXPECT_EQ(c.enregistrements[0].ligne, 1);
  EXPECT_EQ(c.enregistrements[1].ligne, 2);
  EXPECT_EQ(c.enregistrements[2].ligne, 5);
  EXPECT_EQ(c.enregistrements[3].ligne, 6);
}

TEST(LecteurCsv, EnregistrementsMalFormesSignalesEtEcartes) {
  ContenuCsv c = LireCsv(
      "a,b\n"
      "x\"y,z\n"    // a quote inside a field that does not begin with one
      "\"x\"y,z\n"  // text after the closing quote
      "ok,1\n"
      "a\rb,c\n"  // a lone carriage return
      "\"jamais\nferm\xC3\xA9,z\n");
  ASSERT_EQ(c.erreurs.size(), 4u);
  EXPECT_EQ(c.erreurs[0].ligne, 2);
  EXPECT_EQ(c.erreurs[1].ligne, 3);
  EXPECT_EQ(c.erreurs[2].ligne, 5);
  EXPECT_EQ(c.erreurs[3].ligne, 6);
  EXPECT_NE(c.erreurs[3].texte.find("guillemet"), std::string::npos);
  ASSERT_EQ(c.enregistrements.size(), 2u);
  EXPECT_EQ(c.enregistrements[1].champs, (Champs{"ok", "1"}));
  EXPECT_EQ(c.enregistrements[1].ligne, 4);
}

TEST(LecteurCsv, FichierVideOuBlanc) {
  EXPECT_TRUE(LireCsv("").enregistrements.empty());
  EXPECT_TRUE(LireCsv("\r\n\n").enregistrements.empty());
  EXPECT_EQ(LireCsv("\"\"").enregistrements.at(0).champs, Champs{""});
}

}  // namespace
}  // namespace velquor::outils
