// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/collation.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "store/cp1252.h"

// The order is that of the platform's word sort in the French locale over code page 1252, as
// lstrcmpA answers it (tests/store/ordre_plateforme.txt holds its answers, and
// scripts/ordre_plateforme/ asks for them). It is the lexicographic comparison of a sort key
// that each text stands for:
//   1. the primary weights of its elements: letters without case or accent; space and the
//      other blanks, then punctuation and symbols, then digits, then letters;
//   2. their accents, compared from the end of the text (the French rule: PÊCHE before PÉCHÉ,
//      CÔTE before COTÉ);
//   3. their case, from the start (small letter before capital), and the superscript digits;
//   4. the hyphens, apostrophes, dashes and control bytes, which weigh nothing at the first
//      three levels: each at its place, counted in elements from the start of the text. The
//      mark standing later sorts first (COOP-, COO-P, CO-OP); at one place, apostrophe before
//      hyphen before the dashes; a text without the next mark before one that has it;
//   5. the raw bytes: the platform ties some different texts (Œ and OE, Æ and AE, ß and ss,
//      Þ and TH, ^ and ˆ, a soft hyphen it ignores), and we keep only identical bytes equal,
//      so that names stay unique keys; such texts sit next to each other.
// Two different texts never share a key, so the order is total. The key is never built: both
// texts are walked together, the secondary and tertiary differences are noted while the
// primaries agree, and the marks and bytes are looked at only when everything before is equal.
//
// Each byte gives one of:
//   - one or two elements (primary, accent, case): the ligatures Œ Æ ß Þ are the two letters
//     they stand for, with the same accent and case weights (Œ = OE, ß = ss);
//   - a mark of level 4 (hyphen, apostrophe, the dashes, the control bytes but the blanks);
//   - nothing at all: the soft hyphen, which the platform ignores entirely.
//
// The weights decide the shape of the name trees on disk: a change to any of them makes
// existing index files unreadable in order. Treat the tables as part of the file format.

