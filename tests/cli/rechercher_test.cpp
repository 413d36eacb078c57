// velquor-outils rechercher against the search engine itself: the demo recipes in two folders,
// the companion searching in one and the engine, with the criteria the search dialog would
// build, in the other; after each step the result pair and the selection files must be the same
// bytes, and the companion must print the result's names.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "cli/support_outils.h"
#include "search/recherche.h"
#include "store/cp1252.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;

using test::Outils;

// What a search leaves: the result pair and the two selection files, absent ones included.
std::map<std::string, std::optional<std::vector<unsigned char>>> Traces(const fs::path& dossier) {
  std::map<std::string, std::optional<std::vector<unsigned char>>> traces;
  for (const char* nom : {"RESURECH.NDX", "RESURECH.DAT", "SELECFAM.DAT", "SELECCOC.DAT"}) {
    traces[nom] =
        fs::exists(dossier / nom) ? std::optional(test::LireOctets(dossier / nom)) : std::nullopt;
  }
  return traces;
}

class SansProgression : public RapporteurProgression {
  void Debut() override {}
  bool MettreAJour(std::string_view, std::int64_t, std::int64_t) override { return false; }
  void Fin() override {}
};

class RechercherTest : public test::TestDansDossier {
 protected:
  void SetUp() override {
    fs::create_directory("outils");
    ASSERT_EQ(Outils({"-C", "outils", "importer", VELQUOR_DEMO_CSV}).code, 0);
    fs::create_directory("moteur");
    for (const char* base : {"FAMILLE", "INGRED", "COCKTAIL"}) {
      for (const char* extension : {".NDX", ".DAT"})
        fs::copy_file(fs::path("outils") / (std::string(base) + extension),
                      fs::path("moteur") / (std::string(base) + extension));
    }
  }

  // The engine's run in "moteur", answering 3011 as the dialog's user would.
  static bool Moteur(const CriteresRecherche& criteres, bool effacer) {
    const fs::path ici = fs::current_path();
    fs::current_path("moteur");
    test::EnregistreurMessages messages;
    SansProgression progression;
    const bool trouve =
        ExecuterRecherche(criteres, {.ConfirmerEffacement = [effacer] { return effacer; },
                                     .Messages = messages,
                                     .Progression = progression});
    fs::current_path(ici);
    return trouve;
  }

  // The names of the engine's result, as the companion prints them.
  static std::string NomsDuResultat() {
    const fs::path ici = fs::current_path();
    fs::current_path("moteur");
    std::string noms;
    {
      FicCocktail resultat(BaseResultat);
      if (resultat.Ouvrir() && resultat.Premier()) {
        do
          noms += Cp1252VersUtf8(Texte(resultat.Noeud().Cle)) + "\n";
        while (resultat.Suivant());
      }
    }
    fs::current_path(ici);
    return noms;
  }
};

CriteresRecherche ParIngredients(ModeIngredients mode, std::vector<std::string> noms) {
  CriteresRecherche c;
  c.TypeRecherche = RechercheIngredients;
  c.SensIngredients = mode;
  c.IngredientsChoisis = std::move(noms);
  return c;
}

