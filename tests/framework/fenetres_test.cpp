// Our thin windowing layer: dialogs built from their templates, their keys and modal runs, the
// command chain from the focus to the application, the frame hosting one view, and where windows
// are placed on the screen.

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/barre_controle.h"
#include "framework/boutons.h"
#include "framework/cadre.h"
#include "framework/combo.h"
#include "framework/constructeur_dialogue.h"
#include "framework/dialogue.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/onglets.h"
#include "framework/placement.h"
#include "framework/routeur.h"
#include "framework/unites_dialogue.h"
#include "framework/vue.h"
#include "framework/zone_vues.h"
#include "resources/menus.h"
#include "support_ui/couture.h"

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

constexpr ModeleControle kControles[] = {
    {Genre::Texte, -1, "&Nom", {5, 5, 40, 8}},
    {Genre::Edition, 101, "", {50, 5, 100, 12}, st::Majuscules, 30},
    {Genre::Edition, 102, "", {50, 20, 100, 30}, st::MultiLigne, 250},
    {Genre::Bouton, 103, "&Action", {5, 60, 50, 14}},
    {Genre::Bouton, 1, "Ok", {60, 60, 50, 14}},
    {Genre::Bouton, 2, "Annuler", {115, 60, 50, 14}},
};
constexpr ModeleDialogue kModele{
    9002, "Essai", {0, 0, 170, 80}, sd::Titre | sd::MenuSysteme, kControles};

constexpr ModeleControle kControlesDefaut[] = {
    {Genre::Edition, 101, "", {5, 5, 100, 12}},
    {Genre::Bouton, 105, "Lancer", {5, 20, 50, 14}, st::Defaut},
    {Genre::Bouton, 1, "Ok", {60, 20, 50, 14}},
};
constexpr ModeleDialogue kModeleDefaut{
    9003, "Défaut", {0, 0, 120, 40}, sd::Titre, kControlesDefaut};

class TEssaiDlg : public PDialogue {
 public:
  explicit TEssaiDlg(const ModeleDialogue& modele = kModele, QWidget* parent = nullptr)
      : PDialogue(modele, parent) {
    Commande(103, [this] { ++actions; });
  }
  int setups = 0;
  int actions = 0;

 protected:
  void SetupWindow() override {
    ++setups;
    Controle<PEdition>(101)->setText(QStringLiteral("PRÊT"));
  }
};

TEST(Dialogue, SetupWindowUneSeuleFoisALaCreation) {
  TEssaiDlg dialogue;
  EXPECT_EQ(dialogue.ControleParId(101), nullptr);  // nothing before creation
  dialogue.show();
  EXPECT_EQ(dialogue.setups, 1);
  EXPECT_EQ(dialogue.Controle<PEdition>(101)->text(), QStringLiteral("PRÊT"));
  dialogue.hide();
  dialogue.show();
  EXPECT_TRUE(dialogue.Creer());
  EXPECT_EQ(dialogue.setups, 1);
  EXPECT_EQ(dialogue.size(), QSize(255, 130));
}

TEST(Dialogue, ModeleInconnu) {
  PDialogue dialogue(424242);
  EXPECT_EQ(dialogue.Modele(), nullptr);
  EXPECT_FALSE(dialogue.Creer());
  EXPECT_EQ(dialogue.Executer(), -1);
}

TEST(Dialogue, LesBoutonsEnvoientLeurIdAuDialogue) {
  TEssaiDlg dialogue;
  dialogue.show();
  QTest::mouseClick(dialogue.Controle<QPushButton>(103), Qt::LeftButton);
  EXPECT_EQ(dialogue.actions, 1);
  EXPECT_TRUE(dialogue.isVisible());
  QTest::mouseClick(dialogue.Controle<QPushButton>(1), Qt::LeftButton);
  EXPECT_FALSE(dialogue.isVisible());  // CmOk ends a modeless dialog too
  EXPECT_EQ(dialogue.result(), 1);
}

// Runs the dialog modally; the seam acts on it from inside the run.
int ExecuterAvec(PDialogue& dialogue, CoutureModale action) {
  test::PiloteModal pilote(std::move(action));
  return dialogue.Executer();
}

