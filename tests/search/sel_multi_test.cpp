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
#include "support_ui/clavier.h"
#include "support_ui/couture.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

using test::Contenu;
using test::Entrees;
using Noms = std::vector<std::string>;

struct Issue {
  int resultat = 0;
  std::string motif = "(intact)";
  bool selection = false;    // radio 102 enabled
  bool deselection = false;  // radio 103 enabled
  bool coche102 = false;
  std::string texte;  // label 110 at set-up
  bool operator==(const Issue&) const = default;
  friend std::ostream& operator<<(std::ostream& os, const Issue& i) {
    return os << i.resultat << " \"" << i.motif << "\" " << i.selection << i.deselection
              << i.coche102 << " " << i.texte;
  }
};

struct Cas {
  bool selectionPermise, deselectionPermise;
  QString tape;  // typed into the pattern field
  int radio;     // clicked if not 0
  bool annuler;  // Annuler instead of Ok
  Issue issue;
};

Issue Executer(const Cas& c) {
  Issue issue;
  test::PiloteModal pilote([&](PDialogue& d) {
    issue.selection = d.Controle<PRadio>(102)->isEnabled();
    issue.deselection = d.Controle<PRadio>(103)->isEnabled();
    issue.coche102 = d.Controle<PRadio>(102)->isChecked();
    issue.texte = d.Controle<QLabel>(110)->text().toStdString();
    if (c.radio) d.Controle<PRadio>(c.radio)->click();
    test::Taper(d.Controle<PEdition>(101), c.tape);
    QTest::mouseClick(d.Controle<QPushButton>(c.annuler ? 2 : 1), Qt::LeftButton);
  });
  std::string motif = issue.motif;
  issue.resultat = SelMulti(nullptr, motif, c.selectionPermise, c.deselectionPermise).Executer();
  issue.motif = motif;
  return issue;
}

TEST(SelMulti, RadiosSelonLesListesEtMotifSansBlancsFinaux) {
  const std::string selection = "Sélection des &ingrédients contenant: ";
  const std::string deselection = "Désélection des &ingrédients contenant: ";
  const int sel = SelMulti::Selection, desel = SelMulti::Deselection;
  const Cas cas[] = {
      {true, true, "gin", 0, false, {sel, "GIN", true, true, true, selection}},
      // Available list empty: only deselection, checked from the start.
      {false, true, "GIN", 0, false, {desel, "GIN", false, true, false, deselection}},
      // Both lists empty: both radios disabled, 103 checked, Ok still ends with 103.
      {false, false, "GIN", 0, false, {desel, "GIN", false, false, false, deselection}},
      {true, true, "RHUM", 103, false, {desel, "RHUM", true, true, true, selection}},
      {true, false, "CITRON  ", 0, false, {sel, "CITRON", true, false, true, selection}},
      {true, false, " CITRON", 0, false, {sel, " CITRON", true, false, true, selection}},
      // Blanks only: a beep, the dialog stays (the pilot then cancels it), the buffer untouched.
      {true, false, "   ", 0, false, {2, "(intact)", true, false, true, selection}},
      {true, false, "GIN", 0, true, {2, "(intact)", true, false, true, selection}},
  };
  test::RepondeurScripte repondeur;
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tape.toStdString());
    EXPECT_EQ(Executer(c), c.issue);
  }
  EXPECT_EQ(repondeur.bips, 1);
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
  EXPECT_EQ(Contenu(destination), (Noms{"ANGOSTURA", "[JUS DE CITRON]", "ZESTE DE CITRON"}));
  EXPECT_EQ(DeplacerContenant(source, destination, "citron"), 0);  // case-sensitive
  EXPECT_EQ(source.NbElements(), 3);

  PListe vide;
  EXPECT_EQ(DeplacerContenant(vide, destination, "GIN"), 0);
}

}  // namespace
}  // namespace velquor
