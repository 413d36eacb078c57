// SPDX-License-Identifier: GPL-3.0-or-later
// What the user types and reads: the edit fields' entry rules, the lists' searches and the message
// boxes. The code page conversions and the hostile records ("%s", "<&>", the bytes 0x80 to 0x9F,
// texts at their limit) are the editors' round trips (tests/editors/saisie_test.cpp).

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include "framework/combo.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/service_messages.h"
#include "framework/texte_qt.h"
#include "resources/chaines.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support_ui/clavier.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

TEST(Saisie, CapitalesLimiteEnOctetsEtRefusEntierAvecUnBip) {
  test::RepondeurScripte repondeur;
  PEdition nom;
  nom.DefinirRegles({true, 30});
  nom.show();
  test::Taper(&nom, QStringLiteral("gin été ÿ œ ß"));
  EXPECT_EQ(nom.TexteCp1252(), "GIN \xC9T\xC9 \x9F \x8C \xDF");
  test::Taper(&nom, QStringLiteral("Ω"));  // not in the code page
  EXPECT_EQ(nom.TexteCp1252(), "GIN \xC9T\xC9 \x9F \x8C \xDF");
  EXPECT_EQ(repondeur.bips, 1);
  // 30 characters of one byte each, é included; the 31st is refused.
  nom.clear();
  test::Taper(&nom, QString(29, QChar('A')) + QStringLiteral("é"));
  test::Taper(&nom, QStringLiteral("B"));
  EXPECT_EQ(nom.TexteCp1252(), std::string(29, 'A') + "\xC9");
  EXPECT_EQ(repondeur.bips, 2);
  // A paste that goes over the limit is refused whole, not cut short.
  nom.setText(QStringLiteral("GIN"));
  nom.end(false);
  QApplication::clipboard()->setText(QString(28, QChar('x')));
  nom.paste();
  EXPECT_EQ(nom.TexteCp1252(), "GIN");
  EXPECT_EQ(repondeur.bips, 3);
}

TEST(Saisie, LeChampMultiCompteLesSautsEtCeQueLaSelectionRemplace) {
  test::RepondeurScripte repondeur;
  PEditionMulti remarques;
  remarques.DefinirRegles({false, 6});
  remarques.show();
  remarques.DefinirTexteCp1252("ab\r\ncd");  // 6 bytes with CR LF
  remarques.moveCursor(QTextCursor::End);
  test::Taper(&remarques, QStringLiteral("e"));
  EXPECT_EQ(remarques.TexteCp1252(), "ab\r\ncd");
  EXPECT_EQ(repondeur.bips, 1);
  remarques.selectAll();
  QApplication::clipboard()->setText(QStringLiteral("xyz"));
  remarques.paste();
  EXPECT_EQ(remarques.TexteCp1252(), "xyz");
}

// Every way text reaches an edit field: a character the code page cannot hold is refused with the
// beep and the field keeps what it held, in a single-line field, a multi-line one and the edit
// field of a combo box. The accessibility interface sets the text without the entry rules; the
// field still puts it back, and undo does not bring it back.
TEST(Saisie, AucuneVoieNeFaitEntrerUnCaractereHorsDuCodePage) {
  test::RepondeurScripte repondeur;
  PEdition ligne;
  ligne.DefinirRegles({false, 20});
  PEditionMulti multi;
  multi.DefinirRegles({false, 250});
  PCombo combo;
  combo.DefinirSaisie({true, 30});
  const QString verre = QString::fromUtf8("\xF0\x9F\x8D\xB9");  // beyond the basic plane
  const auto touche = [](const QString& texte, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    return [texte, mods](QWidget* w) {
      QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, texte, mods);
    };
  };
  const struct {
    const char* voie;
    std::function<void(QWidget*)> entrer;
  } voies[] = {
      {"touche hors du plan de base", touche(verre)},
      {"touche à plusieurs caractères", touche(QStringLiteral("a") + verre)},
      {"Alt+touche", touche(verre, Qt::AltModifier)},
      {"usage privé", touche(QString(QChar(0xE000)))},
      {"marque de sens sous Ctrl", touche(QString(QChar(0x200E)), Qt::ControlModifier)},
      {"méthode de saisie",
       [&](QWidget* w) {
         QInputMethodEvent im;
         im.setCommitString(verre);
         QApplication::sendEvent(w, &im);
       }},
      {"collage",
       [&](QWidget* w) {
         QApplication::clipboard()->setText(QStringLiteral("x") + verre);
         QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
       }},
      {"dépôt",
       [&](QWidget* w) {
         QMimeData donnees;
         donnees.setText(verre);
         auto* cible =
             qobject_cast<QAbstractScrollArea*>(w)
                 ? static_cast<QWidget*>(qobject_cast<QAbstractScrollArea*>(w)->viewport())
                 : w;
         QDragEnterEvent entree(QPoint(2, 2), Qt::CopyAction, &donnees, Qt::LeftButton, {});
         QApplication::sendEvent(cible, &entree);
         QDropEvent depot(QPointF(2, 2), Qt::CopyAction, &donnees, Qt::LeftButton, {});
         QApplication::sendEvent(cible, &depot);
       }},
      {"accessibilité",
       [&](QWidget* w) {
         QAccessibleInterface* acces = QAccessible::queryAccessibleInterface(w);
         ASSERT_TRUE(acces && acces->editableTextInterface());
         acces->editableTextInterface()->insertText(1, verre);
       }},
  };
  for (QWidget* champ : {static_cast<QWidget*>(&ligne), static_cast<QWidget*>(&multi),
                         static_cast<QWidget*>(combo.lineEdit())}) {
    champ->window()->show();
    for (const auto& v : voies) {
      SCOPED_TRACE(std::string(champ->metaObject()->className()) + " : " + v.voie);
      ligne.DefinirTexteCp1252("abc");
      multi.DefinirTexteCp1252("abc");
      combo.DefinirTexteCp1252("ABC");
      champ->setFocus();
      const int bips = repondeur.bips;
      v.entrer(champ);
      EXPECT_GT(repondeur.bips, bips);
      EXPECT_EQ(multi.TexteCp1252(), "abc");
      multi.undo();
      EXPECT_EQ(multi.TexteCp1252(), "abc");
      EXPECT_EQ(ligne.TexteCp1252(), "abc");
      EXPECT_EQ(combo.TexteCp1252(), "ABC");
    }
  }
  // A no-break space is a character of the code page: kept as it is, not turned into a space.
  multi.DefinirTexteCp1252("a");
  multi.moveCursor(QTextCursor::End);
  test::Taper(&multi, QString(QChar(0xA0)) + QStringLiteral("b"));
  EXPECT_EQ(multi.TexteCp1252(),
            "a\xA0"
            "b");
}

