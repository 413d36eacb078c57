// The multiple selection dialog (radios and label by the lists' state, the pattern's trailing
// blanks) and the move of the entries that contain the pattern.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "donnees_fenetres.h"
#include "framework/boutons.h"
#include "framework/edition.h"
#include "search/sel_multi.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

using Noms = std::vector<std::string>;

TEST(SelMulti, RadiosEtEtiquetteSelonLesListesEtMotifSansBlancsFinaux) {
  struct Cas {
    bool selection, deselection;
    const char* tape;
    int resultat;
    std::string motif, etiquette;  // the pattern returned; label 110 at set-up
  };
  const std::string sel = "Sélection des &ingrédients contenant: ";
  const std::string desel = "Désélection des &ingrédients contenant: ";
  const Cas cas[] = {
      {true, true, "gin", SelMulti::Selection, "GIN", sel},
      // Available list empty: only deselection, checked from the start.
      {false, true, "GIN", SelMulti::Deselection, "GIN", desel},
      {true, false, " CITRON  ", SelMulti::Selection, " CITRON", sel},
      // Blanks only: a beep, the dialog stays (the pilot then cancels it), the buffer untouched.
      {true, false, "   ", 2, "(intact)", sel},
  };
  test::RepondeurScripte repondeur;
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tape);
    std::string etiquette, motif = "(intact)";
    std::pair<bool, bool> radios;
    test::PiloteModal pilote([&](PDialogue& d) {
      radios = {d.Controle<PRadio>(102)->isEnabled(), d.Controle<PRadio>(103)->isEnabled()};
      etiquette = d.Controle<QLabel>(110)->text().toStdString();
      test::Taper(d.Controle<PEdition>(101), c.tape);
      QTest::mouseClick(d.Controle<QPushButton>(1), Qt::LeftButton);
    });
    EXPECT_EQ(SelMulti(nullptr, motif, c.selection, c.deselection).Executer(), c.resultat);
    EXPECT_EQ(motif, c.motif);
    EXPECT_EQ(etiquette, c.etiquette);
    EXPECT_EQ(radios, std::make_pair(c.selection, c.deselection));
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
  EXPECT_EQ(test::Entrees(source), (Noms{"CITRON", "CITRON VERT", "GIN"}));
  EXPECT_EQ(test::Contenu(destination), (Noms{"ANGOSTURA", "[JUS DE CITRON]", "ZESTE DE CITRON"}));
  EXPECT_EQ(DeplacerContenant(source, destination, "citron"), 0);  // case-sensitive
}

}  // namespace
}  // namespace velquor
