// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/cadre_groupe.h"

#include <QPainter>

namespace velquor {

namespace {
constexpr int kRetraitTitre = 7;  // the title's left edge, from the frame's
}  // namespace

int PCadreGroupe::HautDuCadre() const {
  return fontMetrics().height() / 2 - 1;
}

void PCadreGroupe::paintEvent(QPaintEvent*) {
  QPainter peintre(this);
  const QRect cadre = rect().adjusted(0, HautDuCadre(), 0, 0);
  // Etched: a shadow line, and a highlight line one pixel further right and down.
  peintre.setPen(palette().color(QPalette::Dark));
  peintre.drawRect(cadre.adjusted(0, 0, -2, -2));
  peintre.setPen(palette().color(QPalette::Light));
  peintre.drawRect(cadre.adjusted(1, 1, -1, -1));
  if (title().isEmpty()) return;
  // The title on the line, over the face colour, a pixel of margin on each side.
  const QRect texte(kRetraitTitre, 0, fontMetrics().horizontalAdvance(title()),
                    fontMetrics().height());
  peintre.fillRect(texte.adjusted(-1, 0, 1, 0), palette().color(backgroundRole()));
  peintre.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  peintre.drawText(texte, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}

}  // namespace velquor
