// The file layer's promises that the pairs rest on, the same on every platform: locks between
// two handles that never stop a read or a write, times that always move forward, replacements
// whole or not at all.

#include "store/fichier_brut.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/systeme_fichiers.h"
#include "support/dossier_temporaire.h"

namespace velquor {
namespace {

using Octets = std::vector<unsigned char>;

class FichierBrutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FichierBrut::EcrireNeufSynchronise("A.DAT", Octets(64, 0x11)));
  }
  test::DossierTemporaire dossier_;
};

// Two handles of one file behave as two programs: a shared lock admits another shared one and
// keeps an exclusive one out, and a lock of either kind stops no read or write of the other
// handle (on Windows a lock over the file's bytes would).
TEST_F(FichierBrutTest, VerrousEntreDeuxPoigneesSansGenerLesEchanges) {
  FichierBrut a, b;
  ASSERT_TRUE(a.OuvrirExistant("A.DAT"));
  ASSERT_TRUE(b.OuvrirExistant("A.DAT"));
  ASSERT_TRUE(a.VerrouillerPartage());
  EXPECT_TRUE(b.VerrouillerAvecDelai(false, 0));
  b.Deverrouiller();
  EXPECT_FALSE(b.VerrouillerExclusifSansAttendre());
  EXPECT_FALSE(b.VerrouillerAvecDelai(true, 50));

  // Raising a's lock lets its shared lock go first: b's exclusive one then waits in vain.
  ASSERT_TRUE(a.VerrouillerAvecDelai(true, 0));
  EXPECT_FALSE(b.VerrouillerAvecDelai(false, 0));
  const Octets nouveaux(16, 0x22);
  EXPECT_TRUE(b.EcrireA(8, nouveaux.data(), nouveaux.size()));
  Octets lus(64);
  EXPECT_EQ(b.Lire(0, lus.data(), lus.size()), 64);
  EXPECT_EQ(lus[8], 0x22);
  EXPECT_TRUE(b.Tronquer(80));
  EXPECT_EQ(a.Taille(), 80);

  a.Deverrouiller();
  EXPECT_TRUE(b.VerrouillerExclusifSansAttendre());
  // Closing a handle lets its lock go.
  b.Fermer();
  EXPECT_TRUE(a.VerrouillerExclusifSansAttendre());
}

// Every stamp leaves the file a later time than it had, even a time ahead of the clock (another
// machine's, on a shared folder), at the precision the file system keeps.
TEST_F(FichierBrutTest, HorodaterAvanceToujours) {
  const systeme::Poignee autre = systeme::Ouvrir("A.DAT", systeme::Mode::LectureEcriture);
  ASSERT_NE(autre, systeme::Aucune);
  ASSERT_TRUE(systeme::FixerDate(autre, systeme::Maintenant() + 60'000'000'000LL));
  systeme::Fermer(autre);
  FichierBrut f;
  ASSERT_TRUE(f.OuvrirExistant("A.DAT"));
  std::int64_t taille;
  long long avant, apres;
  ASSERT_TRUE(f.TailleEtDate(taille, avant));
  for (int i = 0; i < 20; ++i) {
    ASSERT_TRUE(f.Horodater());
    ASSERT_TRUE(f.TailleEtDate(taille, apres));
    ASSERT_GT(apres, avant) << i;
    avant = apres;
  }
}

// A replacement lands whole or not at all, even over a file another handle keeps open. POSIX
// renames over it, and that handle goes on reading the file it had; Windows refuses to rename
// over an open file, and then the old content stays and nothing is left beside it.
TEST_F(FichierBrutTest, RemplacerSousUnePoigneeOuverte) {
  FichierBrut ouvert;
  ASSERT_TRUE(ouvert.OuvrirExistant("A.DAT"));
  ASSERT_TRUE(ouvert.VerrouillerPartage());
  const bool remplace = FichierBrut::RemplacerSynchronise("A.DAT", Octets(5, 0x33));
  EXPECT_FALSE(FichierBrut::Existe("A.DAT.tmp"));
#ifdef _WIN32
  EXPECT_FALSE(remplace);
  EXPECT_EQ(test::LireOctets("A.DAT"), Octets(64, 0x11));
  ouvert.Fermer();
  ASSERT_TRUE(FichierBrut::RemplacerSynchronise("A.DAT", Octets(5, 0x33)));
  EXPECT_EQ(test::LireOctets("A.DAT"), Octets(5, 0x33));
#else
  EXPECT_TRUE(remplace);
  EXPECT_EQ(test::LireOctets("A.DAT"), Octets(5, 0x33));
  EXPECT_FALSE(ouvert.EstToujours("A.DAT"));
  Octets lus(64);
  EXPECT_EQ(ouvert.Lire(0, lus.data(), lus.size()), 64);
  EXPECT_EQ(lus, Octets(64, 0x11));
#endif
}

// A second name for a file is the same file, and outlives the first.
TEST_F(FichierBrutTest, LienEtIdentite) {
  ASSERT_TRUE(systeme::Lier("A.DAT", "B.DAT"));
  unsigned long long va, na, vb, nb;
  ASSERT_TRUE(systeme::IdentiteChemin("A.DAT", va, na));
  ASSERT_TRUE(systeme::IdentiteChemin("B.DAT", vb, nb));
  EXPECT_TRUE(va == vb && na == nb);
  ASSERT_TRUE(FichierBrut::Supprimer("A.DAT"));
  EXPECT_EQ(test::LireOctets("B.DAT"), Octets(64, 0x11));
  EXPECT_FALSE(systeme::Lier("A.DAT", "C.DAT"));
}

}  // namespace
}  // namespace velquor