namespace velquor {

namespace {

// Accents, in the order they sort on one letter (unaccented first). Accents only ever meet on
// the same letter, so one order serves every letter.
enum Accent : std::uint8_t {
  kSansAccent,
  kOrdinal,  // ª º: the letter written as an ordinal
  kAigu,
  kGrave,
  kCirconflexe,
  kTrema,
  kTilde,
  kRond,
  kBarre,  // Ø Ð
  kCedille,
  kCaron,
  kCrochet,  // ƒ
};

// Level 3. Ignoring case clears kCapitale; the superscript digits stay apart from the digits.
constexpr std::uint8_t kCapitale = 1;
constexpr std::uint8_t kExposant = 2;

struct Element {
  std::uint8_t primaire = 0;
  std::uint8_t secondaire = 0;
  std::uint8_t tertiaire = 0;
};

struct Poids {
  std::uint8_t nb = 0;      // number of elements: 0 for a mark or an ignored byte
  std::uint8_t marque = 0;  // level 4 rank of a mark, from 1; 0 otherwise
  std::array<Element, 2> elements{};
};

struct Table {
  std::array<Poids, 256> octets{};
  // Primary weight of the first element of each byte, 0 for a mark: the fast path.
  std::array<std::uint8_t, 256> premier{};
  // Set when every byte but the soft hyphen has elements or a mark, none was given twice and
  // the primary weights fit in a byte.
  bool complete = false;
};

// The marks, by rank: NUL (never in a name) and the control bytes that are not blanks, DEL,
// apostrophe, hyphen, en dash, em dash.
constexpr char kMarques[] =
    "\x01\x02\x03\x04\x05\x06\x07\x08\x0E\x0F\x10\x11\x12\x13\x14\x15\x16\x17\x18\x19\x1A\x1B"
    "\x1C\x1D\x1E\x1F\x7F'-\x96\x97";

// The blanks, punctuation and symbols in their primary order, each its own weight:
// space, no-break space, tab, LF, VT, FF, CR,
// ! " # $ % & ( ) * , . / : ; ? @ [ \ ] ^ _ ` { | } ~ ¡ ¦ ¨ ¯ ´ ¸ ¿ ˜ ‘ ’ ‚ “ ” „ ‹ ›
// ¢ £ ¤ ¥ € + < = > ± « » × ÷ § © ¬ ® ° µ ¶ · … † ‡ • ‰
// (ˆ weighs as ^, the undefined bytes after ‰, both added below).
constexpr char kSymboles[] =
    " \xA0\t\n\v\f\r!\"#$%&()*,./:;?@[\\]^_`{|}~\xA1\xA6\xA8\xAF\xB4\xB8\xBF\x98\x91\x92\x82\x93"
    "\x94\x84\x8B\x9B\xA2\xA3\xA4\xA5\x80+<=>\xB1\xAB\xBB\xD7\xF7\xA7\xA9\xAC\xAE\xB0\xB5\xB6\xB7"
    "\x85\x86\x87\x95\x89";

// The five bytes the code page leaves undefined: one weight after ‰, told apart at level 2.
constexpr char kIndefinis[] = "\x81\x8D\x8F\x90\x9D";

// Digits and fractions: 0 ¼ ½ ¾ 1 2 … 9; ¹ ² ³ are their digit with the superscript mark.
constexpr char kChiffres[] =
    "0\xBC\xBD\xBE"
    "123456789";

// Letters in their primary order; ™ is a letter of its own between T and U.
constexpr char kLettres[] = "ABCDEFGHIJKLMNOPQRST\x99UVWXYZ";

constexpr Table ConstruireTable() {
  Table t;
  int prochain = 1;
  bool doublon = false;
  auto element = [&t, &doublon](int octet, int primaire, std::uint8_t secondaire,
                                std::uint8_t tertiaire) {
    Poids& p = t.octets[octet];
    if (p.nb != 0 || p.marque != 0) doublon = true;
    p.nb = 1;
    p.elements[0] = {static_cast<std::uint8_t>(primaire), secondaire, tertiaire};
  };
  auto u = [](char c) { return static_cast<unsigned char>(c); };

  std::uint8_t rang = 1;
  t.octets[0].marque = rang++;
  for (const char* m = kMarques; *m != 0; ++m) {
    if (t.octets[u(*m)].marque != 0) doublon = true;
    t.octets[u(*m)].marque = rang++;
  }

  for (const char* s = kSymboles; *s != 0; ++s)
    element(u(*s), prochain++, kSansAccent, 0);
  element(0x88, t.octets['^'].elements[0].primaire, kSansAccent, 0);  // ˆ
  for (int k = 0; kIndefinis[k] != 0; ++k)
    element(u(kIndefinis[k]), prochain, static_cast<std::uint8_t>(k), 0);
  ++prochain;

  for (const char* c = kChiffres; *c != 0; ++c)
    element(u(*c), prochain++, kSansAccent, 0);
  element(0xB9, t.octets['1'].elements[0].primaire, kSansAccent, kExposant);  // ¹
  element(0xB2, t.octets['2'].elements[0].primaire, kSansAccent, kExposant);  // ²
  element(0xB3, t.octets['3'].elements[0].primaire, kSansAccent, kExposant);  // ³

  std::array<int, 256> lettre{};
  for (const char* l = kLettres; *l != 0; ++l)
    lettre[u(*l)] = prochain++;
  auto forme = [&](int octet, char base, Accent accent, std::uint8_t tertiaire) {
    element(octet, lettre[u(base)], accent, tertiaire);
  };
  for (int c = 'A'; c <= 'Z'; ++c) {
    forme(c, static_cast<char>(c), kSansAccent, kCapitale);
    forme(c + 0x20, static_cast<char>(c), kSansAccent, 0);
  }
  forme(0x99, '\x99', kSansAccent, 0);  // ™
  struct Accentuee {
    int capitale;  // its small letter is 0x20 above
    char base;
    Accent accent;
  };
  const Accentuee accentuees[] = {
      {0xC0, 'A', kGrave},       {0xC1, 'A', kAigu},        {0xC2, 'A', kCirconflexe},
      {0xC3, 'A', kTilde},       {0xC4, 'A', kTrema},       {0xC5, 'A', kRond},
      {0xC7, 'C', kCedille},     {0xC8, 'E', kGrave},       {0xC9, 'E', kAigu},
      {0xCA, 'E', kCirconflexe}, {0xCB, 'E', kTrema},       {0xCC, 'I', kGrave},
      {0xCD, 'I', kAigu},        {0xCE, 'I', kCirconflexe}, {0xCF, 'I', kTrema},
      {0xD0, 'D', kBarre},       {0xD1, 'N', kTilde},       {0xD2, 'O', kGrave},
      {0xD3, 'O', kAigu},        {0xD4, 'O', kCirconflexe}, {0xD5, 'O', kTilde},
      {0xD6, 'O', kTrema},       {0xD8, 'O', kBarre},       {0xD9, 'U', kGrave},
      {0xDA, 'U', kAigu},        {0xDB, 'U', kCirconflexe}, {0xDC, 'U', kTrema},
      {0xDD, 'Y', kAigu},
  };
  for (const Accentuee& a : accentuees) {
    forme(a.capitale, a.base, a.accent, kCapitale);
    forme(a.capitale + 0x20, a.base, a.accent, 0);
  }
  forme(0x9F, 'Y', kTrema, kCapitale);  // Ÿ
  forme(0xFF, 'Y', kTrema, 0);          // ÿ
  forme(0x8A, 'S', kCaron, kCapitale);  // Š
  forme(0x9A, 'S', kCaron, 0);          // š
  forme(0x8E, 'Z', kCaron, kCapitale);  // Ž
  forme(0x9E, 'Z', kCaron, 0);          // ž
  forme(0x83, 'F', kCrochet, 0);        // ƒ
  forme(0xAA, 'A', kOrdinal, 0);        // ª
  forme(0xBA, 'O', kOrdinal, 0);        // º

  // Ligatures: the two letters, with their case.
  auto ligature = [&](int octet, char premiere, char seconde, std::uint8_t tertiaire) {
    Poids& p = t.octets[octet];
    if (p.nb != 0 || p.marque != 0) doublon = true;
    p.nb = 2;
    p.elements[0] = {static_cast<std::uint8_t>(lettre[u(premiere)]), kSansAccent, tertiaire};
    p.elements[1] = {static_cast<std::uint8_t>(lettre[u(seconde)]), kSansAccent, tertiaire};
  };
  ligature(0x8C, 'O', 'E', kCapitale);  // Œ
  ligature(0x9C, 'O', 'E', 0);          // œ
  ligature(0xC6, 'A', 'E', kCapitale);  // Æ
  ligature(0xE6, 'A', 'E', 0);          // æ
  ligature(0xDF, 'S', 'S', 0);          // ß
  ligature(0xDE, 'T', 'H', kCapitale);  // Þ
  ligature(0xFE, 'T', 'H', 0);          // þ

  t.complete = !doublon && prochain <= 256;
  for (int c = 0; c < 256; ++c) {
    const Poids& p = t.octets[c];
    if ((p.nb == 0) == (p.marque == 0) && c != 0xAD) t.complete = false;  // soft hyphen
    t.premier[c] = p.nb == 0 ? 0 : p.elements[0].primaire;
  }
  return t;
}

constexpr Table kTable = ConstruireTable();
static_assert(kTable.complete, "every byte needs elements or a mark");

// Number of equal bytes at the start of a and b, both at least n long; eight at a time.
std::size_t LongueurCommune(const unsigned char* a, const unsigned char* b, std::size_t n) {
  std::size_t i = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; i + 8 <= n; i += 8) {
      std::uint64_t x;
      std::uint64_t y;
      std::memcpy(&x, a + i, 8);
      std::memcpy(&y, b + i, 8);
      if (x != y) return i + static_cast<std::size_t>(std::countr_zero(x ^ y) / 8);
    }
  }
  while (i < n && a[i] == b[i])
    ++i;
  return i;
}

