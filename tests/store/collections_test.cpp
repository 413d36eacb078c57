// The record layouts of the three collections, byte for byte, and their normalisation.

#include <gtest/gtest.h>

#include <cstring>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"

namespace velquor {
namespace {

using test::LireOctets;
using Octets = std::vector<unsigned char>;

Octets Enregistrement(const char* fichier, std::size_t rang, std::size_t taille) {
  auto dat = LireOctets(fichier);
  std::size_t debut = 8 + rang * taille;
  if (dat.size() < debut + taille) {
    ADD_FAILURE() << fichier << " holds no record " << rang;
    return {};
  }
  return Octets(dat.begin() + debut, dat.begin() + debut + taille);
}

void Poser(Octets& o, std::size_t offset, std::string_view texte) {
  std::copy(texte.begin(), texte.end(), o.begin() + offset);
}

class CollectionsTest : public test::TestDansDossier {};

TEST_F(CollectionsTest, CocktailAvecLignesDeCompositionEspacees) {
  FicCocktail c;
  ASSERT_TRUE(c.Creer() && c.Ouvrir());
  c.Enreg = {};
  CopierTexte(c.Enreg.Nom, "NEGRONI");
  CopierTexte(c.Enreg.Quantite[1], "3 cl");
  CopierTexte(c.Enreg.Ingredient[1], "GIN");
  CopierTexte(c.Enreg.Quantite[4], "1 trait");
  CopierTexte(c.Enreg.Ingredient[4], "CAMPARI");
  CopierTexte(c.Enreg.Famille, "APERITIFS");
  CopierTexte(c.Enreg.Remarques, "Remuer.");
  ASSERT_TRUE(c.Ajouter("NEGRONI"));

  Octets attendu(833, 0);
  Poser(attendu, 0, "NEGRONI");
  Poser(attendu, 31 + 21 * 1, "3 cl");
  Poser(attendu, 241 + 31 * 1, "GIN");
  Poser(attendu, 31 + 21 * 4, "1 trait");
  Poser(attendu, 241 + 31 * 4, "CAMPARI");
  Poser(attendu, 551, "APERITIFS");
  Poser(attendu, 582, "Remuer.");
  EXPECT_EQ(Enregistrement("COCKTAIL.DAT", 0, 833), attendu);

  FicCocktail relu;
  ASSERT_TRUE(relu.Ouvrir() && relu.Chercher("NEGRONI"));
  const auto* octets = reinterpret_cast<const unsigned char*>(&relu.Enreg);
  EXPECT_EQ(Octets(octets, octets + sizeof relu.Enreg), attendu);

  // A record read from the cocktails and added to the result is stored unchanged.
  FicCocktail resultat(BaseResultat);
  ASSERT_TRUE(resultat.Creer() && resultat.Ouvrir());
  resultat.Enreg = relu.Enreg;
  ASSERT_TRUE(resultat.Ajouter("NEGRONI"));
  EXPECT_EQ(Enregistrement("RESURECH.DAT", 0, 833), attendu);
}

TEST_F(CollectionsTest, IngredientAlcooliseOuNon) {
  FicIngredient i;
  ASSERT_TRUE(i.Creer() && i.Ouvrir());
  for (auto [nom, alcool] : {std::pair{"GIN", 1}, std::pair{"CITRON", 0}}) {
    i.Enreg = {};
    CopierTexte(i.Enreg.Nom, nom);
    i.Enreg.Alcool = static_cast<unsigned char>(alcool);
    CopierTexte(i.Enreg.Commentaire, "note");
    ASSERT_TRUE(i.Ajouter(nom));
  }
  Octets gin(283, 0);
  Poser(gin, 0, "GIN");
  gin[31] = 1;
  Poser(gin, 32, "note");
  EXPECT_EQ(Enregistrement("INGRED.DAT", 0, 283), gin);
  EXPECT_EQ(Enregistrement("INGRED.DAT", 1, 283)[31], 0);
}

TEST_F(CollectionsTest, LaNormalisationEffaceLesRestesDUnTexteLong) {
  FicCocktail c;
  ASSERT_TRUE(c.Creer() && c.Ouvrir());
  // Fill every byte with leftovers, as a reused buffer would hold.
  std::memset(&c.Enreg, 'x', sizeof c.Enreg);
  std::memcpy(c.Enreg.Nom, "SOUR", 5);
  for (int i = 0; i < NbLignesComposition; ++i) {
    c.Enreg.Quantite[i][2] = '\0';
    c.Enreg.Ingredient[i][3] = '\0';
  }
  c.Enreg.Famille[0] = '\0';
  c.Enreg.Remarques[10] = '\0';
  ASSERT_TRUE(c.Ajouter("SOUR"));

  Octets attendu(833, 0);
  Poser(attendu, 0, "SOUR");
  for (int i = 0; i < NbLignesComposition; ++i) {
    Poser(attendu, 31 + 21 * i, "xx");
    Poser(attendu, 241 + 31 * i, "xxx");
  }
  Poser(attendu, 582, "xxxxxxxxxx");
  EXPECT_EQ(Enregistrement("COCKTAIL.DAT", 0, 833), attendu);

  // Modifier normalises too.
  ASSERT_TRUE(c.Chercher("SOUR"));
  std::memset(c.Enreg.Remarques, 'y', sizeof c.Enreg.Remarques);
  c.Enreg.Remarques[1] = '\0';
  ASSERT_TRUE(c.Modifier());
  Octets relu = Enregistrement("COCKTAIL.DAT", 0, 833);
  EXPECT_EQ(relu[582], 'y');
  EXPECT_TRUE(std::all_of(relu.begin() + 583, relu.end(), [](auto o) { return o == 0; }));
}

TEST_F(CollectionsTest, FamilleAvecCommentaireALaLimite) {
  FicFamille f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  const std::string nom(30, 'N'), commentaire(250, 'c');
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  CopierTexte(f.Enreg.Commentaire, commentaire);
  ASSERT_TRUE(f.Ajouter(nom));
  Octets attendu(282, 0);
  Poser(attendu, 0, nom);
  Poser(attendu, 31, commentaire);
  EXPECT_EQ(Enregistrement("FAMILLE.DAT", 0, 282), attendu);
}

}  // namespace
}  // namespace velquor
