#include "store/cp1252.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "ordre_plateforme.h"

namespace velquor {
namespace {

// The code page as the platform reads it (MultiByteToWideChar): it maps the five undefined
// bytes to the C1 controls of the same value too.
TEST(Cp1252, MappingAgreesWithThePlatformAndRoundTrips) {
  const std::vector<CaracterePlateforme>& table = Plateforme().table;
  ASSERT_EQ(table.size(), 256u);
  std::set<char32_t> images;
  for (int octet = 0; octet < 256; ++octet) {
    const auto o = static_cast<unsigned char>(octet);
    const char32_t point = Cp1252VersUnicode(o);
    EXPECT_EQ(table[octet].octet, o);
    EXPECT_EQ(point, table[octet].point) << std::hex << octet;
    EXPECT_EQ(UnicodeVersCp1252(point), std::optional<unsigned char>(o)) << std::hex << octet;
    images.insert(point);
  }
  EXPECT_EQ(images.size(), 256u);
  // Nothing outside those 256 code points has a byte.
  for (char32_t point = 0; point <= 0x10FFFF; ++point) {
    if (images.count(point) == 0) {
      ASSERT_FALSE(UnicodeVersCp1252(point)) << std::hex << static_cast<std::uint32_t>(point);
    }
  }
  EXPECT_FALSE(UnicodeVersCp1252(0x110000));
  EXPECT_FALSE(UnicodeVersCp1252(0xFFFFFFFF));
}

// Capitals and small letters as the platform makes them (CharUpperBuffA, CharLowerBuffA).
TEST(Cp1252, CapitalsAndSmallLetters) {
  const std::vector<CaracterePlateforme>& table = Plateforme().table;
  ASSERT_EQ(table.size(), 256u);
  for (int x = 0; x < 256; ++x) {
    const auto octet = static_cast<unsigned char>(x);
    EXPECT_EQ(MajusculeCp1252(octet), table[x].majuscule) << std::hex << x;
    EXPECT_EQ(MinusculeCp1252(octet), table[x].minuscule) << std::hex << x;
  }
  // Never length-changing: ß stays, so do ÷, µ and the ordinals.
  const std::string texte = *Utf8VersCp1252("straße crème brûlée ÿ œ š ž ÷ µ ª º 12 ½!");
  const std::string majuscules = MajusculesCp1252(texte);
  EXPECT_EQ(majuscules.size(), texte.size());
  EXPECT_EQ(Cp1252VersUtf8(majuscules), "STRAßE CRÈME BRÛLÉE Ÿ Œ Š Ž ÷ µ ª º 12 ½!");
  EXPECT_EQ(MajusculesCp1252(std::string("a\0b", 3)), std::string("A\0B", 3));
}

}  // namespace
}  // namespace velquor
