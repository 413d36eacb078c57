// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record layouts of the data files, exactly as stored after the 8-byte header. Every text
// field is code page 1252, NUL-terminated, and zero from its terminator to the end of the field
// in every record the system writes.

#include <cstddef>

namespace velquor {

constexpr std::size_t TailleNom = 31;           // 30 bytes and the terminator
constexpr std::size_t TailleQuantite = 21;      // 20 bytes and the terminator
constexpr std::size_t TailleCommentaire = 251;  // 250 bytes and the terminator
constexpr int NbLignesComposition = 10;

struct EnrFamille {
  char Nom[TailleNom];
  char Commentaire[TailleCommentaire];
};

struct EnrIngredient {
  char Nom[TailleNom];
  unsigned char Alcool;  // 1 alcoholic, 0 not
  char Commentaire[TailleCommentaire];
};

struct EnrCocktail {
  char Nom[TailleNom];
  char Quantite[NbLignesComposition][TailleQuantite];
  char Ingredient[NbLignesComposition][TailleNom];
  char Famille[TailleNom];
  char Remarques[TailleCommentaire];
};

static_assert(sizeof(EnrFamille) == 282);
static_assert(sizeof(EnrIngredient) == 283);
static_assert(sizeof(EnrCocktail) == 833);

// Run on a record just before it is written: each text is kept up to and including its
// terminator and everything after it becomes zero, so no trace of a longer earlier text stays.
void Normaliser(EnrFamille& enr);
void Normaliser(EnrIngredient& enr);
void Normaliser(EnrCocktail& enr);

}  // namespace velquor
