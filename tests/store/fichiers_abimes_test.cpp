// Damaged pairs: truncated files, links out of the file or in cycles, keys without their
// terminator, negative counts, random bytes. Nothing may crash, hang or read out of bounds.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "scenarios_pannes.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

using Octets = std::vector<unsigned char>;

struct NoeudBrut {
  std::string cle;
  std::int32_t pos_enreg, droite, gauche, pere;
};

Octets Index(const std::vector<NoeudBrut>& noeuds) {
  Octets o;
  for (const auto& n : noeuds) {
    NoeudIndex noeud;
    std::memcpy(noeud.Cle, n.cle.data(), std::min(n.cle.size(), sizeof noeud.Cle));
    noeud.PosEnreg = n.pos_enreg;
    noeud.Droite = n.droite;
    noeud.Gauche = n.gauche;
    noeud.Pere = n.pere;
    unsigned char brut[NoeudIndex::Taille];
    noeud.VersOctets(brut);
    o.insert(o.end(), brut, brut + sizeof brut);
  }
  return o;
}

// A data file whose header counts nb_enreg and which holds one family record per name.
Octets Donnees(std::int32_t nb_enreg, const std::vector<std::string>& noms) {
  Octets o(8, 0);
  for (int i = 0; i < 4; ++i)
    o[i] = static_cast<unsigned char>(nb_enreg >> (8 * i));
  for (const auto& nom : noms) {
    EnrFamille e{};
    CopierTexte(e.Nom, nom);
    auto* p = reinterpret_cast<const unsigned char*>(&e);
    o.insert(o.end(), p, p + sizeof e);
  }
  return o;
}

constexpr std::int32_t R(int i) {
  return 8 + 282 * i;
}  // offset of the i-th family record

class FichiersAbimesTest : public test::TestDansDossier {
 protected:
  void Ecrire(const Octets& ndx, const Octets& dat) {
    test::EcrireOctets("FAMILLE.NDX", ndx);
    test::EcrireOctets("FAMILLE.DAT", dat);
  }

  // Every operation once more on whatever is there.
  void Malmener(FicFamille& f) {
    test::ParcoursBorne("FAMILLE");
    for (auto nom : {"", "A", "M", "ZZZ", "B"}) {
      f.Chercher(nom);
      f.Suivant();
      f.Precedent();
      f.Lire();
      f.Modifier();
    }
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, "NOUVEAU");
    f.Ajouter("NOUVEAU");
    if (f.Chercher("A")) f.Supprimer();
    if (f.Premier()) f.Supprimer();
    test::ParcoursBorne("FAMILLE");
  }

  test::EnregistreurVantor vantor_;
};

TEST_F(FichiersAbimesTest, CycleDeLiensNePiegePasLesParcours) {
  // B's lesser child A points back to B as its greater child, and claims B as its parent.
  Ecrire(Index({{"B", R(0), -1, 47, -1}, {"A", R(1), 0, 94, 0}, {"0", R(2), 47, -1, 47}}),
         Donnees(3, {"B", "A", "0"}));
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_EQ(test::ParcoursBorne("FAMILLE"), (std::vector<std::string>{"0", "A", "B"}));
  EXPECT_FALSE(f.Chercher("AA"));
  Malmener(f);
}

TEST_F(FichiersAbimesTest, LiensHorsDuFichier) {
  Ecrire(Index({{"M", R(0), 47000, 47, -1}, {"C", R(1), -1, -94, 0}}), Donnees(2, {"M", "C"}));
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_EQ(test::ParcoursBorne("FAMILLE"), (std::vector<std::string>{"C", "M"}));
  EXPECT_FALSE(f.Chercher("Z"));
  EXPECT_EQ(Texte(f.Enreg.Nom), "M");

  // Adding under the broken greater link would hide whatever hung there: refused, unwritten.
  auto ndx = test::LireOctets("FAMILLE.NDX");
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, "Z");
  EXPECT_FALSE(f.Ajouter("Z"));
  EXPECT_EQ(test::LireOctets("FAMILLE.NDX"), ndx);
  // Adding where the walk ends on a missing link works.
  CopierTexte(f.Enreg.Nom, "D");
  EXPECT_TRUE(f.Ajouter("D"));
  EXPECT_EQ(test::ParcoursBorne("FAMILLE"), (std::vector<std::string>{"C", "D", "M"}));
  Malmener(f);
}

TEST_F(FichiersAbimesTest, IndexEtDonneesTronques) {
  const auto entier =
      Index({{"M", R(0), 94, 47, -1}, {"C", R(1), -1, -1, 0}, {"T", R(2), -1, -1, 0}});
  auto ndx = entier;
  auto dat = Donnees(3, {"M", "C", "T"});
  ndx.resize(ndx.size() - 10);   // T's node is cut short
  dat.resize(dat.size() - 200);  // and so is its record
  Ecrire(ndx, dat);
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_EQ(test::ParcoursBorne("FAMILLE"), (std::vector<std::string>{"C", "M"}));

  // A short record read leaves zeros, not the previous record's bytes.
  test::EcrireOctets("FAMILLE.NDX", entier);
  ASSERT_TRUE(f.Chercher("M"));
  EXPECT_EQ(Texte(f.Enreg.Nom), "M");
  ASSERT_TRUE(f.Suivant());
  auto* octets = reinterpret_cast<const unsigned char*>(&f.Enreg);
  EXPECT_EQ(std::string(f.Enreg.Nom, 1), "T");
  EXPECT_TRUE(std::all_of(octets + 82, octets + sizeof f.Enreg, [](auto o) { return o == 0; }));
  Malmener(f);
}

