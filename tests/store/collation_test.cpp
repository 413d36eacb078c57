#include "store/collation.h"

#include <gtest/gtest.h>
#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "store/cp1252.h"

namespace velquor {
namespace {

// Text written in UTF-8 in the test, as the code page bytes the order works on.
std::string T(std::string_view utf8) {
  const std::optional<std::string> texte = Utf8VersCp1252(utf8);
  EXPECT_TRUE(texte.has_value()) << utf8;
  return texte.value_or(std::string());
}

// Readable form of a text for failure messages: UTF-8, with control bytes and the code page's
// holes as \xNN.
std::string Montrer(std::string_view texte) {
  std::string sortie = "\"";
  for (char c : texte) {
    const auto octet = static_cast<unsigned char>(c);
    const char32_t point = Cp1252VersUnicode(octet);
    if (point < 0x20 || (point >= 0x7F && point < 0xA0)) {
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

// Every text of the list sorts strictly before the next one, both ways round.
void VerifierCroissant(Comparaison comparer, const std::vector<std::string>& textes) {
  for (std::size_t i = 0; i + 1 < textes.size(); ++i) {
    EXPECT_LT(comparer(textes[i], textes[i + 1]), 0)
        << Montrer(textes[i]) << " before " << Montrer(textes[i + 1]);
    EXPECT_GT(comparer(textes[i + 1], textes[i]), 0)
        << Montrer(textes[i + 1]) << " after " << Montrer(textes[i]);
  }
}

std::vector<std::string> Textes(std::initializer_list<std::string_view> utf8) {
  std::vector<std::string> textes;
  for (std::string_view t : utf8)
    textes.push_back(T(t));
  return textes;
}

// ---------------------------------------------------------------------------------------------
// The levels.

TEST(OrdreDesNoms, Levels) {
  struct Cas {
    const char* regle;
    std::vector<std::string_view> croissants;  // UTF-8
  };
  const Cas cas[] = {
      {"accents only break ties",
       {"ECLAIR", "ÉCLAIRE", "ECLAT", "ÉCLAT", "ECLATS", "ÉCLATS", "ÉCLOS", "ECLOSE"}},
      {"a letter outweighs any accent", {"ÉA", "EB", "ÈB", "EC"}},
      {"the first accented position decides", {"EE", "EÉ", "ÉE", "ÉÉ"}},
      {"accents from the left", {"CREME", "CRÈME", "CRÈMÉ"}},
      {"case after accents", {"eclat", "Eclat", "ECLAT", "éclat", "ÉCLAT"}},
      {"lower before upper, from the left", {"ab", "aB", "Ab", "AB"}},
      {"case of a ligature", {"œuf", "Œuf", "ŒUF"}},
      {"case of ÿ", {"ÿ", "Ÿ", "ÿa"}},
      {"case never outweighs a letter", {"Ab", "aC", "AD"}},
      {"marks count last", {"COOP", "CO-OP", "COO-P", "COOP-", "COOPER"}},
      {"a mark never outweighs a letter", {"CO-OP", "COOQ"}},
      {"apostrophes count last", {"LORANGE", "L'ORANGE", "L’ORANGE", "LORANGES"}},
      {"the first mark decides by its place", {"L’ORANGE", "LO’RANGE", "LOR'ANGE"}},
      {"then by its kind: hyphen, soft hyphen, apostrophe, ’",
       {"CO-OP", "CO\u00ADOP", "CO'OP", "CO\u2019OP", "COO\u00ADP"}},
      {"the soft hyphen counts last too", {"COOP", "CO\u00ADOP", "COOPA"}},
      {"more marks after fewer", {"COOP", "CO-OP", "CO--OP", "COOPA"}},
      {"a space is not a mark", {"A B", "A1", "A-Z", "AZ-"}},
      {"marks after accents and case", {"COOp", "CO-OP", "COÔP"}},
      {"marks after case", {"cO-OP", "COOP"}},
      {"controls, space, punctuation and symbols, digits, letters",
       {"\x01", "\x1F", " ", "!", ".", "€", "0", "9", "A", "Z"}},
      {"classes inside a name", {"A", "A B", "A.B", "A0", "A9", "AB", "AÉ", "AF"}},
      {"spaces count", {"A", "A ", "A  ", "A 1", "A1", "AA"}},
      {"the no-break space is a space that differs at the third level", {"A B", "A\u00A0B", "A C"}},
      {"superscripts beside their digits", {"1", "¹", "1A", "2", "²", "3", "³", "4"}},
      {"fractions beside their digits", {"1", "½", "¼", "2", "¾", "4"}},
      {"ƒ after F, Þ after Z, µ after every other letter", {"FZ", "ƒ", "G", "ZZ", "Þ", "þA", "µ"}},
      {"ligatures are their letters", {"OEUF", "ÔEUF", "ŒUF", "OEUFS", "ŒUFS", "OEUG"}},
      {"a ligature after its letters", {"OEA", "ŒA", "OEB", "ŒB"}},
      {"a ligature counts like an accent on its first letter", {"OEÀ", "ŒA", "ŒÀ"}},
      {"Æ", {"AE", "ÆA", "AEB", "AF"}},
      {"ß", {"STRASSE", "STRAßE", "STRASSEN", "STRAST"}},
      {"™", {"TM", "™", "TMA", "TN"}},
      {"…", {"A..", "A...", "A…", "A....", "A0"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.regle);
    std::vector<std::string> textes;
    for (std::string_view t : c.croissants)
      textes.push_back(T(t));
    VerifierCroissant(ComparerNoms, textes);
  }
}

TEST(OrdreDesNoms, AccentedCapitalsSitBesideTheirLetter) {
  // Every accented capital sorts after its bare letter and before the next letter; what follows
  // it at the first level outweighs the accent.
  struct Cas {
    const char* accentuee;
    char base;
  };
  const Cas cas[] = {{"À", 'A'}, {"Â", 'A'}, {"Ä", 'A'}, {"Ç", 'C'}, {"È", 'E'}, {"É", 'E'},
                     {"Ê", 'E'}, {"Ë", 'E'}, {"Î", 'I'}, {"Ï", 'I'}, {"Ñ", 'N'}, {"Ô", 'O'},
                     {"Ö", 'O'}, {"Ø", 'O'}, {"Ù", 'U'}, {"Û", 'U'}, {"Ü", 'U'}, {"Ÿ", 'Y'},
                     {"Ý", 'Y'}, {"Š", 'S'}, {"Ž", 'Z'}, {"Ð", 'D'}};
  for (const Cas& c : cas) {
    const std::string accentuee = T(c.accentuee);
    const std::string base(1, c.base);
    std::vector<std::string> suite = {base,        accentuee,       base + "A", accentuee + "A",
                                      base + "ZZ", accentuee + "ZZ"};
    if (c.base != 'Z') suite.push_back(std::string(1, static_cast<char>(c.base + 1)));
    VerifierCroissant(ComparerNoms, suite);
  }
}

TEST(OrdreDesNoms, EveryPairOfBytes) {
  // All 256 bytes, alone and inside a name, including NUL and the code page's holes.
  for (int x = 0; x < 256; ++x) {
    for (int y = 0; y < 256; ++y) {
      const std::string a(1, static_cast<char>(x));
      const std::string b(1, static_cast<char>(y));
      const int ab = ComparerNoms(a, b);
      ASSERT_EQ(ab == 0, x == y) << x << " " << y;
      ASSERT_EQ(Signe(ab), -Signe(ComparerNoms(b, a))) << x << " " << y;
      const std::string na = "NOM" + a + "X";
      const std::string nb = "NOM" + b + "X";
      ASSERT_EQ(ComparerNoms(na, nb) == 0, x == y) << x << " " << y;
      ASSERT_EQ(Signe(ComparerNoms(na, nb)), -Signe(ComparerNoms(nb, na))) << x << " " << y;
    }
  }
  EXPECT_NE(ComparerNoms(std::string_view("A\0", 2), "A"), 0);
  EXPECT_GT(ComparerNoms(std::string_view("A\0", 2), "A"), 0);
  EXPECT_NE(ComparerNoms(std::string_view("A\0B", 3), "AB"), 0);
}

// ---------------------------------------------------------------------------------------------
// Total order on random texts.

// Bytes that share letters at the first level, so that random texts often tie there and the
// later levels get exercised: case, accents, ligatures, marks, variants, controls and holes.
const std::string& AlphabetVoisin() {
  static const std::string alphabet = T("AaÀàÁÆæEeÉéÈOoŒœÔSsßŠšYÿŸ1¹½ \u00A0-'’.…") +
                                      std::string("\xAD\x01\x81\x9D", 4) + std::string(1, '\0');
  return alphabet;
}

std::string TexteAleatoire(std::mt19937& alea, bool voisin, std::size_t longueurMax) {
  std::uniform_int_distribution<std::size_t> longueur(0, longueurMax);
  const std::string& alphabet = AlphabetVoisin();
  std::uniform_int_distribution<std::size_t> lettre(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> octet(0, 255);
  std::string texte(longueur(alea), ' ');
  for (char& c : texte) {
    c = voisin ? alphabet[lettre(alea)] : static_cast<char>(octet(alea));
  }
  return texte;
}

std::vector<std::string> TextesAleatoires(std::uint32_t graine, std::size_t nombre) {
  std::mt19937 alea(graine);
  std::vector<std::string> textes;
  // Some texts hide their differences between long equal runs, as names of one family do.
  const std::string tronc = T("CRÈME DE MÛRE ");
  for (std::size_t i = 0; i < nombre; ++i) {
    switch (i % 4) {
      case 0:
        textes.push_back(TexteAleatoire(alea, false, 12));
        break;
      case 1:
        textes.push_back(tronc + TexteAleatoire(alea, true, 6) + tronc);
        break;
      default:
        textes.push_back(TexteAleatoire(alea, true, 6));
        break;
    }
  }
  return textes;
}

// Sorts the texts and checks that every pair of the result is in order both ways, which holds
// only if the comparison is a strict total order (up to `egaux`) on them; then checks random
// triples directly.
template <typename Egaux>
void VerifierOrdreTotal(Comparaison comparer, std::vector<std::string> textes, Egaux egaux) {
  std::sort(textes.begin(), textes.end(),
            [comparer](const std::string& a, const std::string& b) { return comparer(a, b) < 0; });
  int echecs = 0;
  for (std::size_t i = 0; i < textes.size() && echecs < 20; ++i) {
    for (std::size_t j = i; j < textes.size() && echecs < 20; ++j) {
      const int ij = comparer(textes[i], textes[j]);
      const int ji = comparer(textes[j], textes[i]);
      const bool memes = egaux(textes[i], textes[j]);
      if ((ij == 0) != memes || Signe(ij) != -Signe(ji) || ij > 0) {
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

// ---------------------------------------------------------------------------------------------
// Agreement with ICU's root collation.

class OrdreIcu : public ::testing::Test {
 protected:
  void SetUp() override {
    UErrorCode statut = U_ZERO_ERROR;
    icu_.reset(icu::Collator::createInstance(icu::Locale::getRoot(), statut));
    ASSERT_TRUE(U_SUCCESS(statut)) << u_errorName(statut);
  }

  int Icu(std::string_view a, std::string_view b) {
    UErrorCode statut = U_ZERO_ERROR;
    const int resultat = icu_->compare(icu::UnicodeString::fromUTF8(Cp1252VersUtf8(a)),
                                       icu::UnicodeString::fromUTF8(Cp1252VersUtf8(b)), statut);
    EXPECT_TRUE(U_SUCCESS(statut));
    return resultat;
  }

  // Compares the two orders on pairs drawn from `alphabet`: unrelated pairs, and pairs where
  // the second text is the first with one character changed, added or removed, or changed for
  // one that ICU sees as the same letter at the first level (another case or accent), so that
  // the later levels decide.
  void Comparer(std::string_view alphabet, std::size_t longueurMax, int paires, Comparaison notre,
                bool icuSecondaire) {
    std::vector<std::string> voisins(256);
    icu_->setStrength(icu::Collator::PRIMARY);
    for (char c : alphabet) {
      for (char d : alphabet) {
        if (Icu(std::string(1, c), std::string(1, d)) == 0) {
          voisins[static_cast<unsigned char>(c)].push_back(d);
        }
      }
    }
    icu_->setStrength(icuSecondaire ? icu::Collator::SECONDARY : icu::Collator::TERTIARY);
    std::mt19937 alea(424242);
    std::uniform_int_distribution<std::size_t> longueur(0, longueurMax);
    std::uniform_int_distribution<std::size_t> lettre(0, alphabet.size() - 1);
    auto aleatoire = [&] {
      std::string t(longueur(alea), ' ');
      for (char& c : t)
        c = alphabet[lettre(alea)];
      return t;
    };
    int echecs = 0;
    for (int k = 0; k < paires; ++k) {
      const std::string a = aleatoire();
      std::string b;
      if (k % 2 == 0 || a.empty()) {
        b = aleatoire();
      } else {
        b = a;
        const std::size_t ou = alea() % a.size();
        switch (alea() % 6) {
          case 0:
            b[ou] = alphabet[lettre(alea)];
            break;
          case 1:
            b.insert(ou, 1, alphabet[lettre(alea)]);
            break;
          case 2:
            b.erase(ou, 1);
            break;
          default:
            // Same letters at the first level, other accents or case here and there.
            for (char& c : b) {
              const std::string& memes = voisins[static_cast<unsigned char>(c)];
              if (alea() % 3 == 0) c = memes[alea() % memes.size()];
            }
            if (b == a) b[ou] = alphabet[lettre(alea)];
            break;
        }
      }
      const int icu = Icu(a, b);
      const int nous = notre(a, b);
      if (icu == 0) {
        ++egauxIcu_;
        if (!icuSecondaire && a != b) {
          ++echecs;
          ADD_FAILURE() << "ICU ties different texts " << Montrer(a) << " " << Montrer(b);
        }
        continue;
      }
      if (Signe(icu) == Signe(nous)) {
        ++accords_;
      } else if (++echecs <= 20) {
        ADD_FAILURE() << Montrer(a) << " vs " << Montrer(b) << ": ICU " << icu << ", ours " << nous;
      }
    }
    std::printf("[ ICU      ] %d pairs agree, %d disagree, %d tied by ICU\n", accords_, echecs,
                egauxIcu_);
    EXPECT_GT(accords_, paires / 2);
  }

  std::unique_ptr<icu::Collator> icu_;
  int accords_ = 0;
  int egauxIcu_ = 0;
};

// Every character of the code page but the controls, the holes and the marks ignored at the
// first levels: letters in both cases with every accent, ligatures, superscripts, fractions,
// punctuation and symbols.
std::string AlphabetCommun() {
  std::string alphabet;
  for (int c = 0x20; c < 256; ++c) {
    const char32_t point = Cp1252VersUnicode(static_cast<unsigned char>(c));
    if (point == 0x7F || (point >= 0x80 && point < 0xA0)) continue;
    if (c == '-' || c == '\'' || c == 0x92 || c == 0xAD) continue;
    alphabet.push_back(static_cast<char>(c));
  }
  return alphabet;
}

TEST_F(OrdreIcu, EveryPrintableCharacterButMarks) {
  Comparer(AlphabetCommun(), 8, 40000, ComparerNoms, false);
}

TEST_F(OrdreIcu, LettersWithCaseIgnored) {
  // ICU at the second strength ignores case (and variant forms); wherever it still sees a
  // difference, the case-blind order must see the same one.
  Comparer(T("AaÀàÉéÈèEeÊOoŒœÔSsßšŠYÿŸ1¹ "), 8, 20000, ComparerNomsSansCasse, true);
}

// ---------------------------------------------------------------------------------------------
// The order of list boxes, and their prefix search.

TEST(OrdreDesNomsSansCasse, TextsDifferingInCaseAreEqual) {
  EXPECT_EQ(ComparerNomsSansCasse(T("l'œil-de-bœuf"), T("L'ŒIL-DE-BŒUF")), 0);
  for (int x = 0; x < 256; ++x) {
    const std::string octet(1, static_cast<char>(x));
    const std::string majuscule(1,
                                static_cast<char>(MajusculeCp1252(static_cast<unsigned char>(x))));
    const std::string minuscule(1,
                                static_cast<char>(MinusculeCp1252(static_cast<unsigned char>(x))));
    EXPECT_EQ(ComparerNomsSansCasse(octet, majuscule), 0) << x;
    EXPECT_EQ(ComparerNomsSansCasse(minuscule, octet), 0) << x;
    EXPECT_EQ(ComparerNomsSansCasse("A" + octet + "b", "a" + majuscule + "B"), 0) << x;
  }
}

TEST(OrdreDesNomsSansCasse, OtherDifferencesStillCount) {
  EXPECT_NE(ComparerNomsSansCasse(T("oeuf"), T("ŒUF")), 0);
  EXPECT_NE(ComparerNomsSansCasse(T("eclat"), T("ÉCLAT")), 0);
  EXPECT_NE(ComparerNomsSansCasse(T("ss"), T("ß")), 0);
  EXPECT_NE(ComparerNomsSansCasse(T("co-op"), T("COOP")), 0);
  EXPECT_NE(ComparerNomsSansCasse(T("1"), T("¹")), 0);
  // ÉCLAT sits beside ECLAT, not after ZOMBIE.
  VerifierCroissant(ComparerNomsSansCasse,
                    Textes({"absinthe", "Éclair", "ECLAT", "éclat", "Éclats", "zombie"}));
  VerifierCroissant(ComparerNomsSansCasse, Textes({"Ab", "aC", "AD"}));
  VerifierCroissant(ComparerNomsSansCasse, Textes({"œuf", "ŒUFS", "oeuh"}));
}

TEST(CommenceParSansCasse, ByTheCodePageRule) {
  EXPECT_TRUE(CommenceParSansCasse(T("ÉCLAT DE LUNE"), T("éclat")));
  EXPECT_TRUE(CommenceParSansCasse(T("GIN"), ""));
  EXPECT_TRUE(CommenceParSansCasse("", ""));
  EXPECT_FALSE(CommenceParSansCasse(T("OEIL"), T("œ")));
  EXPECT_FALSE(CommenceParSansCasse(T("ECLAT"), T("éclat")));
  EXPECT_FALSE(CommenceParSansCasse(T("GIN"), T("gin fizz")));
  EXPECT_FALSE(CommenceParSansCasse(T("STRASSE"), T("straß")));
  EXPECT_FALSE(CommenceParSansCasse(T("÷"), T("×")));
  EXPECT_FALSE(CommenceParSansCasse("", "A"));
}

}  // namespace
}  // namespace velquor
