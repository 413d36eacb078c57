#include "framework/service_messages.h"

#include <QAbstractButton>
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
  repondeur.reponses = {ReponseNon};
  // "CRÈME DE MÛRE" as stored bytes.
  const std::string creme = "CR\xC8ME DE M\xDBRE";
  int r =
      ServiceMessages().AffMessage(ChaineSuppressionIngredient, creme, StyleQuestion | StyleOuiNon);
  EXPECT_EQ(r, ReponseNon);
  ASSERT_EQ(repondeur.boites.size(), 1u);
  const test::BoiteAffichee& b = repondeur.boites[0];
  EXPECT_EQ(b.titre, QStringLiteral("Le Velquor"));
  EXPECT_EQ(b.texte, QStringLiteral("Suppression de l'ingrédient CRÈME DE MÛRE ?"));
  EXPECT_EQ(b.icone, IconeMessage::Question);
  EXPECT_EQ(b.boutons, BoutonsMessage::OuiNon);
}

TEST(Messages, TexteSansSEtArgumentAvecPourcent) {
  test::RepondeurScripte repondeur;
  ServiceMessages().AffMessage(ChaineAucunCocktail, "", StyleInformation);
  // A "%" in the argument is text, never a format.
  ServiceMessages().AffMessage(ChaineAucuneInformation, "100% %s %d \x80", StyleInformation);
  ASSERT_EQ(repondeur.boites.size(), 2u);
  EXPECT_EQ(repondeur.boites[0].texte,
            QStringLiteral("Aucun cocktails ne correspond aux critères de recherche !"));
  EXPECT_EQ(repondeur.boites[0].icone, IconeMessage::Information);
  EXPECT_EQ(repondeur.boites[0].boutons, BoutonsMessage::Ok);
  EXPECT_EQ(repondeur.boites[1].texte,
            QStringLiteral("Aucune information disponible sur l'ingrédient 100% %s %d € !"));
}

TEST(Messages, LeTitreEstLeNomDeLApplication) {
  test::RepondeurScripte repondeur;
  PApplication app(QStringLiteral("Essai"));
  app.Messages().AffMessage(ChaineCreationImpossible, "familles", StyleArret);
  ASSERT_EQ(repondeur.boites.size(), 1u);
  EXPECT_EQ(repondeur.boites[0].titre, QStringLiteral("Essai"));
  EXPECT_EQ(repondeur.boites[0].texte,
            QStringLiteral("Impossible de créer le fichier des familles !"));
  EXPECT_EQ(repondeur.boites[0].icone, IconeMessage::Arret);
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

TEST(Messages, BipsEtCurseurs) {
  test::RepondeurScripte repondeur;
  ServiceMessages().Bip();
  ServiceMessages().CurseurAttente();
  EXPECT_EQ(repondeur.curseur, Curseur::Attente);
  ServiceMessages().CurseurFleche();
  EXPECT_EQ(repondeur.bips, 1);
  EXPECT_EQ(repondeur.curseurs, (std::vector<Curseur>{Curseur::Attente, Curseur::Fleche}));
}

TEST(Messages, StylesDesBoites) {
  EXPECT_EQ(BoutonsDuStyle(StyleExclamation), BoutonsMessage::Ok);
  EXPECT_EQ(IconeDuStyle(StyleExclamation), IconeMessage::Exclamation);
  EXPECT_EQ(BoutonsDuStyle(StyleQuestion | StyleOuiNon), BoutonsMessage::OuiNon);
  EXPECT_TRUE(ReponsePossible(BoutonsMessage::OuiNon, ReponseOui));
  EXPECT_FALSE(ReponsePossible(BoutonsMessage::OuiNon, ReponseOk));
  EXPECT_FALSE(ReponsePossible(BoutonsMessage::Ok, ReponseNon));
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

TEST(Messages, LaVraieBoiteEnFrancaisRendLeBoutonChoisi) {
  ServiceMessagesQt service;
  QStringList boutons;
  QString titre;
  QTimer::singleShot(0, [&] {
    auto* boite = qobject_cast<PBoiteMessage*>(QApplication::activeModalWidget());
    ASSERT_NE(boite, nullptr);
    titre = boite->windowTitle();
    for (QAbstractButton* b : boite->buttons())
      boutons << b->text();
    EXPECT_EQ(boite->icon(), QMessageBox::Question);
    QTest::keyClick(boite, Qt::Key_F1);  // swallowed: the box stays
    EXPECT_TRUE(boite->isVisible());
    boite->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(service.Boite(QStringLiteral("Le Velquor"), QStringLiteral("Suppression ?"),
                          StyleQuestion | StyleOuiNon),
            ReponseNon);
  EXPECT_EQ(titre, QStringLiteral("Le Velquor"));
  boutons.sort();
  EXPECT_EQ(boutons, (QStringList{"&Non", "&Oui"}));

  QTimer::singleShot(0, [] {
    auto* boite = qobject_cast<PBoiteMessage*>(QApplication::activeModalWidget());
    ASSERT_NE(boite, nullptr);
    QTest::keyClick(boite, Qt::Key_Escape);  // an OK box: Escape is its OK
  });
  EXPECT_EQ(service.Boite(kTitreVantor, QStringLiteral("Erreur"), StyleArret), ReponseOk);
}

TEST(Messages, LesBoitesAvalentF1) {
  PApplication app(QStringLiteral("Le Velquor"));
  int aides = 0;
  app.DefinirAideF1([&] { ++aides; });
  QWidget fenetre;
  fenetre.show();
  QTest::keyClick(&fenetre, Qt::Key_F1);
  EXPECT_EQ(aides, 1);

  PBoiteMessage boite(QMessageBox::Information, QStringLiteral("Le Velquor"),
                      QStringLiteral("Texte"), QMessageBox::Ok);
  boite.show();
  QTest::keyClick(&boite, Qt::Key_F1);
  QTest::keyClick(static_cast<QWidget*>(boite.button(QMessageBox::Ok)), Qt::Key_F1);
  EXPECT_EQ(aides, 1);
  EXPECT_TRUE(boite.isVisible());  // the box stays
  boite.hide();
}

}  // namespace
}  // namespace velquor
