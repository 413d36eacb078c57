#include "store/collation.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "store/cp1252.h"

// The order is the lexicographic comparison of a sort key that each text stands for:
//   1. the primary weights of its collation elements (letters without case or accent);
//   2. their secondary weights (the accent of each element, left to right; a ligature counts
//      as one more accent, after all the others);
//   3. their tertiary weights (case, and variant forms: superscripts, the no-break space, …);
//   4. the hyphens and apostrophes, as (byte position, kind) pairs, then the raw bytes.
// A text has one key and two different texts never share one (the raw bytes come last), so
// the order is total. The key is never built: both texts are walked together, the first
// secondary and tertiary differences are noted while the primaries agree, and the marks and
// bytes are looked at only when everything before is equal.
//
// Each byte gives up to three collation elements:
//   - control bytes and the five bytes the code page leaves undefined: one element each, below
//     everything else, in byte order (a stored name never holds them, but every byte must have
//     a place);
//   - space, then punctuation and symbols, then digits, then letters;
//   - ligatures expand to their letters with the ligature accent on the first: Œ = O E,
//     Æ = A E, ß = S S; other compatibility forms expand with a level 3 mark: ™ = T M,
//     … = . . ., ¼ = 1 ⁄ 4 (the fraction slash has a weight but no byte); superscript digits,
//     ª and º are the plain character with the superscript mark, the no-break space a space
//     with the variant mark;
//   - Ð and Ø are D and O with a stroke accent; ƒ sorts as a letter after F, Þ after Z, µ last;
//   - hyphen, soft hyphen, apostrophe and the typographic apostrophe ’ give no element at all:
//     they count only at level 4.
// On every character that has elements this is the Unicode root collation (ICU's root locale)
// restricted to the code page; the tests hold it to that.
//
// The weights decide the shape of the name trees already on disk: a change to any of them
// makes existing index files unreadable in order. Treat the tables as part of the file format.

