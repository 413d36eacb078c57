// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the companion's own pages (the menu, the index of the recipe pages) share: HTML5 in
// UTF-8, every text from the data escaped, and written whole or not at all.

#include <optional>
#include <string>
#include <string_view>

namespace velquor {

// Stored text (code page 1252) as HTML5 text in UTF-8: &, <, > and " escaped (attributes are
// always in double quotes); a control character (C0, DEL, and the five bytes the code page
// leaves undefined) written visibly as \xHH, as the companion's lists write them, since HTML
// forbids them. With sautsDeLigne, CR LF, a lone CR and a lone LF become <br>; without, they are
// control characters like the others.
std::string TexteHtml(std::string_view cp1252, bool sautsDeLigne = false);

// The same for UTF-8 text from outside (a title given on the command line); nothing when it is
// not valid UTF-8. Noncharacters, which HTML forbids as well, become U+FFFD.
std::optional<std::string> TexteHtmlUtf8(std::string_view utf8);

// The beginning of a page up to and including <body>: doctype, language, charset, the
// viewport of phones, the title (already escaped) and the style sheet.
std::string DebutPageHtml5(std::string_view titreEchappe, std::string_view styles);

// Replaces the file by the page: written beside it, flushed, then renamed over it, so that a
// stop or a full disk leaves the former page whole. False when it could not be written.
bool EcrirePageEntiere(const std::string& chemin, std::string_view page);

}  // namespace velquor
