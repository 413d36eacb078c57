// A question with Yes and No has no escape: Escape and the window manager's close leave it
// open, and only the user's answer closes it.

#include <QAbstractButton>

#include "editors/cocktail_dlg.h"
#include "framework/service_messages.h"
#include "reel/programme_reel.h"
#include "search/cb_assist.h"
#include "search/trace_crochets.h"

namespace velquor::test {
namespace {

TEST_F(ProgrammeReel, UneQuestionOuiNonResteOuverteSousEchapEtLaFermeture) {
  CreerIngredients({{"CITRON"}});
  CreerCocktails({{.nom = "SOUR", .ingredients = {"CITRON"}}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* editeur = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!editeur) return;
    // Each new ingredient typed in a row and left is asked about (3009); the user tries a key
    // or the window manager's close on it, then answers Oui.
    const struct {
      int ligne;
      const char* nom;
      const char* essai;
    } essais[] = {{1, "VODKA", "Escape"}, {2, "CURACAO", "alt+F4"}};
    for (const auto& e : essais) {
      CbAssist* combo = p.Sur([&] { return editeur->Ingredient(e.ligne); });
      p.Cliquer(combo);
      if (!p.AttendreFocus(combo, std::string("la ligne ") + std::to_string(e.ligne))) return;
      p.Taper(e.nom);
      p.Touches("Tab");
      auto* question = p.AttendreModal<PBoiteMessage>(std::string("la question pour ") + e.nom);
      if (!question) return;
      EXPECT_EQ(p.Sur([&] {
        QStringList textes{question->windowTitle()};
        for (QAbstractButton* bouton : question->buttons())
          textes << bouton->text();
        return textes;
      }),
                (QStringList{"Le Velquor", "&Oui", "&Non"}));
      p.Touches(e.essai);
      p.Synchroniser();
      const bool ouverte = p.Sur([&] { return QApplication::activeModalWidget() == question; });
      EXPECT_TRUE(ouverte) << e.essai << " a fermé la question";
      if (ouverte) p.Touches("alt+o");
      p.Attendre([&] { return !QApplication::activeModalWidget(); }, "la question fermée");
    }
  });
  for (const char* nom : {"VODKA", "CURACAO"}) {
    FicIngredient ingredients;
    ASSERT_TRUE(ingredients.Ouvrir());
    ASSERT_TRUE(ingredients.Chercher(nom)) << nom;
    EXPECT_EQ(ingredients.Enreg.Alcool, 1) << nom;
  }
}

}  // namespace
}  // namespace velquor::test
