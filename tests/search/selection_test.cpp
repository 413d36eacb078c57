// The selection files: 31-byte slots, read back in file order, rewritten whole.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "search/selection.h"
#include "support/dossier_temporaire.h"

namespace velquor {
namespace {

using test::EcrireOctets;
using test::LireOctets;
using Octets = std::vector<unsigned char>;
using Noms = std::vector<std::string>;

Octets Slot(std::string_view texte, std::size_t taille = 31) {
  Octets o(taille, 0);
  std::copy(texte.begin(), texte.end(), o.begin());
  return o;
}

Octets operator+(Octets a, const Octets& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SelectionTest : public test::TestDansDossier {};

TEST_F(SelectionTest, LectureDesSlots) {
  EcrireOctets("SELECCOC.DAT", Slot("GIN") + Slot("CITRON"));
  EXPECT_EQ(LireSelection(CheminSelectionIngredients), (Noms{"GIN", "CITRON"}));

  // A short last slot still gives its text; bytes after a terminator are not part of a name.
  auto junk = Slot("RHUM");
  junk[10] = 'Z';
  EcrireOctets("SELECCOC.DAT", junk + Slot("MENTHE", 12));
  EXPECT_EQ(LireSelection(CheminSelectionIngredients), (Noms{"RHUM", "MENTHE"}));

  // A slot with no terminator gives its 31 bytes and no more.
  EcrireOctets("SELECCOC.DAT", Octets(31, 'A') + Slot("B"));
  EXPECT_EQ(LireSelection(CheminSelectionIngredients), (Noms{std::string(31, 'A'), "B"}));
}

TEST_F(SelectionTest, FichierAbsentOuIlisible) {
  EXPECT_TRUE(LireSelection(CheminSelectionFamilles).empty());
  std::filesystem::create_directory("SELECFAM.DAT");
  EXPECT_TRUE(LireSelection(CheminSelectionFamilles).empty());
  EXPECT_FALSE(EcrireSelection(CheminSelectionFamilles, {"TIKI"}));
}

// One 31-byte slot per name, a name too long cut to keep its terminator.
TEST_F(SelectionTest, EcritureUnSlotParNom) {
  const std::string trente(30, 'N');
  ASSERT_TRUE(EcrireSelection(CheminSelectionFamilles, {"SOURS", trente + "XYZ", "APERITIFS"}));
  EXPECT_EQ(LireOctets("SELECFAM.DAT"), Slot("SOURS") + Slot(trente) + Slot("APERITIFS"));
  // Rewriting replaces the whole file: no slot of the longer list is left behind.
  ASSERT_TRUE(EcrireSelection(CheminSelectionFamilles, {"FIZZ"}));
  EXPECT_EQ(LireOctets("SELECFAM.DAT"), Slot("FIZZ"));
}

}  // namespace
}  // namespace velquor
