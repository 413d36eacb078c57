// The command line of the companion; its usage errors are checked on the executable.

#include <gtest/gtest.h>

#include "cli/arguments.h"

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

}  // namespace
}  // namespace velquor::outils
