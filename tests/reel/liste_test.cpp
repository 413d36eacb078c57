// A list's selected entry is the editor's current record: no click or key of the user leaves the
// list without one.

#include <QLabel>

#include "editors/editeur_dlg.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "reel/programme_reel.h"
#include "search/trace_crochets.h"
#include "store/champ_texte.h"

namespace velquor::test {
namespace {

TEST_F(ProgrammeReel, CtrlClicEtCtrlEspaceLaissentLEntreeSelectionneeEtLaSaisieSEcrit) {
  CreerFamilles({{"RHUMS"}, {"SOURS"}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* editeur = dynamic_cast<PEditeurDlg*>(OuvrirVue(p, 102));
    if (!editeur) return;
    auto* liste = p.Sur([&] { return editeur->Controle<PListe>(501); });
    auto* commentaire = p.Sur([&] { return editeur->Controle<PEditionMulti>(503); });
    const QPoint premiere = p.Sur([&] {
      return liste->viewport()->mapTo(liste, liste->visualItemRect(liste->item(0)).center());
    });

    p.Cliquer(liste, premiere, 1, "ctrl");
    p.Cliquer(liste, p.Sur([&] { return QPoint(liste->width() / 2, liste->height() - 10); }));
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return liste->IndexSelection(); }), 0)
        << "après Ctrl+clic sur l'entrée et un clic sous la dernière";

    // The comment typed afterwards goes to the selected family when the field is left.
    p.Cliquer(commentaire);
    if (!p.AttendreFocus(commentaire, "le champ des commentaires")) return;
    p.Taper("DOUX");
    p.Touches("Tab");
    p.Attendre([&] { return QApplication::focusWidget() != commentaire; }, "le champ quitté");
    p.Cliquer(liste, premiere);
    if (!p.AttendreFocus(liste, "la liste")) return;
    p.Touches("ctrl+space");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return liste->IndexSelection(); }), 0) << "après Ctrl+Espace";
    EXPECT_EQ(p.Sur([&] { return editeur->Controle<QLabel>(502)->text(); }),
              QStringLiteral("RHUMS"));
  });
  EXPECT_EQ(service_.bips, 0);
  FicFamille familles;
  ASSERT_TRUE(familles.Ouvrir());
  ASSERT_TRUE(familles.Chercher("RHUMS"));
  EXPECT_EQ(Texte(familles.Enreg.Commentaire), "DOUX");
}

}  // namespace
}  // namespace velquor::test