// A key pressed in the name field.
CoutureModale Touche(Qt::Key touche) {
  return [touche](PDialogue& d) { QTest::keyClick(d.Controle<PEdition>(101), touche); };
}

TEST(Dialogue, EntreeEchapEtLaCaseDeFermetureFinissentLeDialogue) {
  const struct {
    const char* cas;
    CoutureModale action;
    int attendu;
  } kCas[] = {
      {"Entrée", Touche(Qt::Key_Return), 1},
      {"Echap", Touche(Qt::Key_Escape), 2},
      // Enter in a multi-line field goes to the dialog too; Ctrl+Enter makes a line.
      {"multi",
       [](PDialogue& d) {
         auto* multi = d.Controle<PEditionMulti>(102);
         QTest::keyClick(multi, Qt::Key_Return, Qt::ControlModifier);
         EXPECT_EQ(multi->toPlainText(), QStringLiteral("\n"));
         QTest::keyClick(multi, Qt::Key_Return);
       },
       1},
      // Enter on a focused push button presses that button; then the close box.
      {"bouton",
       [](PDialogue& d) {
         QTest::keyClick(d.Controle<QPushButton>(103), Qt::Key_Return);
         EXPECT_EQ(static_cast<TEssaiDlg&>(d).actions, 1);
         d.close();
       },
       2},
      // Left open by the seam: closed for it.
      {"ouvert", [](PDialogue& d) { EXPECT_TRUE(d.EnExecution() && d.isVisible()); }, 2},
  };
  for (const auto& c : kCas) {
    SCOPED_TRACE(c.cas);
    TEssaiDlg dialogue;
    EXPECT_EQ(ExecuterAvec(dialogue, c.action), c.attendu);
    EXPECT_FALSE(dialogue.EnExecution());
  }
}

constexpr ModeleControle kControlesCombo[] = {
    {Genre::ComboSaisie, 851, "", {5, 5, 100, 60}, st::Trie | st::Majuscules, 30},
    {Genre::Liste, 501, "", {5, 20, 100, 40}},
    {Genre::Bouton, 1, "ok", {5, 65, 50, 14}},
};
constexpr ModeleDialogue kModeleCombo{9004, "", {0, 0, 120, 80}, sd::Enfant, kControlesCombo};

TEST(Dialogue, EntreeDansUnComboEtFocusDesControles) {
  PDialogue dialogue(kModeleCombo);
  int oks = 0;
  dialogue.Commande(1, [&] { ++oks; });
  dialogue.show();
  QApplication::setActiveWindow(&dialogue);
  auto* combo = dialogue.Controle<PCombo>(851);
  auto* liste = dialogue.Controle<PListe>(501);
  int perdus = 0;
  QObject::connect(combo, &PCombo::focusPerdu, [&] { ++perdus; });
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Return);
  EXPECT_EQ(oks, 1);  // a combo box's field leaves Enter to the dialog
  liste->setFocus();
  EXPECT_EQ(perdus, 1);
  QTest::keyClick(liste, Qt::Key_Return);
  EXPECT_EQ(oks, 2);
}

TEST(Dialogue, EntreeVaAuBoutonParDefaut) {
  TEssaiDlg dialogue(kModeleDefaut);
  int lancements = 0;
  dialogue.Commande(105, [&] { ++lancements; });
  dialogue.show();
  EXPECT_EQ(dialogue.IdDefaut(), 105);
  QTest::keyClick(dialogue.Controle<PEdition>(101), Qt::Key_Return);
  EXPECT_EQ(lancements, 1);
  // A disabled default button takes Enter and does nothing.
  dialogue.Controle<QPushButton>(105)->setEnabled(false);
  QTest::keyClick(dialogue.Controle<PEdition>(101), Qt::Key_Enter);
  EXPECT_EQ(lancements, 1);
  EXPECT_TRUE(dialogue.isVisible());
}

