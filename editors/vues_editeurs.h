// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three editor views plugged into the client area: commands 102, 101 and 103 open the
// family, ingredient and cocktail views.

namespace velquor {

class TVelquorMDIClient;

void EnregistrerVuesEditeurs(TVelquorMDIClient& client);

}  // namespace velquor
