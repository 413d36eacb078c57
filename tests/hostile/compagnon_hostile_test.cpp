// Hostile texts through velquor-outils, run as a user runs it: the list prints each name as
// UTF-8 on its own line, the export writes what the program writes, the check finds nothing
// wrong in hostile but valid text and names each field without a terminator, and the import
// converts UTF-8 to the code page, counts its limits in stored bytes and names the line of every
// character it cannot store.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "cli/console.h"
#include "export/chemins_export.h"
#include "export/exports_listes.h"
#include "export/ligne_html.h"
#include "export/recettes_html.h"
#include "jeu_hostile.h"
#include "search/ligne_composition.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"
#include "support/execution.h"
#include "support/page_html5.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::AuLongueur;
using Lignes = std::vector<std::string>;

using Sortie = test::Execution;
using test::LireTexte;

Lignes Decouper(const std::string& texte) {
  Lignes lignes;
  std::istringstream flux(texte);
  for (std::string l; std::getline(flux, l);)
    lignes.push_back(l);
  return lignes;
}

class CompagnonHostile : public test::TestDansDossier {
 protected:
  // Runs the companion in the current directory.
  static Sortie Executer(std::vector<std::string> arguments) {
    return test::Executer(VELQUOR_OUTILS, std::move(arguments));
  }
};

// The two ranges of the code page's 0x80 to 0x9F as the list prints them: the characters in
// UTF-8, and the five undefined bytes, which would reach a terminal as C1 control codes (0x90
// opens a device control string, 0x9D an operating system command), written as \xHH.
const std::string Utf8De80a8F = "€\\x81‚ƒ„…†‡ˆ‰Š‹Œ\\x8DŽ\\x8F";
const std::string Utf8De90a9F = "\\x90‘’“”•–—˜™š›œ\\x9DžŸ";

// The keys of a pair in the store's name order.
template <class Fic>
Lignes Cles(std::string_view base) {
  Lignes cles;
  Fic f(base);
  if (f.Ouvrir() && f.Premier()) {
    do
      cles.emplace_back(Texte(f.Noeud().Cle));
    while (f.Suivant());
  }
  return cles;
}

TEST_F(CompagnonHostile, ListerEcritChaqueNomEnUtf8SurSaLigne) {
  test::EcrireJeu(true);
  const std::map<std::string, std::string> affiches = {
      {test::FamilleFormat, "<B>&\"%s\";%d 100% FAMILLE######"},
      {test::Famille80, Utf8De80a8F + " FAMILLE######"},
      {test::Famille90, Utf8De90a9F + " FAMILLE######"},
      {"\x9C"
       "uf & \"%s\"",
       "œuf & \"%s\""},
      {"\x8C"
       "UF & \"%S\"",
       "ŒUF & \"%S\""},
      {test::IngredientFormat, "ABSINTHE <&> \"%s\"; 50%########"},
      {test::Ingredient80, Utf8De80a8F + " SIROP########"},
      {test::Ingredient90, Utf8De90a9F + " JUS##########"},
      {test::IngredientSansCommentaire, "GLACE <PILEE> & %s %d#########"},
      {test::CocktailFormat, "COCKTAIL <&> \"%s\"; 100% %d####"},
      {test::Cocktail80, Utf8De80a8F + " COCKTAIL#####"},
      {test::Cocktail90, Utf8De90a9F + " COCKTAIL#####"},
  };
  auto Attendu = [&affiches](const Lignes& cles) {
    Lignes lignes;
    for (const std::string& cle : cles)
      lignes.push_back(affiches.at(cle));
    return lignes;
  };
  const std::pair<const char*, Lignes> listes[] = {
      {"familles", Cles<FicFamille>(BaseFamille)},
      {"ingredients", Cles<FicIngredient>(BaseIngredient)},
      {"cocktails", Cles<FicCocktail>(BaseCocktail)},
      {"resultats", Cles<FicCocktail>(BaseResultat)},
  };
  for (const auto& [liste, cles] : listes) {
    ASSERT_FALSE(cles.empty()) << liste;
    Sortie r = Executer({"lister", liste});
    EXPECT_EQ(r.code, 0) << r.erreurs;
    EXPECT_EQ(Decouper(r.sortie), Attendu(cles)) << liste;
  }
}

