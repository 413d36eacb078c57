#include "shell/bitmaps.h"

#include <QFile>
#include <QString>

namespace velquor {

QImage ChargerBitmap(int id) {
  QImage image(QStringLiteral(":/velquor/bitmaps/%1.bmp").arg(id));
  // 16-colour bitmaps load as indexed images; anything else would lose its colour table.
  if (image.isNull() || image.colorCount() == 0) return {};
  return image;
}

QIcon ChargerIcone(int id) {
  QIcon icone;
  for (int taille : {16, 32}) {
    const QString chemin = QStringLiteral(":/velquor/icones/%1-%2.bmp").arg(id).arg(taille);
    if (QFile::exists(chemin)) icone.addFile(chemin, QSize(taille, taille));
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