TEST(Dialogue, CouturesImbriquees) {
  // A modal dialog started from inside another one's run reaches the seam as well.
  TEssaiDlg exterieur;
  std::vector<int> vus;
  int r = ExecuterAvec(exterieur, [&](PDialogue& d) {
    vus.push_back(d.IdModele());
    if (d.IdModele() == kModele.id) {
      TEssaiDlg interieur(kModeleDefaut, &d);
      EXPECT_EQ(interieur.Executer(), 2);
      d.FermerDialogue(7);
    }
  });
  EXPECT_EQ(r, 7);
  EXPECT_EQ(vus, (std::vector<int>{kModele.id, kModeleDefaut.id}));
}

TEST(Dialogue, ClassePropreLieeAUnId) {
  class PEditionAMoi : public PEdition {
   public:
    using PEdition::PEdition;
  };
  TEssaiDlg dialogue;
  dialogue.Lier(101, [](QWidget* parent) { return new PEditionAMoi(parent); });
  dialogue.Creer();
  auto* edition = dialogue.Controle<PEditionAMoi>(101);
  ASSERT_NE(edition, nullptr);
  // The template's styles still apply to the program's own class.
  EXPECT_EQ(edition->Regles().limite, 30);
  EXPECT_TRUE(edition->Regles().majuscules);
}

TEST(Dialogue, ActiverFenetreLaisseSesFenetresPossedeesActives) {
  QWidget principale;
  QWidget interieur(&principale);
  PDialogue progression(206, &interieur);  // a dialog owned by a window inside the main one
  progression.show();
  QWidget desactivee(&principale, Qt::Dialog);
  desactivee.setEnabled(false);

  ActiverFenetre(&principale, false);
  EXPECT_FALSE(principale.isEnabled());
  EXPECT_FALSE(interieur.isEnabled());
  EXPECT_TRUE(progression.isEnabled());
  EXPECT_TRUE(progression.Controle<QPushButton>(2)->isEnabled());
  EXPECT_FALSE(desactivee.isEnabled());

  ActiverFenetre(&principale, true);
  EXPECT_TRUE(interieur.isEnabled());
  EXPECT_TRUE(progression.isEnabled());
  EXPECT_FALSE(desactivee.isEnabled());  // its own state is kept
}

TEST(UnitesDialogue, ConversionAvecLesUnitesDeBaseDeLaPoliceDOrigine) {
  // x = dlu * 6 / 4 and y = dlu * 13 / 8, rounded to the nearest, halves away from zero.
  EXPECT_EQ(DluVersPixelsX(215), 323);  // 322.5
  EXPECT_EQ(DluVersPixelsX(-3), -5);    // -4.5
  EXPECT_EQ(DluVersPixelsY(58), 94);    // 94.25
  EXPECT_EQ(DluVersPixelsY(14), 23);    // 22.75
  EXPECT_EQ(DluVersPixelsY(1), 2);      // 1.625
  EXPECT_EQ(DluVersPixelsY(4), 7);      // 6.5
  EXPECT_EQ(DluVersPixels({82, 39, 50, 14}), QRect(123, 63, 75, 23));
}

TEST(Dialogue206, ControlesNommesParLeurIdEtJaugeAjoutee) {
  PDialogue dialogue(206);
  dialogue.show();
  auto* arreter = dialogue.Controle<QPushButton>(2);
  ASSERT_NE(arreter, nullptr);
  EXPECT_EQ(arreter->objectName(), QStringLiteral("2"));
  // The lookup is typed: a label is not a button, and a missing id is nothing.
  EXPECT_EQ(dialogue.Controle<QPushButton>(102), nullptr);
  EXPECT_EQ(dialogue.ControleParId(999), nullptr);

  // As the progress dialog adds its gauge once shown.
  auto* jauge = dynamic_cast<QProgressBar*>(
      dialogue.AjouterControle({Genre::Jauge, 999, "", {}}, QRect(5, 41, 280, 16)));
  ASSERT_NE(jauge, nullptr);
  EXPECT_EQ(dialogue.Controle<QProgressBar>(999), jauge);
  EXPECT_EQ(jauge->geometry(), QRect(5, 41, 280, 16));
  EXPECT_TRUE(jauge->isVisible());
}