TEST_F(CompagnonHostile, ExporterEcritLesFichiersDuProgramme) {
  test::EcrireJeu();
  test::EcrireSansTerminateur();
  for (const char* dossier : {"web", "Web", "Tux"})
    fs::create_directory(dossier);
  test::EnregistreurMessages messages;
  ASSERT_TRUE(ExporterRecettesHtml(messages).Reussi());
  ASSERT_TRUE(ExporterFamilles(messages).Reussi());
  ASSERT_TRUE(ExporterIngredients(messages).Reussi());
  ASSERT_TRUE(ExporterCocktails(messages).Reussi());
  auto Fichiers = [] {
    std::map<std::string, std::string> contenus;
    for (const char* dossier : {"web", "Web", "Tux"}) {
      for (const auto& e : fs::directory_iterator(dossier))
        contenus[e.path().string()] = LireTexte(e.path());
    }
    return contenus;
  };
  const auto programme = Fichiers();
  ASSERT_EQ(programme.size(), 4u + 3u + 4u);
  for (const char* dossier : {"web", "Web", "Tux"})
    fs::remove_all(dossier);

  Sortie r = Executer({"exporter", "tout"});
  ASSERT_EQ(r.code, 0) << r.erreurs;
  // The companion adds the index of the recipe pages, and changes nothing else.
  auto compagnon = Fichiers();
  EXPECT_EQ(compagnon.erase("web/index.html"), 1u);
  EXPECT_EQ(compagnon, programme);
}

// The menu and the index of the recipe pages, read by a real HTML5 parser: valid whatever the
// names hold, each text shown as the companion's lists show it (control characters as \xHH),
// each link leading to the page of its own cocktail.
TEST_F(CompagnonHostile, CarteEtSommaireMontrentLeTexteHostileTelQuel) {
  test::EcrireJeu(true);
  test::EcrireSansTerminateur(true);
  {
    // Control characters, lone CR and LF, quotes, the code page's high letters.
    EnrCocktail c{};
    const std::string nom = "L'\x01\x1B[31m \"\xC9T\xC9\"\t\x7F\xFF\x80";
    CopierTexte(c.Nom, nom);
    CopierTexte(c.Famille, "FAM\rILLE\n<i>");
    CopierTexte(c.Quantite[0], "2\x02");
    CopierTexte(c.Ingredient[0], "\x9D\x90 & '");
    CopierTexte(c.Remarques, "Un\rdeux\ntrois\r\n\r\n</p><script>\x0C");
    for (std::string_view base : {BaseCocktail, BaseResultat}) {
      FicCocktail f(base);
      ASSERT_TRUE(f.Ouvrir());
      f.Enreg = c;
      ASSERT_TRUE(f.Ajouter(nom));
    }
  }
  ASSERT_EQ(Executer({"exporter", "recettes"}).code, 0);
  const std::string titre = "</title><script>\"&amp;\x01\u00e9";
  Sortie r = Executer({"exporter", "menu", "--titre", titre});
  ASSERT_EQ(r.code, 0) << r.erreurs;

  const test::PageHtml5 carte = test::LirePageHtml5("web/menu.html");
  ASSERT_TRUE(carte.valide) << carte.erreurs;
  EXPECT_EQ(carte.encodage, "utf-8");
  EXPECT_EQ(carte.De("h1").at(0).texte, outils::TexteAffichableUtf8(titre));

  // What the page shows of each cocktail: its family, its lines and remarks.
  using Montre = std::map<std::string, Lignes>;
  Montre lu;
  std::string famille;
  std::string cocktail;
  std::set<std::string> pages;
  for (const test::ElementHtml& e : carte.elements) {
    if (e.balise == "h2") famille = e.texte;
    if (e.balise == "h3") {
      cocktail = e.texte;
      lu[cocktail].push_back("famille " + famille);
      if (!e.adresse.empty()) pages.insert(cocktail + " -> " + e.adresse);
    }
    if ((e.balise == "li" || e.balise == "p") && !cocktail.empty())
      lu[cocktail].push_back(e.balise + " " + e.texte);
  }
  Montre attendu;
  std::set<std::string> pagesAttendues;
  std::map<std::string, std::string> adresses;  // cocktail name (UTF-8) -> its page
  for (std::size_t n = 1; fs::exists(CheminPageHtml(static_cast<int>(n))); ++n) {
    const std::string page = LireTexte(CheminPageHtml(static_cast<int>(n)));
    const std::size_t debut = page.find("<title>") + 7;
    adresses[page.substr(debut, page.find("</title>\r\n") - debut)] =
        fs::path(CheminPageHtml(static_cast<int>(n))).filename().string();
  }
  FicCocktail resultat(BaseResultat);
  ASSERT_TRUE(resultat.Ouvrir() && resultat.Premier());
  do {
    const EnrCocktail& c = resultat.Enreg;
    const std::string nom = outils::TexteAffichable(Texte(c.Nom));
    Lignes& l = attendu[nom];
    l.push_back("famille " + (Texte(c.Famille).empty()
                                  ? std::string("Sans famille")
                                  : outils::TexteAffichable(Texte(c.Famille))));
    for (int i = 0; i < NbLignesComposition && !Texte(c.Ingredient[i]).empty(); ++i)
      l.push_back("li " + outils::TexteAffichable(
                              LigneComposition(Texte(c.Quantite[i]), Texte(c.Ingredient[i]))));
    std::string remarques;
    const std::string_view brut = Texte(c.Remarques);
    for (std::size_t i = 0, debut = 0; i <= brut.size(); ++i) {
      if (i < brut.size() && brut[i] != '\r' && brut[i] != '\n') continue;
      remarques += outils::TexteAffichable(brut.substr(debut, i - debut));
      if (i < brut.size()) remarques += "\n";
      if (i + 1 < brut.size() && brut[i] == '\r' && brut[i + 1] == '\n') ++i;
      debut = i + 1;
    }
    if (!remarques.empty()) l.push_back("p " + remarques);
    const auto page = adresses.find(PreparerLigneHtml(EchapperHtml(Texte(c.Nom))));
    if (page != adresses.end()) pagesAttendues.insert(nom + " -> " + page->second);
  } while (resultat.Suivant());
  EXPECT_EQ(lu, attendu);
  EXPECT_EQ(pages, pagesAttendues);
  EXPECT_EQ(pagesAttendues.size(), test::Jeu().cocktails.size() + 1);

  // The index: one link a page, named as the lists name the cocktail.
  const test::PageHtml5 index = test::LirePageHtml5("web/index.html");
  ASSERT_TRUE(index.valide) << index.erreurs;
  Lignes liens;
  for (const test::ElementHtml& e : index.De("li"))
    liens.push_back(e.texte + " -> " + e.adresse);
  Lignes liensAttendus;
  for (const std::string& cle : Cles<FicCocktail>(BaseCocktail)) {
    FicCocktail f;
    ASSERT_TRUE(f.Ouvrir() && f.Chercher(cle));
    liensAttendus.push_back(outils::TexteAffichable(Texte(f.Enreg.Nom)) + " -> " +
                            adresses.at(PreparerLigneHtml(EchapperHtml(Texte(f.Enreg.Nom)))));
  }
  EXPECT_EQ(liens, liensAttendus);
}

