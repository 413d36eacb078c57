// The toolbar buttons: hot border, press and drag, the exclusive group of the view buttons,
// the dividers, MarqueVue, and the glyph colours.

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/barre_controle.h"
#include "framework/routeur.h"
#include "shell/bitmaps.h"
#include "shell/my_gadget_btn.h"
#include "support_shell.h"

namespace velquor::test {
namespace {

using Etat = MyGadgetBtn::Etat;

void Souris(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton bouton,
            Qt::MouseButtons boutons) {
  QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), bouton, boutons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
void Appuyer(QWidget* w, QPoint pos = {5, 5}) {
  Souris(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
}
void Glisser(QWidget* w, QPoint pos) {
  Souris(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
}
void Relacher(QWidget* w, QPoint pos = {5, 5}) {
  Souris(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}
void Entrer(QWidget* w) {
  QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(w->mapToGlobal(QPoint(5, 5))));
  QApplication::sendEvent(w, &e);
}
void Sortir(QWidget* w) {
  QEvent e(QEvent::Leave);
  QApplication::sendEvent(w, &e);
}

class Gadgets : public ApplicationShell {
 protected:
  Gadgets() : executees_(&app_.Routeur(), &PRouteurCommandes::commandeExecutee) { Montrer(); }
  MyGadgetBtn* Bouton(int position) {
    PBarreControle* barre = Cadre()->BarreControle();
    return qobject_cast<MyGadgetBtn*>(barre->widgetForAction(barre->actions()[position]));
  }
  // The commands run since the last call.
  std::vector<int> Executees() {
    QCoreApplication::processEvents();
    std::vector<int> ids;
    for (const QList<QVariant>& s : executees_)
      ids.push_back(s[0].toInt());
    executees_.clear();
    return ids;
  }
  QSignalSpy executees_;
};

TEST_F(Gadgets, LaBordureNApparaitQuAuSurvolDUnBoutonActif) {
  MyGadgetBtn* recherche = Bouton(10);
  ASSERT_EQ(recherche->Commande(), 108);
  const QImage plat = recherche->grab().toImage();
  Entrer(recherche);
  EXPECT_TRUE(recherche->Survol());
  const QImage survole = recherche->grab().toImage();
  EXPECT_NE(survole, plat);
  // The raised border: highlight on the top edge, shadow on the bottom edge.
  EXPECT_EQ(survole.pixel(10, 0), recherche->palette().color(QPalette::Light).rgb());
  EXPECT_EQ(survole.pixel(10, survole.height() - 1),
            recherche->palette().color(QPalette::Dark).rgb());
  Sortir(recherche);
  EXPECT_FALSE(recherche->Survol());
  EXPECT_EQ(recherche->grab().toImage(), plat);  // the border is gone, the face is clean

  MyGadgetBtn* affiner = Bouton(11);  // 109: no result view
  ASSERT_FALSE(affiner->Actif());
  const QImage grise = affiner->grab().toImage();
  Entrer(affiner);
  EXPECT_FALSE(affiner->Survol());
  EXPECT_EQ(affiner->grab().toImage(), grise);
}

TEST_F(Gadgets, RelacherHorsDuBoutonNePostePasEtYRevenirAvantDeRelacherPoste) {
  MyGadgetBtn* recherche = Bouton(10);
  Appuyer(recherche);
  EXPECT_TRUE(recherche->Enfonce());
  Glisser(recherche, {60, 5});
  EXPECT_FALSE(recherche->Enfonce());
  Relacher(recherche, {60, 5});
  EXPECT_TRUE(Executees().empty());

  Appuyer(recherche);
  Glisser(recherche, {60, 5});
  Glisser(recherche, {6, 6});
  EXPECT_TRUE(recherche->Enfonce());
  const QImage enfonce = recherche->grab().toImage();
  Relacher(recherche, {6, 6});
  EXPECT_FALSE(recherche->Enfonce());
  EXPECT_NE(recherche->grab().toImage(), enfonce);
  EXPECT_EQ(Executees(), std::vector<int>{108});
  EXPECT_EQ(recherches_, 1);  // posted: run once the click is over
}

TEST_F(Gadgets, LeGroupeExclusifDesBoutonsDeVues) {
  MyGadgetBtn* cocktails = Bouton(0);
  MyGadgetBtn* ingredients = Bouton(1);
  Appuyer(cocktails);
  Relacher(cocktails);
  EXPECT_EQ(cocktails->EtatBouton(), Etat::Bas);
  EXPECT_EQ(Executees(), std::vector<int>{103});

  Entrer(ingredients);
  Appuyer(ingredients);
  Relacher(ingredients);
  // Down at once, before the posted command runs; the cocktail button Up.
  EXPECT_EQ(ingredients->EtatBouton(), Etat::Bas);
  EXPECT_EQ(cocktails->EtatBouton(), Etat::Haut);
  EXPECT_FALSE(cocktails->Survol());
  EXPECT_EQ(Executees(), std::vector<int>{101});

  // Clicked again while Down: the command again (a fresh view), still Down.
  Appuyer(ingredients);
  Relacher(ingredients);
  EXPECT_EQ(Executees(), std::vector<int>{101});
  EXPECT_EQ(ingredients->EtatBouton(), Etat::Bas);
}

TEST_F(Gadgets, LeGroupeSArreteAuPremierBoutonDUnAutreType) {
  PBarreControle barre(QStringLiteral("Essai"), app_.Routeur());
  auto* a = new MyGadgetBtn(103, 103, MyGadgetBtn::Type::Exclusif);
  auto* b = new MyGadgetBtn(101, 101, MyGadgetBtn::Type::Exclusif);
  auto* commande = new MyGadgetBtn(104, 104, MyGadgetBtn::Type::Commande);
  auto* c = new MyGadgetBtn(102, 102, MyGadgetBtn::Type::Exclusif);
  auto* d = new MyGadgetBtn(110, 110, MyGadgetBtn::Type::Exclusif);
  for (MyGadgetBtn* g : {a, b, commande, c, d})
    g->AjouterA(barre);
  a->DefinirEtat(Etat::Bas);
  c->DefinirEtat(Etat::Bas);
  EXPECT_EQ(a->EtatBouton(), Etat::Bas);  // another group
  b->DefinirEtat(Etat::Bas);
  EXPECT_EQ(a->EtatBouton(), Etat::Haut);
  EXPECT_EQ(c->EtatBouton(), Etat::Bas);
  d->DefinirEtat(Etat::Bas);
  EXPECT_EQ(c->EtatBouton(), Etat::Haut);
  EXPECT_EQ(b->EtatBouton(), Etat::Bas);
  // Outside a bar, a button goes Down on its own.
  MyGadgetBtn seul(103, 103, MyGadgetBtn::Type::Exclusif);
  seul.VerificationExclusive();
  EXPECT_EQ(seul.EtatBouton(), Etat::Bas);
}

TEST_F(Gadgets, UnBoutonInactifNEstNiSurvoleNiEnfonceEtNePosteRien) {
  for (int position : {4, 9}) {
    MyGadgetBtn* diviseur = Bouton(position);
    ASSERT_EQ(diviseur->Commande(), -1);
    EXPECT_FALSE(diviseur->Actif());
    Entrer(diviseur);
    EXPECT_FALSE(diviseur->Survol());
    // A disabled widget gets no click from Qt: sent all the same, nothing is posted.
    Appuyer(diviseur);
    Relacher(diviseur);
  }
  // Made inactive while hovered and pressed.
  MyGadgetBtn* recherche = Bouton(10);
  Entrer(recherche);
  Appuyer(recherche);
  recherche->DefinirActif(false);
  EXPECT_FALSE(recherche->Survol());
  EXPECT_FALSE(recherche->Enfonce());
  Relacher(recherche);
  EXPECT_TRUE(Executees().empty());
}

TEST_F(Gadgets, MarqueVueAvecZeroRemetToutEnHautEtAvecUneAutreCommandeNeChangeRien) {
  app_.MarqueVue(110);
  app_.MarqueVue(104);
  EXPECT_EQ(app_.BtnResultat->EtatBouton(), Etat::Bas);
  Entrer(app_.BtnCocktails);
  ASSERT_TRUE(app_.BtnCocktails->Survol());
  app_.MarqueVue(0);
  for (MyGadgetBtn* b :
       {app_.BtnCocktails, app_.BtnIngredients, app_.BtnFamilles, app_.BtnResultat}) {
    EXPECT_EQ(b->EtatBouton(), Etat::Haut);
    EXPECT_FALSE(b->Survol());
    EXPECT_FALSE(b->Enfonce());
  }
}

TEST_F(Gadgets, LeGlypheGardeLesCouleursDuSystemeQuIlAvaitALaConstruction) {
  MyGadgetBtn bouton(108, 108);
  QPalette palette = bouton.palette();
  palette.setColor(QPalette::Button, QColor(10, 20, 30));
  palette.setColor(QPalette::ButtonText, QColor(40, 50, 60));
  bouton.setPalette(palette);
  const QImage glyphe = bouton.Glyphe();
  ASSERT_EQ(glyphe.size(), QSize(26, 26));
  EXPECT_EQ(bouton.sizeHint(), QSize(30, 30));
  EXPECT_EQ(glyphe.pixelColor(0, 0), QColor(10, 20, 30));  // light grey -> face
  bool texte = false;
  for (int y = 0; y < 26; ++y)
    for (int x = 0; x < 26; ++x)
      texte |= glyphe.pixelColor(x, y) == QColor(40, 50, 60);
  EXPECT_TRUE(texte);  // black -> button text
  // A later colour change leaves the glyph as it was built.
  palette.setColor(QPalette::Button, QColor(200, 0, 0));
  bouton.setPalette(palette);
  EXPECT_EQ(bouton.Glyphe().pixelColor(0, 0), QColor(10, 20, 30));
  // The glyph is centred in the button.
  bouton.resize(40, 34);
  QResizeEvent e(QSize(40, 34), QSize(30, 30));
  QApplication::sendEvent(&bouton, &e);
  EXPECT_EQ(bouton.OrigineGlyphe(), QPoint(2 + (36 - 26) / 2, 2 + (30 - 26) / 2));
}

}  // namespace
}  // namespace velquor::test
