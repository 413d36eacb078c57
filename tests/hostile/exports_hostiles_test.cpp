// Hostile texts through the three exports: the recipe pages escape the page's own characters and
// nothing else, the web lists keep their fixed widths, and the SQL files load back into SQLite
// with every text as it was prepared.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "export/base_sqlite.h"
#include "export/chemins_export.h"
#include "export/exports_listes.h"
#include "export/recettes_html.h"
#include "jeu_hostile.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

using test::AuLongueur;
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
    for (const char* dossier : {"web", "Web", "Tux"})
      std::filesystem::create_directory(dossier);
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
  // Row 3 has no ingredient: the page stops after row 2.
  attendues[test::Cocktail80] = {test::Cocktail80,
                                 test::Famille80,
                                 {"2 cl de " + test::Ingredient80, "<br>%s d' " + absinthe},
                                 "Une ligne<br><br>une autre; &quot;%s&quot; &amp; &lt;fin&gt;"};
  attendues[test::Cocktail90] = {test::Cocktail90,
                                 test::Famille90,
                                 {Octets(0x90, 0x9F) + "#### de " + test::Ingredient90},
                                 Fois("<br>", 125)};
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

// The fields of a web record: the text, cut at the width, then zeros up to it.
std::string ChampWeb(std::string_view texte, std::size_t largeur) {
  std::string champ(texte.substr(0, largeur));
  champ.resize(largeur, '\0');
  return champ;
}

std::string CocktailWeb(const test::CocktailHostile& c) {
  std::string enr = ChampWeb(c.nom, 30);
  for (std::size_t i = 0; i < NbLignesComposition; ++i)
    enr += ChampWeb(c.quantites[i], 20) + ChampWeb(c.ingredients[i], 30);
  return enr + ChampWeb(c.famille, 30) + ChampWeb(c.remarques, 250);
}

TEST_F(ExportsHostiles, LesListesWebGardentLeursLargeursSansDeborder) {
  ASSERT_TRUE(ExporterFamilles(messages_).Reussi());
  ASSERT_TRUE(ExporterIngredients(messages_).Reussi());
  ASSERT_TRUE(ExporterCocktails(messages_).Reussi());

  std::map<std::string, std::string> attendus;
  for (const auto& c : test::Jeu().cocktails)
    attendus[c.nom] = CocktailWeb(c);
  // The name of 31 bytes is cut to its 30; the others to 20, 30 and 250: each field keeps its
  // place, the next one is not pushed.
  test::CocktailHostile sansFin{S::Nom, S::Famille, {S::Quantite}, {S::Ingredient}, S::Remarques};
  attendus[S::Cle] = CocktailWeb(sansFin);

  const std::string web = test::LireTexte("Web/COCKTAIL.WEB");
  const std::vector<std::string> noms = NomsCocktails();
  ASSERT_EQ(web.size(), noms.size() * 810);
  for (std::size_t n = 0; n < noms.size(); ++n)
    EXPECT_EQ(web.substr(n * 810, 810), attendus.at(noms[n])) << "record " << n;

  // Names of exactly 30 bytes fill their field without a zero.
  const std::string familles = test::LireTexte("Web/FAMILLE.WEB");
  ASSERT_EQ(familles.size(), (test::Jeu().familles.size() + 1) * 30);
  std::multiset<std::string> lues, ecrites;
  for (std::size_t k = 0; k < familles.size(); k += 30)
    lues.insert(familles.substr(k, 30));
  for (const auto& f : test::Jeu().familles)
    ecrites.insert(ChampWeb(f.nom, 30));
  ecrites.insert(S::Cle);
  EXPECT_EQ(lues, ecrites);
  EXPECT_EQ(test::LireTexte("Web/INGRED.WEB").size(), (test::Jeu().ingredients.size() + 1) * 30);
}

