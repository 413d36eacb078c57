// Pictures of the shell's windows for people to look at (build/screenshots/), at 100 % and at
// 200 % (the widgets drawn with a device pixel ratio of 2, as on a high-density screen).

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/edition.h"
#include "framework/liste.h"
#include "shell/about_dlg.h"
#include "shell/fenetre_aide.h"
#include "store/collections.h"
#include "support_shell.h"
#include "support_ui/capture.h"

namespace velquor::test {
namespace {

// Saves nom.png and nom_200.png; returns whether both were written.
bool Capturer(QWidget* widget, const QString& nom) {
  if (EnregistrerCapture(widget, nom).isEmpty()) return false;
  QPixmap double_(widget->size() * 2);
  double_.setDevicePixelRatio(2);
  double_.fill(Qt::transparent);
  widget->render(&double_);
  return double_.save(QDir(DossierCaptures()).filePath(nom + QStringLiteral("_200.png")), "PNG");
}

class Captures : public ApplicationShell {
 protected:
  ~Captures() override { FermerAide(); }
};

TEST_F(Captures, FenetrePrincipaleSansVue) {
  Montrer();
  EXPECT_TRUE(Capturer(Cadre(), QStringLiteral("shell_principale")));
}

TEST_F(Captures, FenetrePrincipaleAvecUneVue) {
  Montrer();
  Envoyer(103);
  PDialogue* dialogue = VueOuverte()->Client();
  auto* liste = dialogue->Controle<PListe>(501);
  for (const char* nom : {"AMERICANO", "BELLINI", "CAIPIRINHA", "COSMOPOLITAN", "DAIQUIRI",
                          "KIR ROYAL", "MARGARITA", "MOJITO", "NEGRONI",
                          "PI\xD1"
                          "A COLADA"})
    liste->AjouterChaine(nom);
  liste->SelectionnerIndex(7);
  dialogue->Controle<QLabel>(502)->setText(QStringLiteral("MOJITO"));
  dialogue->Controle<PEditionMulti>(503)->DefinirTexteCp1252(
      "Piler la menthe avec le sucre et le citron vert, ajouter le rhum et la glace pil\xE9"
      "e, "
      "allonger d'eau gazeuse.");
  app_.PasseInactive();
  EXPECT_TRUE(Capturer(Cadre(), QStringLiteral("shell_principale_vue")));
}

TEST_F(Captures, BoiteAPropos) {
  CreerCollection<FicIngredient>(BaseIngredient, {"GIN", "VERMOUTH ROUGE", "CAMPARI"});
  CreerCollection<FicCocktail>(BaseCocktail, {"NEGRONI"});
  Montrer();
  TVelquorAboutDlg apropos(Cadre());
  apropos.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&apropos));
  EXPECT_TRUE(Capturer(&apropos, QStringLiteral("shell_apropos")));
}

TEST_F(Captures, FenetreDAide) {
  AfficherAide(AideIndex);
  TFenetreAide* aide = FenetreAide();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(aide));
  EXPECT_TRUE(Capturer(aide, QStringLiteral("shell_aide")));
  AfficherAide(AideCocktails);
  EXPECT_TRUE(Capturer(aide, QStringLiteral("shell_aide_cocktails")));
}

}  // namespace
}  // namespace velquor::test
