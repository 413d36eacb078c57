// The client area: one view at a time, maximised, the new search, the help context and the view
// buttons that follow what is open.

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/liste.h"
#include "shell/bitmaps.h"
#include "shell/my_gadget_btn.h"
#include "support_shell.h"

namespace velquor::test {
namespace {

using Etat = MyGadgetBtn::Etat;

class ClientMDI : public ApplicationShell {
 protected:
  // The states of the view buttons (cocktails, ingredients, families, result).
  std::vector<Etat> EtatsBoutonsVues() const {
    return {app_.BtnCocktails->EtatBouton(), app_.BtnIngredients->EtatBouton(),
            app_.BtnFamilles->EtatBouton(), app_.BtnResultat->EtatBouton()};
  }
  // Every view button Up, but the one at that place Down (none for -1).
  static std::vector<Etat> SeulEnBas(int place) {
    std::vector<Etat> etats(4, Etat::Haut);
    if (place >= 0) etats[place] = Etat::Bas;
    return etats;
  }
  int VuesOuvertes() const {
    int n = 0;
    for (TypeVue t :
         {TypeVue::Familles, TypeVue::Ingredients, TypeVue::Cocktails, TypeVue::Resultat})
      n += Client()->VueDeType(t) != nullptr;
    return n;
  }
};

TEST_F(ClientMDI, UneVueRemplaceLAutreQuiEstFermeeEtDetruiteDAbord) {
  Montrer();
  const struct {
    int commande;
    TypeVue type;
    int contexte;
    int bouton;
  } kCas[] = {{103, TypeVue::Cocktails, 2, 0},
              {103, TypeVue::Cocktails, 2, 0},  // the same view again: a fresh one
              {101, TypeVue::Ingredients, 3, 1},
              {102, TypeVue::Familles, 4, 2}};
  QPointer<TVueEssai> avant;
  for (const auto& c : kCas) {
    SCOPED_TRACE(c.commande);
    ASSERT_TRUE(Envoyer(c.commande));
    TVueEssai* vue = VueOuverte();
    ASSERT_NE(vue, nullptr);
    EXPECT_TRUE(avant.isNull());
    EXPECT_EQ(Client()->VueDeType(c.type), vue);
    EXPECT_EQ(VuesOuvertes(), 1);
    EXPECT_EQ(Client()->findChildren<PVue*>().size(), 1u);
    EXPECT_FALSE(vue->isWindow());  // no frame, no close box of its own
    // The focus is in the view, so that its commands are on the chain.
    EXPECT_TRUE(vue->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(ContexteAide, c.contexte);
    EXPECT_EQ(EtatsBoutonsVues(), SeulEnBas(c.bouton));
    avant = vue;
  }
  EXPECT_EQ(TVueEssai::detruites,
            (std::vector<QString>{"Gestion des cocktails", "Gestion des cocktails",
                                  "Gestion des ingrédients"}));
}

TEST_F(ClientMDI, LesBoutonsOkEtEscDesVuesRestentSousLaPartieVisible) {
  Montrer();
  Envoyer(103);
  PDialogue* dialogue = VueOuverte()->Client();
  for (int id : {1, 2}) {
    QWidget* bouton = dialogue->ControleParId(id);
    ASSERT_NE(bouton, nullptr);
    EXPECT_GE(bouton->mapTo(Client(), QPoint(0, 0)).y(), Client()->height()) << id;
  }
  // The list above them shows whole.
  QWidget* liste = dialogue->ControleParId(501);
  EXPECT_LE(liste->mapTo(Client(), QPoint(0, liste->height())).y(), Client()->height());
}

TEST_F(ClientMDI, FermeVuesPoseLaQuestionPuisDetruitMemeUneVueQuiRefuse) {
  Montrer();
  Envoyer(101);
  QPointer<TVueEssai> garde(VueOuverte());
  garde->accepteFermeture = false;
  TVueEssai::questions = 0;
  Client()->FermeVues();
  EXPECT_EQ(TVueEssai::questions, 1);
  EXPECT_TRUE(garde.isNull());
  EXPECT_EQ(Client()->Vue(), nullptr);
  EXPECT_EQ(VuesOuvertes(), 0);
  EXPECT_EQ(Cadre()->windowTitle(), QStringLiteral("Le Velquor"));
}

TEST_F(ClientMDI, NouvelleRechercheFermeLaVueEtRemetLesBoutonsEnHautAvantLeDialogue) {
  Montrer();
  Envoyer(103);
  pendantRecherche_ = [this](QWidget* parent) {
    EXPECT_EQ(parent, Client());
    EXPECT_EQ(Client()->Vue(), nullptr);
    EXPECT_EQ(EtatsBoutonsVues(), SeulEnBas(-1));
  };
  ASSERT_TRUE(Envoyer(108));  // cancelled: no view
  EXPECT_EQ(recherches_, 1);
  EXPECT_EQ(Client()->Vue(), nullptr);
  EXPECT_EQ(Cadre()->windowTitle(), QStringLiteral("Le Velquor"));
  reponseRecherche_ = 1;
  ASSERT_TRUE(Envoyer(108));
  ASSERT_NE(Client()->VueResultat(), nullptr);
  EXPECT_EQ(EtatsBoutonsVues(), SeulEnBas(3));
}

TEST_F(ClientMDI, UneSorteDeVueSansFabriqueNeSOuvrePas) {
  TVelquorMDIClient client;
  EXPECT_EQ(client.OuvrirVue(TypeVue::Familles), nullptr);
  EXPECT_FALSE(client.ReglerActivation(102).value_or(true));
  EXPECT_FALSE(client.ReglerActivation(108).value_or(true));
  client.DefinirFabrique(TypeVue::Familles, [](QWidget* p) {
    return new TVueEssai(QStringLiteral("Gestion des familles"), {}, p);
  });
  EXPECT_TRUE(client.ReglerActivation(102).value_or(false));
  EXPECT_NE(client.OuvrirVue(TypeVue::Familles), nullptr);
  EXPECT_EQ(ContexteAide, 4);
  ContexteAide = 0;
}

TEST_F(ClientMDI, LeLogoEstCentreSurLaCouleurDesBoutons) {
  Montrer();
  Client()->resize(530, 340);
  QImage image = Client()->grab().toImage();
  const QImage logo = ChargerBitmap(999);
  ASSERT_FALSE(logo.isNull());
  const int x = (530 - logo.width()) / 2;
  const int y = (340 - logo.height()) / 2;
  const QRgb face = Client()->palette().color(QPalette::Button).rgb();
  // The logo's light-grey corner shows the button face; outside it, the workspace.
  EXPECT_EQ(image.pixel(x + 1, y + 1), face);
  EXPECT_EQ(image.pixel(x + logo.width() - 2, y + logo.height() - 2), face);
  EXPECT_EQ(image.pixel(x - 2, y + 1), Client()->palette().color(QPalette::Dark).rgb());
  // Its other colours are the bitmap's own: the name is written in navy somewhere.
  bool marine = false;
  for (int j = 0; j < logo.height() && !marine; ++j)
    for (int i = 0; i < logo.width() && !marine; ++i)
      marine = image.pixelColor(x + i, y + j) == QColor(0, 0, 128);
  EXPECT_TRUE(marine);
  // Covered by an open view.
  Envoyer(103);
  image = Cadre()->grab().toImage();
  const QPoint centre = Client()->mapTo(Cadre(), Client()->rect().center());
  EXPECT_NE(image.pixelColor(centre), QColor(0, 0, 128));
}

}  // namespace
}  // namespace velquor::test
