// SPDX-License-Identifier: GPL-3.0-or-later
// Le Velquor: the window program. It takes no arguments and works in the current directory.
//
// VELQUOR_CAPTURE=file.png (for scripts/run.sh on a machine without a display): once the main
// window is up, saves a picture of it to that file and ends the program (status 0 when the
// picture was written).
// VELQUOR_COMMANDE=n (for scripts and measures, with VELQUOR_CAPTURE to end the run): once the
// main window is up, sends command n as its menu item would; 103 opens the cocktail view.
// VELQUOR_CHRONO=file (for bench/): writes when the main window is first drawn and, with
// VELQUOR_COMMANDE, how long the command takes to draw its window, then ends the run.
// VELQUOR_TOUCHE=k (with both): then presses k in the focused control and writes how long the
// window takes to be drawn again (a list's type-ahead).

#include <QGuiApplication>
#include <QTimer>

#include "app/capture.h"
#include "app/chronometrage.h"
#include "framework/service_messages.h"
#include "shell/velquor_app.h"
#include "shell/vues_programme.h"
#include "store/rapport_vantor.h"
#include "store/remplacement_paire.h"
#include "store/reprise.h"

int main(int argc, char** argv) {
  // A rebuild or a write that a kill or a crash stopped half-way is finished or undone before
  // anything reads the pairs.
  velquor::ReprendreRemplacements();
  velquor::ReprendreEcrituresInterrompues();
  velquor::TVelquorApp application(argc, argv, velquor::EnregistrerVuesProgramme);
  // The desktop entry the windows belong to (its icon and name in the desktop's task list).
  QGuiApplication::setDesktopFileName(QStringLiteral("fr.velquor.velquor"));
  // The application's message service reports the store's misuse in the "Vantor" box.
  velquor::DefinirRapporteurVantor(&velquor::ServiceMessages());

  const QString capture = qEnvironmentVariable("VELQUOR_CAPTURE");
  if (!capture.isEmpty()) velquor::ProgrammerCapture(application, capture);
  bool commandeDonnee = false;
  const int commande = qEnvironmentVariableIntValue("VELQUOR_COMMANDE", &commandeDonnee);
  const QString chrono = qEnvironmentVariable("VELQUOR_CHRONO");
  if (!chrono.isEmpty()) {
    velquor::ProgrammerChronometrage(application, chrono, commandeDonnee ? commande : 0,
                                     qEnvironmentVariable("VELQUOR_TOUCHE"));
  } else if (commandeDonnee) {
    QTimer::singleShot(0, &application,
                       [&application, commande] { application.Routeur().Envoyer(commande); });
  }
  return application.Executer();
}
