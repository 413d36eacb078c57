#pragma once
// The index of the recipe pages, web/index.html: every page written, in name order, so that the
// exported folder can be browsed. A page of the companion's own, in UTF-8 HTML5.

#include <string>
#include <vector>

#include "export/recettes_html.h"

namespace velquor {

inline constexpr const char* CheminIndexRecettes = "./web/index.html";

// The page: a link to each recipe page, in the order given.
std::string PageIndexRecettes(const std::vector<PageRecette>& pages);

// Writes it whole or not at all; false when it could not be written.
bool EcrireIndexRecettes(const std::vector<PageRecette>& pages);

}  // namespace velquor