// A template of every kind and style, for the builder.
constexpr ModeleControle kControlesEssai[] = {
    {Genre::Cadre, 10, "Mode", {5, 5, 200, 40}},
    {Genre::Radio, 11, "&Un", {8, 14, 60, 12}, st::Groupe},
    {Genre::Radio, 12, "&Deux", {8, 26, 60, 12}},
    {Genre::Radio, 13, "&Trois", {80, 14, 60, 12}, st::Groupe},
    {Genre::Radio, 14, "&Quatre", {80, 26, 60, 12}},
    {Genre::Texte, 20, "&Nom:", {5, 50, 40, 8}},
    {Genre::Edition, 21, "", {50, 48, 100, 12}, st::Majuscules, 30},
    {Genre::Edition, 22, "", {50, 62, 100, 40}, st::MultiLigne | st::DefilVertical, 250},
    {Genre::Liste, 23, "", {5, 105, 80, 60}, st::Trie},
    {Genre::Liste, 24, "", {90, 105, 80, 60}},
    {Genre::ComboSaisie, 25, "", {5, 170, 80, 60}, st::Trie | st::Majuscules, 30},
    {Genre::ComboListe, 26, "", {90, 170, 80, 60}},
    {Genre::Case, 27, "Ca&se", {5, 185, 60, 12}, st::Desactive},
    {Genre::Bouton, 28, "Caché", {70, 185, 50, 14}, st::Cache},
    {Genre::Bouton, 1, "Ok", {130, 185, 50, 14}},
    {Genre::Bouton, 29, "Défaut", {185, 185, 50, 14}, st::Defaut},
    {Genre::Texte, 30, "Total && fin", {5, 200, 100, 8}, st::Centre},
    {Genre::Trait, -1, "", {0, 210, 240, 1}},
    {Genre::Onglets, 31, "Un|Deux|Trois", {0, 212, 240, 30}},
    {Genre::Jauge, 32, "", {0, 245, 240, 8}},
    {Genre::BoutonDessine, 33, "", {0, 255, 20, 20}},
    {Genre::Perso, 34, "", {30, 255, 20, 20}},
};
constexpr ModeleDialogue kModeleEssai{9001, "Essai", {0, 0, 240, 280}, sd::Titre, kControlesEssai};

class Constructeur : public ::testing::Test {
 protected:
  void SetUp() override { controles_ = ConstruireControles(kModeleEssai, &parent_); }
  template <class T>
  T* Par(int id) {
    return parent_.findChild<T*>(QString::number(id), Qt::FindDirectChildrenOnly);
  }
  QWidget parent_;
  std::vector<QWidget*> controles_;
};

