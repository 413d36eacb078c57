// SPDX-License-Identifier: GPL-3.0-or-later
// Asks the platform for the order of names: a small Windows program, built with MinGW-w64 and
// run under Wine by generer.py. It reads groups of names (code page 1252 bytes, written in
// hexadecimal), sorts each group with lstrcmpA (or lstrcmpiA), then asks that function and
// CompareStringA (French locale; no flags, or NORM_IGNORECASE) about every ordered pair of the
// group, and reports each answer that the sorted order does not account for.
//
// Input, one item a line:   G <function> <title>   starts a group; lstrcmpA or lstrcmpiA
//                           N <hex>                a name of the current group ("-": empty)
// Output: the platform's identity (I lines), the code page's table (T: byte, character,
// CharUpperBuffA, CharLowerBuffA), then each group: its G line, its names in order, each
// marked '<' (greater than the one before) or '=' (equal to it), then
//   X <hex> <hex> <answer>                    an answer that contradicts the sorted order
//   C <hex> <hex> <answer> <CompareStringA>   CompareStringA answers otherwise
//   F <pairs asked> <X lines> <C lines>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr LCID kFrancais = 0x040C;  // French (France)

int Signe(int x) {
  return (x > 0) - (x < 0);
}

struct Fonction {
  const char* nom;
  int(WINAPI* lstrcmp)(LPCSTR, LPCSTR);
  DWORD drapeaux;  // of the matching CompareStringA call
};

const Fonction kFonctions[] = {
    {"lstrcmpA", lstrcmpA, 0},
    {"lstrcmpiA", lstrcmpiA, NORM_IGNORECASE},
};

int Demander(const Fonction& f, const std::string& a, const std::string& b) {
  return Signe(f.lstrcmp(a.c_str(), b.c_str()));
}

int DemanderCompareString(const Fonction& f, const std::string& a, const std::string& b) {
  const int r = CompareStringA(kFrancais, f.drapeaux, a.c_str(), -1, b.c_str(), -1);
  return r == 0 ? 99 : r - 2;  // 99: the call failed
}

std::string Hex(const std::string& s) {
  static const char kChiffres[] = "0123456789ABCDEF";
  std::string h;
  for (unsigned char c : s) {
    h.push_back(kChiffres[c >> 4]);
    h.push_back(kChiffres[c & 15]);
  }
  return h.empty() ? "-" : h;
}

bool DepuisHex(const char* h, std::string& s) {
  s.clear();
  if (std::strcmp(h, "-") == 0) return true;
  for (; h[0] != 0 && h[1] != 0; h += 2) {
    unsigned v = 0;
    if (std::sscanf(h, "%2x", &v) != 1) return false;
    s.push_back(static_cast<char>(v));
  }
  return h[0] == 0;
}

// A bottom-up merge sort: it stays in bounds whatever the comparison answers.
void Trier(const Fonction& f, std::vector<int>& ordre, const std::vector<std::string>& noms) {
  std::vector<int> tampon(ordre.size());
  for (std::size_t largeur = 1; largeur < ordre.size(); largeur *= 2) {
    for (std::size_t debut = 0; debut < ordre.size(); debut += 2 * largeur) {
      const std::size_t milieu = std::min(debut + largeur, ordre.size());
      const std::size_t fin = std::min(debut + 2 * largeur, ordre.size());
      std::size_t i = debut, j = milieu, k = debut;
      while (i < milieu && j < fin) {
        tampon[k++] = Demander(f, noms[ordre[j]], noms[ordre[i]]) < 0 ? ordre[j++] : ordre[i++];
      }
      while (i < milieu)
        tampon[k++] = ordre[i++];
      while (j < fin)
        tampon[k++] = ordre[j++];
    }
    ordre.swap(tampon);
  }
}

