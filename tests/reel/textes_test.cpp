// What a user meets besides the program's own windows: Qt's context menus speak French, the
// menu bar has none, and the About box stands where its template puts it, under the menu bar.

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "editors/cocktail_dlg.h"
#include "framework/edition.h"
#include "framework/unites_dialogue.h"
#include "reel/programme_reel.h"
#include "search/trace_crochets.h"
#include "shell/about_dlg.h"

namespace velquor::test {
namespace {

QStringList TextesDuMenu(QWidget* menu) {
  QStringList textes;
  for (QAction* action : menu->actions()) {
    if (!action->isSeparator()) textes << action->text().section('\t', 0, 0).remove('&');
  }
  return textes;
}

TEST_F(ProgrammeReel, MenusContextuelsEnFrancaisAucunSurLaBarreEtAProposSousLaBarre) {
  CreerCocktails({{.nom = "GIN FIZZ", .quantites = {"4 cl"}}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* editeur = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!editeur) return;
    p.Cliquer(p.Sur([&] { return editeur->Quantite(0); }), {-1, -1}, 3);
    if (!p.Attendre([] { return QApplication::activePopupWidget() != nullptr; }, "le menu")) return;
    EXPECT_EQ(p.Sur([] { return TextesDuMenu(QApplication::activePopupWidget()); }),
              (QStringList{"Annuler", "Rétablir", "Couper", "Copier", "Coller", "Supprimer",
                           "Tout sélectionner"}));
    p.Touches("Escape");
    p.Attendre([] { return !QApplication::activePopupWidget(); }, "le menu fermé");

    auto* cadre = p.Sur([&] { return qobject_cast<QMainWindow*>(Cadre()); });
    QMenuBar* barre = p.Sur([&] { return cadre->menuBar(); });
    p.Cliquer(barre, p.Sur([&] { return QPoint(barre->width() - 20, barre->height() / 2); }), 3);
    p.Synchroniser();
    EXPECT_FALSE(p.Sur([] { return QApplication::activePopupWidget() != nullptr; }))
        << "un menu sur la barre de menus";

    // "&?" > "A &propos...": the template's (12, 17) counts from the client area, under the
    // menu bar.
    p.Touches("alt+question");
    p.Attendre([] { return QApplication::activePopupWidget() != nullptr; }, "le menu ?");
    p.Touches("p");
    auto* apropos = p.AttendreModal<TVelquorAboutDlg>("la boîte A propos");
    if (!apropos) return;
    const QPoint attendu = p.Sur([&] {
      return cadre->mapToGlobal(QPoint(0, barre->geometry().bottom() + 1)) +
             QPoint(DluVersPixelsX(12), DluVersPixelsY(17));
    });
    EXPECT_EQ(p.Sur([&] { return apropos->frameGeometry().topLeft(); }), attendu);
    p.Sur([&] { CaptureEcran(cadre, QStringLiteral("reel_apropos_sur_cadre")); });
    p.Touches("Return");
    p.Attendre([] { return !QApplication::activeModalWidget(); }, "la boîte fermée");
  });
}

}  // namespace
}  // namespace velquor::test
