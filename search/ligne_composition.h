// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One composition line of the results window: the quantity, a connector and the ingredient,
// as a French recipe reads: "2 CITRON", "4 cl de GIN", "1 trait d' ANGOSTURA".

#include <string>
#include <string_view>

namespace velquor {

// Stored text in, stored text out. The connector is " d' " before an ingredient whose first
// character is one of the capitals A E I O U Y; otherwise " " after a quantity made of digits
// only (an empty one included); otherwise " de ".
std::string LigneComposition(std::string_view quantite, std::string_view ingredient);

}  // namespace velquor
