// Hostile texts through the recipe pages: they escape the page's own characters and nothing else,
// and read a field without its terminator as its whole width, never past it. (The SQL files of
// the same records are loaded by real database programs in mariadb_test.cpp.)

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "export/chemins_export.h"
#include "export/recettes_html.h"
#include "jeu_hostile.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"
#include "support/execution.h"

namespace velquor {
namespace {

using test::Octets;
using S = test::SansTerminateur;
using Lignes = std::vector<std::string>;

std::string Fois(std::string_view texte, int n) {
  std::string sortie;
  for (int i = 0; i < n; ++i)
    sortie += texte;
  return sortie;
}

// The cocktail names in name order, as the store walks them.
std::vector<std::string> NomsCocktails() {
  std::vector<std::string> noms;
  FicCocktail f;
  if (f.Ouvrir() && f.Premier()) {
    do
      noms.emplace_back(Texte(f.Noeud().Cle));
    while (f.Suivant());
  }
  return noms;
}

class ExportsHostiles : public test::TestDansDossier {
 protected:
  void SetUp() override {
    test::EcrireJeu();
    test::EcrireSansTerminateur();
    std::filesystem::create_directory("web");
  }
  test::EnregistreurMessages messages_;
};

// The page's lines; every line ends with CR LF and none holds a CR or an LF of its own.
Lignes LignesPage(const std::string& chemin) {
  const std::string texte = test::LireTexte(chemin);
  Lignes lignes;
  std::size_t debut = 0;
  while (debut < texte.size()) {
    const std::size_t fin = texte.find("\r\n", debut);
    if (fin == std::string::npos) {
      ADD_FAILURE() << chemin << ": last line without CR LF";
      break;
    }
    lignes.push_back(texte.substr(debut, fin - debut));
    EXPECT_EQ(lignes.back().find_first_of("\r\n"), std::string::npos) << lignes.back();
    debut = fin + 2;
  }
  return lignes;
}

// The lines of a cell: those after the line that opens it (it begins with `ouverture`) up to the
// line that closes it.
Lignes Cellule(const Lignes& page, std::string_view ouverture, std::string_view fermeture) {
  Lignes cellule;
  std::size_t i = 0;
  while (i < page.size() && !page[i].starts_with(ouverture))
    ++i;
  for (++i; i < page.size() && page[i] != fermeture; ++i)
    cellule.push_back(page[i]);
  return cellule;
}

struct PageAttendue {
  std::string nom;
  std::string famille;
  Lignes composition;
  std::string remarques;
};

TEST_F(ExportsHostiles, LesPagesEchappentLeurSyntaxeEtGardentLeRestePourLesOctets) {
  const std::string absinthe = "ABSINTHE &lt;&amp;&gt; &quot;%s&quot;; 50%########";
  const std::string glace = "GLACE &lt;PILEE&gt; &amp; %s %d#########";
  std::map<std::string, PageAttendue> attendues;
  attendues[test::CocktailFormat] = {
      "COCKTAIL &lt;&amp;&gt; &quot;%s&quot;; 100% %d####",
      "&lt;B&gt;&amp;&quot;%s&quot;;%d 100% FAMILLE######",
      {"1/2 &lt;&amp;&gt; &quot;%s&quot;; 10%### d' " + absinthe,
       "<br>12345678901234567890 " + test::Ingredient80,
       "<br>" + Octets(0x80, 0x93) + " de " + test::Ingredient90,
       "<br>" + Octets(0x8C, 0x9F) + " de " + glace, "<br> d' " + absinthe,
       "<br>%d%%%s de " + test::Ingredient80, "<br> " + test::Ingredient90,
       "<br>&amp;amp;" + std::string(15, ';') + " de " + glace,
       "<br>" + Fois("&quot;", 20) + " d' " + absinthe,
       "<br>&lt;%s&gt;" + Fois("&gt;", 16) + " de " + test::Ingredient90},
      "Servir &lt;frais&gt; &amp; &quot;sec&quot;; 100% %s %d %%<br>" + Octets(0x80, 0x9F) +
          "<br>cr&egrave;me p&acirc;le &eacute;t&eacute; &agrave; l'&ocirc; o&ugrave; &ucirc; "
          "&ecirc; &ccedil;<br>&amp;amp; &amp;lt; &lt;br&gt; "
          "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;<br>" +
          std::string(101, '.')};
  // Fields without their terminator are read as their whole width, never past it.
  attendues[S::Cle] = {"SANS FIN &lt;&amp;&gt; %s" + std::string(15, '~') + "!",
                       "FAMILLE &lt;SANS FIN&gt;" + std::string(13, '~'),
                       {"123456789012345678901 d' ALCOOL &lt;SANS FIN&gt;" + std::string(14, '~')},
                       "Remarques<br>&lt;&amp;&gt; %s" + std::string(234, '~')};

  ASSERT_TRUE(ExporterRecettesHtml(messages_).Reussi());
  EXPECT_TRUE(messages_.messages.empty());
  const std::vector<std::string> noms = NomsCocktails();
  ASSERT_EQ(noms.size(), 4u);
  for (std::size_t n = 0; n < noms.size(); ++n) {
    SCOPED_TRACE("page " + std::to_string(n + 1));
    if (!attendues.contains(noms[n])) continue;
    const PageAttendue& a = attendues.at(noms[n]);
    const Lignes page = LignesPage(CheminPageHtml(static_cast<int>(n + 1)));
    ASSERT_GT(page.size(), 6u);
    EXPECT_EQ(page[5], "<title>" + a.nom + "</title>");
    EXPECT_EQ(Cellule(page, "<td align=\"center\">", "</u></strong></em></font></td>"),
              Lignes{a.nom});
    EXPECT_EQ(Cellule(page, "<td bgcolor=\"#FFBA75\">", "</font></p></blockquote></td>"),
              Lignes{a.famille});
    EXPECT_EQ(Cellule(page, "<td bgcolor=\"#A6CAF0\">", "</blockquote></td>"), a.composition);
    EXPECT_EQ(Cellule(page, "<td bgcolor=\"#FFFFCC\">", "</font></p></blockquote></td>"),
              Lignes{a.remarques});
    EXPECT_EQ(page.back(), "</html>");
  }
  EXPECT_FALSE(std::filesystem::exists(CheminPageHtml(5)));
}

}  // namespace
}  // namespace velquor
