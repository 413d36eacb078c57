// SPDX-License-Identifier: GPL-3.0-or-later
// The name index: node offsets and links as the tree's writes leave them, and the tree sound
// after every kind of deletion.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"
#include "support/paires.h"

namespace velquor {
namespace {

using test::Noeud;
using Noms = std::vector<std::string>;

void Ajouter(FicFamille& f, std::string_view nom) {
  ASSERT_TRUE(test::AjouterNom(f, nom)) << nom;
}
void Supprimer(FicFamille& f, std::string_view nom) {
  ASSERT_TRUE(f.Chercher(nom) && f.Supprimer()) << nom;
  EXPECT_EQ(f.PtrEnreg, -1);
}

class IndexTest : public test::TestDansDossier {
 protected:
  test::EnregistreurVantor vantor_;
};

TEST_F(IndexTest, NoeudsSurLeDisque) {
  FicFamille f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  constexpr std::int32_t s = sizeof(EnrFamille);
  for (const char* nom : {"B", "A", "C"})
    Ajouter(f, nom);
  EXPECT_EQ(test::NoeudsDe("FAMILLE.NDX"),
            (std::vector<Noeud>{
                {"B", 8, -1, 47, 94}, {"A", 8 + s, 0, -1, -1}, {"C", 8 + 2 * s, 0, -1, -1}}));
  EXPECT_EQ(f.PtrEnreg, 94) << "Ajouter leaves the object on the new record";
  // The rest of each key after its terminator is zero.
  auto ndx = test::LireOctets("FAMILLE.NDX");
  EXPECT_TRUE(std::all_of(ndx.begin() + 4 + 1, ndx.begin() + 35, [](auto o) { return o == 0; }));

  // A moves into the root slot; its old node stays behind, dead.
  Supprimer(f, "B");
  EXPECT_EQ(test::NoeudsDe("FAMILLE.NDX"),
            (std::vector<Noeud>{
                {"A", 8 + s, -1, -1, 94}, {"A", 8 + s, 0, -1, -1}, {"C", 8 + 2 * s, 0, -1, -1}}));

  // A name already there, or one that would not fit its key, is refused, never cut; nothing is
  // written and the object stays where it was.
  ASSERT_TRUE(f.Chercher("A"));
  ndx = test::LireOctets("FAMILLE.NDX");
  const auto dat = test::LireOctets("FAMILLE.DAT");
  for (const std::string& nom : {std::string("C"), std::string(31, 'X')}) {
    EXPECT_FALSE(test::AjouterNom(f, nom)) << nom;
    EXPECT_EQ(test::LireOctets("FAMILLE.NDX"), ndx);
    EXPECT_EQ(test::LireOctets("FAMILLE.DAT"), dat);
    EXPECT_EQ(f.PtrEnreg, 0) << "the object stays on A";
  }
  Ajouter(f, std::string(30, 'X'));
}

// Every kind of node a deletion meets; after each, both walks give the names in order and the
// tree on disk is sound (every child names its parent back).
TEST_F(IndexTest, SuppressionsDeChaqueSorteDeNoeud) {
  // remplacants: a deleted child of the root with two children, and the child whose node the
  // root then links to (a greater child goes to its lesser child, a lesser one to its greater).
  struct Cas {
    Noms ajouts, suppressions;
    std::map<std::string, std::string> remplacants;
  };
  const Cas cas[] = {
      {{"M", "F", "C", "H"}, {"M"}, {}},                           // the root, one child
      {{"M", "F", "T", "C", "H", "P", "W", "J"}, {"M", "F"}, {}},  // the root, two children
      // K is its parent's greater child, B its lesser, both with two children; then leaves
      // and one-child nodes.
      {{"D", "B", "K", "A", "C", "H", "N", "F", "I", "L", "P"},
       {"K", "B", "L", "I", "D"},
       {{"K", "H"}, {"B", "C"}}},
      {{"D", "B", "A", "C", "E"}, {"B", "C", "D", "A", "E"}, {{"B", "C"}}},
  };
  for (const Cas& c : cas) {
    test::DossierTemporaire dossier;
    FicFamille f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    std::set<std::string> restants;
    for (const auto& nom : c.ajouts) {
      Ajouter(f, nom);
      restants.insert(nom);
    }
    for (const auto& nom : c.suppressions) {
      Supprimer(f, nom);
      restants.erase(nom);
      const Noms attendu(restants.begin(), restants.end());
      EXPECT_EQ(test::Noms(f), attendu) << "after deleting " << nom;
      EXPECT_EQ(test::Noms(f, true), attendu) << "after deleting " << nom;
      EXPECT_EQ(test::DefautDeLArbre("FAMILLE.NDX", f.NbEnreg), "") << "after deleting " << nom;
      if (const auto r = c.remplacants.find(nom); r != c.remplacants.end()) {
        const auto pos =
            47 * (std::find(c.ajouts.begin(), c.ajouts.end(), r->second) - c.ajouts.begin());
        const Noeud racine = test::NoeudsDe("FAMILLE.NDX")[0];
        EXPECT_TRUE(racine.gauche == pos || racine.droite == pos)
            << nom << " not replaced by " << r->second;
      }
    }
  }
}

}  // namespace
}  // namespace velquor
