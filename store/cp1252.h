// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Code page 1252: the byte encoding of every text stored in the record files.

#include <optional>
#include <string>
#include <string_view>

namespace velquor {

// The Unicode code point of a byte. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control code points of the same value, as the platform does.
char32_t Cp1252VersUnicode(unsigned char octet);

// The byte of a code point, or nothing when the code page cannot hold it.
std::optional<unsigned char> UnicodeVersCp1252(char32_t point);

// Capital of a byte by the code page rule: a-z, à-þ except ÷, ÿ→Ÿ, š→Š, œ→Œ, ž→Ž; ß stays.
unsigned char MajusculeCp1252(unsigned char octet);
// Small letter of a byte, the inverse of MajusculeCp1252 on the letters it changes.
unsigned char MinusculeCp1252(unsigned char octet);
// Every byte of a text put into capitals; the length never changes.
std::string MajusculesCp1252(std::string_view texte);

std::string Cp1252VersUtf8(std::string_view texte);
// Decodes one UTF-8 sequence at texte[i] (i < texte.size()), advancing i past it. Nothing, i
// unchanged, for a malformed sequence: truncated, overlong, a surrogate, beyond U+10FFFF or a
// stray continuation byte.
std::optional<char32_t> LireUtf8(std::string_view texte, std::size_t& i);
// Nothing when the text is not valid UTF-8 or holds a character the code page cannot hold.
std::optional<std::string> Utf8VersCp1252(std::string_view texte);

}  // namespace velquor