TEST_F(CompagnonHostile, VerifierAccepteLeTexteHostileEtNommeLesChampsSansTerminateur) {
  test::EcrireJeu(true);
  Sortie r = Executer({"verifier"});
  EXPECT_EQ(r.code, 0) << r.erreurs;
  EXPECT_EQ(Decouper(r.erreurs),
            (Lignes{"FAMILLE : 5 familles, aucun défaut", "INGRED : 4 ingrédients, aucun défaut",
                    "COCKTAIL : 3 cocktails, aucun défaut", "RESURECH : 3 résultats, aucun défaut",
                    "Familles et ingrédients des cocktails : aucun défaut", "Base saine."}));

  test::EcrireSansTerminateur();
  r = Executer({"verifier"});
  EXPECT_EQ(r.code, 1);
  const std::string nom = "« SANS FIN <&> %s" + std::string(15, '~') + " »";
  const std::string avecFin = "« SANS FIN <&> %s" + std::string(15, '~') + "! »";
  for (const std::string& defaut :
       Lignes{"champ « nom » sans terminateur", "champ « commentaire » sans terminateur",
              "l'enregistrement porte le nom " + avecFin, "champ « quantité » sans terminateur",
              "champ « ingrédient » sans terminateur", "champ « famille » sans terminateur",
              "champ « remarques » sans terminateur"}) {
    EXPECT_NE(r.erreurs.find(nom + " : " + defaut), std::string::npos) << defaut << "\n"
                                                                       << r.erreurs;
  }
  EXPECT_NE(r.erreurs.find("FAMILLE : 6 familles, 3 défauts"), std::string::npos) << r.erreurs;
  EXPECT_NE(r.erreurs.find("INGRED : 5 ingrédients, 3 défauts"), std::string::npos) << r.erreurs;
  EXPECT_NE(r.erreurs.find("COCKTAIL : 4 cocktails, 6 défauts"), std::string::npos) << r.erreurs;
}

template <class Fic>
auto Lire(std::string_view nom) {
  Fic f;
  EXPECT_TRUE(f.Ouvrir() && f.Chercher(nom)) << nom;
  return f.Enreg;
}