void Groupe(FILE* sortie, const Fonction& f, const std::string& titre,
            const std::vector<std::string>& noms) {
  std::vector<int> ordre(noms.size());
  for (std::size_t i = 0; i < ordre.size(); ++i)
    ordre[i] = static_cast<int>(i);
  Trier(f, ordre, noms);
  std::vector<int> rang(noms.size());
  std::fprintf(sortie, "G %s %s\n", f.nom, titre.c_str());
  for (std::size_t k = 0; k < ordre.size(); ++k) {
    const bool egal = k > 0 && Demander(f, noms[ordre[k - 1]], noms[ordre[k]]) == 0;
    rang[k] = k == 0 ? 0 : rang[k - 1] + (egal ? 0 : 1);
    std::fprintf(sortie, "%c %s\n", egal ? '=' : '<', Hex(noms[ordre[k]]).c_str());
  }
  long paires = 0, contre = 0, differents = 0;
  for (std::size_t i = 0; i < ordre.size(); ++i) {
    for (std::size_t j = 0; j < ordre.size(); ++j) {
      if (i == j) continue;
      const std::string& a = noms[ordre[i]];
      const std::string& b = noms[ordre[j]];
      const int l = Demander(f, a, b);
      const int c = DemanderCompareString(f, a, b);
      ++paires;
      if (l != Signe(rang[i] - rang[j])) {
        ++contre;
        std::fprintf(sortie, "X %s %s %d\n", Hex(a).c_str(), Hex(b).c_str(), l);
      }
      if (c != l) {
        ++differents;
        std::fprintf(sortie, "C %s %s %d %d\n", Hex(a).c_str(), Hex(b).c_str(), l, c);
      }
    }
  }
  std::fprintf(sortie, "F %ld %ld %ld\n", paires, contre, differents);
}

void Identite(FILE* sortie) {
  using Version = const char*(CDECL*)();
  const auto version = reinterpret_cast<Version>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
  std::fprintf(sortie, "I wine %s\n", version != nullptr ? version() : "(not Wine)");
  std::fprintf(sortie, "I GetACP %u\n", GetACP());
  std::fprintf(sortie, "I GetUserDefaultLCID %04lX\n",
               static_cast<unsigned long>(GetUserDefaultLCID()));
  std::fprintf(sortie, "I GetThreadLocale %04lX\n", static_cast<unsigned long>(GetThreadLocale()));
}

// Each byte's character in code page 1252, and its capital and small letter.
void TablePageDeCode(FILE* sortie) {
  for (int octet = 0; octet < 256; ++octet) {
    char c = static_cast<char>(octet);
    WCHAR w = 0;
    const int n = MultiByteToWideChar(1252, 0, &c, 1, &w, 1);
    char haut = c, bas = c;
    CharUpperBuffA(&haut, 1);
    CharLowerBuffA(&bas, 1);
    std::fprintf(sortie, "T %02X %04X %02X %02X\n", octet, n == 1 ? w : 0xFFFF,
                 static_cast<unsigned char>(haut), static_cast<unsigned char>(bas));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: interroger ENTREE SORTIE\n");
    return 2;
  }
  FILE* entree = std::fopen(argv[1], "rb");
  FILE* sortie = std::fopen(argv[2], "wb");
  if (entree == nullptr || sortie == nullptr) return 1;
  Identite(sortie);
  TablePageDeCode(sortie);

  const Fonction* fonction = nullptr;
  std::string titre;
  std::vector<std::string> noms;
  char ligne[4096];
  while (std::fgets(ligne, sizeof ligne, entree) != nullptr) {
    ligne[std::strcspn(ligne, "\r\n")] = 0;
    if (ligne[0] == 'G' && ligne[1] == ' ') {
      if (fonction != nullptr) Groupe(sortie, *fonction, titre, noms);
      fonction = nullptr;
      for (const Fonction& f : kFonctions) {
        const std::size_t n = std::strlen(f.nom);
        if (std::strncmp(ligne + 2, f.nom, n) == 0 && ligne[2 + n] == ' ') {
          fonction = &f;
          titre = ligne + 3 + n;
        }
      }
      if (fonction == nullptr) {
        std::fprintf(stderr, "unknown function: %s\n", ligne);
        return 1;
      }
      noms.clear();
    } else if (ligne[0] == 'N' && ligne[1] == ' ' && fonction != nullptr) {
      std::string nom;
      if (!DepuisHex(ligne + 2, nom)) {
        std::fprintf(stderr, "bad name: %s\n", ligne);
        return 1;
      }
      noms.push_back(nom);
    } else if (ligne[0] != 0) {
      std::fprintf(stderr, "bad line: %s\n", ligne);
      return 1;
    }
  }
  if (fonction != nullptr) Groupe(sortie, *fonction, titre, noms);
  std::fprintf(sortie, "E\n");
  return std::fclose(sortie) == 0 ? 0 : 1;
}
