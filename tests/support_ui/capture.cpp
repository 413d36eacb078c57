#include "support_ui/capture.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace velquor::test {

QString DossierCaptures() {
  return QStringLiteral(VELQUOR_DOSSIER_CAPTURES);
}

QString EnregistrerCapture(QWidget* widget, const QString& nom) {
  QDir dossier(DossierCaptures());
  if (!dossier.mkpath(QStringLiteral("."))) return {};
  const QString chemin = dossier.filePath(nom + QStringLiteral(".png"));
  return widget->grab().save(chemin, "PNG") ? chemin : QString();
}

}  // namespace velquor::test
