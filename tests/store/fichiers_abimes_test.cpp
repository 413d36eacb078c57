// SPDX-License-Identifier: GPL-3.0-or-later
// Damaged pairs the fuzz corpus does not reach: a tree built in another name order, a broken link
// that an addition would cover, a short read. (Cycles, cut files, keys without terminator,
// negative counts and records past the end are inputs of the corpus, replayed with their checks.)

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "scenarios_pannes.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/paires.h"

namespace velquor {
namespace {

using Octets = std::vector<unsigned char>;
using Noms = std::vector<std::string>;

struct NoeudBrut {
  std::string cle;
  std::int32_t pos_enreg, droite, gauche, pere;
};

constexpr std::int32_t R(int i) {
  return 8 + 282 * i;
}  // offset of the i-th family record

// The index of these nodes, and a data file whose header counts nb_enreg with one record per
// node, named as its key.
void Ecrire(const std::vector<NoeudBrut>& noeuds, std::int32_t nb_enreg) {
  Octets ndx, dat(8, 0);
  EcrireMot(dat.data(), nb_enreg);
  for (const auto& n : noeuds) {
    NoeudIndex noeud{n.pos_enreg, {}, n.droite, n.gauche, n.pere};
    std::memcpy(noeud.Cle, n.cle.data(), std::min(n.cle.size(), sizeof noeud.Cle));
    unsigned char brut[NoeudIndex::Taille];
    noeud.VersOctets(brut);
    ndx.insert(ndx.end(), brut, brut + sizeof brut);
    EnrFamille e{};
    CopierTexte(e.Nom, n.cle);
    auto* p = reinterpret_cast<const unsigned char*>(&e);
    dat.insert(dat.end(), p, p + sizeof e);
  }
  test::EcrireOctets("FAMILLE.NDX", ndx);
  test::EcrireOctets("FAMILLE.DAT", dat);
}

class FichiersAbimesTest : public test::TestDansDossier {};

// A tree built by another name order (another version of the platform): the walk lists each
// name once in the tree's order, and every name stays found, unique, and deletable, also the
// one moved into the root's slot.
TEST_F(FichiersAbimesTest, ArbreConstruitDansUnAutreOrdre) {
  Ecrire({{"B", R(0), 94, 47, -1}, {"C", R(1), -1, -1, 0}, {"A", R(2), -1, -1, 0}}, 3);
  EXPECT_EQ(test::NomsFamilles(), (Noms{"C", "B", "A"}));
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_FALSE(test::AjouterNom(f, "A")) << "a name added twice";
  ASSERT_TRUE(test::AjouterNom(f, "D"));
  EXPECT_EQ(test::NomsFamilles(), (Noms{"C", "B", "A", "D"})) << "D hung as the tree orders it";
  ASSERT_TRUE(f.Chercher("B") && f.Supprimer());
  EXPECT_FALSE(f.Chercher("B"));
  for (const char* nom : {"A", "C", "D"})
    EXPECT_TRUE(f.Chercher(nom) && Texte(f.Enreg.Nom) == nom && f.Supprimer()) << nom;
  EXPECT_EQ(test::NomsFamilles(), Noms{});
}

TEST_F(FichiersAbimesTest, UnAjoutNeCachePasCeQuiPendSousUnLienCasse) {
  Ecrire({{"M", R(0), 47000, 47, -1}, {"C", R(1), -1, -94, 0}}, 2);
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  // Adding under the broken greater link would hide whatever hung there: refused, unwritten.
  const Octets ndx = test::LireOctets("FAMILLE.NDX");
  EXPECT_FALSE(test::AjouterNom(f, "Z"));
  EXPECT_EQ(test::LireOctets("FAMILLE.NDX"), ndx);
  // Adding where the walk ends on a missing link works.
  EXPECT_TRUE(test::AjouterNom(f, "D"));
  EXPECT_EQ(test::NomsFamilles(), (Noms{"C", "D", "M"}));
}

// A short record read leaves zeros, not the previous record's bytes.
TEST_F(FichiersAbimesTest, UneLectureCourteDonneDesZeros) {
  Ecrire({{"M", R(0), 94, 47, -1}, {"C", R(1), -1, -1, 0}, {"TT", R(2), -1, -1, 0}}, 3);
  auto dat = test::LireOctets("FAMILLE.DAT");
  std::fill(dat.begin() + R(0) + 31, dat.begin() + R(1) - 1, 'c');  // M's comment
  dat.resize(R(2) + 1);
  test::EcrireOctets("FAMILLE.DAT", dat);
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  ASSERT_TRUE(f.Chercher("M") && f.Suivant());
  const auto* octets = reinterpret_cast<const unsigned char*>(&f.Enreg);
  EXPECT_EQ(std::string(f.Enreg.Nom, 2), std::string("T\0", 2));
  EXPECT_TRUE(std::all_of(octets + 1, octets + sizeof f.Enreg, [](auto o) { return o == 0; }));
}

}  // namespace
}  // namespace velquor
