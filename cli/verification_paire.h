// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The check of one record file pair, read-only: the data file's size and header, then the whole
// tree of the index walked in name order from the root at offset 0, with every link, key and
// record offset checked. The files are read with our own reader and never opened for writing.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/paires.h"

namespace velquor::outils {

struct ChampTexteEnreg {
  std::size_t offset;
  std::size_t taille;
  std::string_view nom;  // French, as the report names it
};

struct DescriptionPaire {
  std::string_view base;       // "FAMILLE", "INGRED", "COCKTAIL" or "RESURECH"
  std::string_view singulier;  // UTF-8: "famille", "ingrédient", ...
  std::string_view pluriel;    // UTF-8: "familles", "ingrédients", ...
  std::size_t tailleEnreg;
  std::vector<ChampTexteEnreg> champs;  // the record's text fields, its name first
  std::string_view cible;               // the companion's operand: "familles", "ingredients", ...
};

const DescriptionPaire& PaireFamille();
const DescriptionPaire& PaireIngredient();
const DescriptionPaire& PaireCocktail();
const DescriptionPaire& PaireResultat();

struct RapportPaire {
  EtatPaire etat = EtatPaire::Absente;
  std::int32_t nbEnreg = 0;     // as the header says
  std::int64_t nbAtteints = 0;  // records reached through the tree
  std::int64_t nbDefauts = 0;
  std::vector<std::string> defauts;  // the first of them, French, UTF-8
  // Names that come after a greater one in the walk: a tree built in another name order (another
  // version of the platform's, or our earlier releases). Not damage: the rebuild sorts them.
  std::int64_t nbHorsOrdre = 0;
  std::vector<std::string> horsOrdre;
  // Most records reached carry another name than their key: the index and the data file do not
  // belong together, and a rebuild from them cannot be right.
  bool depareillee = false;

  void Defaut(std::string texte);
  void HorsOrdre(std::string texte);
};

// Called for every record reached, in name order, with its key (code page 1252) and its bytes
// (tailleEnreg of them).
using VisiteurEnreg = std::function<void(std::string_view cle, const unsigned char* enreg)>;

RapportPaire VerifierPaire(const DescriptionPaire& paire, const VisiteurEnreg& visiteur = {});

// The four pairs, then the families and ingredients the cocktails name: each reference to a name
// that the family or ingredient pair does not hold is a fault of `references`. Each cocktail, and
// each result, whose rows go on after a row without an ingredient (rows that no display shows)
// is a fault of `lignesCocktails` or `lignesResultats`.
struct RapportBase {
  RapportPaire familles, ingredients, cocktails, resultats;
  RapportPaire references;
  RapportPaire lignesCocktails, lignesResultats;
};
RapportBase VerifierBase();

}  // namespace velquor::outils