TEST_F(FichiersAbimesTest, ClesSansTerminateur) {
  std::string pleine(31, 'K');  // fills the whole key field, no terminator
  Ecrire(Index({{pleine, R(0), -1, -1, -1}}), Donnees(1, {"K"}));
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_TRUE(f.Chercher(pleine)) << "the key is read as the whole field, never past it";
  EXPECT_FALSE(f.Chercher(std::string(30, 'K')));
  // A record whose name has no terminator is read as the whole field too.
  test::EcrireOctets("FAMILLE.DAT", [] {
    Octets d(8 + 282, 'x');
    std::fill(d.begin(), d.begin() + 8, 0);
    d[0] = 1;
    return d;
  }());
  ASSERT_TRUE(f.Premier());
  EXPECT_EQ(Texte(f.Enreg.Nom), std::string(31, 'x'));
  Malmener(f);
}

TEST_F(FichiersAbimesTest, CompteNegatifVautCollectionVide) {
  Octets dat = Donnees(-5, {"A"});
  Ecrire(Index({{"A", R(0), -1, -1, -1}}), dat);
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_FALSE(f.Premier());
  EXPECT_FALSE(f.Chercher("A"));
  EXPECT_FALSE(f.Supprimer());
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, "B");
  ASSERT_TRUE(f.Ajouter("B"));
  EXPECT_EQ(f.NbEnreg, 1);
  EXPECT_EQ(test::ParcoursBorne("FAMILLE"), (std::vector<std::string>{"B"}));
  EXPECT_TRUE(vantor_.textes.empty());
}

// A pair whose order was built by a slightly different collation still lists each name once.
TEST_F(FichiersAbimesTest, OrdreEtrangerToujoursParcouruUneFois) {
  Ecrire(Index({{"B", R(0), 94, 47, -1}, {"C", R(1), -1, -1, 0}, {"A", R(2), -1, -1, 0}}),
         Donnees(3, {"B", "C", "A"}));
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_EQ(test::ParcoursBorne("FAMILLE"), (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(FichiersAbimesTest, OctetsAleatoires) {
  std::mt19937 alea(7);
  std::uniform_int_distribution<int> octet(0, 255), petit(0, 6);
  for (int essai = 0; essai < 300; ++essai) {
    // Plausible nodes with random links (most within the file), random keys and counts.
    int nb = 1 + petit(alea);
    std::vector<NoeudBrut> noeuds;
    auto lien = [&] {
      int v = petit(alea);
      return v == 6 ? octet(alea) * 7 : v < 2 ? -1 : 47 * (v - 1);
    };
    for (int i = 0; i < nb; ++i) {
      std::string cle(1 + petit(alea), 'A' + petit(alea));
      noeuds.push_back({cle, petit(alea) == 0 ? octet(alea) : R(i), lien(), lien(), lien()});
    }
    std::vector<std::string> noms;
    for (const auto& n : noeuds)
      noms.push_back(n.cle);
    Octets ndx = Index(noeuds), dat = Donnees(petit(alea) - 1, noms);
    if (essai % 3 == 0) ndx.resize(octet(alea) % (ndx.size() + 1));
    if (essai % 5 == 0) dat.resize(octet(alea) % (dat.size() + 1));
    if (essai % 7 == 0) {
      for (auto& o : ndx) {
        if (octet(alea) < 8) o = static_cast<unsigned char>(octet(alea));
      }
    }
    Ecrire(ndx, dat);
    FicFamille f;
    ASSERT_TRUE(f.Ouvrir());
    Malmener(f);
    if (HasFailure()) {
      ADD_FAILURE() << "trial " << essai;
      return;
    }
  }
}

// A node whose record lies far past the end of the data file: reading it gives zeros, and
// rewriting it is refused rather than growing the file to that size.
TEST_F(FichiersAbimesTest, EnregistrementLoinAuDelaDeLaFinDuFichier) {
  Ecrire(Index({{"M", 1 << 30, -1, -1, -1}}), Donnees(1, {"M"}));
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  ASSERT_TRUE(f.Chercher("M"));
  EXPECT_EQ(Texte(f.Enreg.Nom), "");
  CopierTexte(f.Enreg.Nom, "M");
  EXPECT_FALSE(f.Modifier());
  EXPECT_EQ(std::filesystem::file_size("FAMILLE.DAT"), 8u + 282u);
}

// A node whose two links name one child: each walk still ends, the child taken once.
TEST_F(FichiersAbimesTest, DeuxLiensVersLeMemeEnfant) {
  Ecrire(Index({{"M", R(0), 47, 47, -1}, {"T", R(1), -1, -1, 0}}), Donnees(2, {"M", "T"}));
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_EQ(test::ParcoursBorne("FAMILLE"), (std::vector<std::string>{"M", "T"}));
  Malmener(f);
}

}  // namespace
}  // namespace velquor
