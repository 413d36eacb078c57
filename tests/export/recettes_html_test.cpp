// The recipe pages and the escaping of the companion's own pages.

#include <gtest/gtest.h>

#include <filesystem>

#include "collections_exemple.h"
#include "export/html5.h"
#include "export/recettes_html.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

class RecettesHtmlTest : public test::TestDansDossier {
 protected:
  test::EnregistreurMessages messages_;
};

// The whole page, byte for byte, against recet001.html beside this file: the template's lines
// ended by CR LF, the joiners of the composition (" d' " before a vowel, " " after digits alone,
// " de " otherwise), the small accented letters as entities and CR LF as <br>. Row 6 is empty,
// so row 7 is not shown although it is filled.
TEST_F(RecettesHtmlTest, PageCompleteOctetParOctet) {
  std::filesystem::create_directory("web");
  test::AjouterCocktail("CA\xCFPIRINHA", "SOURS",
                        {{0, "6 cl", "RHUM BLANC"},
                         {1, "1 trait", "ANGOSTURA"},
                         {2, "2", "CITRONS"},
                         {3, "",
                          "GLACE PIL\xC9"
                          "E"},
                         {4, "1 cuill\xE8re", "SUCRE"},
                         {5, "3 cl",
                          "\xC9"
                          "CLAT DE CITRON"},
                         {7, "1 cl", "SIROP"}},
                        "Cr\xE8me pil\xE9"
                        "e \xE0 part\r\nSecouer fort");
  const BilanExport bilan = ExporterRecettesHtml(messages_);
  EXPECT_TRUE(bilan.Reussi());
  EXPECT_EQ(bilan.nbEnregistrements, 1);
  EXPECT_TRUE(messages_.messages.empty());
  EXPECT_EQ(test::LireTexte("web/recet001.html"),
            test::LireTexte(std::filesystem::path(VELQUOR_EXPORT_ATTENDU) / "recet001.html"));
}

// The companion's pages escape the page's own characters (attributes are in double quotes),
// write controls visibly, and make one break of each line ending.
TEST(TexteHtml, EchappementEtSautsDeLigne) {
  EXPECT_EQ(TexteHtml("<a href=\"x\">&'\x01\xE9", false),
            "&lt;a href=&quot;x&quot;&gt;&amp;'\\x01\xC3\xA9");
  EXPECT_EQ(TexteHtml("a\r\nb\rc\nd\r\n\r\n", true), "a<br>b<br>c<br>d<br><br>");
}

}  // namespace
}  // namespace velquor
