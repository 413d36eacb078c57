// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The creation of a record file pair, and what a stop in the middle of one leaves behind.
//
// A creation makes the index, empty, then the data file with its 8-byte header (the header the
// first opening would write, so that the pair is whole as soon as it exists). From the index's
// creation until the header is written the creator holds the index's exclusive lock: a start
// that meets an empty index alone, or beside an empty data file, can so tell a creation under
// way (the lock is held) from one that a kill or a power cut stopped (nobody holds it). Only
// such empty files are ever removed: an index that holds anything, or a data file alone that
// holds more than a zero header, may be what is left of a user's pair, and stays as it is.

#include <string>

namespace velquor {

// Creates the pair; a creation that a stop cut short (an empty index alone, not locked) is
// finished. False, with nothing written, when the index holds anything or the data file is
// already there (the pair exists, or its data file stands alone). True as well when a creation
// of another program, waited for, made the pair meanwhile.
bool CreerPaire(const std::string& nomIndex, const std::string& nomDonnees);

// Removes the files of a creation that a stop cut short: an empty index with no data file or
// with an empty one, when no program holds the index's lock (checked again once this holds
// it), the data file first; or, where a power cut lost the index's name but kept the data
// file's, a data file alone that holds at most a zero header. True when it removed them.
bool AbandonnerCreationArretee(const std::string& nomIndex, const std::string& nomDonnees);

}  // namespace velquor
