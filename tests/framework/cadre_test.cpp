#include "framework/cadre.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/barre_controle.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/service_messages.h"
#include "framework/vue.h"
#include "framework/zone_vues.h"
#include "resources/menus.h"
#include "support_ui/capture.h"

namespace velquor {
namespace {

QStringList Titres(const QMenuBar* barre) {
  QStringList titres;
  for (const QAction* a : barre->actions())
    titres << a->text();
  return titres;
}

TEST(Menu100, LesCinqPopupsAvecTavisk) {
  const ModeleMenu& menu = Menu100();
  EXPECT_EQ(menu.id, 100);
  ASSERT_EQ(menu.popups.size(), 5u);
  EXPECT_EQ(menu.popups[1].texte, "&Tavisk");
  EXPECT_EQ(menu.popups[1].sousMenu.size(), 5u);
  EXPECT_EQ(menu.popups[3].sousMenu[1].commande, 110);
  EXPECT_EQ(menu.popups[3].sousMenu[1].texte, "&Voir la dernière recherche effectuée");
  EXPECT_EQ(Accelerateurs100().touches.size(), 6u);
}

// A control-less child template for the views.
constexpr ModeleControle kControlesVue[] = {
    {Genre::Liste, 501, "", {5, 16, 119, 204}, st::Trie},
    {Genre::Edition, 503, "", {136, 108, 204, 68}, st::MultiLigne, 250},
};
constexpr ModeleDialogue kModeleVue{9101, "", {0, 0, 350, 250}, sd::Enfant, kControlesVue};

class TVueEssai : public PVue {
 public:
  TVueEssai(const QString& titre, bool accepte) : PVue(titre), accepte_(accepte) {
    auto* dialogue = new PDialogue(kModeleVue);
    dialogue->Commande(104, [this] { ++nouveaux; });
    DefinirClient(dialogue);
  }
  bool PeutFermer() override {
    ++questions;
    if (questionsAilleurs) ++*questionsAilleurs;
    return accepte_;
  }
  int nouveaux = 0;
  int questions = 0;
  int* questionsAilleurs = nullptr;  // counted beyond the view's life

