// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file layer under the record store: positioned reads and writes of whole nodes and
// records, files opened read-write and shared with other openers, exclusive creation, no text
// translation. Every transfer is one call here, however the system splits it underneath.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/systeme_fichiers.h"

namespace velquor {

class FichierBrut {
 public:
  FichierBrut() = default;
  ~FichierBrut() { Fermer(); }
  FichierBrut(const FichierBrut&) = delete;
  FichierBrut& operator=(const FichierBrut&) = delete;
  FichierBrut(FichierBrut&& autre) noexcept
      : fd_(autre.fd_),
        verrou_(autre.verrou_),
        projection_(autre.projection_),
        tailleProjection_(autre.tailleProjection_) {
    autre.fd_ = systeme::Aucune;
    autre.verrou_ = 0;
    autre.projection_ = nullptr;
    autre.tailleProjection_ = 0;
  }
  FichierBrut& operator=(FichierBrut&& autre) noexcept;

  // Opens an existing file for reading and writing; false when it is absent or refused, or
  // when this handle is already open.
  bool OuvrirExistant(const std::string& chemin);
  bool Ouvert() const { return fd_ != systeme::Aucune; }
  void Fermer();

  // Reads up to n bytes at offset and returns how many came (fewer than n at the end of the
  // file), or -1 when the read failed or the offset is negative.
  std::int64_t Lire(std::int64_t offset, void* destination, std::size_t n) const;
  // The same where a failed read counts as nothing read.
  std::size_t LireA(std::int64_t offset, void* destination, std::size_t n) const;
  // Writes n bytes at offset; false unless all of them were written.
  bool EcrireA(std::int64_t offset, const void* source, std::size_t n);
  // Size in bytes, -1 when it cannot be known.
  std::int64_t Taille() const;
  // Size and time of last change (nanoseconds); false when they cannot be known.
  bool TailleEtDate(std::int64_t& taille, long long& modification) const;
  // Advisory locks, which change nothing in the file: shared while a pair is open (waits for
  // an exclusive holder to finish), exclusive to rebuild it (refused at once when taken). A
  // handle holds one lock at most: asking for the other kind lets the one held go first.
  bool VerrouillerPartage();
  bool VerrouillerExclusifSansAttendre();
  // The same, waiting at most delaiMs for another holder to let go (by polling, so that a
  // program that keeps a lock never hangs this one); false when it did not come in time.
  bool VerrouillerAvecDelai(bool exclusif, int delaiMs);
  void Deverrouiller();
  // Cuts or extends the file to the given size.
  bool Tronquer(std::int64_t taille);
  // Whether the path still names the file behind this handle.
  bool EstToujours(const std::string& chemin) const;
  // The first `taille` bytes of the file mapped into memory, read-only, for reads without a
  // system call each; nullptr when the system cannot map it (reads then go through Lire). The
  // caller keeps the file from being cut while it is mapped (a lock that keeps writers out).
  const unsigned char* Projeter(std::int64_t taille);
  void Deprojeter();
  // Flushes the file's contents to the disk.
  bool Synchroniser();
  // Starts the range on its way to the disk (see systeme::LancerEcriture).
  void LancerEcriture(std::int64_t offset, std::int64_t taille) {
    if (Ouvert() && taille > 0) systeme::LancerEcriture(fd_, offset, taille);
  }
  // Sets the file's time of last change to now, and in any case later than it was: after each
  // of our writes the time tells another program of ours that the file changed, even when two
  // changes fall within one tick of the system's coarse clock.
  bool Horodater();
  // The device and file numbers that tell the same file behind two handles.
  bool Identite(unsigned long long& peripherique, unsigned long long& numero) const;

  // Creates or empties a file and opens it for reading and writing.
  bool CreerOuVider(const std::string& chemin);
  // Creates an empty file and opens it for reading and writing; false when it already exists.
  bool CreerNeuf(const std::string& chemin);
  static bool Supprimer(const std::string& chemin);
  static bool Existe(const std::string& chemin);
  // The whole file; false when it cannot be read (absent included).
  static bool LireTout(const std::string& chemin, std::vector<unsigned char>& octets);
  // Writes a new file (it must not exist yet) and flushes it and its folder to the disk.
  static bool EcrireNeufSynchronise(const std::string& chemin,
                                    const std::vector<unsigned char>& octets);
  // Replaces a file's content by another, whole or not at all: written beside it, flushed,
  // then renamed over it.
  static bool RemplacerSynchronise(const std::string& chemin,
                                   const std::vector<unsigned char>& octets);
  // Flushes the folder holding the path, so that a creation, removal or rename survives.
  static bool SynchroniserDossierDe(const std::string& chemin);
  // The absolute form of a path relative to the current directory.
  static std::string CheminAbsolu(const std::string& chemin);

 private:
  systeme::Poignee fd_ = systeme::Aucune;
  int verrou_ = 0;  // 0: none, 1: shared, 2: exclusive
  const unsigned char* projection_ = nullptr;
  std::size_t tailleProjection_ = 0;
};

}  // namespace velquor
