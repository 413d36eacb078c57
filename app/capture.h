// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture of the main window once it is up, then the end of the run: how scripts/run.sh
// checks, on a machine without a display, that the program comes up.

#include <QString>

namespace velquor {

class PApplication;

// Once the main window has been shown and painted, saves its picture to chemin (PNG) and quits;
// the run then ends with 0 when the picture was written, 1 otherwise. The picture is the window
// without the window manager's frame, in the screen's pixels (its size times the device pixel
// ratio).
void ProgrammerCapture(PApplication& application, const QString& chemin);

}  // namespace velquor