TEST_F(RechercherTest, ChaqueEtapeEcritCeQueLeMoteurEcrit) {
  // A list of bottles as people write one: a byte order mark, CR LF, blank lines, blanks around
  // a name, small letters, a name twice.
  std::ofstream("outils/bar.txt", std::ios::binary)
      << "\xEF\xBB\xBFrhum blanc cubain\r\n  menthe \r\n\r\nSucre de canne blanc\n"
         "JUS DE CITRON VERT\neau gazeuse\nmenthe";
  CriteresRecherche familles;
  familles.TypeRecherche = RechercheFamille;
  familles.SensFamille = FamilleNonSelectionnee;
  familles.FamillesChoisies = {"AU VERRE À MÉLANGE" /* UTF-8 here, converted below */, "SOURS"};
  familles.FamillesChoisies[0] = *Utf8VersCp1252(familles.FamillesChoisies[0]);
  CriteresRecherche nom;
  nom.SensNom = NomNeContientPas;
  nom.Chaine = "A";
  CriteresRecherche nomContient;
  nomContient.Chaine = "MO";

  struct Etape {
    std::vector<std::string> arguments;
    CriteresRecherche criteres;
    bool effacer;
  };
  const std::vector<Etape> etapes = {
      // The chosen names in the order of the dialog's sorted list.
      {{"ingredients", "--fichier", "bar.txt"},
       ParIngredients(TousChoisis, {"EAU GAZEUSE", "JUS DE CITRON VERT", "MENTHE",
                                    "RHUM BLANC CUBAIN", "SUCRE DE CANNE BLANC"}),
       true},
      {{"ingredients", "--au-moins-un", "--ajouter", "gin", "Vodka"},
       ParIngredients(AuMoinsUnChoisi, {"GIN", "VODKA"}),
       false},
      {{"familles", "sours", "--non-selectionnees", "au verre à mélange"}, familles, true},
      {{"nom", "--ne-contient-pas", "a"}, nom, true},
      {{"nom", "--ajouter", "mo"}, nomContient, false},
      {{"ingredients", "--aucun"}, ParIngredients(AucunChoisi, {}), true},
      // Nothing matches: the result goes, the companion says so with status 1.
      {{"ingredients", "--tous", "Menthe"}, ParIngredients(TousChoisis, {"MENTHE"}), true},
  };
  for (const Etape& etape : etapes) {
    const std::string quoi = ::testing::PrintToString(etape.arguments);
    std::vector<std::string> ligne = {"-C", "outils", "rechercher"};
    ligne.insert(ligne.end(), etape.arguments.begin(), etape.arguments.end());
    const test::Execution r = Outils(ligne);
    const bool trouve = Moteur(etape.criteres, etape.effacer);
    EXPECT_EQ(r.code, trouve ? 0 : 1) << quoi << r.erreurs;
    EXPECT_EQ(Traces("outils"), Traces("moteur")) << quoi;
    EXPECT_EQ(r.sortie, trouve ? NomsDuResultat() : "") << quoi;
    if (!trouve) {
      EXPECT_NE(r.erreurs.find("Aucun cocktails ne correspond"), std::string::npos) << r.erreurs;
    }
  }
  EXPECT_FALSE(fs::exists("outils/RESURECH.DAT"));
}

TEST_F(RechercherTest, ErreursAvantToutEcriture) {
  ASSERT_EQ(Outils({"-C", "outils", "rechercher", "nom", "mojito"}).code, 0);
  const auto avant = Traces("outils");
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"rechercher"},
           {"rechercher", "plats"},
           {"rechercher", "nom", "--tous"},
           {"rechercher", "ingredients", "--tous", "--aucun", "menthe"},
           {"rechercher", "nom", "123456789012345678901234567890X"},
       }) {
    std::vector<std::string> ligne = {"-C", "outils"};
    ligne.insert(ligne.end(), arguments.begin(), arguments.end());
    const test::Execution r = Outils(ligne);
    EXPECT_EQ(r.code, 2) << ::testing::PrintToString(arguments) << r.erreurs;
    EXPECT_TRUE(r.sortie.empty());
  }
  // Every unknown name is named, and nothing is searched.
  test::Execution r =
      Outils({"-C", "outils", "rechercher", "ingredients", "menthe", "whisky <&>", "Eau tonique"});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.erreurs.find("ingrédients inconnus : « whisky <&> », « Eau tonique »"),
            std::string::npos)
      << r.erreurs;
  r = Outils({"-C", "outils", "rechercher", "familles", "--fichier", "absent.txt"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("absent.txt"), std::string::npos);
  EXPECT_EQ(Traces("outils"), avant);

  // Where there are no recipes, none are made up.
  r = Outils({"rechercher", "nom"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.erreurs.find("aucun fichier des cocktails"), std::string::npos) << r.erreurs;
  EXPECT_FALSE(fs::exists("COCKTAIL.NDX"));
  EXPECT_FALSE(fs::exists("RESURECH.NDX"));
}

}  // namespace
}  // namespace velquor
