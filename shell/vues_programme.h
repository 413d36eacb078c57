// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's views and its search dialog plug into the client area.

namespace velquor {

class TVelquorMDIClient;

// Registers the factories of the program's views and the search dialog's launcher.
void EnregistrerVuesProgramme(TVelquorMDIClient& client);

}  // namespace velquor
