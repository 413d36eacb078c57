// SPDX-License-Identifier: GPL-3.0-or-later
// The consistency passes over the cocktail files: which bytes change, what the progress reporter
// sees, and what is never touched.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "editors/coherence.h"
#include "search/trace_crochets.h"
#include "store/pannes_fichiers.h"
#include "support/dossier_temporaire.h"

namespace velquor {
namespace {

using test::LireOctets;
using test::Trace;
using Octets = std::vector<unsigned char>;

constexpr std::size_t TailleEnr = sizeof(EnrCocktail);
constexpr std::size_t OffsetFamille = offsetof(EnrCocktail, Famille);

std::size_t OffsetIngredient(int i) {
  return offsetof(EnrCocktail, Ingredient) + static_cast<std::size_t>(i) * TailleNom;
}

// The data file offset of the record added in position rang.
std::int64_t OffsetEnreg(int rang) {
  return 8 + static_cast<std::int64_t>(rang) * static_cast<std::int64_t>(TailleEnr);
}

// Writes a name into a 31-byte field of the data file image, as the pass should have.
void Poser(Octets& dat, int rang, std::size_t champ, std::string_view nom) {
  auto debut = dat.begin() + OffsetEnreg(rang) + static_cast<std::ptrdiff_t>(champ);
  std::fill(debut, debut + TailleNom, 0);
  std::copy(nom.begin(), nom.end(), debut);
}

class CoherenceTest : public test::TestDansDossier {
 protected:
  // Added in this order: ranks 0 to 3 in the data file.
  void SetUp() override {
    test::CreerCocktails(
        {{"ALEXANDER", "DIGESTIF", {"COGNAC", "CREME"}, {"3 cl", "3 cl"}, "Secouer."},
         {"B52", "Digestif", {"Citron"}},
         {"TOM COLLINS",
          "HIGHBALLS",
          {"GIN", "", "CITRON", "SUCRE", "", "", "", "CITRON"},
          {"4 cl", "", "2 cl", "1 cuill\xE8re", "", "", "", "1 zeste"}},
         {"STINGER", "DIGESTIF DOUX", {"CITRON VERT", "CITRON"}}});
    dat_ = LireOctets("COCKTAIL.DAT");
    ndx_ = LireOctets("COCKTAIL.NDX");
  }

  Trace trace_;
  test::TraceProgression progression_{trace_};
  Octets dat_, ndx_;
};

// DIGESTIF is the family of rank 0 (Digestif and DIGESTIF DOUX stay); CITRON is twice in rank 2,
// which is written once, and in rank 3 (Citron and CITRON VERT stay). A deletion empties the
// name, keeps the row's quantity and moves the rows up: in rank 2, SUCRE comes up behind GIN
// and the two quantities left without an ingredient follow, in their order.
TEST_F(CoherenceTest, RenommageEtSuppressionNeRecriventQueLesNomsExacts) {
  struct Cas {
    bool famille;
    std::string nouveau;
  };
  for (const Cas& c : {Cas{true, ""}, Cas{true, "DIGESTIFS ET LIQUEURS FINES"}, Cas{false, ""},
                       Cas{false, "CITRON JAUNE"}}) {
    SCOPED_TRACE((c.famille ? "famille " : "ingredient ") + c.nouveau);
    test::EcrireOctets("COCKTAIL.DAT", dat_);
    trace_.clear();
    Octets attendu = dat_;
    if (c.famille) {
      PropagerFamille("DIGESTIF", c.nouveau, progression_, progression_.Pompe());
      Poser(attendu, 0, OffsetFamille, c.nouveau);
    } else {
      PropagerIngredient("CITRON", c.nouveau, progression_, progression_.Pompe());
      const std::pair<int, int> lignes[] = {{2, 2}, {2, 7}, {3, 1}};  // rank, row
      for (const auto& [rang, ligne] : lignes)
        Poser(attendu, rang, OffsetIngredient(ligne), c.nouveau);
      const EnrCocktail serre =
          test::Enregistrement({"TOM COLLINS",
                                "HIGHBALLS",
                                {"GIN", "SUCRE"},
                                {"4 cl", "1 cuill\xE8re", "2 cl", "1 zeste"}});
      if (c.nouveau.empty()) std::memcpy(attendu.data() + OffsetEnreg(2), &serre, TailleEnr);
    }
    EXPECT_EQ(trace_.size(), 10u);  // debut, a step and a pump for each cocktail, fin
    EXPECT_EQ(LireOctets("COCKTAIL.DAT"), attendu);
    EXPECT_EQ(LireOctets("COCKTAIL.NDX"), ndx_);
  }
}

// A failing disk: whichever read or write of the pass fails, the pass either carries every
// cocktail over or says that it did not, so that the editor can tell the user.
TEST_F(CoherenceTest, UnePanneDuDisqueNEstJamaisUnSucces) {
  Octets attendu = dat_;
  Poser(attendu, 0, OffsetFamille, "");
  int echecs = 0;
  for (const auto operation :
       {pannes::Operation::Ouverture, pannes::Operation::Lecture, pannes::Operation::Ecriture}) {
    for (long rang = 1; rang <= 12; ++rang) {
      test::EcrireOctets("COCKTAIL.DAT", dat_);
      pannes::Programmer(operation, rang, EIO);
      const bool reussie = PropagerFamille("DIGESTIF", "", progression_, progression_.Pompe());
      pannes::Effacer();
      echecs += reussie ? 0 : 1;
      EXPECT_TRUE(!reussie || LireOctets("COCKTAIL.DAT") == attendu) << rang;
    }
  }
  EXPECT_GT(echecs, 0);  // the failures did reach the pass
}

TEST_F(CoherenceTest, NomsImpossiblesRefuses) {
  // An empty old name would fill every blank slot; a new name too long for the field would be
  // stored cut short.
  PropagerIngredient("", "GIN", progression_, progression_.Pompe());
  PropagerFamille("", "TIKI", progression_, progression_.Pompe());
  PropagerFamille("DIGESTIF", std::string(31, 'D'), progression_, progression_.Pompe());
  EXPECT_EQ(LireOctets("COCKTAIL.DAT"), dat_);
  EXPECT_TRUE(trace_.empty());
}

}  // namespace
}  // namespace velquor
