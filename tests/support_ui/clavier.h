// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Typing any text into a widget. QTest::keyClicks only knows Latin-1 characters: this sends each
// character as a key press carrying its text, as a keyboard or an input method would (œ, Ÿ, Ω,
// €, …), with a key code when there is one.

#include <QString>

class QWidget;

namespace velquor::test {

void Taper(QWidget* widget, const QString& texte);

}  // namespace velquor::test
