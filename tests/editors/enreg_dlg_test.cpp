// The name dialog in its three modes (the captions of renaming and duplicating are seen through
// the editors): the old name shown or hidden, what is confirmed (capitals, trailing spaces
// removed, at most 30 characters), what is refused with a beep, and where it opens.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "editors/enreg_dlg.h"
#include "framework/edition.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

using Mode = EnregDlg::ModeNom;

class NomDlg : public ::testing::Test {
 protected:
  NomDlg() {
    proprietaire_.resize(400, 300);
    proprietaire_.move(100, 80);
    proprietaire_.show();
  }

  // Runs the dialog; action acts on it from inside the modal run.
  int Executer(std::string& nom, Mode mode, const std::function<void(EnregDlg&)>& action) {
    test::PiloteModal pilote([&](PDialogue& d) {
      auto* dialogue = dynamic_cast<EnregDlg*>(&d);
      ASSERT_NE(dialogue, nullptr);
      EXPECT_TRUE(QTest::qWaitForWindowActive(dialogue));
      action(*dialogue);
    });
    return EnregDlg(&proprietaire_, nom, mode).Executer();
  }

  static PEdition* Nouveau(EnregDlg& d) { return d.Controle<PEdition>(EnregDlg::IdNouveauNom); }
  static PEdition* Ancien(EnregDlg& d) { return d.Controle<PEdition>(EnregDlg::IdAncienNom); }
  static void Entree(EnregDlg& d) { QTest::keyClick(Nouveau(d), Qt::Key_Return); }

  test::RepondeurScripte repondeur_;
  QWidget proprietaire_;
};

TEST_F(NomDlg, CreerCacheLAncienNomEtConfirmeEnCapitalesSansLesEspacesFinaux) {
  struct Cas {
    const char* tape;
    const char* nom;
    int bips;  // each refused character beeps
  };
  const Cas cas[] = {{"gin tonic", "GIN TONIC", 0},
                     {"  gin  ", "  GIN", 0},
                     {"abcdefghijklmnopqrstuvwxyz0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", 6}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tape);
    std::string nom = "IGNORE";
    repondeur_.bips = 0;
    const int resultat = Executer(nom, Mode::Creer, [&c](EnregDlg& d) {
      EXPECT_EQ(d.windowTitle(), "Créer une nouvelle fiche");
      EXPECT_TRUE(d.Controle<QLabel>(EnregDlg::IdEtiquetteAncien)->isHidden());
      EXPECT_TRUE(Ancien(d)->isHidden());
      EXPECT_TRUE(Nouveau(d)->text().isEmpty());
      EXPECT_TRUE(Nouveau(d)->hasFocus());
      test::Taper(Nouveau(d), c.tape);
      Entree(d);
    });
    EXPECT_EQ(resultat, 1);
    EXPECT_EQ(nom, c.nom);
    EXPECT_EQ(repondeur_.bips, c.bips);
  }
}

TEST_F(NomDlg, UnNomVideOuFaitDEspacesEstRefuseEtLeChampVide) {
  std::string nom = "AVANT";
  const int resultat = Executer(nom, Mode::Creer, [this](EnregDlg& d) {
    Entree(d);
    EXPECT_EQ(repondeur_.bips, 1);
    test::Taper(Nouveau(d), "   ");
    Entree(d);
    EXPECT_EQ(repondeur_.bips, 2);
    EXPECT_TRUE(Nouveau(d)->text().isEmpty());
    EXPECT_TRUE(Nouveau(d)->hasFocus());
    EXPECT_TRUE(d.isVisible());  // still open
    QTest::keyClick(Nouveau(d), Qt::Key_Escape);
  });
  EXPECT_EQ(resultat, 2);
  EXPECT_EQ(nom, "AVANT");  // a cancelled dialog leaves the buffer as it was
}

// Centred on its owner's window; the old name shown, and refused as the new one.
TEST_F(NomDlg, RenommerRefuseLAncienNomMemeAvecDesEspacesFinaux) {
  std::string nom = "GIN";
  QRect rect;
  const int resultat = Executer(nom, Mode::Renommer, [&](EnregDlg& d) {
    rect = d.frameGeometry();
    EXPECT_FALSE(Ancien(d)->isHidden());
    EXPECT_FALSE(Ancien(d)->isEnabled());
    EXPECT_EQ(Ancien(d)->text(), "GIN");
    EXPECT_EQ(Nouveau(d)->text(), "GIN");
    Entree(d);
    EXPECT_EQ(repondeur_.bips, 1);
    Nouveau(d)->end(false);
    test::Taper(Nouveau(d), "  ");
    Entree(d);
    EXPECT_EQ(repondeur_.bips, 2);
    EXPECT_EQ(Nouveau(d)->text(), "GIN  ");  // left as typed, the focus on it
    EXPECT_TRUE(Nouveau(d)->hasFocus());
    test::Taper(Nouveau(d), "fizz");
    Entree(d);
  });
  EXPECT_EQ(resultat, 1);
  EXPECT_EQ(nom, "GIN  FIZZ");
  const QRect proprietaire = proprietaire_.frameGeometry();
  EXPECT_EQ(rect.left(), proprietaire.left() + (proprietaire.width() - rect.width()) / 2);
  EXPECT_EQ(rect.top(), proprietaire.top() + (proprietaire.height() - rect.height()) / 2);
}

TEST_F(NomDlg, DupliquerProposeLAncienNomEtAnnulerNeChangeRien) {
  std::string nom = "GIN";
  const int resultat = Executer(nom, Mode::Dupliquer, [](EnregDlg& d) {
    EXPECT_EQ(Nouveau(d)->text(), "GIN");
    EXPECT_EQ(Nouveau(d)->selectedText(), "GIN");  // typing replaces the proposal
    test::Taper(Nouveau(d), "vodka");
    d.Controle<QPushButton>(2)->click();
  });
  EXPECT_EQ(resultat, 2);
  EXPECT_EQ(nom, "GIN");
}

}  // namespace
}  // namespace velquor
