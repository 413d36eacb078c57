#pragma once
// Screenshots of the GUI tests, for people to look at: PNG files in the build tree's
// screenshots/ folder.

#include <QString>

class QWidget;

namespace velquor::test {

// Saves a picture of the widget (its window frame excluded) as <dossier>/<nom>.png and returns
// the path, or an empty string when the file could not be written.
QString EnregistrerCapture(QWidget* widget, const QString& nom);
QString DossierCaptures();

}  // namespace velquor::test
