// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/bitmaps.h"

#include <QPixmap>
#include <QString>

// The resources are compiled into a static library: nothing would pull them into the program
// without this reference.
static void InitialiserRessourcesVelquor() {
  Q_INIT_RESOURCE(velquor);
}

namespace velquor {

void AssurerRessources() {
  static const bool initialisees = (InitialiserRessourcesVelquor(), true);
  (void)initialisees;
}

QImage ChargerBitmap(int id) {
  AssurerRessources();
  QImage image(QStringLiteral(":/velquor/bitmaps/%1.bmp").arg(id));
  // 16-colour bitmaps load as indexed images; anything else would lose its colour table.
  if (image.isNull() || image.colorCount() == 0) return {};
  return image;
}

QImage ChargerBitmap(int id, qreal ratio) {
  if (ratio >= 1.5) {
    AssurerRessources();
    QImage image(QStringLiteral(":/velquor/bitmaps/%1@2x.bmp").arg(id));
    if (!image.isNull() && image.colorCount() > 0) {
      image.setDevicePixelRatio(2);
      return image;
    }
  }
  return ChargerBitmap(id);
}

QIcon ChargerIcone(int id) {
  AssurerRessources();
  QIcon icone;
  for (int taille : {16, 32}) {
    const QString chemin = QStringLiteral(":/velquor/icones/%1-%2.bmp").arg(id).arg(taille);
    QImage image(chemin);
    if (image.isNull()) continue;
    // The light grey around the picture is transparent in an icon.
    RemplacerPremiereCouleur(image, kGrisClair, qRgba(0, 0, 0, 0));
    icone.addPixmap(QPixmap::fromImage(image));
  }
  return icone;
}

bool RemplacerPremiereCouleur(QImage& image, QRgb de, QRgb vers) {
  for (int i = 0; i < image.colorCount(); ++i) {
    if (qRgb(qRed(image.color(i)), qGreen(image.color(i)), qBlue(image.color(i))) ==
        qRgb(qRed(de), qGreen(de), qBlue(de))) {
      image.setColor(i, vers);
      return true;
    }
  }
  return false;
}

void DefinirCouleurIndex(QImage& image, int index, QRgb couleur) {
  if (index >= 0 && index < image.colorCount()) image.setColor(index, couleur);
}

}  // namespace velquor
