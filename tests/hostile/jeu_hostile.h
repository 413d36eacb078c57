// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hostile records, written straight into the files with the store: names, quantities, comments
// and remarks holding "%", "%s", "%d", "<", ">", "&", '"', ";", CR LF, the code page bytes 0x80
// to 0x9F (the five undefined ones, 0x81 0x8D 0x8F 0x90 0x9D, among them), and texts exactly at
// their limit (30 bytes for names, 20 for quantities, 250 for comments and remarks). Every text
// is code page 1252 bytes; none is what the program's own entry rules would have typed (names
// keep small letters such as the s of "%s").
//
// A second set, written as raw bytes over records the store wrote, has fields that fill their
// whole width with no terminator, as a damaged file may.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "store/enregistrements.h"

namespace velquor::test {

struct FamilleHostile {
  std::string nom;
  std::string commentaire;
};
struct IngredientHostile {
  std::string nom;
  bool alcool;
  std::string commentaire;
};
struct CocktailHostile {
  std::string nom;
  std::string famille;
  std::array<std::string, NbLignesComposition> quantites;
  std::array<std::string, NbLignesComposition> ingredients;
  std::string remarques;
};

// Names of the set used on their own: bytes 0x80 to 0x8F or 0x90 to 0x9F, then text (30 bytes).
extern const std::string Famille80;
extern const std::string Ingredient90;

// A comment or remark of exactly 250 bytes: lines ended by CR LF holding every hostile
// character, the 32 bytes 0x80 to 0x9F, and the nine small accented letters of the recipe pages.
extern const std::string Remarque250;
// 125 CR LF and nothing else (250 bytes).
extern const std::string Remarque125Sauts;

struct JeuHostile {
  std::vector<FamilleHostile> familles;
  std::vector<IngredientHostile> ingredients;
  std::vector<CocktailHostile> cocktails;
};

const JeuHostile& Jeu();

EnrFamille Enregistrement(const FamilleHostile& f);
EnrIngredient Enregistrement(const IngredientHostile& i);
EnrCocktail Enregistrement(const CocktailHostile& c);

// Writes the set into FAMILLE, INGRED and COCKTAIL of the current directory (created when
// missing); with `resultat`, its cocktails into RESURECH as well.
void EcrireJeu(bool resultat = false);

// The records whose fields fill their width with no terminator. Their keys in the index are
// terminated (the first 30 bytes of the name); the bytes after them in the data file are not.
struct SansTerminateur {
  static const std::string Cle;          // the key of the three records (30 bytes)
  static const std::string Nom;          // the record's name field: 31 bytes
  static const std::string Commentaire;  // 251 bytes, family's and ingredient's comment
  static const std::string Quantite;     // 21 bytes, row 1 of the cocktail
  static const std::string Ingredient;   // 31 bytes, row 1 of the cocktail
  static const std::string Famille;      // 31 bytes
  static const std::string Remarques;    // 251 bytes
};
// Adds one family, one ingredient and one cocktail under SansTerminateur::Cle (to COCKTAIL, or
// to RESURECH with `resultat`), then overwrites their fields in the data files.
void EcrireSansTerminateur(bool resultat = false);

}  // namespace velquor::test
