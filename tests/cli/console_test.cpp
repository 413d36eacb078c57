// The command line of the companion, and how it prints stored text.

#include <gtest/gtest.h>

#include "cli/arguments.h"
#include "cli/console.h"

namespace velquor::outils {
namespace {

TEST(Arguments, DossierEnMotSuivantOuAccole) {
  for (const auto& mots : std::vector<std::vector<std::string>>{{"exporter", "-C", "base", "tout"},
                                                                {"-Cbase", "exporter", "tout"}}) {
    const AnalyseArguments a = AnalyserArguments(mots);
    EXPECT_TRUE(a.erreur.empty()) << a.erreur;
    EXPECT_EQ(a.arguments.dossier, "base");
    EXPECT_EQ(a.arguments.operandes, std::vector<std::string>{"tout"});
  }
}

// Each control character as \xHH, at both ends of each range; the rest in UTF-8.
TEST(Console, TexteAffichableCiteLesCaracteresDeControle) {
  const std::pair<std::string, std::string> cp1252[] = {
      {"\x1F \x7E", "\\x1F ~"},    {"\x7F", "\\x7F"},       {"\x80\x81", "€\\x81"},
      {"\x9C\x9D\x9F", "œ\\x9DŸ"}, {"\xA0\xFF", "\u00A0ÿ"},
  };
  for (const auto& [brut, affiche] : cp1252)
    EXPECT_EQ(TexteAffichable(brut), affiche);
  EXPECT_EQ(TexteAffichableUtf8("\x7F\xC2\x9F\xC2\xA0\xFF"), "\\x7F\\xC2\\x9F\u00A0\\xFF");
}

}  // namespace
}  // namespace velquor::outils
