#include "framework/routeur.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/dialogue.h"
#include "framework/edition.h"

namespace velquor {
namespace {

// A window with a response table, for the chain.
class FenetreCible : public QWidget, public PCibleTable {
 public:
  using QWidget::QWidget;
};

// frame > view > dialog > edit, and the application behind.
class Routage : public ::testing::Test {
 protected:
  Routage()
      : app_(QStringLiteral("Le Velquor")), vue_(&cadre_), dialogue_(&vue_), edition_(&dialogue_) {
    app_.DefinirFenetrePrincipale(&cadre_);
    edition_.setFocus();
    autre_ = new QLineEdit(&cadre_);
  }
  int& Compteur(int id, const char* qui) { return compte_[std::to_string(id) + qui]; }
  void Traiter(FenetreCible& f, int id, const char* qui, std::function<bool()> regle = {}) {
    f.Commande(
        id, [this, id, qui] { ++Compteur(id, qui); }, std::move(regle));
  }
  PRouteurCommandes& Routeur() { return app_.Routeur(); }

  PApplication app_;
  FenetreCible cadre_;
  FenetreCible vue_;
  FenetreCible dialogue_;
  PEdition edition_;
  QLineEdit* autre_;
  std::map<std::string, int> compte_;
};

TEST_F(Routage, LaCommandeVaAuPremierQuiLaTraiteLeLongDeLaChaine) {
  Traiter(cadre_, 104, "cadre");
  Traiter(dialogue_, 104, "dialogue");
  Traiter(cadre_, 108, "cadre");
  app_.Commande(2009, [this] { ++Compteur(2009, "app"); });

  EXPECT_EQ(Routeur().Depart(), &edition_);
  EXPECT_TRUE(Routeur().Envoyer(104));
  EXPECT_TRUE(Routeur().Envoyer(108));
  EXPECT_TRUE(Routeur().Envoyer(2009));
  EXPECT_FALSE(Routeur().Envoyer(4242));  // handled nowhere
  EXPECT_EQ(Compteur(104, "dialogue"), 1);
  EXPECT_EQ(Compteur(104, "cadre"), 0);
  EXPECT_EQ(Compteur(108, "cadre"), 1);
  EXPECT_EQ(Compteur(2009, "app"), 1);

  // From a widget outside the dialog the chain no longer passes the dialog.
  autre_->setFocus();
  EXPECT_EQ(Routeur().Depart(), autre_);
  EXPECT_TRUE(Routeur().Envoyer(104));
  EXPECT_EQ(Compteur(104, "cadre"), 1);
}

TEST_F(Routage, ActivationParLaChaineEtParLaRegleDuGestionnaire) {
  bool listeNonVide = false;
  Traiter(dialogue_, 105, "dialogue", [&] { return listeNonVide; });
  Traiter(cadre_, 105, "cadre");
  Traiter(cadre_, 101, "cadre");
  EXPECT_TRUE(Routeur().EstActive(101));
  EXPECT_FALSE(Routeur().EstActive(109));
  // The first handler's rule decides; the command does not fall through to the frame.
  EXPECT_FALSE(Routeur().EstActive(105));
  EXPECT_FALSE(Routeur().Envoyer(105));
  EXPECT_EQ(Compteur(105, "dialogue") + Compteur(105, "cadre"), 0);
  listeNonVide = true;
  EXPECT_TRUE(Routeur().EstActive(105));
  EXPECT_TRUE(Routeur().Envoyer(105));
  EXPECT_EQ(Compteur(105, "dialogue"), 1);
}

TEST_F(Routage, ActivationReevalueeAuRepos) {
  bool resultatPresent = false;
  Traiter(cadre_, 110, "cadre", [&] { return resultatPresent; });
  QAction action;
  action.setData(110);
  Routeur().AbonnerAction(&action);
  bool gadgetActif = true;
  QObject proprietaire;
  Routeur().Abonner(&proprietaire, 104, [&](bool actif) { gadgetActif = actif; });

  TraiterMessagesEnAttente();  // one idle pass
  EXPECT_FALSE(action.isEnabled());
  EXPECT_FALSE(gadgetActif);  // nobody handles 104 yet

  // The rule's answer changes (a result file appears): the idle timer picks it up.
  resultatPresent = true;
  Traiter(dialogue_, 104, "dialogue");
  EXPECT_TRUE(QTest::qWaitFor([&] { return action.isEnabled() && gadgetActif; }, 1000));

  // And after each command.
  resultatPresent = false;
  Routeur().Envoyer(104);
  EXPECT_FALSE(action.isEnabled());
}

TEST_F(Routage, LesCommandesDuPressePapiersVontAuChampQuiALeFocus) {
  edition_.setText(QStringLiteral("GIN"));
  edition_.selectAll();
  EXPECT_TRUE(Routeur().Envoyer(CmCouper));
  EXPECT_EQ(edition_.text(), QString());
  EXPECT_TRUE(Routeur().Envoyer(CmColler));
  EXPECT_TRUE(Routeur().Envoyer(CmColler));
  EXPECT_EQ(edition_.text(), QStringLiteral("GINGIN"));
  EXPECT_TRUE(Routeur().Envoyer(CmAnnulerSaisie));
  EXPECT_EQ(edition_.text(), QStringLiteral("GIN"));
  // Find next has no handler anywhere.
  EXPECT_FALSE(Routeur().Envoyer(CmChercherSuivant));
}

TEST_F(Routage, UnGadgetHorsDAtteinteEstMisAJourQuandIlRedevientAccessible) {
  bool resultatPresent = false;
  int evaluations = 0;
  Traiter(cadre_, 110, "cadre", [&] {
    ++evaluations;
    return resultatPresent;
  });
  QWidget barre(&cadre_);
  QObject gadget(&barre);
  bool actif = false;
  Routeur().Abonner(&gadget, 110, [&](bool a) { actif = a; });
  cadre_.show();

  // The frame disabled for a pass: its gadget is left as it is, then brought up to date when the
  // frame is enabled again.
  ActiverFenetre(&cadre_, false);
  evaluations = 0;
  resultatPresent = true;
  for (int i = 0; i < 100; ++i)
    TraiterMessagesEnAttente();
  EXPECT_EQ(evaluations, 0);
  EXPECT_FALSE(actif);
  ActiverFenetre(&cadre_, true);
  EXPECT_TRUE(actif);

  // Behind a modal dialog: the same, the end of the modal run brings it up to date.
  static constexpr ModeleControle kBouton[] = {{Genre::Bouton, 1, "Ok", {4, 4, 50, 14}}};
  static constexpr ModeleDialogue kModele{9401, "Modal", {0, 0, 60, 24}, sd::Titre, kBouton};
  PDialogue modal(kModele, &cadre_);
  int pendant = -1;
  {
    CoutureModale precedente = DefinirCoutureModale([&](PDialogue& d) {
      evaluations = 0;
      resultatPresent = false;
      for (int i = 0; i < 100; ++i)
        TraiterMessagesEnAttente();
      pendant = evaluations;
      d.FermerDialogue(1);
    });
    modal.Executer();
    DefinirCoutureModale(std::move(precedente));
  }
  EXPECT_EQ(pendant, 0);
  EXPECT_FALSE(actif);
  // A window the modal dialog owns is within reach.
  QObject gadgetDuModal(&modal);
  EXPECT_FALSE(
      PRouteurCommandes::HorsDAtteinte(PRouteurCommandes::FenetreDe(&gadgetDuModal), &modal));
  EXPECT_TRUE(PRouteurCommandes::HorsDAtteinte(&cadre_, &modal));
}

TEST_F(Routage, ChaqueAppelTraiteLesEvenementsPostesAvantLui) {
  // A pass calls it after every record: whatever was posted before a call (a click on the stop
  // button, a queued call) is dispatched by that call, however close the calls.
  int traites = 0;
  for (int i = 1; i <= 2000; ++i) {
    QMetaObject::invokeMethod(
        &cadre_, [&traites] { ++traites; }, Qt::QueuedConnection);
    TraiterMessagesEnAttente();
    ASSERT_EQ(traites, i);
  }
  // And the window system's queue and the timers are read within the period.
  bool minuterie = false;
  QTimer::singleShot(1, [&] { minuterie = true; });
  QElapsedTimer duree;
  duree.start();
  while (!minuterie && duree.elapsed() < 1000)
    TraiterMessagesEnAttente();
  EXPECT_TRUE(minuterie);
  EXPECT_LT(duree.elapsed(), 200);
}

}  // namespace
}  // namespace velquor
