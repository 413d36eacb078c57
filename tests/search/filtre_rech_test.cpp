// The refine dialog: its lists and defaults, the criteria it is given back, and what Ok and
// Annuler leave in them.

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "donnees_fenetres.h"
#include "framework/boutons.h"
#include "framework/combo.h"
#include "search/filtre_rech.h"
#include "support/dossier_temporaire.h"
#include "support_ui/couture.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;

struct Criteres {
  std::string ingredient;
  std::string famille;
  std::string alcool = "T";
  bool operator==(const Criteres&) const = default;
};

// What the dialog shows at set-up: the text of combos 101 and 102, the checked radio, and the
// number of entries of the two combos.
struct Vu {
  std::string famille, ingredient;
  int radio = 0, nbFamilles = 0, nbIngredients = 0;
  bool operator==(const Vu&) const = default;
  friend std::ostream& operator<<(std::ostream& os, const Vu& v) {
    return os << v.famille << "/" << v.ingredient << "/" << v.radio << "/" << v.nbFamilles << "/"
              << v.nbIngredients;
  }
};

class FiltreRechTest : public test::TestDansDossier {
 protected:
  // Runs the dialog over the criteria; agir acts on it before Ok (or Annuler).
  int Executer(Criteres& c, const std::function<void(PDialogue&)>& agir = {},
               bool annuler = false) {
    test::PiloteModal pilote([&](PDialogue& d) {
      auto* familles = d.Controle<PCombo>(101);
      auto* ingredients = d.Controle<PCombo>(102);
      vu_ = {familles->TexteCp1252(), ingredients->TexteCp1252(), 0, familles->NbElements(),
             ingredients->NbElements()};
      for (int id : {103, 104, 105})
        if (d.Controle<PRadio>(id)->isChecked()) vu_.radio = id;
      if (agir) agir(d);
      QTest::mouseClick(d.Controle<QPushButton>(annuler ? 2 : 1), Qt::LeftButton);
    });
    return FiltreRech(nullptr, c.ingredient, c.famille, c.alcool).Executer();
  }

  static void Choisir(PDialogue& d, int id, const char* texte) {
    auto* combo = d.Controle<PCombo>(id);
    combo->SelectionnerIndex(combo->ChercherExact(texte));
  }

  test::RepondeurScripte repondeur_;
  Vu vu_;
};

TEST_F(FiltreRechTest, ValeursParDefautEtFichiersAbsents) {
  Criteres c;
  EXPECT_EQ(Executer(c), 1);
  EXPECT_EQ(vu_, (Vu{"<Toutes>", "<Tous>", 103, 1, 1}));
  EXPECT_EQ(c, Criteres{});
  // Looked up only: no file created, no message.
  EXPECT_FALSE(fs::exists("FAMILLE.DAT"));
  EXPECT_FALSE(fs::exists("INGRED.NDX"));
  EXPECT_TRUE(repondeur_.boites.empty());
}

TEST_F(FiltreRechTest, ChoixRetenusEtRepris) {
  test::CreerFamilles({{"HIGHBALLS"}, {"SOURS"}, {"SOURS EXOTIQUES"}});
  test::CreerIngredients({{"CITRON"}, {"GIN", true}, {"RHUM", true}});
  Criteres c;
  EXPECT_EQ(Executer(c,
                     [](PDialogue& d) {
                       Choisir(d, 101, "SOURS");
                       Choisir(d, 102, "GIN");
                       d.Controle<PRadio>(105)->click();
                     }),
            1);
  EXPECT_EQ(vu_, (Vu{"<Toutes>", "<Tous>", 103, 4, 4}));
  EXPECT_EQ(c, (Criteres{"GIN", "SOURS", "N"}));

  // The next refine offers them again; Annuler leaves them as they are.
  EXPECT_EQ(Executer(
                c, [](PDialogue& d) { d.Controle<PRadio>(104)->click(); }, true),
            2);
  EXPECT_EQ(vu_, (Vu{"SOURS", "GIN", 105, 4, 4}));
  EXPECT_EQ(c, (Criteres{"GIN", "SOURS", "N"}));

  // "<Toutes>" and "<Tous>" store empty criteria.
  c.alcool.assign(1, 'A');  // not operator= of a literal: GCC 12 -Wrestrict at -O2
  EXPECT_EQ(Executer(c,
                     [](PDialogue& d) {
                       d.Controle<PCombo>(101)->SelectionnerIndex(0);
                       d.Controle<PCombo>(102)->SelectionnerIndex(0);
                     }),
            1);
  EXPECT_EQ(vu_.radio, 104);
  EXPECT_EQ(c, (Criteres{"", "", "A"}));
}

TEST_F(FiltreRechTest, FamilleSupprimeeDepuis) {
  test::CreerFamilles({{"HIGHBALLS"}, {"SOURS EXOTIQUES"}, {"TIKI"}});
  // A family deleted since: the first one beginning with its name, else "<Toutes>".
  Criteres c{"", "SOURS", "T"};
  Executer(c);
  EXPECT_EQ(vu_.famille, "SOURS EXOTIQUES");
  EXPECT_EQ(c.famille, "SOURS EXOTIQUES");  // Ok takes what is shown
  Criteres d{"MENTHE", "DIGESTIFS", "T"};
  Executer(d);
  EXPECT_EQ(vu_, (Vu{"<Toutes>", "<Tous>", 103, 4, 1}));
  EXPECT_EQ(d, (Criteres{"", "", "T"}));
}

}  // namespace
}  // namespace velquor
