#pragma once
// What the tests of the built companion share: running it, the two sets of recipes the commands
// that read are tried on, and a pair's names as the companion prints them.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/console.h"
#include "jeu_hostile.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/execution.h"

namespace velquor::test {

inline Execution Outils(std::vector<std::string> arguments,
                        const std::vector<std::string>& environnement = {}) {
  return Executer(VELQUOR_OUTILS, std::move(arguments), environnement);
}

// The demo recipes as the companion imports them, with a search's result; or the hostile
// records, written straight into the files, with a cocktail of control characters, lone CR and
// LF, and bytes the code page leaves undefined, in the cocktails and in the result.
enum class JeuDeDonnees { Demo, Hostile };

inline std::string NomDuJeu(const ::testing::TestParamInfo<JeuDeDonnees>& info) {
  return info.param == JeuDeDonnees::Demo ? "Demo" : "Hostile";
}

inline void Preparer(JeuDeDonnees jeu) {
  if (jeu == JeuDeDonnees::Demo) {
    ASSERT_EQ(Outils({"importer", VELQUOR_DEMO_CSV}).code, 0);
    ASSERT_EQ(Outils({"rechercher", "ingredients", "menthe", "rhum blanc cubain",
                      "jus de citron vert", "sucre de canne blanc", "eau gazeuse", "gin",
                      "sirop de sucre", "jus de citron", "sucre en poudre"})
                  .code,
              0);
    return;
  }
  ASSERT_NO_FATAL_FAILURE(EcrireJeu(true));
  EnrCocktail c{};
  const std::string nom = "L'\x01\x1B[31m \"\xC9T\xC9\"\t\x7F\xFF\x80";
  CopierTexte(c.Nom, nom);
  CopierTexte(c.Famille, "FAM\rILLE\n<i>");
  CopierTexte(c.Quantite[0], "2\x02");
  CopierTexte(c.Ingredient[0], "\x9D\x90 & '");
  CopierTexte(c.Remarques, "Un\rdeux\ntrois\r\n\r\n</p><script>\x0C");
  // Its family and ingredient exist: the pairs are sound.
  FicFamille famille;
  ASSERT_TRUE(famille.Ouvrir());
  famille.Enreg = {};
  CopierTexte(famille.Enreg.Nom, Texte(c.Famille));
  ASSERT_TRUE(famille.Ajouter(Texte(c.Famille)));
  FicIngredient ingredient;
  ASSERT_TRUE(ingredient.Ouvrir());
  ingredient.Enreg = {};
  CopierTexte(ingredient.Enreg.Nom, Texte(c.Ingredient[0]));
  ASSERT_TRUE(ingredient.Ajouter(Texte(c.Ingredient[0])));
  for (std::string_view base : {BaseCocktail, BaseResultat}) {
    FicCocktail f(base);
    ASSERT_TRUE(f.Ouvrir());
    f.Enreg = c;
    ASSERT_TRUE(f.Ajouter(nom));
  }
}

// The keys of a pair in name order, a line each, as the companion prints them.
template <class Fic>
std::string Liste(std::string_view base) {
  std::string liste;
  Fic f(base);
  for (bool ok = f.Ouvrir() && f.Premier(); ok; ok = f.Suivant())
    liste += outils::TexteAffichable(Texte(f.Noeud().Cle)) + "\n";
  return liste;
}

}  // namespace velquor::test