TEST_F(CompagnonHostile, ImporterConvertitEnCp1252EtCompteSesLimitesEnOctets) {
  std::string euros30, pointsDeSuite20, remarque250;
  for (int i = 0; i < 30; ++i)
    euros30 += "€";
  for (int i = 0; i < 20; ++i)
    pointsDeSuite20 += "…";
  for (int i = 0; i < 124; ++i)
    remarque250 += "\n";  // each stored as CR LF
  remarque250 += "é;";
  std::ofstream("hostile.csv")
      << "cocktail,famille,quantite,ingredient,alcoolise,remarques\n"
         "\"cocktail <&> \"\"%s\"\"; 100%\",<b>&%s,\"1/2 <&> \"\"%s\"\"; 10%\",absinthe %s,oui,"
         "\"Servir <frais>; \"\"sec\"\"\n€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ\"\n"
         "\"cocktail <&> \"\"%s\"\"; 100%\",,"
      << pointsDeSuite20 << ",œuf àéè ÿ,non,\n"
      << euros30 << ",,,,,\"" << remarque250 << "\"\n";
  Sortie r = Executer({"importer", "hostile.csv"});
  ASSERT_EQ(r.code, 0) << r.erreurs;

  // Names in capitals by the code page rule (the s of "%s" too); quantities and remarks as typed;
  // line breaks of the remarks as CR LF.
  const std::string nom = "COCKTAIL <&> \"%S\"; 100%";
  const EnrCocktail c = Lire<FicCocktail>(nom);
  EXPECT_EQ(Texte(c.Famille), "<B>&%S");
  EXPECT_EQ(Texte(c.Quantite[0]), "1/2 <&> \"%s\"; 10%");
  EXPECT_EQ(Texte(c.Ingredient[0]), "ABSINTHE %S");
  EXPECT_EQ(Texte(c.Quantite[1]), std::string(20, '\x85'));
  EXPECT_EQ(Texte(c.Ingredient[1]),
            "\x8C"
            "UF \xC0\xC9\xC8 \x9F");
  EXPECT_EQ(Texte(c.Remarques),
            "Servir <frais>; \"sec\"\r\n\x80\x82\x83\x84\x85\x86\x87\x88\x89"
            "\x8A\x8B\x8C\x8E\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B"
            "\x9C\x9E\x9F");
  EXPECT_EQ(Lire<FicIngredient>("ABSINTHE %S").Alcool, 1);
  EXPECT_EQ(Lire<FicIngredient>("\x8C"
                                "UF \xC0\xC9\xC8 \x9F")
                .Alcool,
            0);
  const EnrCocktail euros = Lire<FicCocktail>(std::string(30, '\x80'));
  EXPECT_EQ(Texte(euros.Remarques).size(), 250u);
  EXPECT_TRUE(Texte(euros.Remarques).ends_with("\r\n\r\n\xE9;"));

  r = Executer({"lister", "cocktails"});
  Lignes noms = Decouper(r.sortie);
  EXPECT_EQ(std::multiset<std::string>(noms.begin(), noms.end()),
            (std::multiset<std::string>{"COCKTAIL <&> \"%S\"; 100%", euros30}));
}

TEST_F(CompagnonHostile, ImporterRefuseAvecSonNumeroDeLigneCeQuIlNePeutStocker) {
  std::string euros31, points21, sauts125;
  for (int i = 0; i < 31; ++i)
    euros31 += "€";
  for (int i = 0; i < 21; ++i)
    points21 += "…";
  for (int i = 0; i < 125; ++i)
    sauts125 += "\n";
  std::ofstream("refus.csv") << "cocktail,famille,quantite,ingredient,alcoolise,remarques\n"
                                "BON,,1 cl,GIN,,\"deux\nlignes\"\n"  // lines 2 and 3
                             << euros31 << ",,,,,\n"                 // 4
                             << "BON,," << points21 << ",GIN,,\n"    // 5
                             << "BON,,,ĀB,,\n"                       // 6
                             << "BON,,,X\u0081Y,,\n"                 // 7
                             << "BON,,,,,\"" << sauts125 << "x\"\n"  // 8 to 133
                             << "BON,,,Ω,,\n";                       // 134
  Sortie r = Executer({"importer", "refus.csv"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(
      Decouper(r.erreurs),
      (Lignes{
          "refus.csv, ligne 4 : nom du cocktail « " + euros31 + " » : 31 octets, 30 au plus",
          "refus.csv, ligne 5 : quantité « " + points21 + " » : 21 octets, 20 au plus",
          "refus.csv, ligne 6 : ingrédient : le caractère « Ā » (U+0100) n'existe pas dans le "
          "jeu de caractères CP1252",
          "refus.csv, ligne 7 : ingrédient : caractère de contrôle (tabulation, saut de ligne…)",
          "refus.csv, ligne 8 : remarques : 251 octets, 250 au plus",
          "refus.csv, ligne 134 : ingrédient : le caractère « Ω » (U+03A9) n'existe pas dans "
          "le jeu de caractères CP1252",
          "velquor-outils : 6 erreurs : rien n'a été importé"}));
  EXPECT_FALSE(fs::exists("COCKTAIL.DAT"));
  EXPECT_FALSE(fs::exists("INGRED.DAT"));
}

}  // namespace
}  // namespace velquor
