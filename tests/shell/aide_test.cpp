// F1 and the help window: the topic of the current context by every route, the index for 0,
// nothing over a message box, and the help window closed with the program.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include "framework/dialogue.h"
#include "framework/service_messages.h"
#include "shell/fenetre_aide.h"
#include "support_shell.h"
#include "support_ui/couture.h"

namespace velquor::test {
namespace {

constexpr ModeleControle kControlesDialogue[] = {
    {Genre::Edition, 102, "", {20, 20, 100, 12}},
    {Genre::Bouton, 1, "Ok", {20, 40, 50, 14}, st::Defaut},
    {Genre::Bouton, 2, "Annuler", {80, 40, 50, 14}},
};
constexpr ModeleDialogue kModeleDialogue{9302,
                                         "Lancement d'une recherche",
                                         {0, 0, 160, 70},
                                         sd::Titre | sd::CadreModal,
                                         kControlesDialogue};

class Aide : public ApplicationShell {
 protected:
  ~Aide() override { FermerAide(); }
  // The page the help window shows, or an empty string when it is not shown.
  static QString PageMontree() {
    TFenetreAide* fenetre = FenetreAide();
    if (!fenetre || !fenetre->isVisible()) return {};
    return fenetre->PageCourante().fileName();
  }
  static void F1(QWidget* cible) { QTest::keyClick(cible, Qt::Key_F1); }
};

TEST_F(Aide, ChaqueContexteASaPageEtSesLiensMenentADesPagesQuiExistent) {
  const std::map<int, QString> pages{
      {0, "index.html"},     {2, "cocktails.html"}, {3, "ingredients.html"}, {4, "familles.html"},
      {5, "recherche.html"}, {9, "resultat.html"},  {10, "affiner.html"},    {7, "index.html"}};
  for (const auto& [contexte, page] : pages) {
    SCOPED_TRACE(contexte);
    AfficherAide(contexte);
    EXPECT_EQ(PageMontree(), page);
    EXPECT_FALSE(FenetreAide()->Navigateur()->documentTitle().isEmpty());
    QTextDocument* document = FenetreAide()->Navigateur()->document();
    for (QTextBlock b = document->begin(); b != document->end(); b = b.next()) {
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        QUrl cible;
        if (format.isAnchor())
          cible = FenetreAide()->PageCourante().resolved(QUrl(format.anchorHref()));
        else if (format.isImageFormat())
          cible = QUrl(format.toImageFormat().name());
        else
          continue;
        EXPECT_TRUE(QFile::exists(QStringLiteral(":") + cible.path()))
            << cible.toString().toStdString();
      }
    }
  }
}

TEST_F(Aide, F1EtLaCommandeDAideMontrentLeSommaireSansVueEtSinonLaPageDeLaVue) {
  Montrer();
  F1(Cadre());
  EXPECT_EQ(PageMontree(), QStringLiteral("index.html"));
  Envoyer(103);
  QWidget* liste = VueOuverte()->Client()->ControleParId(501);
  liste->setFocus();
  F1(liste);
  EXPECT_EQ(PageMontree(), QStringLiteral("cocktails.html"));
  Envoyer(101);
  F1(QApplication::focusWidget());
  EXPECT_EQ(PageMontree(), QStringLiteral("ingredients.html"));
  Envoyer(102);
  EXPECT_TRUE(Envoyer(199));
  QCoreApplication::processEvents();  // the F1 key press the command posts
  EXPECT_EQ(PageMontree(), QStringLiteral("familles.html"));
}

TEST_F(Aide, F1DansUnMenuOuvertMontreLeContexteCourantEtDansUneBoiteDeMessageRien) {
  Montrer();
  Envoyer(103);
  QMenu* menu = Cadre()->menuBar()->actions()[0]->menu();
  menu->popup(Cadre()->mapToGlobal(QPoint(0, 20)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  F1(menu);
  EXPECT_EQ(PageMontree(), QStringLiteral("cocktails.html"));
  menu->close();
  FermerAide();

  PBoiteMessage boite(QMessageBox::Question, QStringLiteral("Le Velquor"),
                      QStringLiteral("Suppression du cocktail MARTINI ?"),
                      QMessageBox::Yes | QMessageBox::No, Cadre());
  boite.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
  F1(&boite);
  F1(boite.button(QMessageBox::Yes));
  EXPECT_EQ(PageMontree(), QString());
  EXPECT_TRUE(boite.isVisible());
  EXPECT_EQ(repondeur_.bips, 0);
}

TEST_F(Aide, F1DansLeDialogueDeRechercheMontreSaPageDansUneFenetreQuiResteUtilisable) {
  Montrer();
  QString pendant;
  bool bloquee = true;
  pendantRecherche_ = [&](QWidget* parent) {
    PDialogue dialogue(kModeleDialogue, parent);
    PiloteModal pilote([&](PDialogue& d) {
      F1(d.ControleParId(102));
      pendant = PageMontree();
      // The help window stays usable while the modal dialog runs.
      bloquee = FenetreAide()->parentWidget() != &d;
      d.FermerDialogue(2);
    });
    dialogue.Executer();
  };
  Envoyer(108);
  EXPECT_EQ(pendant, QStringLiteral("recherche.html"));
  EXPECT_FALSE(bloquee);
  // Cancelled: the help stays open, a window of its own again.
  EXPECT_EQ(FenetreAide()->parentWidget(), nullptr);
  EXPECT_TRUE(FenetreAide()->isVisible());
}

TEST(AideFin, FermerLeProgrammeFermeLAide) {
  test::DossierTemporaire dossier;
  QPointer<TFenetreAide> fenetre;
  {
    TVelquorApp app;
    app.CreerFenetrePrincipale();
    AfficherAide(AideIndex);
    fenetre = FenetreAide();
    ASSERT_TRUE(fenetre && fenetre->isVisible());
    // Closing the main window ends the run even with the help open.
    EXPECT_FALSE(fenetre->testAttribute(Qt::WA_QuitOnClose));
  }
  EXPECT_TRUE(fenetre.isNull());
  // F1 goes nowhere once the program's frame is gone.
  PApplication autre(QStringLiteral("Le Velquor"));
  QWidget w;
  w.show();
  QTest::keyClick(&w, Qt::Key_F1);
  EXPECT_EQ(FenetreAide(), nullptr);
}

}  // namespace
}  // namespace velquor::test