namespace velquor {

namespace {

// Accents, in the order they sort on the same letter (unaccented first).
enum Accent : std::uint8_t {
  kSansAccent,
  kAigu,
  kGrave,
  kCirconflexe,
  kCaron,
  kRond,
  kTrema,
  kTilde,
  kCedille,
  kBarre,
  kLigature,  // on the first element of an expanded ligature: Œ after OE and after ÔE
};

// Level 3: small letter (or no case) < variant form < capital < superscript < capital
// superscript (™). Ignoring case clears kCapitale.
constexpr std::uint8_t kVariante = 1;
constexpr std::uint8_t kCapitale = 2;
constexpr std::uint8_t kExposant = 4;

// Level 4 kinds of the marks ignored at the first three levels.
enum Marque : std::uint8_t {
  kPasMarque,
  kTrait,           // -
  kTraitCondi,      // soft hyphen
  kApostrophe,      // '
  kApostropheTypo,  // ’
};

struct Element {
  std::uint8_t primaire = 0;
  std::uint8_t secondaire = 0;
  std::uint8_t tertiaire = 0;
};

struct Poids {
  std::uint8_t nb = 0;  // number of elements; 0 for a mark
  Marque marque = kPasMarque;
  std::array<Element, 3> elements{};
};

struct Table {
  std::array<Poids, 256> octets{};
  // Primary weight of the first element of each byte, 0 for a mark: the fast path.
  std::array<std::uint8_t, 256> premier{};
  // Set when every byte has either elements or a mark, none was given twice and the primary
  // weights fit in a byte.
  bool complete = false;
};

// Letters in their primary order. Ð and Ø are not here: they are D and O with an accent.
constexpr char kLettres[] = "ABCDEF\x83GHIJKLMNOPQRSTUVWXYZ\xDE\xB5";

constexpr Table ConstruireTable() {
  Table t;
  int prochain = 1;
  bool doublon = false;
  auto simple = [&t, &doublon](int octet, int primaire, std::uint8_t secondaire,
                               std::uint8_t tertiaire) {
    Poids& p = t.octets[octet];
    if (p.nb != 0) doublon = true;
    p.nb = 1;
    p.elements[0] = {static_cast<std::uint8_t>(primaire), secondaire, tertiaire};
  };
  auto nouveau = [&](int octet) { simple(octet, prochain++, kSansAccent, 0); };

  // Control bytes and undefined bytes, in byte order.
  for (int c = 0; c < 0x20; ++c)
    nouveau(c);
  nouveau(0x7F);
  for (int c : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
    nouveau(c);

  // Space, then punctuation and symbols.
  const int espace = prochain;
  nouveau(' ');
  simple(0xA0, espace, kSansAccent, kVariante);
  // The fraction slash of ¼ ½ ¾ has no byte of its own; it sits after the tilde.
  const char symboles[] =
      "_\x96\x97,;:!\xA1?\xBF.\xB7\x91\x82\x8B\x9B\"\x93\x94\x84\xAB\xBB()[]{}\xA7\xB6@*/\\&#%"
      "\x89\x86\x87\x95`\xB4\x98^\xAF\xA8\xB8\x88\xB0\xA9\xAE+\xB1\xF7\xD7<=>\xAC|\xA6~";
  const char symbolesMonnaie[] = "\xA4\xA2$\xA3\xA5\x80";
  for (const char* s = symboles; *s != 0; ++s)
    nouveau(static_cast<unsigned char>(*s));
  const int barreFraction = prochain++;
  for (const char* s = symbolesMonnaie; *s != 0; ++s)
    nouveau(static_cast<unsigned char>(*s));

  // Digits.
  for (int c = '0'; c <= '9'; ++c)
    nouveau(c);
  const int chiffre0 = t.octets['0'].elements[0].primaire;
  simple(0xB9, chiffre0 + 1, kSansAccent, kExposant);  // ¹
  simple(0xB2, chiffre0 + 2, kSansAccent, kExposant);  // ²
  simple(0xB3, chiffre0 + 3, kSansAccent, kExposant);  // ³

  // Letters: base primaries first, then every form of each.
  std::array<int, 256> lettre{};
  for (const char* s = kLettres; *s != 0; ++s)
    lettre[static_cast<unsigned char>(*s)] = prochain++;
  auto forme = [&](int octet, char base, Accent accent, std::uint8_t tertiaire) {
    simple(octet, lettre[static_cast<unsigned char>(base)], accent, tertiaire);
  };
  for (int c = 'A'; c <= 'Z'; ++c) {
    forme(c, static_cast<char>(c), kSansAccent, kCapitale);
    forme(c + 0x20, static_cast<char>(c), kSansAccent, 0);
  }
  struct Accentuee {
    int capitale;
    char base;
    Accent accent;
  };
  // The capitals 0xC0-0xDE; their small letters are 0x20 above.
  const Accentuee accentuees[] = {
      {0xC0, 'A', kGrave},       {0xC1, 'A', kAigu},          {0xC2, 'A', kCirconflexe},
      {0xC3, 'A', kTilde},       {0xC4, 'A', kTrema},         {0xC5, 'A', kRond},
      {0xC7, 'C', kCedille},     {0xC8, 'E', kGrave},         {0xC9, 'E', kAigu},
      {0xCA, 'E', kCirconflexe}, {0xCB, 'E', kTrema},         {0xCC, 'I', kGrave},
      {0xCD, 'I', kAigu},        {0xCE, 'I', kCirconflexe},   {0xCF, 'I', kTrema},
      {0xD0, 'D', kBarre},       {0xD1, 'N', kTilde},         {0xD2, 'O', kGrave},
      {0xD3, 'O', kAigu},        {0xD4, 'O', kCirconflexe},   {0xD5, 'O', kTilde},
      {0xD6, 'O', kTrema},       {0xD8, 'O', kBarre},         {0xD9, 'U', kGrave},
      {0xDA, 'U', kAigu},        {0xDB, 'U', kCirconflexe},   {0xDC, 'U', kTrema},
      {0xDD, 'Y', kAigu},        {0xDE, '\xDE', kSansAccent},
  };
  for (const Accentuee& a : accentuees) {
    forme(a.capitale, a.base, a.accent, kCapitale);
    forme(a.capitale + 0x20, a.base, a.accent, 0);
  }
  forme(0x9F, 'Y', kTrema, kCapitale);       // Ÿ
  forme(0xFF, 'Y', kTrema, 0);               // ÿ
  forme(0x8A, 'S', kCaron, kCapitale);       // Š
  forme(0x9A, 'S', kCaron, 0);               // š
  forme(0x8E, 'Z', kCaron, kCapitale);       // Ž
  forme(0x9E, 'Z', kCaron, 0);               // ž
  forme(0x83, '\x83', kSansAccent, 0);       // ƒ
  forme(0xB5, '\xB5', kSansAccent, 0);       // µ
  forme(0xAA, 'A', kSansAccent, kExposant);  // ª
  forme(0xBA, 'O', kSansAccent, kExposant);  // º

  // Expansions. A ligature is its letters with the ligature mark at level 2; the other forms
  // differ from their letters at level 3 only.
  auto developpe = [&t, &doublon](int octet, std::array<int, 3> primaires, int nb,
                                  Accent secondaire, std::uint8_t tertiaire) {
    Poids& p = t.octets[octet];
    if (p.nb != 0) doublon = true;
    p.nb = static_cast<std::uint8_t>(nb);
    for (int k = 0; k < nb; ++k) {
      p.elements[k] = {static_cast<std::uint8_t>(primaires[k]), k == 0 ? secondaire : kSansAccent,
                       tertiaire};
    }
  };
  const auto L = [&lettre](char c) { return lettre[static_cast<unsigned char>(c)]; };
  const auto P = [&t](char c) -> int {
    return t.octets[static_cast<unsigned char>(c)].elements[0].primaire;
  };
  developpe(0x8C, {L('O'), L('E'), 0}, 2, kLigature, kCapitale);                // Œ
  developpe(0x9C, {L('O'), L('E'), 0}, 2, kLigature, 0);                        // œ
  developpe(0xC6, {L('A'), L('E'), 0}, 2, kLigature, kCapitale);                // Æ
  developpe(0xE6, {L('A'), L('E'), 0}, 2, kLigature, 0);                        // æ
  developpe(0xDF, {L('S'), L('S'), 0}, 2, kLigature, 0);                        // ß
  developpe(0x99, {L('T'), L('M'), 0}, 2, kSansAccent, kExposant | kCapitale);  // ™
  developpe(0x85, {P('.'), P('.'), P('.')}, 3, kSansAccent, kVariante);         // …
  developpe(0xBC, {P('1'), barreFraction, P('4')}, 3, kSansAccent, kVariante);  // ¼
  developpe(0xBD, {P('1'), barreFraction, P('2')}, 3, kSansAccent, kVariante);  // ½
  developpe(0xBE, {P('3'), barreFraction, P('4')}, 3, kSansAccent, kVariante);  // ¾

  // Marks.
  t.octets['-'].marque = kTrait;
  t.octets[0xAD].marque = kTraitCondi;
  t.octets['\''].marque = kApostrophe;
  t.octets[0x92].marque = kApostropheTypo;

  t.complete = !doublon && prochain <= 256;
  for (int c = 0; c < 256; ++c) {
    const Poids& p = t.octets[c];
    if ((p.nb == 0) == (p.marque == kPasMarque)) t.complete = false;
    t.premier[c] = p.nb == 0 ? 0 : p.elements[0].primaire;
  }
  return t;
}

constexpr Table kTable = ConstruireTable();
static_assert(kTable.complete, "every byte needs collation elements or a mark");

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

// Walks the collation elements of a text, skipping the marks.
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

// Position of the next mark at or after i, or the size of the text.
std::size_t ProchaineMarque(std::string_view texte, std::size_t i) {
  while (i < texte.size() && kTable.octets[static_cast<unsigned char>(texte[i])].marque == 0)
    ++i;
  return i;
}

int Signe(int x) {
  return (x > 0) - (x < 0);
}

template <bool kSansCasse>
unsigned char Octet(char c) {
  const auto u = static_cast<unsigned char>(c);
  if constexpr (kSansCasse) return MajusculeCp1252(u);
  return u;
}

template <bool kSansCasse>
int Comparer(std::string_view a, std::string_view b) {
  // Skip the common bytes: they give the two keys identical parts. Names in a tree step most
  // often differ at once (that case makes no call), at a letter, digit or space against another
  // of those, which the first primary weight settles.
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

  // Levels 1 to 3 in one walk.
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
    if (difference2 == 0) difference2 = Signe(ea->secondaire - eb->secondaire);
    if (difference3 == 0) {
      difference3 = Signe((ea->tertiaire & kMasque3) - (eb->tertiaire & kMasque3));
    }
  }
  if (difference2 != 0) return difference2;
  if (difference3 != 0) return difference3;

  // Level 4: the marks, as (position, kind) pairs; a text without the next mark comes first.
  std::size_t ma = ProchaineMarque(a, i);
  std::size_t mb = ProchaineMarque(b, i);
  while (ma < a.size() || mb < b.size()) {
    if (ma == a.size()) return -1;
    if (mb == b.size()) return 1;
    if (ma != mb) return ma < mb ? -1 : 1;
    const Marque ka = kTable.octets[static_cast<unsigned char>(a[ma])].marque;
    const Marque kb = kTable.octets[static_cast<unsigned char>(b[mb])].marque;
    if (ka != kb) return ka < kb ? -1 : 1;
    ma = ProchaineMarque(a, ma + 1);
    mb = ProchaineMarque(b, mb + 1);
  }

  // Then the bytes themselves (put into capitals when case is ignored).
  for (; i < commun; ++i) {
    const unsigned char oa = Octet<kSansCasse>(a[i]);
    const unsigned char ob = Octet<kSansCasse>(b[i]);
    if (oa != ob) return oa < ob ? -1 : 1;
  }
  return Signe(static_cast<int>(a.size() > b.size()) - (a.size() < b.size()));
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
