// The command line of the companion.

#include <gtest/gtest.h>

#include "cli/arguments.h"
#include "cli/commandes.h"

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

TEST(Arguments, ErreursDUsage) {
  EXPECT_FALSE(AnalyserArguments({"lister", "-C"}).erreur.empty());
  EXPECT_FALSE(AnalyserArguments({"-x", "lister"}).erreur.empty());
  EXPECT_FALSE(AnalyserArguments({"--aid"}).erreur.empty());
  // Operands are each command's business.
  EXPECT_EQ(TrouverCommande("verifier")->verifierOperandes({}), "");
  EXPECT_NE(TrouverCommande("verifier")->verifierOperandes({"x"}), "");
  EXPECT_NE(TrouverCommande("exporter")->verifierOperandes({"tous"}), "");
  EXPECT_NE(TrouverCommande("lister")->verifierOperandes({}), "");
  EXPECT_NE(TrouverCommande("importer")->verifierOperandes({"a.csv", "b.csv"}), "");
  EXPECT_EQ(TrouverCommande("importe"), nullptr);
}

}  // namespace
}  // namespace velquor::outils
