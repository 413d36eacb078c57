// SPDX-License-Identifier: GPL-3.0-or-later
#include "support_ui/clavier.h"

#include <QTest>
#include <QWidget>

namespace velquor::test {

void Taper(QWidget* widget, const QString& texte) {
  for (QChar c : texte) {
    Qt::Key touche = Qt::Key_unknown;
    if (c.unicode() < 0x80 && c.isLetterOrNumber()) {
      touche = static_cast<Qt::Key>(c.toUpper().unicode());
    } else if (c == ' ') {
      touche = Qt::Key_Space;
    }
    const Qt::KeyboardModifiers mods = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
    QTest::sendKeyEvent(QTest::Press, widget, touche, QString(c), mods);
    QTest::sendKeyEvent(QTest::Release, widget, touche, QString(c), mods);
  }
}

}  // namespace velquor::test
