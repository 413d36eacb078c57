// What the companion says of a read failing during an export (no run of the executable can make
// a read fail).

#include <gtest/gtest.h>

#include <cerrno>

#include "cli/commandes.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/pannes_fichiers.h"
#include "support/dossier_temporaire.h"

namespace velquor::outils {
namespace {

// A read failing during an export is never taken for the end of the collection: the export is
// whole, or it fails naming the files it could not read.
TEST(Exporter, UneLectureEnEchecNEstJamaisUnExportTronque) {
  test::DossierTemporaire dossier;
  {
    FicFamille f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    for (const char* nom : {"A", "B", "C", "D", "E", "F"}) {
      f.Enreg = {};
      CopierTexte(f.Enreg.Nom, nom);
      ASSERT_TRUE(f.Ajouter(nom));
    }
  }
  int illisibles = 0;
  for (long k = 1; k < 40; ++k) {
    pannes::Programmer(pannes::Operation::Lecture, k, EIO, false, true);  // from the k-th read on
    ::testing::internal::CaptureStderr();
    ConsoleMessages messages;
    Operandes familles;
    familles.push_back("familles");
    const int code = CommandeExporter.executer(familles, messages);
    pannes::Effacer();
    const std::string dit = ::testing::internal::GetCapturedStderr();
    if (code == 0) {
      EXPECT_NE(dit.find("écrits (6 familles)"), std::string::npos) << k << dit;
    }
    if (dit.find("lecture impossible") == std::string::npos) continue;
    ++illisibles;
    EXPECT_NE(code, 0);
    EXPECT_NE(dit.find("Familles : lecture impossible de FAMILLE.NDX et FAMILLE.DAT ; l'export est "
                       "incomplet"),
              std::string::npos)
        << dit;
  }
  EXPECT_GT(illisibles, 0);
}

}  // namespace
}  // namespace velquor::outils