 private:
  bool accepte_;
};

class Cadre : public ::testing::Test {
 protected:
  Cadre() : app_(QStringLiteral("Le Velquor")), cadre_(QStringLiteral("Le Velquor")) {
    app_.DefinirFenetrePrincipale(&cadre_);
    cadre_.DefinirMenu(Menu100());
    cadre_.DefinirAccelerateurs(Accelerateurs100());
    zone_ = new PZoneVues;
    zone_->Commande(101, [this] { ++ouvertures_; });
    cadre_.DefinirZoneVues(zone_);
    cadre_.resize(536, 450);
  }
  PApplication app_;
  PFenetreCadre cadre_;
  PZoneVues* zone_;
  int ouvertures_ = 0;
};

TEST_F(Cadre, MenuDepuisLesDonneesEtSuppressionDUnPopupParPosition) {
  EXPECT_EQ(Titres(cadre_.menuBar()),
            (QStringList{"&Fichiers", "&Tavisk", "&Enregistrement", "&Recherche", "&?"}));
  EXPECT_TRUE(cadre_.SupprimerPopup(1));
  EXPECT_EQ(Titres(cadre_.menuBar()),
            (QStringList{"&Fichiers", "&Enregistrement", "&Recherche", "&?"}));
  EXPECT_FALSE(cadre_.SupprimerPopup(4));
}

TEST_F(Cadre, LesElementsDeMenuPostentLeurCommandeEtSontActivesALOuverture) {
  QMenu* fichiers = cadre_.menuBar()->actions()[0]->menu();
  ASSERT_NE(fichiers, nullptr);
  QAction* ingredients = fichiers->actions()[0];
  EXPECT_EQ(ingredients->data().toInt(), 101);
  QMenu* enregistrement = cadre_.menuBar()->actions()[2]->menu();
  QAction* nouvelle = enregistrement->actions()[0];
  nouvelle->setEnabled(true);
  emit enregistrement->aboutToShow();
  EXPECT_FALSE(nouvelle->isEnabled());  // no editor handles 104

  ingredients->trigger();
  EXPECT_EQ(ouvertures_, 0);  // posted, not yet sent
  QCoreApplication::processEvents();
  EXPECT_EQ(ouvertures_, 1);
}

TEST_F(Cadre, LaZoneHebergeUneVueEtLeTitreDuCadreLaMontre) {
  cadre_.show();
  auto* vue = new TVueEssai(QStringLiteral("Gestion des familles"), true);
  zone_->Heberger(vue);
  EXPECT_EQ(cadre_.windowTitle(), QStringLiteral("Le Velquor - [Gestion des familles]"));
  EXPECT_EQ(vue->geometry(), zone_->rect());
  EXPECT_EQ(vue->Client()->size(), QSize(525, 406));
  // The view's dialog is on the command chain when the focus is in it.
  vue->Client()->Controle<PListe>(501)->setFocus();
  EXPECT_TRUE(app_.Routeur().Envoyer(104));
  EXPECT_EQ(vue->nouveaux, 1);
  EXPECT_TRUE(app_.Routeur().Envoyer(101));  // further up: the area
  EXPECT_EQ(ouvertures_, 1);
  EXPECT_FALSE(test::EnregistrerCapture(&cadre_, QStringLiteral("cadre_avec_vue")).isEmpty());

  QPointer<TVueEssai> garde(vue);
  EXPECT_TRUE(zone_->FermerVue());
  EXPECT_TRUE(garde.isNull());
  EXPECT_EQ(cadre_.windowTitle(), QStringLiteral("Le Velquor"));
}

TEST_F(Cadre, UneVueQuiRefuseDeSeFermerEstDetruiteQuandMeme) {
  QPointer<TVueEssai> vue = new TVueEssai(QStringLiteral("Résultat de la recherche"), false);
  zone_->Heberger(vue);
  EXPECT_FALSE(zone_->FermerVue());
  EXPECT_TRUE(vue.isNull());
  EXPECT_EQ(zone_->Vue(), nullptr);
}

TEST_F(Cadre, LaBarreDeControleActiveSesGadgets) {
  PBarreControle* barre = cadre_.AjouterBarreControle(QStringLiteral("Outils"));
  auto* ingredients = new QToolButton;
  auto* diviseur = new QToolButton;
  auto* affiner = new QToolButton;
  barre->AjouterGadget(ingredients, 101);
  barre->AjouterGadget(diviseur, -1);
  bool affinerActif = true;
  barre->AjouterGadget(affiner, 109, [&](bool actif) { affinerActif = actif; });
  app_.PasseInactive();
  EXPECT_TRUE(ingredients->isEnabled());
  EXPECT_FALSE(diviseur->isEnabled());
  EXPECT_FALSE(affinerActif);
  barre->PosterCommande(101);
  barre->PosterCommande(-1);
  QCoreApplication::processEvents();
  EXPECT_EQ(ouvertures_, 1);
}

TEST_F(Cadre, LesAccelerateursEnvoientLeurCommande) {
  auto* edition = new PEdition;
  auto* vue = new PVue(QStringLiteral("Vue"));
  edition->setParent(vue);
  zone_->Heberger(vue);
  cadre_.show();
  QApplication::setActiveWindow(&cadre_);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&cadre_));
  edition->setFocus();
  edition->setText(QStringLiteral("GIN"));
  edition->selectAll();
  // Ctrl+Insert copies, Ctrl+Delete clears, Shift+Insert pastes, Alt+Backspace undoes: handled
  // by the edit field, whether the key reaches it or goes through the accelerator table.
  QTest::keyClick(edition, Qt::Key_Insert, Qt::ControlModifier);
  QTest::keyClick(edition, Qt::Key_Delete, Qt::ControlModifier);
  EXPECT_EQ(edition->text(), QString());
  QTest::keyClick(edition, Qt::Key_Insert, Qt::ShiftModifier);
  QTest::keyClick(edition, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(edition->text(), QStringLiteral("GINGIN"));
  QTest::keyClick(edition, Qt::Key_Backspace, Qt::AltModifier);
  EXPECT_EQ(edition->text(), QStringLiteral("GIN"));
  // F3 goes to the router and finds no handler: nothing happens.
  QTest::keyClick(edition, Qt::Key_F3);
  EXPECT_EQ(edition->text(), QStringLiteral("GIN"));
}

TEST_F(Cadre, LesCommandesDuCadreVontALaVueHebergeeQuandLeFocusEstAilleurs) {
  PBarreControle* barre = cadre_.AjouterBarreControle(QStringLiteral("Outils"));
  auto* champBarre = new PEdition;  // something of the frame outside the area
  barre->addWidget(champBarre);
  bool nouveauActif = false;
  barre->AjouterGadget(new QToolButton, 104, [&](bool actif) { nouveauActif = actif; });
  auto* vue = new TVueEssai(QStringLiteral("Gestion des familles"), true);
  bool listeNonVide = false;
  vue->Client()->Commande(
      105, [] {}, [&] { return listeNonVide; });
  zone_->Heberger(vue);
  cadre_.show();
  QApplication::setActiveWindow(&cadre_);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&cadre_));

  // The focus on the frame, in its control bar, or in a window of its own that the frame does
  // not own (the help window): the frame's commands reach the view's dialog all the same.
  QWidget ailleurs;
  auto* champAilleurs = new PEdition(&ailleurs);
  ailleurs.show();
  for (QWidget* focus : {static_cast<QWidget*>(&cadre_), static_cast<QWidget*>(champBarre),
                         static_cast<QWidget*>(champAilleurs)}) {
    if (focus == champAilleurs) {
      QApplication::setActiveWindow(&ailleurs);
      ASSERT_TRUE(QTest::qWaitForWindowActive(&ailleurs));
    }
    focus->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), focus);
    const int avant = vue->nouveaux;
    EXPECT_TRUE(app_.Routeur().EstActive(104));
    EXPECT_TRUE(app_.Routeur().Envoyer(104));
    EXPECT_EQ(vue->nouveaux, avant + 1);
    // Enabling follows the same chain: the gadget and the dialog's own rule.
    nouveauActif = false;
    app_.PasseInactive();
    EXPECT_TRUE(nouveauActif);
    listeNonVide = false;
    EXPECT_FALSE(app_.Routeur().EstActive(105));
    listeNonVide = true;
    EXPECT_TRUE(app_.Routeur().EstActive(105));
    // What the dialog does not handle goes on to the area, once.
    const int ouvertures = ouvertures_;
    EXPECT_TRUE(app_.Routeur().Envoyer(101));
    EXPECT_EQ(ouvertures_, ouvertures + 1);
  }
  // With no view, the area gets them.
  zone_->FermerVue();
  cadre_.setFocus();
  EXPECT_FALSE(app_.Routeur().EstActive(104));
  EXPECT_TRUE(app_.Routeur().EstActive(101));
}

