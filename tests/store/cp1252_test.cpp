#include "store/cp1252.h"

#include <gtest/gtest.h>

#include <set>

#include "ordre_plateforme.h"

namespace velquor {
namespace {

// The code page, its capitals and small letters as the platform makes them (MultiByteToWideChar,
// CharUpperBuffA, CharLowerBuffA): the five undefined bytes map to the C1 controls of the same
// value, and nothing outside those 256 code points has a byte.
TEST(Cp1252, AgreesWithThePlatform) {
  const std::vector<CaracterePlateforme>& table = Plateforme().table;
  ASSERT_EQ(table.size(), 256u);
  std::set<char32_t> images;
  for (const CaracterePlateforme& c : table) {
    EXPECT_EQ(Cp1252VersUnicode(c.octet), c.point) << std::hex << int(c.octet);
    EXPECT_EQ(UnicodeVersCp1252(c.point), std::optional<unsigned char>(c.octet));
    EXPECT_EQ(MajusculeCp1252(c.octet), c.majuscule) << std::hex << int(c.octet);
    EXPECT_EQ(MinusculeCp1252(c.octet), c.minuscule) << std::hex << int(c.octet);
    images.insert(c.point);
  }
  for (char32_t point = 0; point <= 0x110000; ++point) {
    if (!images.count(point))
      ASSERT_FALSE(UnicodeVersCp1252(point)) << std::hex << static_cast<unsigned>(point);
  }
}

}  // namespace
}  // namespace velquor
