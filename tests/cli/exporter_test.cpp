// SPDX-License-Identifier: GPL-3.0-or-later
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

template <class Fic>
void Remplir(Fic&& f) {
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  for (const char* nom : {"A", "B", "C", "D", "E", "F"}) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, nom);
    ASSERT_TRUE(f.Ajouter(nom));
  }
}

// A read failing during an export is never taken for the end of the collection: the export is
// whole, or it fails naming the files it could not read. The lists, then the menu.
TEST(Exporter, UneLectureEnEchecNEstJamaisUnExportTronque) {
  test::DossierTemporaire dossier;
  ASSERT_NO_FATAL_FAILURE(Remplir(FicFamille()));
  ASSERT_NO_FATAL_FAILURE(Remplir(FicCocktail()));
  const std::pair<std::string, std::string> exports[] = {
      {"familles",
       "Familles : lecture impossible de FAMILLE.NDX et FAMILLE.DAT ; l'export est "
       "incomplet"},
      {"menu",
       "Carte : lecture impossible de COCKTAIL.NDX et COCKTAIL.DAT ; rien n'a été "
       "exporté"}};
  for (const auto& [cible, echec] : exports) {
    Operandes operandes;
    operandes.push_back(cible);
    if (cible == "menu") operandes.options.push_back({"--tout", ""});  // of every cocktail
    int illisibles = 0;
    for (long k = 1; k < 40; ++k) {
      pannes::Programmer(pannes::Operation::Lecture, k, EIO, false, true);  // from the k-th on
      ::testing::internal::CaptureStderr();
      ConsoleMessages messages;
      const int code = CommandeExporter.executer(operandes, messages);
      pannes::Effacer();
      const std::string dit = ::testing::internal::GetCapturedStderr();
      if (code == 0) {
        EXPECT_NE(dit.find(" (6 "), std::string::npos) << k << dit;
      }
      if (dit.find("lecture impossible") == std::string::npos) continue;
      ++illisibles;
      EXPECT_NE(code, 0);
      EXPECT_NE(dit.find(echec), std::string::npos) << dit;
    }
    EXPECT_GT(illisibles, 0) << cible;
  }
}

}  // namespace
}  // namespace velquor::outils
