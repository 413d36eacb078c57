#include "store/collation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "ordre_plateforme.h"
#include "store/cp1252.h"

namespace velquor {
namespace {

// Readable form of a name for failure messages: every byte as \xNN.
std::string Montrer(std::string_view texte) {
  std::string sortie;
  for (char c : texte) {
    char code[8];
    std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned char>(c));
    sortie += code;
  }
  return sortie;
}

int Signe(int x) {
  return (x > 0) - (x < 0);
}

// Every pair of each group of the platform's answers, both ways round: where the platform orders
// the two names, ours orders them the same way; where it says equal, ours says equal only for the
// same bytes (the same bytes up to case without case), and orders the others one way.
void VerifierAccord(const std::string& fonction,
                    int (*comparer)(std::string_view, std::string_view), bool sansCasse) {
  const DonneesPlateforme& plateforme = Plateforme();
  ASSERT_EQ(plateforme.erreur, "");
  long paires = 0, desaccords = 0;
  for (const GroupePlateforme& g : plateforme.groupes) {
    if (g.fonction != fonction) continue;
    for (std::size_t i = 0; i < g.noms.size(); ++i) {
      for (std::size_t j = i + 1; j < g.noms.size(); ++j, ++paires) {
        const std::string& a = g.noms[i];
        const std::string& b = g.noms[j];
        const int ab = Signe(comparer(a, b)), ba = Signe(comparer(b, a));
        const bool memes = sansCasse ? MajusculesCp1252(a) == MajusculesCp1252(b) : a == b;
        const bool accord =
            g.rangs[i] < g.rangs[j] ? ab < 0 && ba > 0 : ab == -ba && (ab == 0) == memes;
        if (!accord && ++desaccords <= 20) {
          ADD_FAILURE() << fonction << ", " << g.titre << ": " << Montrer(a) << " vs " << Montrer(b)
                        << ": ours " << ab << ", reverse " << ba;
        }
      }
    }
  }
  EXPECT_GT(paires, 1000);
  EXPECT_EQ(desaccords, 0);
}

TEST(OrdreDesNoms, AgreesWithThePlatformOnEveryPair) {
  VerifierAccord("lstrcmpA", ComparerNoms, false);
}

TEST(OrdreDesNomsSansCasse, AgreesWithThePlatformOnEveryPair) {
  VerifierAccord("lstrcmpiA", ComparerNomsSansCasse, true);
}

}  // namespace
}  // namespace velquor
