// The file layer's locks that the pairs rest on, the same on every platform: between two handles
// of one file as between two programs, and never stopping a read or a write.

#include "store/fichier_brut.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace velquor
