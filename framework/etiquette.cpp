// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/etiquette.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace velquor {

namespace {
// The smallest size tried, in pixels: below it a text is drawn cut rather than unreadable.
constexpr int kTaillePlancher = 6;
}  // namespace

int PEtiquette::Drapeaux() const {
  int drapeaux = static_cast<int>(alignment());
  if (wordWrap()) drapeaux |= Qt::TextWordWrap;
  if (buddy()) {
    drapeaux |= style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this)
                    ? Qt::TextShowMnemonic
                    : Qt::TextHideMnemonic;
  }
  return drapeaux;
}

bool PEtiquette::Tient(const QFont& police) const {
  const QRect place = contentsRect();
  const QRect besoin = QFontMetrics(police).boundingRect(place, Drapeaux(), text());
  return besoin.width() <= place.width() && besoin.height() <= place.height();
}

QFont PEtiquette::PoliceAffichee() const {
  QFont police = font();
  if (text().isEmpty() || Tient(police)) return police;
  const QFontInfo info(police);
  for (int taille = info.pixelSize() - 1; taille >= kTaillePlancher; --taille) {
    police.setPixelSize(taille);
    if (Tient(police)) return police;
  }
  return police;
}

void PEtiquette::paintEvent(QPaintEvent* event) {
  const QFont police = PoliceAffichee();
  if (police == font()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter peintre(this);
  peintre.setFont(police);
  style()->drawItemText(&peintre, contentsRect(), Drapeaux(), palette(), isEnabled(), text(),
                        foregroundRole());
}

}  // namespace velquor
