// Hostile texts through the recipe pages, each page compared byte for byte with the one in pages/
// beside this file: the page's own characters escaped and nothing else ("%s", the bytes 0x80 to
// 0x9F and CR LF kept for the bytes), and a field without its terminator read as its whole
// width, never past it. (The SQL files of the same records are loaded by real database programs
// in mariadb_test.cpp.)

#include <gtest/gtest.h>

#include <filesystem>

#include "export/chemins_export.h"
#include "export/recettes_html.h"
#include "jeu_hostile.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"
#include "support/execution.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;

class ExportsHostiles : public test::TestDansDossier {};

TEST_F(ExportsHostiles, LesPagesEchappentLeurSyntaxeEtGardentLeRestePourLesOctets) {
  ASSERT_NO_FATAL_FAILURE(test::EcrireJeu());
  ASSERT_NO_FATAL_FAILURE(test::EcrireSansTerminateur());
  fs::create_directory("web");
  test::EnregistreurMessages messages;
  ASSERT_TRUE(ExporterRecettesHtml(messages).Reussi());
  EXPECT_TRUE(messages.messages.empty());
  for (int n = 1; n <= 4; ++n) {
    const fs::path page = CheminPageHtml(n);
    EXPECT_EQ(test::LireTexte(page),
              test::LireTexte(fs::path(VELQUOR_PAGES_ATTENDUES) / page.filename()))
        << page;
  }
  EXPECT_FALSE(fs::exists(CheminPageHtml(5)));
}

}  // namespace
}  // namespace velquor
