// What the user types and reads: the edit fields' entry rules, the lists and combo boxes, the
// message boxes, with ordinary text and with the hostile records as a second data set ("%s",
// "%d", "<&>", quotes, the bytes 0x80 to 0x9F with the five holes, names at their limit).

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/combo.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/onglets.h"
#include "framework/service_messages.h"
#include "framework/texte_qt.h"
#include "jeu_hostile.h"
#include "resources/chaines.h"
#include "store/collation.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support_ui/clavier.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

TEST(TexteQt, AllerRetourDeChaqueOctetCapitalesEtSautsDeLigne) {
  std::string tous;
  for (int i = 1; i < 256; ++i)
    tous.push_back(static_cast<char>(i));
  const QString texte = Cp1252VersQString(tous);
  EXPECT_EQ(texte.size(), 255);
  EXPECT_EQ(texte.at(0x80 - 1), QChar(0x20AC));  // €
  EXPECT_EQ(texte.at(0x9C - 1), QChar(0x0153));  // œ
  EXPECT_EQ(QStringVersCp1252(texte), tous);
  EXPECT_EQ(QStringVersCp1252(QStringLiteral("Ωmega")), std::nullopt);
  EXPECT_EQ(QStringVersCp1252(QString::fromUtf8("\xF0\x9F\x8D\xB8")), std::nullopt);  // 🍸

  EXPECT_EQ(MajusculesQString(QStringLiteral("gin été ÿ œuf ß æ š ž ÷ Ω")),
            QStringLiteral("GIN ÉTÉ Ÿ ŒUF ß Æ Š Ž ÷ Ω"));
  // Line breaks are stored as CR LF.
  EXPECT_EQ(Cp1252VersTexteMulti("UN\r\nDEUX"), QStringLiteral("UN\nDEUX"));
  EXPECT_EQ(TexteMultiVersCp1252(QStringLiteral("UN\nDEUX")), std::string("UN\r\nDEUX"));
  EXPECT_EQ(LongueurStockeeMulti(QStringLiteral("UN\nDEUX")), 8);
}

class Saisie : public ::testing::Test {
 protected:
  Saisie() {
    nom_.DefinirRegles({true, 30});
    nom_.show();
  }
  test::RepondeurScripte repondeur_;
  PEdition nom_;
};

TEST_F(Saisie, LesLettresTapeesDeviennentDesCapitalesEtCeQueLeCodePageNaPasEstRefuse) {
  test::Taper(&nom_, QStringLiteral("gin été ÿ œ ß"));
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN ÉTÉ Ÿ Œ ß"));
  EXPECT_EQ(nom_.TexteCp1252(), "GIN \xC9T\xC9 \x9F \x8C \xDF");
  EXPECT_EQ(repondeur_.bips, 0);
  test::Taper(&nom_, QStringLiteral("Ω€"));
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN ÉTÉ Ÿ Œ ß€"));
  EXPECT_EQ(repondeur_.bips, 1);
}

TEST_F(Saisie, LaLimiteCompteLesOctetsEtRefuseAvecUnBip) {
  test::Taper(&nom_, QString(29, QChar('A')) + QStringLiteral("é"));
  EXPECT_EQ(nom_.text().size(), 30);
  test::Taper(&nom_, QStringLiteral("B"));
  EXPECT_EQ(nom_.text(), QString(29, QChar('A')) + QStringLiteral("É"));
  EXPECT_EQ(repondeur_.bips, 1);
  // Replacing a selection stays within the limit.
  nom_.setSelection(0, 1);
  test::Taper(&nom_, QStringLiteral("z"));
  EXPECT_EQ(nom_.text().front(), QChar('Z'));
  EXPECT_EQ(repondeur_.bips, 1);
}

