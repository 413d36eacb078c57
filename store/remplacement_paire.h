// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a record file pair by a rebuilt one, so that a stop at any instant leaves the old
// pair or the new one, whole, once either program has started again.
//
// The new pair is written and flushed in DossierRemplacement, under the pair's own file names,
// and the folder flushed. Then a journal, BASE.remplacement, is written beside it (whole,
// through a rename), naming the backups and the new files' sizes and checksums: from that
// moment the replacement is decided. Each old file is kept under its backup name (a hard link,
// so it is never copied; a search's old result is not kept), the folder flushed, then each new
// file is renamed over the old one; then the journal goes. Each of these steps can be done
// again after a stop, so the start of either program finishes a replacement whose journal is
// there, and removes the new files of one whose journal is not (the old pair is then
// untouched). A replacement whose new file is missing (a file system that lost it while keeping
// the journal) is never finished: it is given up while nothing is replaced yet.
//
// Locks: whoever rebuilds a pair holds an exclusive lock on its index file from start to end
// (on the new one as well, before it takes the old one's place), and a search writing a new
// result has the new pair open; so a pair whose index or new index is locked is in use and its
// unfinished new files are left alone. The steps between the journal and its removal
// run under an exclusive lock on DossierRemplacement itself, which serialises them with the
// recovery of a starting program.

#include <string>
#include <vector>

namespace velquor {

inline constexpr const char* DossierRemplacement = ".velquor-reorganisation";

// "<DossierRemplacement>/BASE.EXT": where the new file of a pair is written.
std::string CheminNouveau(const std::string& base, const std::string& extension);

struct RepriseRemplacement {
  std::string base;
  enum class Issue {
    Achevee,     // the journal was there: the new pair is now in place
    Abandonnee,  // no journal: the new files were removed, the old pair is as it was
    Echec,       // could not be finished; erreur says why, nothing was removed
  } issue = Issue::Abandonnee;
  std::string sauvegardeIndex, sauvegardeDonnees;  // where the old pair is kept (Achevee)
  std::string erreur;                              // French
};

// At the start of either program, in the current directory: finishes or undoes every
// replacement that a stop interrupted. Nothing at all is done when no replacement was under way.
// A pair whose index is locked by another program is left to it.
std::vector<RepriseRemplacement> ReprendreRemplacements();

// The same for one pair, by the program that holds the lock of its index: unfinished new files
// are removed without asking for the lock. Returns whether anything was found.
bool ReprendreRemplacement(const std::string& base, RepriseRemplacement& reprise);

// Replaces BASE.NDX and BASE.DAT of the current directory by the new files written and flushed
// at CheminNouveau(base, "NDX" / "DAT"); the old files are kept as sauvegardeIndex and
// sauvegardeDonnees, which are either absent or backups that may be replaced. The caller holds
// the lock of the pair's index, or has the new pair open. An empty backup name: the old file is
// not kept. False with a French reason when it could not be done; once the journal is written,
// what is left is finished by the next start.
bool RemplacerPaire(const std::string& base, const std::string& sauvegardeIndex,
                    const std::string& sauvegardeDonnees, std::string& erreur);

}  // namespace velquor
