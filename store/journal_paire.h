// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rollback journal of a pair. Before a lot's changes reach the files, the bytes they will
// overwrite and the two file sizes are written to BASE.JNL beside the pair and flushed to the
// disk; once every change is in the files and flushed, the journal is removed. A journal that is
// still there when nobody holds the pair's write lock therefore belongs to a writer that
// stopped half-way (a kill, a crash, a power cut): putting its bytes back and cutting the files
// to its sizes returns the pair exactly to what it was before the lot.
//
// Lots of several pairs that must land together (an import adds families, ingredients and
// cocktails) share a group file: each pair's journal names it, and it is removed first, when
// every pair has its changes. A journal whose group file is gone belongs to a lot that landed.
//
// The format is the program's own (the data files never change for it):
//   "VELQUOR JOURNAL\n", version (4), group name length (4) and bytes, data size (8), index
//   size (8), number of extracts (4), then per extract: file (1: 0 data, 1 index), offset (8),
//   length (4), bytes; and last a 64-bit FNV-1a checksum of everything before it. A journal
//   that is short or whose checksum fails was never complete, so no change had reached the
//   files yet: it is only removed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velquor {

class FichierBrut;

struct JournalPaire {
  struct Extrait {
    bool index = false;  // which file: the index, or the data file
    std::int64_t pos = 0;
    std::vector<unsigned char> octets;  // what the file held there before the lot
  };
  std::string groupe;  // the group file's name in the pair's folder; empty for a lone pair
  std::int64_t tailleDonnees = 0;
  std::int64_t tailleIndex = 0;
  std::vector<Extrait> extraits;
};

std::vector<unsigned char> EncoderJournal(const JournalPaire& journal);
std::optional<JournalPaire> DecoderJournal(const std::vector<unsigned char>& octets);

// The checksum the journals end with, over any bytes: eight FNV-1a sums side by side, folded.
std::uint64_t SommeOctets(const unsigned char* octets, std::size_t n);

// "COCKTAIL.DAT" -> "COCKTAIL.JNL", with its folder if it has one.
std::string NomJournal(std::string_view nomDonnees);

// Puts the saved bytes back and cuts both files to their sizes, then flushes them.
bool AnnulerSelonJournal(const JournalPaire& journal, FichierBrut& index, FichierBrut& donnees);

enum class Reprise {
  Aucune,     // no journal
  Annulee,    // a lot stopped half-way was undone
  Ecartee,    // a journal that was incomplete, or whose lot had landed, was removed
  Impossible  // the journal could not be read or the pair could not be put back
};

// The pair's journal, when there is one, dealt with. The caller holds the pair's write lock
// through the two handles' files.
Reprise ReprendreJournal(const std::string& cheminJournal, FichierBrut& index,
                         FichierBrut& donnees);

}  // namespace velquor
