// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way every user of a collection opens it.

#include "store/messages.h"
#include "store/pfichier.h"

namespace velquor {

// Ouvrir; failing that Creer, then Ouvrir again. When the pair can be neither created nor
// opened, string 3001 or 3002 is shown with the collection's plural noun and the stop icon, and
// the caller goes on with the collection closed (every operation on it then finds nothing).
// Returns whether the collection is open.
bool OuvrirCollection(PFichier& fichier, PMessages& messages);

}  // namespace velquor
