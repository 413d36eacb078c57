// SPDX-License-Identifier: GPL-3.0-or-later
// The exports of the lists as the window program runs them, which makes no folder for them (the
// files' bytes, and an empty collection: tests/cli/cas/exporter.cas).

#include <gtest/gtest.h>

#include <filesystem>

#include "export/exports_listes.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

class ListesSqlTest : public test::TestDansDossier {};

// Without its folder a file is not written, and the export says so.
TEST_F(ListesSqlTest, DossierManquant) {
  std::filesystem::create_directory("Tux");
  FicFamille famille;
  ASSERT_TRUE(famille.Creer() && famille.Ouvrir());
  CopierTexte(famille.Enreg.Nom, "SOURS");
  ASSERT_TRUE(famille.Ajouter("SOURS"));
  test::EnregistreurMessages messages;
  const BilanExport bilan = ExporterFamilles(messages);
  EXPECT_FALSE(bilan.Reussi());
  EXPECT_EQ(bilan.fichiersEnEchec, std::vector<std::string>{"./Web/FAMILLE.WEB"});
  EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace velquor
