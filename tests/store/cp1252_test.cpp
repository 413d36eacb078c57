#include "store/cp1252.h"

#include <gtest/gtest.h>
#include <locale.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdint>
#include <cuchar>
#include <random>
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

// The C library's reading of UTF-8 (its C.UTF-8 locale): the code points, or nothing when the
// text is malformed. Its decoder refuses overlong forms and surrogates; it lets code points
// beyond U+10FFFF through, which no code page byte has anyway.
#ifdef _WIN32
// On Windows, the system's own decoder, which refuses every malformed text.
std::optional<std::u32string> LireUtf8SelonLaLibC(const std::string& utf8) {
  if (utf8.empty()) return std::u32string();
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                    static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring large(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                      large.data(), n);
  std::u32string points;
  for (std::size_t i = 0; i < large.size(); ++i) {
    const char32_t haut = static_cast<char16_t>(large[i]);
    if (haut >= 0xD800 && haut < 0xDC00 && i + 1 < large.size()) {
      const char32_t bas = static_cast<char16_t>(large[++i]);
      points.push_back(0x10000 + ((haut - 0xD800) << 10) + (bas - 0xDC00));
    } else {
      points.push_back(haut);
    }
  }
  return points;
}
#else
std::optional<std::u32string> LireUtf8SelonLaLibC(const std::string& utf8) {
  static const locale_t utf8Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  EXPECT_NE(utf8Locale, nullptr);
  const locale_t avant = uselocale(utf8Locale);
  std::u32string points;
  std::mbstate_t etat{};
  bool valide = true;
  for (std::size_t i = 0; i < utf8.size() && valide;) {
    char32_t point = 0;
    const std::size_t n = std::mbrtoc32(&point, utf8.data() + i, utf8.size() - i, &etat);
    valide = n != static_cast<std::size_t>(-1) && n != static_cast<std::size_t>(-2);
    points.push_back(point);
    i += n == 0 ? 1 : n;  // 0: the NUL character, one byte
  }
  uselocale(avant);
  if (!valide) return std::nullopt;
  return points;
}
#endif

TEST(Cp1252, Utf8RoundTripOfEveryByte) {
  std::string tous;
  std::u32string points;
  for (int octet = 0; octet < 256; ++octet) {
    tous.push_back(static_cast<char>(octet));
    points.push_back(Cp1252VersUnicode(static_cast<unsigned char>(octet)));
  }
  const std::string utf8 = Cp1252VersUtf8(tous);
  EXPECT_EQ(LireUtf8SelonLaLibC(utf8), std::optional<std::u32string>(points));
  EXPECT_EQ(Utf8VersCp1252(utf8), std::optional<std::string>(tous));
  EXPECT_EQ(Utf8VersCp1252(""), std::optional<std::string>(""));
}

// Whether the C library reads the bytes as well-formed UTF-8 whose every code point the code
// page holds.
bool Acceptable(const std::string& utf8) {
  const std::optional<std::u32string> points = LireUtf8SelonLaLibC(utf8);
  if (!points) return false;
  for (char32_t point : *points) {
    if (!UnicodeVersCp1252(point)) return false;
  }
  return true;
}

TEST(Cp1252, RandomBytesAgreeWithTheCLibraryUtf8Reading) {
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
    ASSERT_EQ(texte.has_value(), Acceptable(utf8)) << ::testing::PrintToString(utf8);
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
