// The recipe pages: the whole page byte for byte, the line writer, the joiners, the numbering
// in name order, and the escaping of the data put into a page.

#include <gtest/gtest.h>

#include <filesystem>

#include "collections_exemple.h"
#include "export/chemins_export.h"
#include "export/ligne_html.h"
#include "export/page_recette.h"
#include "export/recettes_html.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

using test::AjouterCocktail;
using test::LireTexte;

// The page as the template gives it, line by line, each line ended by CR LF.
class PageAttendue {
 public:
  PageAttendue& Ligne(const std::string& l) {
    texte_ += l + "\r\n";
    return *this;
  }
  // "<tr>", two empty cells, the content cell's lines, two empty cells, "</tr>".
  PageAttendue& Rangee(const std::vector<std::string>& cellule) {
    Ligne("<tr>").Ligne("<td>&nbsp;</td>").Ligne("<td>&nbsp;</td>");
    for (const auto& l : cellule)
      Ligne(l);
    return Ligne("<td>&nbsp;</td>").Ligne("<td>&nbsp;</td>").Ligne("</tr>");
  }
  PageAttendue& Espacement() {
    Ligne("<tr>");
    for (int i = 0; i < 5; ++i)
      Ligne("<td>&nbsp;</td>");
    return Ligne("</tr>");
  }
  const std::string& Texte() const { return texte_; }

 private:
  std::string texte_;
};

