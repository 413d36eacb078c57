// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One node of an index file: 47 bytes on disk, integers little-endian.

#include <cstddef>
#include <cstdint>

#include "store/enregistrements.h"

namespace velquor {

constexpr std::int32_t AucunLien = -1;
constexpr std::int64_t TailleEntete = 8;  // the data file's header: NbEnreg, NbSuppr

struct NoeudIndex {
  static constexpr std::size_t Taille = 47;

  std::int32_t PosEnreg = 0;        // offset of the record in the data file
  char Cle[TailleNom] = {};         // the record's name
  std::int32_t Droite = AucunLien;  // subtree of greater names
  std::int32_t Gauche = AucunLien;  // subtree of lesser names
  std::int32_t Pere = AucunLien;    // parent; none for the root, which is always at offset 0

  void VersOctets(unsigned char (&octets)[Taille]) const;
  static NoeudIndex DepuisOctets(const unsigned char* octets);
};

// Little-endian 32-bit words of the files.
std::int32_t LireMot(const unsigned char* p);
void EcrireMot(unsigned char* p, std::int32_t valeur);

}  // namespace velquor