TEST_F(Cadre, F1ArriveALAideParTousLesChemins) {
  int aides = 0;
  app_.DefinirAideF1([&] { ++aides; });
  auto* vue = new TVueEssai(QStringLiteral("Gestion des familles"), true);
  zone_->Heberger(vue);
  cadre_.show();
  QApplication::setActiveWindow(&cadre_);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&cadre_));
  auto* liste = vue->Client()->Controle<PListe>(501);
  liste->setFocus();
  QTest::keyClick(liste, Qt::Key_F1);  // in the view
  EXPECT_EQ(aides, 1);
  QTest::keyClick(&cadre_, Qt::Key_F1);  // to the frame, the focus elsewhere
  EXPECT_EQ(aides, 2);
  // In an open menu, which has the keyboard but not the focus.
  QMenu* menu = cadre_.menuBar()->actions()[0]->menu();
  menu->popup(cadre_.mapToGlobal(QPoint(0, 20)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  QTest::keyClick(menu, Qt::Key_F1);
  EXPECT_EQ(aides, 3);
  menu->close();
  // Posted to the document area (the help command), once per key press.
  QCoreApplication::postEvent(zone_, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
  QCoreApplication::processEvents();
  EXPECT_EQ(aides, 4);
  // A message box and what it shows swallow it.
  PBoiteMessage boite(QMessageBox::Question, QStringLiteral("Le Velquor"), QStringLiteral("?"),
                      QMessageBox::Yes | QMessageBox::No, &cadre_);
  boite.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
  QTest::keyClick(boite.button(QMessageBox::Yes), Qt::Key_F1);
  QTest::keyClick(&boite, Qt::Key_F1);
  EXPECT_EQ(aides, 4);
  EXPECT_TRUE(boite.isVisible());
  boite.hide();
}

TEST_F(Cadre, UneVueRemplaceeOuDetruiteAvecLaZoneRepondAuxQuestionDeFermeture) {
  int questions = 0;
  QPointer<TVueEssai> premiere = new TVueEssai(QStringLiteral("Gestion des familles"), false);
  premiere->questionsAilleurs = &questions;
  zone_->Heberger(premiere);
  auto* seconde = new TVueEssai(QStringLiteral("Gestion des cocktails"), true);
  seconde->questionsAilleurs = &questions;
  zone_->Heberger(seconde);  // the first is closed as FermerVue closes it, then deleted
  EXPECT_TRUE(premiere.isNull());
  EXPECT_EQ(questions, 1);
  QPointer<TVueEssai> garde(seconde);
  delete zone_;  // the area goes: its view is asked, then deleted
  zone_ = nullptr;
  EXPECT_TRUE(garde.isNull());
  EXPECT_EQ(questions, 2);
}

}  // namespace
}  // namespace velquor
