#pragma once
// The platform's answers about names, as scripts/ordre_plateforme/generer.py committed them in
// tests/store/ordre_plateforme.txt: groups of names in the order lstrcmpA or lstrcmpiA gives
// them, and the code page's table as the platform reads it.

#include <string>
#include <vector>

namespace velquor {

struct GroupePlateforme {
  std::string fonction;  // "lstrcmpA" or "lstrcmpiA"
  std::string titre;
  std::vector<std::string> noms;  // code page 1252 bytes, in the platform's order
  std::vector<int> rangs;         // equal ranks: the platform says equal
};

struct CaracterePlateforme {
  unsigned char octet;
  char32_t point;
  unsigned char majuscule;
  unsigned char minuscule;
};

struct DonneesPlateforme {
  std::vector<GroupePlateforme> groupes;
  std::vector<CaracterePlateforme> table;  // the 256 bytes
  std::string erreur;                      // empty when the file was read whole
};

// Read once, then shared.
const DonneesPlateforme& Plateforme();

}  // namespace velquor
