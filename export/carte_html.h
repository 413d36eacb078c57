// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The menu, web/menu.html: the cocktails of the last search (or all of them) as a page to print
// or share. Grouped by family, the families in name order, each cocktail with its composition
// lines as the results window shows them (but "d’EAU", set as French typography wants it, where
// the window shows "d' EAU") and its remarks, its name linking to its recipe page when one has
// been written. A page of the companion's own, in UTF-8 HTML5.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "export/bilan_export.h"
#include "store/enregistrements.h"
#include "store/messages.h"

namespace velquor {

inline constexpr const char* CheminCarte = "./web/menu.html";
inline constexpr std::string_view TitreCarteParDefaut = "Carte des cocktails";

// One cocktail as the menu shows it; texts are code page 1252.
struct CocktailCarte {
  std::string nom;
  std::string famille;
  std::vector<std::string> lignes;  // the composition lines, up to the first empty ingredient
  std::string remarques;
};

CocktailCarte CocktailPourCarte(const EnrCocktail& cocktail);

// The recipe pages of web/ that belong to these cocktails: for each name whose page is there
// (its title is the one the recipe page writes for that name), the page's file name. A page
// numbered by an older export still counts; of two pages for one name, the one written last.
std::map<std::string, std::string> LiensRecettes(const std::vector<CocktailCarte>& cocktails);

// The page. cocktails in name order; titre is escaped HTML text (UTF-8); liens as above;
// avecIndex when the index of the recipe pages is there to link back to.
std::string PageCarte(const std::vector<CocktailCarte>& cocktails, std::string_view titre,
                      const std::map<std::string, std::string>& liens, bool avecIndex);

struct BilanCarte : BilanExport {
  int nbFamilles = 0;
  int nbLiens = 0;
};

// Reads the cocktails of the pair `base` (RESURECH or COCKTAIL), which must exist, without
// writing to it, and writes web/menu.html whole or not at all; nothing when the reading failed.
BilanCarte ExporterCarteHtml(std::string_view base, std::string_view titre);

}  // namespace velquor