TEST_F(Constructeur, ChaqueGenreDonneSaClasseEtSesStyles) {
  ASSERT_EQ(controles_.size(), std::size(kControlesEssai));
  const std::pair<int, const QWidget*> classes[] = {
      {10, Par<QGroupBox>(10)},     {11, Par<PRadio>(11)},         {21, Par<PEdition>(21)},
      {22, Par<PEditionMulti>(22)}, {23, Par<PListe>(23)},         {25, Par<PCombo>(25)},
      {27, Par<QCheckBox>(27)},     {28, Par<QPushButton>(28)},    {31, Par<POnglets>(31)},
      {32, Par<QProgressBar>(32)},  {33, Par<PBoutonDessine>(33)}, {34, Par<QWidget>(34)}};
  for (const auto& [id, controle] : classes)
    EXPECT_NE(controle, nullptr) << id;
  EXPECT_TRUE(Par<PCombo>(25)->isEditable());
  EXPECT_FALSE(Par<PCombo>(26)->isEditable());
  EXPECT_EQ(Par<POnglets>(31)->NbOnglets(), 3);
  EXPECT_EQ(Par<QProgressBar>(32)->maximum(), 100);

  // The edit rules of a one-line field: see Dialogue.ClassePropreLieeAUnId.
  EXPECT_EQ(Par<PEditionMulti>(22)->Regles().limite, 250);
  EXPECT_EQ(Par<PEditionMulti>(22)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_TRUE(Par<PListe>(23)->EstTrie());
  EXPECT_FALSE(Par<PListe>(24)->EstTrie());
  EXPECT_TRUE(Par<PCombo>(25)->EstTrie());
  EXPECT_FALSE(Par<QCheckBox>(27)->isEnabled());
  EXPECT_TRUE(Par<QPushButton>(28)->isHidden());
  EXPECT_FALSE(Par<QPushButton>(1)->isHidden());
  // Tab stops: what the user acts on; a radio where its group starts.
  EXPECT_EQ(Par<PEdition>(21)->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(Par<PRadio>(11)->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(Par<PRadio>(12)->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(Par<QLabel>(20)->focusPolicy(), Qt::NoFocus);
}

TEST_F(Constructeur, LesGroupesDeRadiosCommencentAuStyleGroupe) {
  auto* un = Par<PRadio>(11);
  auto* deux = Par<PRadio>(12);
  auto* trois = Par<PRadio>(13);
  ASSERT_NE(un->group(), nullptr);
  EXPECT_EQ(un->group(), deux->group());
  EXPECT_EQ(trois->group(), Par<PRadio>(14)->group());
  EXPECT_NE(un->group(), trois->group());

  // The program's checks change one button only, as on the legacy platform.
  un->setChecked(true);
  trois->setChecked(true);
  deux->setChecked(true);
  EXPECT_TRUE(un->isChecked());
  // A click checks the button and unchecks the others of its group only; clicking a checked
  // radio keeps it checked.
  deux->click();
  deux->click();
  EXPECT_FALSE(un->isChecked());
  EXPECT_TRUE(deux->isChecked());
  EXPECT_TRUE(trois->isChecked());
}

TEST_F(Constructeur, OrdreDePileTabulationEtMnemoniques) {
  // The first control lies on top: where the group box and its radio overlap, the radio gets
  // the mouse because the group box lets it through; the tab order follows the template.
  EXPECT_EQ(parent_.childAt(Par<PRadio>(11)->geometry().center()), Par<PRadio>(11));
  // Qt keeps its children bottom to top: the first control of the template comes last.
  const QList<QWidget*> pile =
      parent_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_FALSE(pile.isEmpty());
  EXPECT_EQ(pile.back(), Par<QGroupBox>(10));
  EXPECT_EQ(pile.front(), Par<QWidget>(34));
  EXPECT_EQ(Par<PEdition>(21)->nextInFocusChain(), Par<PEditionMulti>(22));

  // A static's mnemonic gives the focus to the next control that can take it.
  EXPECT_EQ(Par<QLabel>(20)->buddy(), Par<PEdition>(21));
  EXPECT_EQ(Par<QLabel>(20)->text(), QStringLiteral("&Nom:"));
  // Without a mnemonic the text is shown as it is (no stray ampersand marking).
  EXPECT_EQ(Par<QLabel>(30)->buddy(), nullptr);
  EXPECT_EQ(Par<QLabel>(30)->text(), QStringLiteral("Total & fin"));
  EXPECT_EQ(Par<QLabel>(30)->textFormat(), Qt::PlainText);
}

TEST_F(Constructeur, UnComboEstCreeFermeEtSaListeOuvertePrendLeResteDuRectangle) {
  // {5, 170, 80, 60}: 98 pixels high with the open list; closed, one line of the dialog's font.
  for (int id : {25, 26}) {
    auto* combo = Par<PCombo>(id);
    const int fermee = HauteurComboFermee(combo->font());
    EXPECT_EQ(combo->geometry(), QRect(DluVersPixelsX(id == 25 ? 5 : 90), 276, 120, fermee));
    EXPECT_LT(fermee, 30);
    EXPECT_EQ(combo->HauteurListe(), 98 - fermee) << id;
  }
  // The open list shows as many whole entries as fit under the box, fewer when there are fewer.
  auto* combo = Par<PCombo>(26);
  parent_.resize(400, 420);
  parent_.show();
  for (int i = 0; i < 30; ++i)
    combo->AjouterChaine("ENTREE " + std::to_string(i));
  const int ligne = combo->view()->sizeHintForRow(0);
  combo->showPopup();
  EXPECT_EQ(combo->maxVisibleItems(), (combo->HauteurListe() - 2) / ligne);
  EXPECT_LE(combo->view()->height(), combo->HauteurListe());
  EXPECT_GE(combo->view()->height(), combo->HauteurListe() - ligne - 4);
  combo->hidePopup();
  parent_.hide();
}

TEST(ModelesDialogues, LesTextesSurUneLigneNeSontPasCoupesParLaPoliceDeRemplacement) {
  // A text wider in the stand-in face than its legacy rectangle takes the room beside it.
  static constexpr ModeleControle kTextes[] = {
      {Genre::Radio, 1, "Alcoolisé &et non alcoolisé", {7, 6, 40, 12}, st::Groupe},
      {Genre::Texte, 2, "Sélection des &ingrédients contenant: ", {60, 30, 40, 8}, st::Droite},
      {Genre::Edition, 3, "", {102, 28, 30, 12}},
      {Genre::Texte, 4, "Court", {7, 50, 60, 8}},
  };
  static constexpr ModeleDialogue kModele{9402, "Essai", {0, 0, 140, 70}, sd::Titre, kTextes};
  PDialogue essai(kModele);
  ASSERT_TRUE(essai.Creer());
  auto* radio = essai.Controle<PRadio>(1);
  EXPECT_GE(radio->width(), radio->sizeHint().width());
  EXPECT_EQ(radio->x(), DluVersPixelsX(7));
  auto* droite = essai.Controle<QLabel>(2);  // right-aligned: widened to the left
  EXPECT_EQ(droite->geometry().right(), QRect(DluVersPixels({60, 30, 40, 8})).right());
  EXPECT_LT(droite->x(), DluVersPixelsX(60));
  EXPECT_EQ(essai.Controle<QLabel>(4)->geometry(), DluVersPixels({7, 50, 60, 8}));  // it fits
}

TEST(ModelesDialogues, NiTexteCoupeNiComboFermeSurLaLigneSuivante) {
  // The program's dialogs, their rectangles as the legacy layouts drew them. The cocktail
  // editor's rows are 13 units apart; the refine dialog's two boxes 20.
  for (int id : {201, 202, 203, 204, 205, 206, 207, 208, 209}) {
    SCOPED_TRACE(id);
    PDialogue dialogue(id);
    ASSERT_TRUE(dialogue.Creer());
    for (QWidget* w : dialogue.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      // Against an edge of the dialog there is no more room to give.
      if (w->x() <= 0 || w->geometry().right() >= dialogue.width() - 1) continue;
      if (qobject_cast<QCheckBox*>(w) || dynamic_cast<PRadio*>(w)) {
        EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
      } else if (auto* l = qobject_cast<QLabel*>(w); l && l->height() <= DluVersPixelsY(10)) {
        QString texte = l->text();
        if (l->buddy()) texte.remove(QLatin1Char('&'));
        EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(texte)) << texte.toStdString();
      }
    }
    const QList<PCombo*> combos = dialogue.findChildren<PCombo*>();
    for (const PCombo* a : combos) {
      EXPECT_LE(a->height(), DluVersPixelsY(13));
      for (const PCombo* b : combos)
        EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()));
    }
  }
  // The refine dialog's lower combo box ends above the option group under it.
  PDialogue affiner(208);
  affiner.Creer();
  EXPECT_LT(affiner.Controle<PCombo>(102)->geometry().bottom(), DluVersPixelsY(56));
}

TEST(Placement, CentrageDuCadreSurUnEcran640x480) {
  EXPECT_EQ(CalculerCentrage({0, 0, 536, 450}, {0, 0, 640, 480}), (RectEcran{52, 15, 588, 465}));
  // On a reference that does not start at the origin (an owner window).
  EXPECT_EQ(CalculerCentrage({0, 0, 100, 50}, {200, 100, 401, 301}),
            (RectEcran{250, 175, 350, 225}));
  // Larger than the screen: (640 - 701) / 2 is -30 toward zero (a floor would give -31).
  EXPECT_EQ(CalculerCentrage({0, 0, 701, 483}, {0, 0, 640, 480}), (RectEcran{-30, -1, 671, 482}));
}

TEST(Placement, GardeSurEcranTesteLesBordsTelsQuIlsEtaientAuDepart) {
  // The bottom 30 pixels below the screen: raised.
  EXPECT_EQ(CalculerGardeSurEcran({10, 410, 210, 510}, 640, 480), (RectEcran{10, 380, 210, 480}));
  // Taller than the screen: its top left negative.
  EXPECT_EQ(CalculerGardeSurEcran({0, 0, 300, 600}, 640, 480), (RectEcran{0, -120, 300, 480}));
  // Left and top negative: brought to 0, and the edges as first taken are inside the screen.
  EXPECT_EQ(CalculerGardeSurEcran({-20, -5, 80, 45}, 640, 480), (RectEcran{0, 0, 100, 50}));
  // Negative left and a right edge beyond the screen: the right edge wins.
  EXPECT_EQ(CalculerGardeSurEcran({-10, 0, 700, 50}, 640, 480), (RectEcran{-70, 0, 640, 50}));
  // Inside: unchanged.
  EXPECT_EQ(CalculerGardeSurEcran({5, 6, 105, 56}, 640, 480), (RectEcran{5, 6, 105, 56}));
}

TEST(Placement, CentreFenetreEtCentreSurParentDeplacentLesVraiesFenetres) {
  const RectEcran bureau = RectBureau();
  QWidget cadre;
  cadre.resize(536, 450);
  CentreFenetre(&cadre);
  EXPECT_EQ(cadre.x(), (bureau.Largeur() - 536) / 2 + bureau.gauche);
  EXPECT_EQ(cadre.y(), (bureau.Hauteur() - 450) / 2 + bureau.haut);

  QWidget proprietaire;
  proprietaire.setGeometry(100, 80, 400, 300);
  QWidget interieur(&proprietaire);  // a child window: the owner is its top-level window
  QDialog dialogue(&interieur);
  dialogue.resize(200, 100);
  CentreSurParent(&dialogue);
  const RectEcran ref = RectFenetre(&proprietaire);
  EXPECT_EQ(dialogue.x(), ref.gauche + (ref.Largeur() - 200) / 2);
  EXPECT_EQ(dialogue.y(), ref.haut + (ref.Hauteur() - 100) / 2);

  // Beyond the bottom right corner of the screen: moved back onto it.
  dialogue.move(bureau.droite - 50, bureau.bas - 20);
  GardeSurEcran(&dialogue);
  EXPECT_EQ(dialogue.x(), bureau.Largeur() - 200);
  EXPECT_EQ(dialogue.y(), bureau.Hauteur() - 100);
}

TEST(Placement, UneFenetrePlaceeAvantDEtreMontreeEstGardeeSurLEcranAvecSonCadre) {
  // Centred over an owner in the bottom right corner, in its set-up (no frame yet): once shown,
  // the frame ends at the screen's edges.
  const RectEcran bureau = RectBureau();
  QWidget proprietaire;
  proprietaire.setGeometry(bureau.droite - 50, bureau.bas - 20, 400, 300);
  proprietaire.show();
  QDialog coin(&proprietaire);
  coin.resize(200, 100);
  CentreSurParent(&coin);
  coin.show();
  ASSERT_GT(coin.frameGeometry().width(), 200) << "the platform draws no frame: nothing to check";
  EXPECT_EQ(coin.frameGeometry().right() + 1, bureau.droite);
  EXPECT_EQ(coin.frameGeometry().bottom() + 1, bureau.bas);
  // Placed once shown, it stays where the program puts it afterwards.
  coin.move(10, 10);
  coin.hide();
  coin.show();
  EXPECT_EQ(coin.pos(), QPoint(10, 10));
}

}  // namespace
}  // namespace velquor
