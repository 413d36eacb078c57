#include "store/cp1252.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace velquor {
namespace {

// The code page as ICU's converter reads it; it maps the five holes to the C1 controls too.
std::vector<char32_t> TableIcu() {
  UErrorCode statut = U_ZERO_ERROR;
  UConverter* convertisseur = ucnv_open("windows-1252", &statut);
  EXPECT_TRUE(U_SUCCESS(statut)) << u_errorName(statut);
  std::vector<char32_t> table;
  for (int octet = 0; octet < 256 && convertisseur != nullptr; ++octet) {
    const char source = static_cast<char>(octet);
    UChar cible[4];
    statut = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(convertisseur, cible, 4, &source, 1, &statut);
    EXPECT_TRUE(U_SUCCESS(statut) && n == 1) << octet;
    table.push_back(n == 1 ? cible[0] : 0xFFFF);
  }
  ucnv_close(convertisseur);
  return table;
}

TEST(Cp1252, MappingAgreesWithIcuAndRoundTrips) {
  const std::vector<char32_t> icu = TableIcu();
  ASSERT_EQ(icu.size(), 256u);
  std::set<char32_t> images;
  for (int octet = 0; octet < 256; ++octet) {
    const auto o = static_cast<unsigned char>(octet);
    const char32_t point = Cp1252VersUnicode(o);
    EXPECT_EQ(point, icu[octet]) << std::hex << octet;
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

// Capital (or small letter) of a byte by the Unicode simple case mapping, kept only when the
// code page holds the result.
unsigned char CasseUnicode(unsigned char octet, bool majuscule) {
  const UChar32 point = static_cast<UChar32>(Cp1252VersUnicode(octet));
  const UChar32 autre = majuscule ? u_toupper(point) : u_tolower(point);
  return UnicodeVersCp1252(static_cast<char32_t>(autre)).value_or(octet);
}

TEST(Cp1252, CapitalsAndSmallLetters) {
  for (int x = 0; x < 256; ++x) {
    const auto octet = static_cast<unsigned char>(x);
    EXPECT_EQ(MajusculeCp1252(octet), CasseUnicode(octet, true)) << std::hex << x;
    EXPECT_EQ(MinusculeCp1252(octet), CasseUnicode(octet, false)) << std::hex << x;
  }
  // Never length-changing: ß stays, so do ÷, µ and the ordinals.
  const std::string texte = *Utf8VersCp1252("straße crème brûlée ÿ œ š ž ÷ µ ª º 12 ½!");
  const std::string majuscules = MajusculesCp1252(texte);
  EXPECT_EQ(majuscules.size(), texte.size());
  EXPECT_EQ(Cp1252VersUtf8(majuscules), "STRAßE CRÈME BRÛLÉE Ÿ Œ Š Ž ÷ µ ª º 12 ½!");
  EXPECT_EQ(MajusculesCp1252(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(Cp1252, Utf8RoundTripOfEveryByte) {
  std::string tous;
  for (int octet = 0; octet < 256; ++octet)
    tous.push_back(static_cast<char>(octet));
  const std::string utf8 = Cp1252VersUtf8(tous);
  // The same UTF-8 as ICU writes for those code points.
  icu::UnicodeString unicode;
  for (int octet = 0; octet < 256; ++octet) {
    unicode.append(static_cast<UChar32>(Cp1252VersUnicode(static_cast<unsigned char>(octet))));
  }
  std::string attendu;
  unicode.toUTF8String(attendu);
  EXPECT_EQ(utf8, attendu);
  EXPECT_EQ(Utf8VersCp1252(utf8), std::optional<std::string>(tous));
  EXPECT_EQ(Utf8VersCp1252(""), std::optional<std::string>(""));
}

TEST(Cp1252, RefusesWhatItCannotHoldAndInvalidUtf8) {
  // The random comparison with ICU below covers every kind; these name each one.
  const char* const refuses[] = {
      "GIN \U0001F378",    // 🍸, four bytes, beyond the code page
      "\u0080",            // a C1 control the code page gives no byte
      "cafe\u0301",        // combining accent
      "\xE2\x82",          // truncated
      "A\xBF",             // lone continuation byte
      "\xC0\xAF",          // overlong
      "\xED\xA0\x80",      // surrogate
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xFF",              // never in UTF-8
  };
  for (const char* texte : refuses)
    EXPECT_FALSE(Utf8VersCp1252(texte)) << texte;
}

// Whether ICU reads the bytes as well-formed UTF-8 whose every code point the code page holds.
bool AcceptableSelonIcu(const std::string& utf8) {
  std::vector<UChar> tampon(utf8.size() + 1);
  int32_t longueur = 0;
  UErrorCode statut = U_ZERO_ERROR;
  u_strFromUTF8(tampon.data(), static_cast<int32_t>(tampon.size()), &longueur, utf8.data(),
                static_cast<int32_t>(utf8.size()), &statut);
  if (U_FAILURE(statut)) return false;
  const icu::UnicodeString texte(tampon.data(), longueur);
  for (int32_t i = 0; i < texte.length(); i = texte.moveIndex32(i, 1)) {
    if (!UnicodeVersCp1252(static_cast<char32_t>(texte.char32At(i)))) return false;
  }
  return true;
}

TEST(Cp1252, RandomBytesAgreeWithIcuUtf8Reading) {
  // Bytes drawn mostly from UTF-8 lead and continuation bytes, so that well-formed and
  // malformed sequences both occur often.
  const unsigned char octets[] = {'A',  ' ',  0x00, 0x7F, 0x80, 0x81, 0x82, 0x8C, 0x98,
                                  0xA0, 0xA9, 0xBF, 0xC0, 0xC1, 0xC2, 0xC3, 0xC5, 0xCB,
                                  0xDF, 0xE0, 0xE2, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFF};
  std::mt19937 alea(1252);
  std::uniform_int_distribution<std::size_t> longueur(0, 8);
  std::uniform_int_distribution<std::size_t> choix(0, sizeof octets - 1);
  int acceptes = 0;
  int refuses = 0;
  for (int k = 0; k < 200000; ++k) {
    std::string utf8(longueur(alea), ' ');
    for (char& c : utf8)
      c = static_cast<char>(octets[choix(alea)]);
    // Read from a buffer of exactly that size, so that reading past the end shows.
    const std::vector<char> tampon(utf8.begin(), utf8.end());
    const std::optional<std::string> texte =
        Utf8VersCp1252(std::string_view(tampon.data(), tampon.size()));
    ASSERT_EQ(texte.has_value(), AcceptableSelonIcu(utf8)) << ::testing::PrintToString(utf8);
    if (texte) {
      ++acceptes;
      ASSERT_EQ(Cp1252VersUtf8(*texte), utf8) << ::testing::PrintToString(utf8);
    } else {
      ++refuses;
    }
  }
  EXPECT_GT(acceptes, 1000);
  EXPECT_GT(refuses, 1000);
}

}  // namespace
}  // namespace velquor
