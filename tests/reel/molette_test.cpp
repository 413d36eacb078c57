// The mouse wheel changes only the control that has the focus: turned over a closed combo box
// that the user has not focused, it changes nothing, and nothing wrong is written afterwards.

#include "editors/cocktail_dlg.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "reel/programme_reel.h"
#include "search/cb_assist.h"
#include "search/trace_crochets.h"
#include "store/champ_texte.h"

namespace velquor::test {
namespace {

TEST_F(ProgrammeReel, LaMoletteSurUnComboSansLeFocusNeChangeRien) {
  CreerIngredients({{"CITRON"}, {"COGNAC", true}, {"GIN", true}});
  CreerCocktails({{.nom = "SIDECAR", .ingredients = {"COGNAC", "CITRON"}}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* editeur = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!editeur) return;
    CbAssist* ligne0 = p.Sur([&] { return editeur->Ingredient(0); });
    PEditionMulti* remarques = p.Sur([&] { return editeur->Controle<PEditionMulti>(503); });
    PListe* liste = p.Sur([&] { return editeur->Liste(); });

    p.Molette(ligne0, 1);
    p.Molette(ligne0, -2);
    // The next field the user leaves writes the cocktail from what the window shows.
    p.Cliquer(remarques);
    if (!p.AttendreFocus(remarques, "les remarques")) return;
    p.Cliquer(liste);
    if (!p.AttendreFocus(liste, "la liste")) return;
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return ligne0->TexteCp1252(); }), "COGNAC");
  });
  FicCocktail cocktails;
  ASSERT_TRUE(cocktails.Ouvrir());
  ASSERT_TRUE(cocktails.Chercher("SIDECAR"));
  EXPECT_EQ(Texte(cocktails.Enreg.Ingredient[0]), "COGNAC");
}

}  // namespace
}  // namespace velquor::test
