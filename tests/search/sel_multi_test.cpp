// The multiple selection dialog (radios, label, the pattern's trailing blanks) and the move of
// the entries that contain the pattern.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "donnees_fenetres.h"
#include "framework/boutons.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "search/sel_multi.h"
#include "support_ui/capture.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

using test::Entrees;
using test::Selectionnee;
using Noms = std::vector<std::string>;

struct Issue {
  int resultat = 0;
  std::string motif = "(intact)";
  bool selection = false;    // radio 102 enabled
  bool deselection = false;  // radio 103 enabled
  bool coche102 = false;
  QString texte;  // label 110 at set-up
};

// Runs the dialog; the user types `tape` (if any), clicks radio `radio` (if any), then Ok
// (or Annuler).
Issue Executer(bool selectionPermise, bool deselectionPermise, const QString& tape, int radio = 0,
               bool annuler = false, const QString& capture = {}) {
  Issue issue;
  test::PiloteModal pilote([&](PDialogue& d) {
    issue.selection = d.Controle<PRadio>(102)->isEnabled();
    issue.deselection = d.Controle<PRadio>(103)->isEnabled();
    issue.coche102 = d.Controle<PRadio>(102)->isChecked();
    issue.texte = d.Controle<QLabel>(110)->text();
    if (radio) d.Controle<PRadio>(radio)->click();
    test::Taper(d.Controle<PEdition>(101), tape);
    if (!capture.isEmpty()) test::EnregistrerCapture(&d, capture);
    QTest::mouseClick(d.Controle<QPushButton>(annuler ? 2 : 1), Qt::LeftButton);
  });
  std::string motif = issue.motif;
  issue.resultat = SelMulti(nullptr, motif, selectionPermise, deselectionPermise).Executer();
  issue.motif = motif;
  return issue;
}

TEST(SelMulti, RadiosSelonLesListes) {
  test::RepondeurScripte repondeur;
  Issue tout = Executer(true, true, QStringLiteral("gin"), 0, false, QStringLiteral("sel_multi"));
  EXPECT_TRUE(tout.selection && tout.deselection && tout.coche102);
  EXPECT_EQ(tout.texte, QStringLiteral("Sélection des &ingrédients contenant: "));
  EXPECT_EQ(tout.resultat, SelMulti::Selection);
  EXPECT_EQ(tout.motif, "GIN");

  // Available list empty: only deselection, checked from the start.
  Issue deselection = Executer(false, true, QStringLiteral("GIN"));
  EXPECT_FALSE(deselection.selection);
  EXPECT_TRUE(deselection.deselection);
  EXPECT_FALSE(deselection.coche102);
  EXPECT_EQ(deselection.texte, QStringLiteral("Désélection des &ingrédients contenant: "));
  EXPECT_EQ(deselection.resultat, SelMulti::Deselection);

  // Both lists empty: both radios disabled, 103 checked, Ok still ends with 103.
  Issue rien = Executer(false, false, QStringLiteral("GIN"));
  EXPECT_FALSE(rien.selection || rien.deselection || rien.coche102);
  EXPECT_EQ(rien.resultat, SelMulti::Deselection);

  // Clicking the other radio changes the label and the result.
  Issue change = Executer(true, true, QStringLiteral("RHUM"), 103);
  EXPECT_EQ(change.resultat, SelMulti::Deselection);
  EXPECT_EQ(repondeur.bips, 0);
}

TEST(SelMulti, BlancsFinauxEnlevesBlancsSeulsRefuses) {
  test::RepondeurScripte repondeur;
  EXPECT_EQ(Executer(true, false, QStringLiteral("CITRON  ")).motif, "CITRON");
  EXPECT_EQ(Executer(true, false, QStringLiteral(" CITRON")).motif, " CITRON");
  EXPECT_EQ(repondeur.bips, 0);

  // Blanks only: a beep, the dialog stays (the pilot then cancels it), the buffer is untouched.
  Issue blancs = Executer(true, false, QStringLiteral("   "));
  EXPECT_EQ(repondeur.bips, 1);
  EXPECT_EQ(blancs.resultat, 2);
  EXPECT_EQ(blancs.motif, "(intact)");
  Issue annule = Executer(true, false, QStringLiteral("GIN"), 0, true);
  EXPECT_EQ(annule.resultat, 2);
  EXPECT_EQ(annule.motif, "(intact)");
}

TEST(DeplacerContenant, DuDernierAuPremierLeDernierDeplaceResteSelectionne) {
  PListe source, destination;
  source.DefinirTrie(true);
  destination.DefinirTrie(true);
  for (const char* nom : {"CITRON", "CITRON VERT", "GIN", "JUS DE CITRON", "ZESTE DE CITRON"})
    source.AjouterChaine(nom);
  destination.AjouterChaine("ANGOSTURA");

  EXPECT_EQ(DeplacerContenant(source, destination, " CITRON"), 2);
  EXPECT_EQ(Entrees(source), (Noms{"CITRON", "CITRON VERT", "GIN"}));
  EXPECT_EQ(Entrees(destination), (Noms{"ANGOSTURA", "JUS DE CITRON", "ZESTE DE CITRON"}));
  EXPECT_EQ(Selectionnee(destination), "JUS DE CITRON");

  EXPECT_EQ(DeplacerContenant(source, destination, "citron"), 0);  // case-sensitive
  EXPECT_EQ(DeplacerContenant(source, destination, "XYZ"), 0);
  EXPECT_EQ(source.NbElements(), 3);

  EXPECT_EQ(DeplacerContenant(source, destination, "CITRON"), 2);
  EXPECT_EQ(Entrees(source), Noms{"GIN"});
  EXPECT_EQ(Selectionnee(destination), "CITRON");

  PListe vide;
  EXPECT_EQ(DeplacerContenant(vide, destination, "GIN"), 0);
}

}  // namespace
}  // namespace velquor