TEST(Liste, LaRechercheParPrefixeReprendApresLEntreeEtLExacteSuitLaCasse) {
  PListe liste;
  liste.DefinirTrie(true);
  for (const char* nom : {"GIN", "GIN FIZZ", "ECLAT",
                          "\xC9"
                          "CLAT"})
    liste.AjouterChaine(nom);
  const int gin = liste.ChercherExact("GIN");
  const int fizz = liste.ChercherExact("GIN FIZZ");
  EXPECT_EQ(liste.ChercherPrefixe("gi"), gin);
  EXPECT_EQ(liste.ChercherPrefixe("gi", gin), fizz);
  EXPECT_EQ(liste.ChercherPrefixe("gi", fizz), gin);  // round to the top
  // Case by the code page's rule: é matches É, not E.
  EXPECT_EQ(liste.ChercherPrefixe("\xE9"), liste.ChercherExact("\xC9"
                                                               "CLAT"));
  EXPECT_EQ(liste.ChercherExact("gin"), -1);

  // A combo box's given text: its first entry starting with it; exact search minds the case.
  PCombo combo;
  combo.DefinirTrie(true);
  combo.DefinirSaisie({true, 30});
  for (const char* nom : {"ZOMBIE", "GINGER ALE"})
    combo.AjouterChaine(nom);
  combo.DonnerTexte("gin");
  EXPECT_EQ(combo.TexteCp1252(), "GINGER ALE");
  EXPECT_EQ(combo.ChercherExact("ginger ale"), -1);
}

// A walk's names in one go land where one-by-one additions put them, in order or not.
TEST(Liste, LesNomsAjoutesEnblocVontOuLesAjoutsUnParUnLesMettent) {
  const std::vector<std::string> cas[] = {
      {"ECLAT", "\xC9\x43LAT\x81", "GIN"}, {"GIN", "ECLAT", "gin"}, {"ALPHA", "alpha"}, {"0", "9"}};
  for (int essai = 0; essai < 8; ++essai) {
    const std::vector<std::string>& noms = cas[essai / 2];
    PListe bloc, unParUn;
    for (PListe* l : {&bloc, &unParUn})
      l->DefinirTrie(essai % 2 == 0), l->AjouterChaine("A");
    bloc.AjouterChaines(noms);
    for (const std::string& nom : noms)
      unParUn.AjouterChaine(nom);
    ASSERT_EQ(bloc.NbElements(), unParUn.NbElements());
    for (int i = 0; i < bloc.NbElements(); ++i)
      EXPECT_TRUE(bloc.Chaine(i) == unParUn.Chaine(i) &&
                  bloc.item(i)->text() == Cp1252VersQString(unParUn.Chaine(i)))
          << essai << " " << i;
  }
}

// A field whose text runs past its edge shows it whole in a tooltip where the mouse rests; one
// shown whole has none (the former tooltip goes, after Qt's delay). The lists: tests/reel/.
TEST(Bulles, UnChampCoupeSeMontreEntier) {
  PEdition champ;
  champ.resize(80, 24);
  champ.show();
  for (const QString& texte : {QString(40, QChar('W')), QStringLiteral("GIN")}) {
    const QString avant = QToolTip::isVisible() ? QToolTip::text() : QString();
    champ.setText(texte);
    QHelpEvent aide(QEvent::ToolTip, {5, 5}, champ.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&champ, &aide);
    static_cast<void>(
        QTest::qWaitFor([&] { return !QToolTip::isVisible() || QToolTip::text() != avant; }));
    EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : QString(),
              texte.size() > 3 ? texte : QString());
  }
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
}

// The Yes/No boxes are tested under real input (tests/reel/).
TEST(Messages, LaVraieBoiteOkRendOkSurEchap) {
  ServiceMessagesQt service;
  QTimer::singleShot(0, [] {
    auto* boite = qobject_cast<PBoiteMessage*>(QApplication::activeModalWidget());
    ASSERT_NE(boite, nullptr);
    QTest::keyClick(boite, Qt::Key_Escape);
    if (boite->isVisible()) {
      ADD_FAILURE() << "Escape left the OK box open";
      boite->done(QMessageBox::Ok);  // end the wait all the same
    }
  });
  EXPECT_EQ(service.Boite(kTitreVantor, QStringLiteral("Erreur"), StyleArret), ReponseOk);
}

}  // namespace
}  // namespace velquor
