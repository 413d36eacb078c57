// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a search selects: one of three kinds of criteria, filled by the search dialog from the
// page the user is on when the search starts. Names are stored text: code page 1252 bytes.

#include <string>
#include <vector>

namespace velquor {

enum GenreRecherche : int { RechercheNom = 1, RechercheFamille = 2, RechercheIngredients = 3 };

enum ModeNom : int { NomContient, NomNeContientPas };
enum ModeFamille : int { FamilleSelectionnee, FamilleNonSelectionnee };
enum ModeIngredients : int { TousChoisis, AucunChoisi, AuMoinsUnChoisi };

struct CriteresRecherche {
  // The number of the search dialog's page; any value other than 1 or 2 is an ingredient search.
  int TypeRecherche = RechercheNom;

  ModeNom SensNom = NomContient;
  std::string Chaine;  // searched within the names, case-sensitive

  ModeFamille SensFamille = FamilleSelectionnee;
  std::vector<std::string> FamillesChoisies;  // in the order of the chosen list

  ModeIngredients SensIngredients = TousChoisis;
  std::vector<std::string> IngredientsChoisis;  // in the order of the chosen list
};

}  // namespace velquor
