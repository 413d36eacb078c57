// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The index of the recipe pages, web/index.html: every page written, in name order, so that the
// exported folder can be browsed. A page of the companion's own, in UTF-8 HTML5.

#include <string>
#include <string_view>
#include <vector>

#include "export/recettes_html.h"

namespace velquor {

inline constexpr const char* CheminIndexRecettes = "./web/index.html";

// The link to the menu (web/menu.html) that the index holds when there is one.
inline constexpr std::string_view LienCarte = "<p><a href=\"menu.html\">La carte</a></p>\n";

// The page: a link to the menu when `avecCarte`, then a link to each recipe page, in the order
// given.
std::string PageIndexRecettes(const std::vector<PageRecette>& pages, bool avecCarte);

// Writes it whole or not at all, linking to the menu if there is one; false when it could not be
// written.
bool EcrireIndexRecettes(const std::vector<PageRecette>& pages);

// Gives an index written before the menu its link to it, rewriting it whole; true when it has
// the link, or when there is no index of ours to give it to.
bool LierIndexACarte();

}  // namespace velquor
