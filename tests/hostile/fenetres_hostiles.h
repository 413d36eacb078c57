// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window tests of hostile text share: the text a window must show for stored bytes,
// and the user's click on a list entry.

#include <QString>
#include <QTest>

#include <string_view>

#include "framework/liste.h"

namespace velquor::test {

// The characters of code page 1252 at 0x80 to 0x9F, as the code page's table gives them; its
// five holes (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep the control code points of the same value, as
// the platform's conversion does. Every other byte is the Latin-1 character of the same value.
inline constexpr char16_t kTable80[32] = {
    u'€', u'\u0081', u'‚',      u'ƒ', u'„',      u'…',      u'†', u'‡',      u'ˆ', u'‰', u'Š',
    u'‹', u'Œ',      u'\u008D', u'Ž', u'\u008F', u'\u0090', u'‘', u'’',      u'“', u'”', u'•',
    u'–', u'—',      u'˜',      u'™', u'š',      u'›',      u'œ', u'\u009D', u'ž', u'Ÿ'};

// The text a window shows for stored bytes.
inline QString Montre(std::string_view cp1252) {
  QString texte;
  for (unsigned char c : cp1252)
    texte += c >= 0x80 && c < 0xA0 ? QChar(kTable80[c - 0x80]) : QChar(char16_t{c});
  return texte;
}

// The same in a multi-line field: a stored CR LF is a line break.
inline QString MontreMulti(std::string_view cp1252) {
  return Montre(cp1252).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The user clicks the entry.
inline void Cliquer(PListe* liste, int index) {
  QListWidgetItem* element = liste->item(index);
  ASSERT_NE(element, nullptr) << index;
  liste->scrollToItem(element);
  QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(element).center());
  ASSERT_EQ(liste->IndexSelection(), index);
}

}  // namespace velquor::test
