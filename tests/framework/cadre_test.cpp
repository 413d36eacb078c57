#include "framework/cadre.h"

#include <QAction>
#include <QApplication>
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
    return accepte_;
  }
  int nouveaux = 0;
  int questions = 0;

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

}  // namespace
}  // namespace velquor
