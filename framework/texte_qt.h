// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where the window program converts between Qt's text and stored text (code page
// 1252 bytes). Every code page character lies in Unicode's basic plane, so one stored byte is
// exactly one QChar: byte limits and QString lengths agree on representable text.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace velquor {

// Stored bytes to Qt text. Every byte has a character, so this never fails.
QString Cp1252VersQString(std::string_view texte);

// Qt text to stored bytes, or nothing when a character cannot be held by the code page.
std::optional<std::string> QStringVersCp1252(const QString& texte);

// Whether the code page can hold the character, and every character of the text.
bool EstRepresentableCp1252(QChar c);
bool EstRepresentableCp1252(const QString& texte);

// Every letter put into capitals by the code page rule (é→É, ÿ→Ÿ, œ→Œ; ß stays). Characters the
// code page cannot hold are left as they are.
QString MajusculesQString(const QString& texte);

// Multi-line fields store their line breaks as CR LF, as the legacy edit control did, and the
// text limit counts both bytes; Qt's text holds a lone LF per line break.
QString Cp1252VersTexteMulti(std::string_view texte);
std::optional<std::string> TexteMultiVersCp1252(const QString& texte);
// Stored length (in bytes, line breaks counting two) of a multi-line Qt text.
int LongueurStockeeMulti(const QString& texte);

}  // namespace velquor
