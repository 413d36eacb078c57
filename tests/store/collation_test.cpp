// SPDX-License-Identifier: GPL-3.0-or-later
// The name order and the code page against the platform's answers, as
// scripts/ordre_plateforme/generer.py committed them in tests/store/ordre_plateforme.txt: groups
// of names in the order lstrcmpA or lstrcmpiA gives them, and the code page's table as the
// platform reads it (MultiByteToWideChar, CharUpperBuffA, CharLowerBuffA).

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "store/collation.h"
#include "store/cp1252.h"

namespace velquor {
namespace {

struct GroupePlateforme {
  std::string fonction;  // "lstrcmpA" or "lstrcmpiA"
  std::string titre;
  std::vector<std::string> noms;  // code page 1252 bytes, in the platform's order
  std::vector<int> rangs;         // equal ranks: the platform says equal
};

struct CaracterePlateforme {
  unsigned char octet;
  char32_t point;
  unsigned char majuscule;
  unsigned char minuscule;
};

struct DonneesPlateforme {
  std::vector<GroupePlateforme> groupes;
  std::vector<CaracterePlateforme> table;  // the 256 bytes
  std::string erreur;                      // empty when the file was read whole
};

// A name as the file shows it: UTF-8 text where \xHH stands for the byte HH.
std::optional<std::string> LireNom(std::string_view ligne) {
  std::string nom;
  for (;;) {
    const std::size_t echappe = ligne.find("\\x");
    const std::optional<std::string> texte = Utf8VersCp1252(ligne.substr(0, echappe));
    if (!texte) return std::nullopt;
    nom += *texte;
    if (echappe == std::string_view::npos) return nom;
    unsigned octet = 0;
    if (ligne.size() < echappe + 4 ||
        std::sscanf(std::string(ligne.substr(echappe + 2, 2)).c_str(), "%2x", &octet) != 1)
      return std::nullopt;
    nom.push_back(static_cast<char>(octet));
    ligne.remove_prefix(echappe + 4);
  }
}

DonneesPlateforme Lire(const char* chemin) {
  DonneesPlateforme d;
  std::ifstream fichier(chemin);
  std::string ligne;
  int numero = 0;
  while (std::getline(fichier, ligne)) {
    ++numero;
    const char marque = ligne.empty() ? '#' : ligne[0];
    const std::string_view reste = ligne.size() > 2 ? std::string_view(ligne).substr(2) : "";
    unsigned o = 0, p = 0, maj = 0, min = 0;
    std::optional<std::string> nom;
    if (marque == '#' || marque == 'I') continue;
    if (marque == 'G') {
      const std::size_t espace = reste.find(' ');
      d.groupes.push_back(
          {std::string(reste.substr(0, espace)), std::string(reste.substr(espace + 1)), {}, {}});
    } else if ((marque == '<' || marque == '=') && !d.groupes.empty() && (nom = LireNom(reste))) {
      GroupePlateforme& g = d.groupes.back();
      const int precedent = g.rangs.empty() ? -1 : g.rangs.back();
      g.noms.push_back(*nom);
      g.rangs.push_back(marque == '=' && precedent >= 0 ? precedent : precedent + 1);
    } else if (marque == 'T' &&
               std::sscanf(ligne.c_str(), "T %x %x %x %x", &o, &p, &maj, &min) == 4) {
      d.table.push_back({static_cast<unsigned char>(o), p, static_cast<unsigned char>(maj),
                         static_cast<unsigned char>(min)});
    } else {
      break;
    }
  }
  if (!fichier.eof())
    d.erreur = std::string(chemin) + ": unreadable line " + std::to_string(numero);
  return d;
}

// Read once, then shared.
const DonneesPlateforme& Plateforme() {
  static const DonneesPlateforme donnees = Lire(VELQUOR_ORDRE_PLATEFORME);
  return donnees;
}

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

// The code page, its capitals and small letters as the platform makes them (MultiByteToWideChar,
// CharUpperBuffA, CharLowerBuffA): the five undefined bytes map to the C1 controls of the same
// value, and nothing outside those 256 code points has a byte.
TEST(Cp1252, AgreesWithThePlatform) {
  const std::vector<CaracterePlateforme>& table = Plateforme().table;
  ASSERT_EQ(table.size(), 256u);
  std::set<char32_t> images;
  for (const CaracterePlateforme& c : table) {
    EXPECT_EQ(Cp1252VersUnicode(c.octet), c.point) << std::hex << int(c.octet);
    EXPECT_EQ(UnicodeVersCp1252(c.point), std::optional<unsigned char>(c.octet));
    EXPECT_EQ(MajusculeCp1252(c.octet), c.majuscule) << std::hex << int(c.octet);
    EXPECT_EQ(MinusculeCp1252(c.octet), c.minuscule) << std::hex << int(c.octet);
    images.insert(c.point);
  }
  for (char32_t point = 0; point <= 0x110000; ++point) {
    if (!images.count(point)) {
      ASSERT_FALSE(UnicodeVersCp1252(point)) << std::hex << static_cast<unsigned>(point);
    }
  }
}

}  // namespace
}  // namespace velquor
