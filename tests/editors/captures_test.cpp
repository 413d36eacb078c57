// The editors in the program's own application and frame: the menu and the toolbar open them
// with their titles and help contexts, and nothing acts while a pass runs; pictures of the three
// editors and the name dialog with data, for people to look at (build/screenshots/).

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "editors/enreg_dlg.h"
#include "editors/vue_editeur.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "shell/aide.h"
#include "shell/cadre_velquor.h"
#include "shell/client_mdi.h"
#include "shell/my_gadget_btn.h"
#include "shell/velquor_app.h"
#include "shell/vues_programme.h"
#include "support_editeurs.h"
#include "support_ui/capture.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

class Programme : public test::TestDansDossier {
 protected:
  Programme() : app_([](TVelquorMDIClient& client) { EnregistrerVuesProgramme(client); }) {
    test::CreerFamilles({{"APÉRITIF", "Avant le repas, pour ouvrir l'appétit."},
                         {"DIGESTIF", "Après le repas."},
                         {"LONG DRINK", "Allongé d'eau gazeuse ou de jus."},
                         {"SHORT DRINK"}});
    test::CreerIngredients({{"CITRON", false, "Jus de citron frais pressé."},
                            {"COINTREAU", true, "Liqueur d'écorces d'oranges, 40 % vol."},
                            {"GIN", true, "Eau-de-vie de grain aromatisée au genièvre."},
                            {"GLACE", false},
                            {"GRENADINE", false, "Sirop de grenade."},
                            {"RHUM DE MÉLASSE MARTINIQUAIS", true},
                            {"SUCRE DE CANNE", false},
                            {"TEQUILA", true},
                            {"TRIPLE SEC", true}});
    test::CreerCocktails(
        {{"MARGARITA",
          "SHORT DRINK",
          {"TEQUILA", "COINTREAU", "CITRON", test::Cp("RHUM DE MÉLASSE MARTINIQUAIS"), "", "GLACE"},
          {"5 cl", "2 cl", "1,5 cl", "1 trait", "", test::Cp("3 glaçons")},
          test::Cp("Givrer le bord du verre de sel. Frapper au shaker et servir sans la glace.")},
         {"WHITE LADY", "SHORT DRINK", {"GIN", "TRIPLE SEC", "CITRON"}, {"4 cl", "3 cl", "2 cl"}},
         {"TOM COLLINS",
          "LONG DRINK",
          {"GIN", "CITRON", "SUCRE DE CANNE"},
          {"4 cl", "3 cl", "1 cl"}}});
    ContexteAide = AideIndex;
    app_.CreerFenetrePrincipale();
    Cadre()->show();
    QApplication::setActiveWindow(Cadre());
    EXPECT_TRUE(QTest::qWaitForWindowActive(Cadre()));
  }
  ~Programme() override { ContexteAide = AideIndex; }

  TCadreVelquor* Cadre() const { return app_.Cadre(); }
  PEditeurDlg* Editeur() const {
    auto* vue = dynamic_cast<PVueEditeur*>(app_.ClientMDI->Vue());
    return vue ? vue->Editeur() : nullptr;
  }
  void Cliquer(MyGadgetBtn* bouton) {
    app_.PasseInactive();  // the gadgets' enabling, as at idle time
    QTest::mouseClick(bouton, Qt::LeftButton);
    QCoreApplication::processEvents();
  }
  QAction* Action(int commande) {
    for (QAction* popup : Cadre()->menuBar()->actions()) {
      if (!popup->menu()) continue;
      for (QAction* action : popup->menu()->actions())
        if (action->data().toInt() == commande) return action;
    }
    return nullptr;
  }

  test::RepondeurScripte repondeur_;
  TVelquorApp app_;
};