std::string Page(const std::string& titre, const std::string& famille,
                 const std::vector<std::string>& composition, const std::string& remarques) {
  PageAttendue p;
  p.Ligne("<html>")
      .Ligne("<head>")
      .Ligne("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">")
      .Ligne(
          "<meta name=\"description\" content=\"Tavisk mini Base de donn&eacute;es de "
          "cocktails\">")
      .Ligne("<meta name=\"keywords\" content=\"cocktail, recette, boisson, alcool\">")
      .Ligne("<title>" + titre + "</title>")
      .Ligne("</head>")
      .Ligne("<body bgcolor=\"#FFFFFF\">")
      .Ligne("<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">");
  p.Rangee(
      {"<td align=\"center\"><font color=\"#000080\" size=\"4\" face=\"Arial,Helvetica\">"
       "<em><strong><u>",
       titre, "</u></strong></em></font></td>"});
  p.Espacement();
  p.Rangee(
      {"<td bgcolor=\"#FF8000\"><font color=\"#800008\" face=\"Arial,Helvetica\" size=-1>"
       "<strong>&nbsp;Famille:</strong></font></td>"});
  p.Rangee({"<td bgcolor=\"#FFBA75\"><blockquote><p><font face=\"Arial,Helvetica\" size=-1>",
            famille, "</font></p></blockquote></td>"});
  p.Espacement();
  p.Rangee(
      {"<td bgcolor=\"#0080C0\"><font color=\"#000080\" face=\"Arial,Helvetica\" size=-1>"
       "<strong>",
       "&nbsp;Composition:</strong></font></td>"});
  std::vector<std::string> cellule = {
      "<td bgcolor=\"#A6CAF0\"><blockquote><p><font face=\"Arial,Helvetica\" size=-1>"};
  cellule.insert(cellule.end(), composition.begin(), composition.end());
  cellule.push_back("</blockquote></td>");
  p.Rangee(cellule);
  p.Espacement();
  p.Rangee(
      {"<td bgcolor=\"#CCCC99\"><font color=\"#000000\" face=\"Arial,Helvetica\" size=-1>"
       "<strong>&nbsp;",
       "Remarques:</strong></font></td>"});
  p.Rangee({"<td bgcolor=\"#FFFFCC\"><blockquote><p><font face=\"Arial,Helvetica\" size=-1>",
            remarques, "</font></p></blockquote></td>"});
  p.Espacement();
  p.Ligne("</table>").Ligne("</body>").Ligne("</html>");
  return p.Texte();
}

class RecettesHtmlTest : public test::TestDansDossier {
 protected:
  void SetUp() override { std::filesystem::create_directory("web"); }
  test::EnregistreurMessages messages_;
};

TEST_F(RecettesHtmlTest, PageCompleteOctetParOctet) {
  // Row 6 is empty, so row 7 is not shown although it is filled.
  AjouterCocktail("CA\xCFPIRINHA", "SOURS",
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
  BilanExport bilan = ExporterRecettesHtml(messages_);
  EXPECT_TRUE(bilan.Reussi());
  EXPECT_EQ(bilan.nbEnregistrements, 1);
  EXPECT_TRUE(messages_.messages.empty());

  std::string attendu = Page("CA\xCFPIRINHA", "SOURS",
                             {"6 cl de RHUM BLANC", "<br>1 trait d' ANGOSTURA", "<br>2 CITRONS",
                              "<br> GLACE PIL\xC9"
                              "E",
                              "<br>1 cuill&egrave;re de SUCRE",
                              "<br>3 cl de \xC9"
                              "CLAT DE CITRON"},
                             "Cr&egrave;me pil&eacute;e &agrave; part<br>Secouer fort");
  EXPECT_EQ(LireTexte("web/recet001.html"), attendu);
}

// The titles of the pages recet001.html, recet002.html, ... that exist.
std::vector<std::string> Titres() {
  std::vector<std::string> titres;
  for (int n = 1; std::filesystem::exists(CheminPageHtml(n)); ++n) {
    const std::string page = LireTexte(CheminPageHtml(n));
    const auto debut = page.find("<title>") + 7;
    titres.push_back(page.substr(debut, page.find("</title>") - debut));
  }
  return titres;
}

TEST_F(RecettesHtmlTest, NumerosSuiventLOrdreDesNoms) {
  AjouterCocktail("BELLINI", "", {});
  AjouterCocktail("CA\xCFPIRINHA", "", {});
  AjouterCocktail("ALEXANDRA", "", {});
  ExporterRecettesHtml(messages_);
  EXPECT_EQ(Titres(), (std::vector<std::string>{"ALEXANDRA", "BELLINI", "CA\xCFPIRINHA"}));
  AjouterCocktail("AMERICANO", "", {});
  ExporterRecettesHtml(messages_);
  EXPECT_EQ(Titres(),
            (std::vector<std::string>{"ALEXANDRA", "AMERICANO", "BELLINI", "CA\xCFPIRINHA"}));
}

TEST_F(RecettesHtmlTest, SansDossierWebRienNEstEcritNiAnnonce) {
  std::filesystem::remove("web");
  AjouterCocktail("ALEXANDRA", "", {});
  AjouterCocktail("BELLINI", "", {});
  BilanExport bilan = ExporterRecettesHtml(messages_);
  EXPECT_TRUE(messages_.messages.empty());
  EXPECT_TRUE(bilan.collectionOuverte);
  EXPECT_TRUE(bilan.fichiersEcrits.empty());
  EXPECT_EQ(bilan.fichiersEnEchec,
            (std::vector<std::string>{"./web/recet001.html", "./web/recet002.html"}));
  EXPECT_FALSE(std::filesystem::exists("web"));
}

TEST_F(RecettesHtmlTest, CollectionVideNiPageNiMessage) {
  BilanExport bilan = ExporterRecettesHtml(messages_);
  EXPECT_TRUE(bilan.Reussi());
  EXPECT_TRUE(std::filesystem::is_empty("web"));
  EXPECT_TRUE(messages_.messages.empty());
}

TEST_F(RecettesHtmlTest, CollectionImpossibleACreerAnnonceeAvecLeNomPluriel) {
  // A directory where the data file should be: the pair can be neither opened nor created.
  std::filesystem::create_directory("COCKTAIL.DAT");
  BilanExport bilan = ExporterRecettesHtml(messages_);
  EXPECT_FALSE(bilan.Reussi());
  ASSERT_EQ(messages_.messages.size(), 1u);
  EXPECT_EQ(messages_.messages[0].id, 3001);
  EXPECT_EQ(messages_.messages[0].argument, "cocktails");
}

TEST(LigneHtml, AccentsMinusculesEtSautsDeLigne) {
  EXPECT_EQ(PreparerLigneHtml("\xE0\xE2\xE7\xE9\xEA\xE8\xF4\xF9\xFB"),
            "&agrave;&acirc;&ccedil;&eacute;&ecirc;&egrave;&ocirc;&ugrave;&ucirc;");
  // Capitals and the other accented letters are written as they are.
  EXPECT_EQ(PreparerLigneHtml("\xC0\xC9\xEB\xEF\xEE\xFC"), "\xC0\xC9\xEB\xEF\xEE\xFC");
  // Only a CR LF pair becomes "<br>"; a lone CR or LF stays, and markup is not touched.
  EXPECT_EQ(PreparerLigneHtml("a\r\nb\rc\nd\n\re\r\n\r\n"), "a<br>b\rc\nd\n\re<br><br>");
  EXPECT_EQ(PreparerLigneHtml("<b>&\"100%\"</b>"), "<b>&\"100%\"</b>");
}

TEST(LigneHtml, Jointures) {
  // " d' " before A, E, I, O, U or Y, whatever the quantity; otherwise " " after digits alone
  // and " de " after anything else (the page test above has the common cases).
  EXPECT_EQ(JointureComposition("2", "ORANGES"), " d' ");
  EXPECT_EQ(JointureComposition("10", "YUZU"), " d' ");
  EXPECT_EQ(JointureComposition("1/2",
                                "\xC9"
                                "CLAT"),
            " de ");
  // Only capitals open the " d' " joiner: names are stored in capitals.
  EXPECT_EQ(JointureComposition("2 cl", "eau"), " de ");
}

}  // namespace
}  // namespace velquor