TEST_F(Saisie, LeCollageSuitLesMemesRegles) {
  nom_.setText(QStringLiteral("GIN"));
  nom_.setCursorPosition(3);
  QApplication::clipboard()->setText(QStringLiteral(" tonic"));
  nom_.paste();
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN TONIC"));
  // Nothing of a paste that holds a character the code page cannot hold, nor of one that
  // goes over the limit: refused whole, with a beep.
  QApplication::clipboard()->setText(QStringLiteral(" ω"));
  nom_.paste();
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN TONIC"));
  QApplication::clipboard()->setText(QString(22, QChar('x')));
  nom_.paste();
  EXPECT_EQ(nom_.text(), QStringLiteral("GIN TONIC"));
  EXPECT_EQ(repondeur_.bips, 2);
  QApplication::clipboard()->setText(QString(21, QChar('x')));
  QTest::keyClick(&nom_, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(nom_.text().size(), 30);
}

TEST_F(Saisie, ChangementSuitAussiLeProgrammeEnUneLigne) {
  int changements = 0;
  QObject::connect(&nom_, &PEdition::changement, [&] { ++changements; });
  nom_.DefinirTexteCp1252("GIN");
  test::Taper(&nom_, QStringLiteral("s"));
  EXPECT_EQ(changements, 2);
}

TEST(SaisieMulti, LimiteAvecLesSautsDeLigneEtChangementDeLUtilisateurSeulement) {
  test::RepondeurScripte repondeur;
  PEditionMulti remarques;
  remarques.DefinirRegles({false, 6});
  remarques.show();
  int changements = 0;
  QObject::connect(&remarques, &PEditionMulti::changement, [&] { ++changements; });
  remarques.DefinirTexteCp1252("ab\r\nc");
  EXPECT_EQ(remarques.toPlainText(), QStringLiteral("ab\nc"));
  EXPECT_EQ(changements, 0);  // the program's text notifies nothing

  remarques.moveCursor(QTextCursor::End);
  test::Taper(&remarques, QStringLiteral("d"));
  EXPECT_EQ(remarques.TexteCp1252(), "ab\r\ncd");
  EXPECT_EQ(changements, 1);
  test::Taper(&remarques, QStringLiteral("e"));  // 7 bytes: refused
  QTest::keyClick(&remarques, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(remarques.TexteCp1252(), "ab\r\ncd");
  EXPECT_EQ(repondeur.bips, 2);

  // Pasting goes through the same check; Ω is refused whole.
  QTest::keyClick(&remarques, Qt::Key_Backspace);
  QApplication::clipboard()->setText(QStringLiteral("Ω"));
  remarques.paste();
  EXPECT_EQ(remarques.TexteCp1252(), "ab\r\nc");
  EXPECT_EQ(repondeur.bips, 3);
  QApplication::clipboard()->setText(QStringLiteral("z"));
  remarques.paste();
  EXPECT_EQ(remarques.TexteCp1252(), "ab\r\ncz");
  // What a paste replaces leaves room for it.
  remarques.selectAll();
  QApplication::clipboard()->setText(QStringLiteral("xyz"));
  remarques.paste();
  EXPECT_EQ(remarques.TexteCp1252(), "xyz");
}

TEST(SaisieCombo, LeChampDuComboSuitLesReglesEtNotifieLaSaisie) {
  test::RepondeurScripte repondeur;
  PCombo combo;
  combo.DefinirSaisie({true, 5});
  combo.show();
  int saisies = 0;
  QObject::connect(&combo, &PCombo::texteSaisi, [&] { ++saisies; });
  test::Taper(&combo, QStringLiteral("crèmes"));
  EXPECT_EQ(combo.currentText(), QStringLiteral("CRÈME"));
  EXPECT_EQ(combo.TexteCp1252(), "CR\xC8ME");
  EXPECT_EQ(saisies, 5);
  EXPECT_EQ(repondeur.bips, 1);
  combo.DefinirTexteCp1252("GIN");
  EXPECT_EQ(saisies, 5);  // the program's text is not a typed change
}

std::vector<std::string> Entrees(const PListe& liste) {
  std::vector<std::string> entrees;
  for (int i = 0; i < liste.NbElements(); ++i)
    entrees.push_back(liste.Chaine(i));
  return entrees;
}

// Stored bytes: "ÉCLAT" is C9 43 4C 41 54.
const std::string kEclat =
    "\xC9"
    "CLAT";

TEST(Liste, ListeNonTrieeGardeLOrdreDAjout) {
  PListe liste;
  liste.AjouterChaine("ZOMBIE");
  liste.AjouterChaine("ABSINTHE");
  liste.InsererChaine(1, "MOJITO");
  EXPECT_EQ(Entrees(liste), (std::vector<std::string>{"ZOMBIE", "MOJITO", "ABSINTHE"}));
  EXPECT_TRUE(liste.SupprimerChaine(0));
  EXPECT_FALSE(liste.SupprimerChaine(5));
  EXPECT_EQ(liste.Chaine(7), "");
}

TEST(Liste, RecherchesParPrefixeSansCasseEtEnBoucle) {
  PListe liste;
  liste.DefinirTrie(true);
  for (std::string_view nom : {"GIN", "GIN FIZZ", "GRENADINE", kEclat.c_str(), "ECLAT"})
    liste.AjouterChaine(nom);
  const int gin = liste.ChercherExact("GIN");
  const int fizz = liste.ChercherExact("GIN FIZZ");
  ASSERT_GE(gin, 0);
  EXPECT_EQ(liste.ChercherPrefixe("gi"), gin);
  EXPECT_EQ(liste.ChercherPrefixe("gi", gin), fizz);
  EXPECT_EQ(liste.ChercherPrefixe("gi", fizz), gin);  // round to the top
  // Case by the code page rule: é matches É, not E.
  EXPECT_EQ(liste.ChercherPrefixe("\xE9"
                                  "c"),
            liste.ChercherExact(kEclat));
  EXPECT_EQ(liste.ChercherPrefixe("VODKA"), -1);
  EXPECT_EQ(liste.ChercherExact("gin"), -1);  // exact is case-sensitive

  const int grenadine = liste.ChercherExact("GRENADINE");
  EXPECT_EQ(liste.SelectionnerPrefixe("gre"), grenadine);
  EXPECT_EQ(liste.SelectionnerPrefixe("VODKA"), -1);
  EXPECT_EQ(liste.IndexSelection(), grenadine);  // unchanged
}

TEST(Liste, SeulesLesActionsDeLUtilisateurNotifient) {
  PListe liste;
  for (const char* nom : {"UN", "DEUX", "TROIS"})
    liste.AjouterChaine(nom);
  liste.resize(200, 200);
  liste.show();
  QSignalSpy selection(&liste, &PListe::selectionChangee);
  QSignalSpy double_clic(&liste, &PListe::doubleClic);
  liste.SelectionnerIndex(0);
  liste.SupprimerChaine(0);
  liste.Vider();
  EXPECT_EQ(selection.count(), 0);
  for (const char* nom : {"UN", "DEUX", "TROIS"})
    liste.AjouterChaine(nom);
  liste.SelectionnerIndex(0);
  liste.setFocus();
  QTest::keyClick(&liste, Qt::Key_Down);
  EXPECT_EQ(liste.IndexSelection(), 1);
  EXPECT_EQ(selection.count(), 1);
  const QRect rect = liste.visualItemRect(liste.item(2));
  QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, rect.center());
  EXPECT_EQ(liste.IndexSelection(), 2);
  EXPECT_EQ(selection.count(), 2);
  QTest::mouseDClick(liste.viewport(), Qt::LeftButton, {}, rect.center());
  EXPECT_EQ(double_clic.count(), 1);
  liste.SelectionnerIndex(-1);
  EXPECT_EQ(liste.IndexSelection(), -1);
}

TEST(Combo, LeTexteDonneEstLaPremiereEntreeQuiCommenceParLuiSinonLuiMeme) {
  PCombo combo;
  combo.DefinirTrie(true);
  combo.DefinirSaisie({true, 30});
  for (const char* nom : {"ZOMBIE", "GINGER ALE", "ECLAT"})
    combo.AjouterChaine(nom);
  // Filling the list leaves the edit field as it was.
  EXPECT_EQ(combo.TexteCp1252(), "");
  EXPECT_EQ(combo.IndexSelection(), -1);
  EXPECT_EQ(combo.Chaine(combo.NbElements() - 1), "ZOMBIE");

  combo.DonnerTexte("gin");
  EXPECT_EQ(combo.TexteCp1252(), "GINGER ALE");
  EXPECT_EQ(combo.IndexSelection(), combo.ChercherExact("GINGER ALE"));
  EXPECT_EQ(combo.ChercherExact("ginger ale"), -1);  // exact is case-sensitive
  combo.DonnerTexte("VODKA");
  EXPECT_EQ(combo.TexteCp1252(), "VODKA");
  EXPECT_EQ(combo.IndexSelection(), -1);
  combo.DonnerTexte("");
  EXPECT_EQ(combo.TexteCp1252(), "");

  combo.DefinirTexteCp1252("GIN");
  combo.SelectionnerTexteEdition(1);
  EXPECT_EQ(combo.lineEdit()->selectedText(), QStringLiteral("IN"));
}

TEST(Combo, ListeDeroulanteSansSaisie) {
  PCombo combo;
  combo.AjouterChaine("<Toutes>");
  combo.AjouterChaine("CLASSIQUES");
  combo.AjouterChaine("SOURS");
  combo.SelectionnerIndex(0);
  EXPECT_EQ(combo.TexteCp1252(), "<Toutes>");
  // Searching after entry 0: found after it, or round to 0 itself.
  EXPECT_EQ(combo.ChercherPrefixe("sou", 0), 2);
  EXPECT_EQ(combo.ChercherPrefixe("<T", 0), 0);
  QSignalSpy selection(&combo, &PCombo::selectionChangee);
  combo.SelectionnerIndex(1);
  EXPECT_EQ(selection.count(), 0);
  combo.show();
  combo.setFocus();
  QTest::keyClick(&combo, Qt::Key_Down);
  EXPECT_EQ(combo.IndexSelection(), 2);
  EXPECT_EQ(selection.count(), 1);
}

TEST(Onglets, LeChangementNotifieLUtilisateurSeulement) {
  POnglets onglets;
  onglets.resize(300, 200);
  onglets.AjouterOnglet(QStringLiteral("Recherche par nom"));
  onglets.AjouterOnglet(QStringLiteral("Recherche par famille"));
  onglets.show();
  QSignalSpy change(&onglets, &POnglets::ongletChange);
  onglets.Selectionner(1);
  EXPECT_EQ(change.count(), 0);
  QTest::mouseClick(onglets.Barre(), Qt::LeftButton, {}, onglets.Barre()->tabRect(0).center());
  EXPECT_EQ(onglets.Selection(), 0);
  ASSERT_EQ(change.count(), 1);
  EXPECT_EQ(change.front().front().toInt(), 0);
}

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

// The hostile records as a second data set for the boxes, lists and fields: every stored name
// ("%s", "%d", "%", "<&>", quotes, the bytes 0x80 to 0x9F with the five holes, 30 bytes long) is
// shown as its characters, put literally in place of a message's "%s", sorted by the case-blind
// name order and found again by the entry the user clicks.
// The characters of code page 1252 at 0x80 to 0x9F, as the code page's table gives them; its
// five holes keep the control code points of the same value. Every other byte is the Latin-1
// character of the same value.
constexpr char16_t kTable80[32] = {
    u'€', u'\u0081', u'‚',      u'ƒ', u'„',      u'…',      u'†', u'‡',      u'ˆ', u'‰', u'Š',
    u'‹', u'Œ',      u'\u008D', u'Ž', u'\u008F', u'\u0090', u'‘', u'’',      u'“', u'”', u'•',
    u'–', u'—',      u'˜',      u'™', u'š',      u'›',      u'œ', u'\u009D', u'ž', u'Ÿ'};

QString Montre(std::string_view cp1252) {
  QString texte;
  for (unsigned char c : cp1252)
    texte += c >= 0x80 && c < 0xA0 ? QChar(kTable80[c - 0x80]) : QChar(char16_t{c});
  return texte;
}

std::vector<std::string> TousLesNoms() {
  std::vector<std::string> noms;
  for (const auto& f : test::Jeu().familles)
    noms.push_back(f.nom);
  for (const auto& i : test::Jeu().ingredients)
    noms.push_back(i.nom);
  for (const auto& c : test::Jeu().cocktails)
    noms.push_back(c.nom);
  return noms;
}

TEST(TextesHostiles, LaQuestionNommeLeNomTelQuel) {
  test::RepondeurScripte repondeur;
  for (const std::string& nom : TousLesNoms()) {
    repondeur.boites.clear();
    repondeur.reponses = {ReponseNon};
    EXPECT_EQ(
        ServiceMessages().AffMessage(ChaineSuppressionFamille, nom, StyleQuestion | StyleOuiNon),
        ReponseNon);
    ASSERT_EQ(repondeur.boites.size(), 1u);
    EXPECT_EQ(repondeur.boites[0].texte,
              QStringLiteral("Suppression de la famille ") + Montre(nom) + QStringLiteral(" ?"));
  }
  // The table written out for two names: the holes keep their control code points.
  EXPECT_EQ(Montre(test::Famille80),
            QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F FAMILLE######"));
  EXPECT_EQ(Montre(test::Ingredient90), QStringLiteral("\u0090‘’“”•–—˜™š›œ\u009DžŸ JUS##########"));
}

TEST(TextesHostiles, ChaqueEntreeMontreSonNomEtLeClicLaSelectionne) {
  PListe liste;
  liste.DefinirTrie(true);
  const std::vector<std::string> noms = TousLesNoms();
  for (const std::string& nom : noms)
    liste.AjouterChaine(nom);
  liste.resize(300, 120);
  liste.show();
  ASSERT_EQ(liste.NbElements(), static_cast<int>(noms.size()));
  for (int i = 0; i < liste.NbElements(); ++i) {
    EXPECT_EQ(liste.item(i)->text(), Montre(liste.Chaine(i))) << i;
    if (i > 0) {
      EXPECT_LE(ComparerNomsSansCasse(liste.Chaine(i - 1), liste.Chaine(i)), 0) << i;
    }
  }
  for (const std::string& nom : noms) {
    const int index = liste.ChercherExact(nom);
    ASSERT_GE(index, 0);
    liste.scrollToItem(liste.item(index));
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {},
                      liste.visualItemRect(liste.item(index)).center());
    EXPECT_EQ(liste.Chaine(liste.IndexSelection()), nom);
  }
}

TEST(TextesHostiles, UnCommentaireALaLimiteRevientOctetPourOctet) {
  for (const std::string& texte : {test::Remarque250, test::Remarque125Sauts}) {
    PEditionMulti champ;
    champ.DefinirRegles({false, 250});
    champ.DefinirTexteCp1252(texte);
    EXPECT_EQ(champ.toPlainText(),
              Montre(texte).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(champ.TexteCp1252(), texte);
  }
}

}  // namespace
}  // namespace velquor
