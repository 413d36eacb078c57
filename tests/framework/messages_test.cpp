#include "framework/service_messages.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "resources/chaines.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

TEST(Messages, AffMessageRemplaceLeSParLArgumentConvertiDepuisCp1252) {
  test::RepondeurScripte repondeur;
  PApplication app(QStringLiteral("Essai"));
  repondeur.reponses = {ReponseNon};
  // "CRÈME DE MÛRE" as stored bytes.
  EXPECT_EQ(app.Messages().AffMessage(ChaineSuppressionIngredient, "CR\xC8ME DE M\xDBRE",
                                      StyleQuestion | StyleOuiNon),
            ReponseNon);
  ASSERT_EQ(repondeur.boites.size(), 1u);
  const test::BoiteAffichee& question = repondeur.boites[0];
  EXPECT_EQ(question.titre, QStringLiteral("Essai"));  // the application's name
  EXPECT_EQ(question.texte, QStringLiteral("Suppression de l'ingrédient CRÈME DE MÛRE ?"));
  EXPECT_EQ(question.icone, IconeMessage::Question);
  EXPECT_EQ(question.boutons, BoutonsMessage::OuiNon);
}

class MessagesStore : public test::TestDansDossier {};

TEST_F(MessagesStore, LaBoiteVantorDuStorePasseParLeService) {
  test::RepondeurScripte repondeur;
  FicFamille familles;
  familles.Erreur(201);
  ASSERT_EQ(repondeur.boites.size(), 1u);
  EXPECT_EQ(repondeur.boites[0].titre, QStringLiteral("Vantor"));
  EXPECT_EQ(repondeur.boites[0].texte,
            QStringLiteral("Erreur en modification\n\nPointeur d'enregistrement non positionné !"));
  EXPECT_EQ(repondeur.boites[0].icone, IconeMessage::Arret);
  EXPECT_EQ(repondeur.boites[0].boutons, BoutonsMessage::Ok);
}

TEST(Messages, LeCurseurQtSePoseSansSEmpiler) {
  ServiceMessagesQt service;
  service.CurseurAttente();
  service.CurseurAttente();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  service.CurseurFleche();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The Yes/No boxes are tested under real input (tests/reel/).
TEST(Messages, LaVraieBoiteOkRendOkSurEchap) {
  ServiceMessagesQt service;
  QTimer::singleShot(0, [] {
    auto* boite = qobject_cast<PBoiteMessage*>(QApplication::activeModalWidget());
    ASSERT_NE(boite, nullptr);
    QTest::keyClick(boite, Qt::Key_Escape);  // an OK box: Escape is its OK
    if (boite->isVisible()) {
      ADD_FAILURE() << "Escape left the OK box open";
      boite->done(QMessageBox::Ok);  // end the wait all the same
    }
  });
  EXPECT_EQ(service.Boite(kTitreVantor, QStringLiteral("Erreur"), StyleArret), ReponseOk);
}

}  // namespace
}  // namespace velquor
