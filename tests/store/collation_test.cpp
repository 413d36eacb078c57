#include "store/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "ordre_plateforme.h"
#include "store/cp1252.h"

namespace velquor {
namespace {

// Readable form of a text for failure messages: UTF-8, with control bytes and the code page's
// holes as \xNN.
std::string Montrer(std::string_view texte) {
  std::string sortie = "\"";
  for (char c : texte) {
    const auto octet = static_cast<unsigned char>(c);
    const char32_t point = Cp1252VersUnicode(octet);
    if (point < 0x20 || (point >= 0x7F && point < 0xA0) || point == 0xA0 || point == 0xAD) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", octet);
      sortie += code;
    } else {
      sortie += Cp1252VersUtf8(std::string_view(&c, 1));
    }
  }
  return sortie + "\"";
}

int Signe(int x) {
  return (x > 0) - (x < 0);
}

using Comparaison = int (*)(std::string_view, std::string_view);

// ---------------------------------------------------------------------------------------------
// Agreement with the platform's answers.

// Every pair of each group, both ways round: where the platform orders the two names, ours
// orders them the same way; where it says equal, ours says equal only for the same bytes (the
// same bytes up to case for lstrcmpiA), and orders the others one way, whichever it is.
void VerifierAccord(const std::string& fonction, Comparaison comparer, bool sansCasse) {
  const DonneesPlateforme& plateforme = Plateforme();
  ASSERT_EQ(plateforme.erreur, "");
  long strictes = 0;
  long egales = 0;
  long desaccords = 0;
  int groupes = 0;
  bool unOctet = false;  // every one-byte name 0x20-0xFF is there
  for (const GroupePlateforme& g : plateforme.groupes) {
    if (g.fonction != fonction) continue;
    ++groupes;
    unOctet = unOctet || (g.titre == "one-byte names" && g.noms.size() == 224);
    for (std::size_t i = 0; i < g.noms.size(); ++i) {
      for (std::size_t j = i + 1; j < g.noms.size(); ++j) {
        const std::string& a = g.noms[i];
        const std::string& b = g.noms[j];
        const int ab = Signe(comparer(a, b));
        const int ba = Signe(comparer(b, a));
        bool accord;
        if (g.rangs[i] < g.rangs[j]) {
          ++strictes;
          accord = ab < 0 && ba > 0;
        } else {
          ++egales;
          const bool memes = sansCasse ? MajusculesCp1252(a) == MajusculesCp1252(b) : a == b;
          accord = ab == -ba && (ab == 0) == memes;
        }
        if (!accord && ++desaccords <= 20) {
          ADD_FAILURE() << fonction << ", " << g.titre << ": " << Montrer(a) << " vs " << Montrer(b)
                        << ": platform " << (g.rangs[i] < g.rangs[j] ? "before" : "equal")
                        << ", ours " << ab << ", reverse " << ba;
        }
      }
    }
  }
  std::printf("[ %-9s] %d groups, %ld ordered pairs, %ld equal, %ld disagreements\n",
              fonction.c_str(), groupes, strictes, egales, desaccords);
  EXPECT_EQ(desaccords, 0);
  EXPECT_TRUE(unOctet);
}

TEST(OrdreDesNoms, AgreesWithThePlatformOnEveryPair) {
  VerifierAccord("lstrcmpA", ComparerNoms, false);
}

TEST(OrdreDesNomsSansCasse, AgreesWithThePlatformOnEveryPair) {
  VerifierAccord("lstrcmpiA", ComparerNomsSansCasse, true);
}

// ---------------------------------------------------------------------------------------------
// A strict weak order on every text, also the bytes no name holds (controls, NUL).

// Bytes that weigh alike at the first levels, so that random texts often tie there and the
// later levels decide: case, accents, ligatures, hyphens and apostrophes at any place, ignored
// and undefined bytes, controls.
std::string AlphabetVoisin() {
  return *Utf8VersCp1252("AaÀàÁÆæEeÉéÈOoŒœÔSsßŠšTtHhÞþYÿŸ1¹½ \u00A0-'’.…^ˆ–—") +
         std::string("\xAD\x01\x1F\x7F\x81\x9D", 6) + std::string(1, '\0');
}

std::vector<std::string> TextesAleatoires(std::uint32_t graine, std::size_t nombre) {
  std::mt19937 alea(graine);
  const std::string voisin = AlphabetVoisin();
  std::uniform_int_distribution<std::size_t> longueur(0, 8);
  std::uniform_int_distribution<std::size_t> lettre(0, voisin.size() - 1);
  std::uniform_int_distribution<int> octet(0, 255);
  // Some texts hide their differences between long equal runs, as names of one family do.
  const std::string tronc = *Utf8VersCp1252("CRÈME DE MÛRE ");
  std::vector<std::string> textes;
  for (std::size_t i = 0; i < nombre; ++i) {
    std::string t(longueur(alea), ' ');
    for (char& c : t)
      c = i % 4 == 0 ? static_cast<char>(octet(alea)) : voisin[lettre(alea)];
    textes.push_back(i % 4 == 1 ? tronc + t + tronc : t);
  }
  return textes;
}

// Sorts the texts and checks that every pair of the result is in order both ways, which holds
// only if the comparison is a strict weak order on them whose ties are `egaux`; then checks
// random triples directly.
template <typename Egaux>
void VerifierOrdreTotal(Comparaison comparer, std::vector<std::string> textes, Egaux egaux) {
  std::sort(textes.begin(), textes.end(),
            [comparer](const std::string& a, const std::string& b) { return comparer(a, b) < 0; });
  int echecs = 0;
  for (std::size_t i = 0; i < textes.size() && echecs < 20; ++i) {
    for (std::size_t j = i; j < textes.size() && echecs < 20; ++j) {
      const int ij = comparer(textes[i], textes[j]);
      const int ji = comparer(textes[j], textes[i]);
      if ((ij == 0) != egaux(textes[i], textes[j]) || Signe(ij) != -Signe(ji) || ij > 0) {
        ++echecs;
        ADD_FAILURE() << Montrer(textes[i]) << " (sorted at " << i << ") vs " << Montrer(textes[j])
                      << " (at " << j << "): " << ij << ", reverse " << ji;
      }
    }
  }
  std::mt19937 alea(7);
  std::uniform_int_distribution<std::size_t> indice(0, textes.size() - 1);
  for (int k = 0; k < 100000 && echecs < 20; ++k) {
    const std::string& a = textes[indice(alea)];
    const std::string& b = textes[indice(alea)];
    const std::string& c = textes[indice(alea)];
    if (comparer(a, b) <= 0 && comparer(b, c) <= 0 && comparer(a, c) > 0) {
      ++echecs;
      ADD_FAILURE() << "not transitive: " << Montrer(a) << " " << Montrer(b) << " " << Montrer(c);
    }
  }
}

TEST(OrdreDesNoms, IsAStrictTotalOrderOnRandomTexts) {
  VerifierOrdreTotal(ComparerNoms, TextesAleatoires(20240611, 1500),
                     [](const std::string& a, const std::string& b) { return a == b; });
}

TEST(OrdreDesNomsSansCasse, IsATotalOrderUpToCaseOnRandomTexts) {
  std::vector<std::string> textes = TextesAleatoires(311, 1200);
  // The same texts again with some letters changed in case, so that ties up to case occur.
  std::mt19937 alea(5);
  for (std::size_t i = 0; i < 300; ++i) {
    std::string t = textes[i];
    for (char& c : t) {
      if (alea() % 2) c = static_cast<char>(MajusculeCp1252(static_cast<unsigned char>(c)));
    }
    textes.push_back(t);
  }
  VerifierOrdreTotal(ComparerNomsSansCasse, textes, [](const std::string& a, const std::string& b) {
    return MajusculesCp1252(a) == MajusculesCp1252(b);
  });
}

}  // namespace
}  // namespace velquor
