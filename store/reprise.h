// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// At the start of the program and of the companion: the lots that a writer stopped half-way
// (a kill, a crash, a power cut) left in the current directory are undone, each pair being put
// back exactly as it was before the lot, and the group files that no journal needs any more are
// removed; the empty files of a pair whose creation was stopped are removed, the pair being
// absent as before (store/creation_paire.h). A pair that another program is writing or
// creating is left to it.

namespace velquor {

// The number of pairs put back.
int ReprendreEcrituresInterrompues();

}  // namespace velquor
