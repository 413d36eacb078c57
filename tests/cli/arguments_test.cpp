// The command line of the companion, and how it prints stored text; its usage errors are
// checked on the executable.

#include <gtest/gtest.h>

#include "cli/arguments.h"
#include "cli/console.h"

namespace velquor::outils {
namespace {

TEST(Arguments, OptionsPartoutEtOperandes) {
  AnalyseArguments a = AnalyserArguments({"exporter", "-C", "base", "tout"});
  EXPECT_TRUE(a.erreur.empty());
  EXPECT_EQ(a.arguments.dossier, "base");
  EXPECT_EQ(a.arguments.commande, "exporter");
  EXPECT_EQ(a.arguments.operandes, std::vector<std::string>{"tout"});

  a = AnalyserArguments({"-Cici", "importer", "--", "-fichier.csv"});
  EXPECT_EQ(a.arguments.dossier, "ici");
  EXPECT_EQ(a.arguments.operandes, std::vector<std::string>{"-fichier.csv"});
  EXPECT_TRUE(AnalyserArguments({"lister", "--aide"}).arguments.aide);
}

// A command's own options stand after its name; the value of one is the next word, whatever it is.
TEST(Arguments, OptionsDeLaCommande) {
  const OptionCommande options[] = {{"--titre", true}, {"--tout", false}};
  const OptionsDeCommande optionsDe = [&options](std::string_view commande) {
    return commande == "exporter" ? std::span<const OptionCommande>(options)
                                  : std::span<const OptionCommande>();
  };
  AnalyseArguments a =
      AnalyserArguments({"exporter", "menu", "--titre", "-C", "--tout", "-Cbase"}, optionsDe);
  EXPECT_TRUE(a.erreur.empty()) << a.erreur;
  EXPECT_EQ(a.arguments.dossier, "base");
  EXPECT_EQ(a.arguments.operandes, std::vector<std::string>{"menu"});
  EXPECT_EQ(a.arguments.options, (std::vector<OptionDonnee>{{"--titre", "-C"}, {"--tout", ""}}));
  a = AnalyserArguments({"exporter", "--titre=a=b", "menu"}, optionsDe);
  EXPECT_EQ(a.arguments.options, (std::vector<OptionDonnee>{{"--titre", "a=b"}}));

  for (const std::vector<std::string>& mots :
       std::vector<std::vector<std::string>>{{"--tout", "exporter", "menu"},
                                             {"lister", "--tout", "familles"},
                                             {"exporter", "menu", "--tout=oui"},
                                             {"exporter", "menu", "--titre"}}) {
    EXPECT_FALSE(AnalyserArguments(mots, optionsDe).erreur.empty())
        << ::testing::PrintToString(mots);
  }
}

// Each control character as \xHH, at both ends of each range; the rest in UTF-8.
TEST(Console, TexteAffichableCiteLesCaracteresDeControle) {
  const std::pair<std::string, std::string> cp1252[] = {
      {"\x1F \x7E", "\\x1F ~"},    {"\x7F", "\\x7F"},
      {"\x80\x81", "€\\x81"},      {"\x8D\x8F\x90", "\\x8D\\x8F\\x90"},
      {"\x9C\x9D\x9F", "œ\\x9DŸ"}, {"\xA0\xFF", "\u00A0ÿ"},
  };
  for (const auto& [brut, affiche] : cp1252)
    EXPECT_EQ(TexteAffichable(brut), affiche);
  const std::pair<std::string, std::string> utf8[] = {
      {"\x7F~", "\\x7F~"},
      {"\xC2\x9F\xC2\xA0", "\\xC2\\x9F\u00A0"},
      {"\xFF\xC3(\xC3\xA9", "\\xFF\\xC3(\u00E9"},
  };
  for (const auto& [brut, affiche] : utf8)
    EXPECT_EQ(TexteAffichableUtf8(brut), affiche);
}

}  // namespace
}  // namespace velquor::outils
