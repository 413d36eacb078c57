// The About box: the logo and the counts read from the data headers when it opens.

#include <QLabel>

#include <gtest/gtest.h>

#include "shell/about_dlg.h"
#include "shell/bitmaps.h"
#include "shell/btn_aff_bmp.h"
#include "shell/my_gadget_btn.h"
#include "store/collections.h"
#include "support_shell.h"
#include "support_ui/couture.h"

namespace velquor::test {
namespace {

struct Lignes {
  QString ingredients;
  QString cocktails;
  QString titre;
  bool logoPlat = false;
};

class APropos : public ApplicationShell {
 protected:
  // Opens the box with command 2009 and reads it.
  Lignes Ouvrir() {
    Lignes lignes;
    int ouvertures = 0;
    PiloteModal pilote([&](PDialogue& d) {
      ++ouvertures;
      EXPECT_EQ(d.IdModele(), 22000);
      auto& apropos = dynamic_cast<TVelquorAboutDlg&>(d);
      lignes.ingredients = apropos.LigneIngredients()->text();
      lignes.cocktails = apropos.LigneCocktails()->text();
      lignes.titre = d.windowTitle();
      lignes.logoPlat = apropos.Logo() && apropos.Logo()->Plat();
      d.FermerDialogue(1);
    });
    EXPECT_TRUE(Envoyer(2009));
    EXPECT_EQ(ouvertures, 1);
    return lignes;
  }
};

TEST_F(APropos, SansFichiersLesComptesSontNulsEtLaBoiteNeChangeNiLaVueNiLeContexte) {
  Montrer();
  Envoyer(103);
  QPointer<TVueEssai> vue = VueOuverte();
  const Lignes l = Ouvrir();
  EXPECT_EQ(l.titre, QStringLiteral("A propos du Velquor"));
  EXPECT_EQ(l.ingredients, QStringLiteral("0 Ingrédients définis"));
  EXPECT_EQ(l.cocktails, QStringLiteral("0 Cocktails définis"));
  EXPECT_TRUE(l.logoPlat);
  EXPECT_TRUE(repondeur_.boites.empty());  // missing files are not reported
  EXPECT_EQ(VueOuverte(), vue.data());
  EXPECT_EQ(ContexteAide, 2);
  EXPECT_EQ(app_.BtnCocktails->EtatBouton(), MyGadgetBtn::Etat::Bas);
}

TEST_F(APropos, LesComptesSuiventLesAjoutsEtLesSuppressions) {
  FicCocktail cocktails;
  ASSERT_TRUE(cocktails.Creer());
  ASSERT_TRUE(cocktails.Ouvrir());
  ASSERT_TRUE(cocktails.Ajouter("MARTINI"));
  EXPECT_EQ(Ouvrir().cocktails, QStringLiteral("1 Cocktails définis"));  // no singular form
  ASSERT_TRUE(cocktails.Ajouter("NEGRONI"));
  ASSERT_TRUE(cocktails.Ajouter("MOJITO"));
  EXPECT_EQ(Ouvrir().cocktails, QStringLiteral("3 Cocktails définis"));
  ASSERT_TRUE(cocktails.Chercher("NEGRONI"));
  ASSERT_TRUE(cocktails.Supprimer());
  Lignes l = Ouvrir();
  EXPECT_EQ(l.cocktails, QStringLiteral("2 Cocktails définis"));
  EXPECT_EQ(l.ingredients, QStringLiteral("0 Ingrédients définis"));

  CreerCollection<FicIngredient>(BaseIngredient, {"GIN"});
  EXPECT_EQ(Ouvrir().ingredients, QStringLiteral("1 Ingrédients définis"));
}

TEST(BtnAffBmp, LeLogoPrendLesCouleursDesBoutonsEtSeDessineDecale) {
  BtnAffBmp bouton(999, nullptr, true);
  QPalette palette = bouton.palette();
  palette.setColor(QPalette::Button, QColor(1, 2, 3));
  palette.setColor(QPalette::Light, QColor(4, 5, 6));
  palette.setColor(QPalette::Dark, QColor(7, 8, 9));
  bouton.setPalette(palette);
  EXPECT_EQ(bouton.sizeHint(), QSize(255, 145));
  const QImage logo = ChargerBitmap(999);
  const QImage affichee = bouton.ImageAffichee();
  ASSERT_EQ(logo.colorCount(), 16);
  ASSERT_EQ(affichee.colorCount(), logo.colorCount());
  for (int i = 0; i < logo.colorCount(); ++i) {
    QColor attendue = QColor::fromRgb(logo.color(i));
    if (i == 15)
      attendue = QColor(4, 5, 6);  // entry 15: the highlight, whatever it held
    else if (logo.color(i) == kGrisClair)
      attendue = QColor(1, 2, 3);
    else if (logo.color(i) == kGrisFonce)
      attendue = QColor(7, 8, 9);
    EXPECT_EQ(QColor::fromRgb(affichee.color(i)), attendue) << i;
  }
  // Drawn one pixel right and down, on the face, without a border.
  bouton.resize(258, 146);
  const QImage image = bouton.grab().toImage();
  EXPECT_EQ(image.pixelColor(0, 0), QColor(1, 2, 3));
  for (int y = 0; y < logo.height(); y += 7) {
    for (int x = 0; x < logo.width(); x += 5) {
      ASSERT_EQ(image.pixel(x + 1, y + 1), affichee.pixel(x, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace velquor::test
