#include "framework/cadre.h"

#include <QAction>
#include <QApplication>
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

namespace velquor {
namespace {

QStringList Titres(const QMenuBar* barre) {
  QStringList titres;
  for (const QAction* a : barre->actions())
    titres << a->text();
  return titres;
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
    if (questions) ++*questions;
    return accepte_;
  }
  int nouveaux = 0;
  int* questions = nullptr;  // counted beyond the view's life

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
  TVueEssai* Heberger(const QString& titre, bool accepte = true) {
    auto* vue = new TVueEssai(titre, accepte);
    vue->questions = &questions_;
    zone_->Heberger(vue);
    return vue;
  }
  void MontrerActif() {
    cadre_.show();
    QApplication::setActiveWindow(&cadre_);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&cadre_));
  }
  PApplication app_;
  PFenetreCadre cadre_;
  PZoneVues* zone_;
  int ouvertures_ = 0;
  int questions_ = 0;
};

TEST_F(Cadre, LeMenuVientDesDonneesPosteSesCommandesEtSActiveALOuverture) {
  EXPECT_EQ(Titres(cadre_.menuBar()),
            (QStringList{"&Fichiers", "&Tavisk", "&Enregistrement", "&Recherche", "&?"}));
  EXPECT_TRUE(cadre_.SupprimerPopup(1));
  EXPECT_EQ(Titres(cadre_.menuBar()),
            (QStringList{"&Fichiers", "&Enregistrement", "&Recherche", "&?"}));
  EXPECT_FALSE(cadre_.SupprimerPopup(4));

  // Opened, a popup enables what the command chain handles.
  QMenu* fichiers = cadre_.menuBar()->actions()[0]->menu();
  QMenu* enregistrement = cadre_.menuBar()->actions()[1]->menu();
  QAction* ingredients = fichiers->actions()[0];
  QAction* nouvelle = enregistrement->actions()[0];
  ingredients->setEnabled(false);
  emit fichiers->aboutToShow();
  emit enregistrement->aboutToShow();
  EXPECT_TRUE(ingredients->isEnabled());
  EXPECT_FALSE(nouvelle->isEnabled());  // no editor handles 104
  ingredients->trigger();
  EXPECT_EQ(ouvertures_, 0);  // posted, not yet sent
  QCoreApplication::processEvents();
  EXPECT_EQ(ouvertures_, 1);
}

TEST_F(Cadre, LaZoneHebergeUneVueEtLeTitreDuCadreLaMontre) {
  cadre_.show();
  TVueEssai* vue = Heberger(QStringLiteral("Gestion des familles"));
  EXPECT_EQ(cadre_.windowTitle(), QStringLiteral("Le Velquor - [Gestion des familles]"));
  EXPECT_EQ(vue->geometry(), zone_->rect());
  EXPECT_EQ(vue->Client()->size(), QSize(525, 406));
  // The view's dialog is on the command chain when the focus is in it; the area further up.
  vue->Client()->Controle<PListe>(501)->setFocus();
  EXPECT_TRUE(app_.Routeur().Envoyer(104));
  EXPECT_EQ(vue->nouveaux, 1);
  EXPECT_TRUE(app_.Routeur().Envoyer(101));
  EXPECT_EQ(ouvertures_, 1);
  EXPECT_TRUE(zone_->FermerVue());
  EXPECT_EQ(cadre_.windowTitle(), QStringLiteral("Le Velquor"));
}

TEST_F(Cadre, UneVueFermeeRemplaceeOuDetruiteAvecLaZoneEstDetruiteQuoiQuElleReponde) {
  QPointer<TVueEssai> refuse = Heberger(QStringLiteral("Résultat de la recherche"), false);
  EXPECT_FALSE(zone_->FermerVue());
  EXPECT_TRUE(refuse.isNull());
  EXPECT_EQ(zone_->Vue(), nullptr);
  EXPECT_EQ(questions_, 1);

  QPointer<TVueEssai> premiere = Heberger(QStringLiteral("Gestion des familles"), false);
  QPointer<TVueEssai> seconde = Heberger(QStringLiteral("Gestion des cocktails"));
  EXPECT_TRUE(premiere.isNull());
  EXPECT_EQ(questions_, 2);
  delete zone_;  // the area goes: its view is asked, then deleted
  zone_ = nullptr;
  EXPECT_TRUE(seconde.isNull());
  EXPECT_EQ(questions_, 3);
}

TEST_F(Cadre, LesCommandesDuCadreVontALaVueHebergeeQuandLeFocusEstAilleurs) {
  PBarreControle* barre = cadre_.AjouterBarreControle(QStringLiteral("Outils"));
  auto* champBarre = new PEdition;  // something of the frame outside the area
  barre->addWidget(champBarre);
  bool nouveauActif = false;
  barre->AjouterGadget(new QToolButton, 104, [&](bool actif) { nouveauActif = actif; });
  TVueEssai* vue = Heberger(QStringLiteral("Gestion des familles"));
  bool listeNonVide = false;
  vue->Client()->Commande(
      105, [] {}, [&] { return listeNonVide; });
  MontrerActif();

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
    const int nouveaux = vue->nouveaux;
    EXPECT_TRUE(app_.Routeur().EstActive(104));
    EXPECT_TRUE(app_.Routeur().Envoyer(104));
    EXPECT_EQ(vue->nouveaux, nouveaux + 1);
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

}  // namespace
}  // namespace velquor
