// The keys of the views as a user types them: the results view takes the arrows in its list as
// soon as it opens; in the remarks Delete is silent and Ctrl+Insert copies; a mnemonic of the
// view's dialog goes before the menu's; the clipboard keys of the accelerator table act on an
// edit field as the legacy edit control's commands (Ctrl+Delete clears only the selection).

#include <QClipboard>
#include <QLabel>

#include "editors/cocktail_dlg.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "reel/programme_reel.h"
#include "search/cb_assist.h"
#include "search/resu_dlg.h"
#include "search/trace_crochets.h"

namespace velquor::test {
namespace {

TEST_F(ProgrammeReel, LesTouchesDesVuesVontOuLUtilisateurLesAttend) {
  CreerIngredients({{"CITRON"}, {"GIN", true}});
  CreerFamilles({{"SOURS"}});
  const std::vector<Cocktail> cocktails{{.nom = "GIN SOUR",
                                         .famille = "SOURS",
                                         .ingredients = {"GIN", "CITRON"},
                                         .quantites = {"4 cl", "2 cl"},
                                         .remarques = "Secouer.\r\nServir."},
                                        {.nom = "TOM COLLINS", .ingredients = {"GIN"}}};
  CreerCocktails(cocktails);
  CreerCocktails(cocktails, BaseResultat);
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* resultats = dynamic_cast<TResuDlg*>(OuvrirVue(p, 110));
    if (!resultats) return;
    p.Touches("Down");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return resultats->Controle<QLabel>(502)->text(); }),
              QStringLiteral("TOM COLLINS"))
        << "la flèche dans la liste à l'ouverture";

    p.Touches("Up");
    auto* remarques = p.Sur([&] { return resultats->Controle<PEditionMulti>(503); });
    p.Sur([] { QApplication::clipboard()->clear(); });
    p.Cliquer(remarques);
    if (!p.AttendreFocus(remarques, "les remarques")) return;
    p.Touches("Delete ctrl+Home ctrl+shift+End ctrl+Insert");
    p.Synchroniser();
    EXPECT_EQ(service_.bips, 0) << "Supprimer dans les remarques";
    EXPECT_EQ(p.Sur([] { return QApplication::clipboard()->text(); }),
              QStringLiteral("Secouer.\nServir."));

    auto* editeur = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!editeur) return;
    auto* famille = p.Sur([&] { return editeur->Famille(); });
    p.Touches("alt+f");
    p.Synchroniser();
    EXPECT_TRUE(p.Sur([&] { return famille->hasFocus() && !QApplication::activePopupWidget(); }))
        << "Alt+F, le « &Famille » du dialogue, avant le « &Fichiers » du menu";

    auto* quantite = p.Sur([&] { return editeur->Quantite(0); });
    p.Cliquer(quantite);
    if (!p.AttendreFocus(quantite, "la quantité")) return;
    p.Touches("Home ctrl+Delete");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return quantite->TexteCp1252(); }), "4 cl") << "sans sélection";
    p.Touches("shift+End ctrl+Delete");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return quantite->TexteCp1252(); }), "") << "toute la sélection";
    p.Sur([] { QApplication::clipboard()->setText(QStringLiteral("6 cl")); });
    p.Touches("shift+Insert shift+Insert");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return quantite->TexteCp1252(); }), "6 cl6 cl") << "Maj+Inser colle";
    p.Touches("alt+BackSpace");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return quantite->TexteCp1252(); }), "6 cl") << "Alt+Retour annule";
  });
}

}  // namespace
}  // namespace velquor::test
