#pragma once
// What the tests of the built companion share: running it, and the hostile recipes the
// commands that read are tried on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The hostile records, written straight into the files, with a cocktail of control
// characters, lone CR and LF, and bytes the code page leaves undefined, in the cocktails and in
// the result.
inline void PreparerHostile() {
  ASSERT_NO_FATAL_FAILURE(EcrireJeu(true));
  EnrCocktail c{};
  const std::string nom = "L'\x01\x1B[31m \"\xC9T\xC9\"\t\x7F\xFF\x80";
  CopierTexte(c.Nom, nom);
  CopierTexte(c.Famille, Jeu().familles[0].nom);
  CopierTexte(c.Quantite[0], "2\x02");
  CopierTexte(c.Ingredient[0], Jeu().ingredients[0].nom);
  CopierTexte(c.Remarques, "Un\rdeux\ntrois\r\n\r\n</p><script>\x0C");
  for (std::string_view base : {BaseCocktail, BaseResultat}) {
    FicCocktail f(base);
    ASSERT_TRUE(f.Ouvrir());
    f.Enreg = c;
    ASSERT_TRUE(f.Ajouter(nom));
  }
}

}  // namespace velquor::test
