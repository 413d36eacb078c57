// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line writer of the recipe pages. Text is code page 1252 bytes.

#include <string>
#include <string_view>

#include "export/fichier_sortie.h"

namespace velquor {

// The line as it goes to the page: the nine lower-case accented letters à â ç é ê è ô ù û
// become their HTML entities, and every CR LF pair becomes "<br>" (a lone CR or LF stays).
std::string PreparerLigneHtml(std::string_view texte);

// Writes the prepared line, then CR LF. Every line of a page goes through here.
void EcrireLigneHtml(FichierSortie& fichier, std::string_view texte);

// Stored text put into a page: &, <, > and " become &amp;, &lt;, &gt;, &quot;, so that a remark
// such as "< 5 cl" or a name holding "&" still gives a valid page. Run before the line writer.
std::string EchapperHtml(std::string_view texte);

}  // namespace velquor
