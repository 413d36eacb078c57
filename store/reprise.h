#pragma once
// At the start of the program and of the companion: the lots that a writer stopped half-way
// (a kill, a crash, a power cut) left in the current directory are undone, each pair being put
// back exactly as it was before the lot, and the group files that no journal needs any more are
// removed; a pair whose creation was cut short (one file, empty) goes. A pair that another
// program is writing is left to it.

namespace velquor {

// The number of pairs put back.
int ReprendreEcrituresInterrompues();

}  // namespace velquor