// Walks the elements of a text, skipping the marks and the ignored bytes.
class Lecteur {
 public:
  Lecteur(std::string_view texte, std::size_t debut)
      : p_(reinterpret_cast<const unsigned char*>(texte.data()) + debut),
        fin_(reinterpret_cast<const unsigned char*>(texte.data()) + texte.size()) {}

  // The next element, or nullptr at the end of the text.
  const Element* Suivant() {
    while (p_ != fin_) {
      const Poids& poids = kTable.octets[*p_];
      if (sous_ < poids.nb) {
        const Element* e = &poids.elements[sous_];
        if (++sous_ == poids.nb) {
          ++p_;
          sous_ = 0;
        }
        return e;
      }
      ++p_;
    }
    return nullptr;
  }

  // Moves both readers over the bytes they have in common when both stand at the start of a
  // byte: equal bytes give equal elements, which change nothing at any of the three levels.
  static void SauterCommuns(Lecteur& a, Lecteur& b) {
    if (a.sous_ != 0 || b.sous_ != 0) return;
    const std::size_t na = static_cast<std::size_t>(a.fin_ - a.p_);
    const std::size_t nb = static_cast<std::size_t>(b.fin_ - b.p_);
    const std::size_t n = LongueurCommune(a.p_, b.p_, na < nb ? na : nb);
    a.p_ += n;
    b.p_ += n;
  }

 private:
  const unsigned char* p_;
  const unsigned char* fin_;
  std::uint8_t sous_ = 0;
};

// Walks the marks of a text with their places: the number of elements before each.
class LecteurMarques {
 public:
  LecteurMarques(std::string_view texte, std::size_t debut)
      : p_(reinterpret_cast<const unsigned char*>(texte.data()) + debut),
        fin_(reinterpret_cast<const unsigned char*>(texte.data()) + texte.size()) {}

  // Rank of the next mark, or 0 at the end of the text; Place() is then its place.
  std::uint8_t Suivante() {
    while (p_ != fin_) {
      const Poids& poids = kTable.octets[*p_++];
      if (poids.marque != 0) return poids.marque;
      place_ += poids.nb;
    }
    return 0;
  }
  std::size_t Place() const { return place_; }

