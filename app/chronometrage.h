// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Timings of the real program for the benchmarks: when its main window is first drawn, and how
// long a command takes from being sent to its window drawn, lists filled.

#include <QString>

namespace velquor {

class PApplication;

// Once the main window has first been painted, writes "fenetre T" to chemin (T: the monotonic
// clock in ms, to compare with the start of the process); then, when commande > 0, sends it as
// its menu item would and writes "commande D" (D: ms from the sending to the end of the first
// drawing of the window it opened, dialog or view), and ends the run (status 0 once written).
// With a touche, that key is then pressed in the control that has the focus (a list's
// type-ahead) and "touche D" written: ms from the press to the end of the drawing it caused.
void ProgrammerChronometrage(PApplication& application, const QString& chemin, int commande,
                             const QString& touche = {});

}  // namespace velquor
