// The name index at byte level: node offsets and links as the tree's writes leave them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"
#include "support/paires.h"

namespace velquor {
namespace {

using test::Noeud;

std::vector<Noeud> Arbre() {
  return test::NoeudsDe("FAMILLE.NDX");
}

Noeud NoeudA(std::int32_t pos) {
  const auto noeuds = Arbre();
  if (pos % 47 == 0 && static_cast<std::size_t>(pos / 47) < noeuds.size()) return noeuds[pos / 47];
  ADD_FAILURE() << "no node at " << pos;
  return {};
}

class IndexTest : public test::TestDansDossier {
 protected:
  void SetUp() override { ASSERT_TRUE(f_.Creer() && f_.Ouvrir()); }

  void Ajouter(std::string_view nom) { ASSERT_TRUE(test::AjouterNom(f_, nom)) << nom; }
  void Supprimer(std::string_view nom) {
    ASSERT_TRUE(f_.Chercher(nom)) << nom;
    ASSERT_TRUE(f_.Supprimer()) << nom;
    EXPECT_EQ(f_.PtrEnreg, -1);
  }
  // Both walks give the names in order, and the tree on disk is sound.
  void VerifierOrdre(const std::vector<std::string>& attendu) {
    EXPECT_EQ(test::Noms(f_), attendu);
    EXPECT_EQ(test::Noms(f_, true), attendu);
    EXPECT_EQ(test::DefautDeLArbre("FAMILLE.NDX", f_.NbEnreg), "");
  }