 private:
  const unsigned char* p_;
  const unsigned char* fin_;
  std::size_t place_ = 0;
};

int Signe(int x) {
  return (x > 0) - (x < 0);
}

template <bool kSansCasse>
unsigned char Octet(char c) {
  const auto u = static_cast<unsigned char>(c);
  if constexpr (kSansCasse) return MajusculeCp1252(u);
  return u;
}

// The comparison once the first i bytes are known equal and the first primary weights do not
// settle it: kept out of line, so that the fast path below stays small.
template <bool kSansCasse>
[[gnu::noinline]] int ComparerLentement(std::string_view a, std::string_view b, std::size_t i) {
  const std::size_t commun = a.size() < b.size() ? a.size() : b.size();
  // Levels 1 to 3 in one walk: the last accent difference counts (accents are compared from
  // the end), the first case difference.
  constexpr std::uint8_t kMasque3 = kSansCasse ? static_cast<std::uint8_t>(~kCapitale) : 0xFF;
  int difference2 = 0;
  int difference3 = 0;
  Lecteur la(a, i);
  Lecteur lb(b, i);
  for (;;) {
    Lecteur::SauterCommuns(la, lb);
    const Element* ea = la.Suivant();
    const Element* eb = lb.Suivant();
    if (ea == nullptr || eb == nullptr) {
      if (ea != eb) return ea == nullptr ? -1 : 1;
      break;
    }
    if (ea->primaire != eb->primaire) return ea->primaire < eb->primaire ? -1 : 1;
    if (ea->secondaire != eb->secondaire) difference2 = ea->secondaire < eb->secondaire ? -1 : 1;
    if (difference3 == 0) {
      difference3 = Signe((ea->tertiaire & kMasque3) - (eb->tertiaire & kMasque3));
    }
  }
  if (difference2 != 0) return difference2;
  if (difference3 != 0) return difference3;

  // Level 4: the marks in text order; the one standing later sorts first, then the lesser
  // rank; a text without the next mark comes first.
  LecteurMarques ma(a, i);
  LecteurMarques mb(b, i);
  for (;;) {
    const std::uint8_t ka = ma.Suivante();
    const std::uint8_t kb = mb.Suivante();
    if (ka == 0 || kb == 0) {
      if (ka != kb) return ka == 0 ? -1 : 1;
      break;
    }
    if (ma.Place() != mb.Place()) return ma.Place() > mb.Place() ? -1 : 1;
    if (ka != kb) return ka < kb ? -1 : 1;
  }

  // Then the bytes themselves (put into capitals when case is ignored).
  for (; i < commun; ++i) {
    const unsigned char oa = Octet<kSansCasse>(a[i]);
    const unsigned char ob = Octet<kSansCasse>(b[i]);
    if (oa != ob) return oa < ob ? -1 : 1;
  }
  return Signe(static_cast<int>(a.size() > b.size()) - (a.size() < b.size()));
}

template <bool kSansCasse>
int Comparer(std::string_view a, std::string_view b) {
  // Skip the common bytes: they give the two keys identical parts (the marks among them stand
  // at the same places in both). Names in a tree step most often differ at once (that case
  // makes no call), at a letter, digit or space against another of those, which the first
  // primary weight settles.
  const std::size_t commun = a.size() < b.size() ? a.size() : b.size();
  std::size_t i = 0;
  if (commun != 0 && a[0] == b[0]) {
    i = LongueurCommune(reinterpret_cast<const unsigned char*>(a.data()),
                        reinterpret_cast<const unsigned char*>(b.data()), commun);
  }
  if (i == commun) return Signe(static_cast<int>(a.size() > b.size()) - (a.size() < b.size()));
  const int pa = kTable.premier[static_cast<unsigned char>(a[i])];
  const int pb = kTable.premier[static_cast<unsigned char>(b[i])];
  if (pa != 0 && pb != 0 && pa != pb) return pa < pb ? -1 : 1;
  return ComparerLentement<kSansCasse>(a, b, i);
}

}  // namespace

int ComparerNoms(std::string_view a, std::string_view b) {
  return Comparer<false>(a, b);
}

int ComparerNomsSansCasse(std::string_view a, std::string_view b) {
  return Comparer<true>(a, b);
}

bool CommenceParSansCasse(std::string_view texte, std::string_view prefixe) {
  if (prefixe.size() > texte.size()) return false;
  for (std::size_t i = 0; i < prefixe.size(); ++i) {
    if (MajusculeCp1252(static_cast<unsigned char>(texte[i])) !=
        MajusculeCp1252(static_cast<unsigned char>(prefixe[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace velquor