TEST_F(ExportsHostiles, LesFichiersSqlSeChargentDansSqliteAvecLeursTextes) {
  ASSERT_TRUE(ExporterFamilles(messages_).Reussi());
  ASSERT_TRUE(ExporterIngredients(messages_).Reussi());
  ASSERT_TRUE(ExporterCocktails(messages_).Reussi());

  test::BaseSqlite base;
  base.Executer(
      "CREATE TABLE famille (id INTEGER PRIMARY KEY, nom TEXT, vide TEXT);"
      "CREATE TABLE ingred (id INTEGER PRIMARY KEY, nom TEXT, alcool INTEGER, commentaire TEXT);"
      "CREATE TABLE cocktail (id INTEGER PRIMARY KEY, nom TEXT, famille TEXT, remarques TEXT);"
      "CREATE TABLE compo (id INTEGER PRIMARY KEY, cocktail INTEGER REFERENCES cocktail(id),"
      "                    ingredient TEXT, quantite TEXT);");
  base.Charger("famille", "Tux/FAMILLE.SQL", 3);
  base.Charger("ingred", "Tux/INGRED.SQL", 4);
  base.Charger("cocktail", "Tux/COCKTAIL.SQL", 4);
  base.Charger("compo", "Tux/COMPO.SQL", 4);
  using Rangees = std::vector<std::vector<std::string>>;

  // Quotes, semicolons, "%", the bytes 0x80 to 0x9F and line breaks as <br>.
  const std::string remarque250 =
      "Servir <frais> & \"sec\"; 100% %s %d %%<br>" + Octets(0x80, 0x9F) +
      "<br>cr\xE8me p\xE2le \xE9t\xE9 \xE0 l'\xF4 o\xF9 \xFB \xEA \xE7<br>&amp; &lt; <br> "
      "<script>alert(\"x\")</script><br>" +
      std::string(101, '.') + "<br>";
  EXPECT_EQ(base.Requete("SELECT famille, remarques FROM cocktail WHERE nom LIKE 'Cocktail%'"),
            (Rangees{{test::FamilleFormat, remarque250}}));
  // Without their terminator: the whole field, and not a byte of the next.
  EXPECT_EQ(base.Requete("SELECT nom, famille FROM cocktail WHERE nom LIKE 'Sans fin%'"),
            (Rangees{{"Sans fin <&> %s" + std::string(15, '~'), S::Famille}}));
  EXPECT_EQ(base.Requete("SELECT ingredient, quantite FROM compo WHERE ingredient LIKE 'alcool%'"),
            (Rangees{{"alcool <sans fin>" + std::string(14, '~'), S::Quantite}}));

  // Every composition row of the hostile cocktail, with its own quantity, each ingredient
  // found again by a join.
  EXPECT_EQ(base.Requete("SELECT p.quantite, i.nom FROM compo p JOIN ingred i"
                         " ON lower(i.nom) = p.ingredient JOIN cocktail c ON c.id = p.cocktail"
                         " WHERE c.nom LIKE 'Cocktail%' ORDER BY p.id"),
            (Rangees{{"1/2 <&> \"%s\"; 10%###", "Absinthe <&> \"%s\"; 50%########"},
                     {"12345678901234567890", Octets(0x80, 0x8F) + " sirop########"},
                     {Octets(0x80, 0x93), Octets(0x90, 0x9F) + " jus##########"},
                     {Octets(0x8C, 0x9F), "Glace <pilee> & %s %d#########"},
                     {"", "Absinthe <&> \"%s\"; 50%########"},
                     {"%d%%%s", Octets(0x80, 0x8F) + " sirop########"},
                     {"", Octets(0x90, 0x9F) + " jus##########"},
                     {"&amp;" + std::string(15, ';'), "Glace <pilee> & %s %d#########"},
                     {std::string(20, '"'), "Absinthe <&> \"%s\"; 50%########"},
                     {"<%s>" + std::string(16, '>'), Octets(0x90, 0x9F) + " jus##########"}}));
}

}  // namespace
}  // namespace velquor