  static constexpr std::int32_t s = sizeof(EnrFamille);
  test::EnregistreurVantor vantor_;
  FicFamille f_;
};

TEST_F(IndexTest, TroisNomsBAC) {
  Ajouter("B");
  Ajouter("A");
  Ajouter("C");
  EXPECT_EQ(Arbre(),
            (std::vector<Noeud>{
                {"B", 8, -1, 47, 94}, {"A", 8 + s, 0, -1, -1}, {"C", 8 + 2 * s, 0, -1, -1}}));
  EXPECT_EQ(f_.NbEnreg, 3);
  EXPECT_EQ(f_.PtrEnreg, 94) << "Ajouter leaves the object on the new record";

  // The rest of each key after its terminator is zero.
  auto ndx = test::LireOctets("FAMILLE.NDX");
  EXPECT_TRUE(std::all_of(ndx.begin() + 4 + 1, ndx.begin() + 35, [](auto o) { return o == 0; }));

  // A moves into the root slot; its old node stays behind, dead.
  Supprimer("B");
  EXPECT_EQ(Arbre(),
            (std::vector<Noeud>{
                {"A", 8 + s, -1, -1, 94}, {"A", 8 + s, 0, -1, -1}, {"C", 8 + 2 * s, 0, -1, -1}}));
  EXPECT_EQ(f_.NbEnreg, 2);
  EXPECT_EQ(f_.NbSuppr, 1u);
  VerifierOrdre({"A", "C"});
}

TEST_F(IndexTest, DoublonRefuseSansRienEcrire) {
  Ajouter("GIN");
  Ajouter("RHUM");
  ASSERT_TRUE(f_.Chercher("GIN"));
  auto ndx = test::LireOctets("FAMILLE.NDX");
  auto dat = test::LireOctets("FAMILLE.DAT");
  f_.Enreg = {};
  CopierTexte(f_.Enreg.Nom, "RHUM");
  EXPECT_FALSE(f_.Ajouter("RHUM"));
  EXPECT_EQ(test::LireOctets("FAMILLE.NDX"), ndx);
  EXPECT_EQ(test::LireOctets("FAMILLE.DAT"), dat);
  EXPECT_EQ(f_.PtrEnreg, 0) << "the object stays on GIN";
  EXPECT_EQ(f_.Noeud().PosEnreg, 8);

  // A name that would not fit its key is refused, never cut.
  std::string long31(31, 'X');
  CopierTexte(f_.Enreg.Nom, long31);
  EXPECT_FALSE(f_.Ajouter(long31));
  EXPECT_EQ(test::LireOctets("FAMILLE.NDX"), ndx);
  std::string long30(30, 'X');
  CopierTexte(f_.Enreg.Nom, long30);
  EXPECT_TRUE(f_.Ajouter(long30));
}

TEST_F(IndexTest, AjoutDansUneCollectionVideeRecommenceALaRacine) {
  Ajouter("M");
  Ajouter("A");
  Ajouter("Z");
  Supprimer("A");
  Supprimer("Z");
  auto avant = test::LireOctets("FAMILLE.NDX");
  Supprimer("M");
  EXPECT_EQ(test::LireOctets("FAMILLE.NDX"), avant) << "the last deletion writes no node";
  EXPECT_EQ(f_.NbEnreg, 0);
  EXPECT_FALSE(f_.Premier());
  EXPECT_FALSE(f_.Dernier());
  EXPECT_FALSE(f_.Suivant());
  EXPECT_FALSE(f_.Chercher("M"));
  EXPECT_FALSE(f_.Supprimer());
  EXPECT_TRUE(vantor_.textes.empty()) << "an empty collection answers false without a message";

  Ajouter("K");
  auto apres = test::LireOctets("FAMILLE.NDX");
  ASSERT_EQ(apres.size(), 141u);
  EXPECT_EQ(NoeudA(0), (Noeud{"K", 8 + 3 * s, -1, -1, -1}));
  EXPECT_TRUE(std::equal(avant.begin() + 47, avant.end(), apres.begin() + 47))
      << "the dead nodes behind the root stay untouched";
  VerifierOrdre({"K"});
}

TEST_F(IndexTest, ChercherLaisseSurUnVoisin) {
  for (auto nom : {"D", "B", "F", "A", "C", "E", "G"})
    Ajouter(nom);
  Supprimer("C");
  Supprimer("E");
  EXPECT_FALSE(f_.Chercher("CC"));
  EXPECT_EQ(Texte(f_.Enreg.Nom), "D") << "between B and D: on the greater";
  EXPECT_FALSE(f_.Chercher("BB"));
  EXPECT_EQ(Texte(f_.Enreg.Nom), "D");
  EXPECT_FALSE(f_.Chercher("EE"));
  EXPECT_EQ(Texte(f_.Enreg.Nom), "F");
  EXPECT_FALSE(f_.Chercher("ZZ"));
  EXPECT_EQ(Texte(f_.Enreg.Nom), "G") << "beyond the greatest: on the greatest";
  EXPECT_FALSE(f_.Chercher("0"));
  EXPECT_EQ(Texte(f_.Enreg.Nom), "A") << "before the least: on the least";
  EXPECT_TRUE(f_.Chercher("F"));
  EXPECT_EQ(Texte(f_.Enreg.Nom), "F");
  EXPECT_TRUE(vantor_.textes.empty());
}

TEST_F(IndexTest, LesBoutsDuParcoursRestentPositionnes) {
  for (auto nom : {"M", "C", "X"})
    Ajouter(nom);
  ASSERT_TRUE(f_.Dernier());
  EXPECT_FALSE(f_.Suivant());
  EXPECT_EQ(Texte(f_.Enreg.Nom), "X");
  EXPECT_TRUE(f_.Precedent());
  EXPECT_EQ(Texte(f_.Enreg.Nom), "M");
  ASSERT_TRUE(f_.Premier());
  EXPECT_FALSE(f_.Precedent());
  EXPECT_EQ(Texte(f_.Enreg.Nom), "C");
  EXPECT_TRUE(f_.Suivant());
  EXPECT_EQ(Texte(f_.Enreg.Nom), "M");
}

TEST_F(IndexTest, SuppressionDeLaRacineAUnEnfant) {
  // M with only a lesser subtree: F (C, H).
  for (auto nom : {"M", "F", "C", "H"})
    Ajouter(nom);
  Supprimer("M");
  EXPECT_EQ(NoeudA(0), (Noeud{"F", 8 + s, -1, 94, 141}));
  EXPECT_EQ(NoeudA(94).pere, 0);
  EXPECT_EQ(NoeudA(141).pere, 0);
  VerifierOrdre({"C", "F", "H"});
}

TEST_F(IndexTest, SuppressionDeLaRacineADeuxEnfants) {
  // M; lesser side F (C, H (-, J)); greater side T (P, W).
  for (auto nom : {"M", "F", "T", "C", "H", "P", "W", "J"})
    Ajouter(nom);
  Supprimer("M");
  EXPECT_EQ(NoeudA(0).cle, "F") << "the lesser child moves into the root slot";
  EXPECT_EQ(NoeudA(0).pere, -1);
  std::int32_t posJ = 7 * 47, posT = 2 * 47, posH = 4 * 47, posC = 3 * 47;
  EXPECT_EQ(NoeudA(posC).pere, 0);
  EXPECT_EQ(NoeudA(posH).pere, 0);
  EXPECT_EQ(NoeudA(posJ).droite, posT) << "the greater subtree hangs under J";
  EXPECT_EQ(NoeudA(posT).pere, posJ);
  VerifierOrdre({"C", "F", "H", "J", "P", "T", "W"});

  // Root with two children whose lesser child has no greater child: the greater subtree hangs
  // directly under the new root.
  Supprimer("F");  // root F: lesser C (no children), greater H
  EXPECT_EQ(NoeudA(0).cle, "C");
  EXPECT_EQ(NoeudA(0).droite, posH);
  EXPECT_EQ(NoeudA(posH).pere, 0);
  VerifierOrdre({"C", "H", "J", "P", "T", "W"});
}

TEST_F(IndexTest, SuppressionDeNoeudsInterieurs) {
  // D; B (A, C) is D's lesser child; K (H (F, I), N (L, P)) is D's greater child.
  for (auto nom : {"D", "B", "K", "A", "C", "H", "N", "F", "I", "L", "P"})
    Ajouter(nom);
  const std::int32_t posH = 5 * 47, posN = 6 * 47, posI = 8 * 47;
  const std::int32_t posA = 3 * 47, posC = 4 * 47;

  // K is its parent's greater child: H replaces it, N's subtree hangs under I.
  Supprimer("K");
  EXPECT_EQ(NoeudA(0).droite, posH);
  EXPECT_EQ(NoeudA(posH).pere, 0);
  EXPECT_EQ(NoeudA(posI).droite, posN);
  EXPECT_EQ(NoeudA(posN).pere, posI);
  VerifierOrdre({"A", "B", "C", "D", "F", "H", "I", "L", "N", "P"});

  // B is its parent's lesser child: C replaces it, A hangs under C's least node (C itself).
  Supprimer("B");
  EXPECT_EQ(NoeudA(0).gauche, posC);
  EXPECT_EQ(NoeudA(posC).pere, 0);
  EXPECT_EQ(NoeudA(posC).gauche, posA);
  EXPECT_EQ(NoeudA(posA).pere, posC);
  VerifierOrdre({"A", "C", "D", "F", "H", "I", "L", "N", "P"});

  // Leaves and one-child nodes.
  Supprimer("L");
  EXPECT_EQ(NoeudA(posN).gauche, -1);
  Supprimer("I");  // I has the greater child N only
  EXPECT_EQ(NoeudA(posH).droite, posN);
  EXPECT_EQ(NoeudA(posN).pere, posH);
  VerifierOrdre({"A", "C", "D", "F", "H", "N", "P"});
}

}  // namespace
}  // namespace velquor
