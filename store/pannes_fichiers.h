// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test seam of the file layer: it can be told to fail the n-th open, read or write from now on
// (with an error number such as EIO or ENOSPC, or, for a write, after writing half its bytes),
// or to behave as a program stopped after n more writes (later writes change nothing, as after a
// kill, with the system's cache of the files intact). Counts every call, so that a test can tell
// that nothing was written past a failed write. Off unless a test turns it on.

namespace velquor::pannes {

enum class Operation { Ouverture, Lecture, Ecriture };

// With persistante, that call and every later one of its kind fail (a disk gone bad).
void Programmer(Operation operation, long rang, int erreur, bool ecritureCourte = false,
                bool persistante = false);
void ArreterApres(long ecritures);
void Effacer();
long Compter(Operation operation);

}  // namespace velquor::pannes