TEST_F(Programme, LaBarreEtLeMenuOuvrentLesEditeursAvecTitreEtAide) {
  struct Cas {
    MyGadgetBtn* bouton;
    const char* titre;
    int aide;
    const char* capture;
  };
  const Cas cas[] = {
      {app_.BtnFamilles, "Gestion des familles", 4, "editeur_familles"},
      {app_.BtnIngredients, "Gestion des ingrédients", 3, "editeur_ingredients"},
      {app_.BtnCocktails, "Gestion des cocktails", 2, "editeur_cocktails"},
  };
  for (const Cas& c : cas) {
    ASSERT_NE(c.bouton, nullptr);
    Cliquer(c.bouton);
    ASSERT_NE(Editeur(), nullptr) << c.titre;
    EXPECT_EQ(Cadre()->windowTitle(), QStringLiteral("Le Velquor - [%1]").arg(c.titre));
    EXPECT_EQ(ContexteAide, c.aide);
    // The record commands reach the editor from the menu.
    app_.PasseInactive();
    EXPECT_TRUE(Action(104)->isEnabled());
    EXPECT_TRUE(Action(105)->isEnabled());
    if (c.bouton == app_.BtnIngredients) {
      Editeur()->Liste()->SelectionnerIndex(1);
      Editeur()->Afficher();
    }
    EXPECT_FALSE(test::EnregistrerCapture(Cadre(), c.capture).isEmpty());
  }
  // The menu item opens the family view again: a fresh one.
  PEditeurDlg* avant = Editeur();
  Action(102)->trigger();
  QCoreApplication::processEvents();
  ASSERT_NE(Editeur(), nullptr);
  EXPECT_NE(Editeur(), avant);

  // The name dialog over the frame, with its proposal.
  test::PiloteModal pilote([](PDialogue& d) {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
    EXPECT_FALSE(test::EnregistrerCapture(&d, "enreg_dlg").isEmpty());
    d.Controle<PEdition>(EnregDlg::IdNouveauNom)->end(false);
    test::Taper(d.Controle<PEdition>(EnregDlg::IdNouveauNom), " SEC");
    EXPECT_FALSE(test::EnregistrerCapture(&d, "enreg_dlg_saisie").isEmpty());
  });
  Action(107)->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(test::NomsFamilles().size(), 4u);  // closed by the pilot: nothing added
}

// Nothing acts while a pass runs: the toolbar, the menu, Escape, and the frame's close box as the
// window system sends it. Nothing is kept for later, and the toolbar works again once it is over.
TEST_F(Programme, PendantLaPasseRienNAgit) {
  Cliquer(app_.BtnIngredients);
  PEditeurDlg* editeur = Editeur();
  ASSERT_NE(editeur, nullptr);
  test::ObservateurPasse observateur(editeur, [&] {
    Cliquer(app_.BtnCocktails);
    Action(108)->trigger();
    Action(24310)->trigger();
    QTest::keyClick(Cadre(), Qt::Key_Escape);
    QCloseEvent fermeture;
    QSpontaneKeyEvent::setSpontaneous(&fermeture);
    QApplication::sendEvent(Cadre()->windowHandle(), &fermeture);
    QCoreApplication::processEvents();
  });
  {
    test::PiloteModal pilote(test::RepondreNom("citron vert"));
    Action(106)->trigger();
    QCoreApplication::processEvents();
  }
  ASSERT_GE(observateur.observations, 1);
  QCoreApplication::processEvents();
  EXPECT_EQ(Editeur(), editeur);
  EXPECT_TRUE(Cadre()->isVisible());
  EXPECT_EQ(ContexteAide, 3);
  EXPECT_EQ(app_.BtnIngredients->EtatBouton(), MyGadgetBtn::Etat::Bas);
  EXPECT_EQ(test::Noms("RESURECH").size(), 0u);
  EXPECT_EQ(std::string(Texte(test::LireCocktail("MARGARITA")->Ingredient[2])), "CITRON VERT");

  Cliquer(app_.BtnCocktails);
  EXPECT_NE(Editeur(), editeur);
}

}  // namespace
}  // namespace velquor
