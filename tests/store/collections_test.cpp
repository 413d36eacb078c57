// SPDX-License-Identifier: GPL-3.0-or-later
// The record layout of the cocktails, byte for byte, and its normalisation.

#include <gtest/gtest.h>

#include <cstring>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"

namespace velquor {
namespace {

using Octets = std::vector<unsigned char>;

class CollectionsTest : public test::TestDansDossier {};

// Every byte past a text's terminator is written as zero, whatever the buffer held: a reused
// buffer's leftovers never reach the file. Texts that fill their field keep their terminator.
TEST_F(CollectionsTest, EnregistrementNormaliseOctetParOctet) {
  FicCocktail c;
  ASSERT_TRUE(c.Creer() && c.Ouvrir());
  std::memset(&c.Enreg, 'x', sizeof c.Enreg);
  CopierTexte(c.Enreg.Nom, std::string(40, 'N'));
  for (int i = 0; i < NbLignesComposition; ++i) {
    c.Enreg.Quantite[i][2] = '\0';
    c.Enreg.Ingredient[i][3] = '\0';
  }
  c.Enreg.Famille[0] = '\0';
  c.Enreg.Remarques[10] = '\0';
  ASSERT_TRUE(c.Ajouter(Texte(c.Enreg.Nom)));

  Octets attendu(833, 0);
  auto poser = [&](std::size_t offset, std::string_view texte) {
    std::copy(texte.begin(), texte.end(), attendu.begin() + offset);
  };
  poser(0, std::string(30, 'N'));
  for (int i = 0; i < NbLignesComposition; ++i) {
    poser(31 + 21 * i, "xx");
    poser(241 + 31 * i, "xxx");
  }
  poser(582, "xxxxxxxxxx");
  const Octets dat = test::LireOctets("COCKTAIL.DAT");
  ASSERT_EQ(dat.size(), 8u + 833);
  EXPECT_EQ(Octets(dat.begin() + 8, dat.end()), attendu);
}

}  // namespace
}  // namespace velquor
