// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/noeud_index.h"

#include <cstring>

namespace velquor {

std::int32_t LireMot(const unsigned char* p) {
  return static_cast<std::int32_t>(
      static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
      static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}

void EcrireMot(unsigned char* p, std::int32_t valeur) {
  auto v = static_cast<std::uint32_t>(valeur);
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
  p[3] = static_cast<unsigned char>(v >> 24);
}

void NoeudIndex::VersOctets(unsigned char (&octets)[Taille]) const {
  EcrireMot(octets, PosEnreg);
  std::memcpy(octets + 4, Cle, TailleNom);
  EcrireMot(octets + 35, Droite);
  EcrireMot(octets + 39, Gauche);
  EcrireMot(octets + 43, Pere);
}

NoeudIndex NoeudIndex::DepuisOctets(const unsigned char* octets) {
  NoeudIndex n;
  n.PosEnreg = LireMot(octets);
  std::memcpy(n.Cle, octets + 4, TailleNom);
  n.Droite = LireMot(octets + 35);
  n.Gauche = LireMot(octets + 39);
  n.Pere = LireMot(octets + 43);
  return n;
}

}  // namespace velquor
