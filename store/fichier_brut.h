#pragma once
// The file layer under the record store: positioned reads and writes of whole nodes and
// records, files opened read-write and shared with other openers, exclusive creation, no text
// translation. Every transfer is one call here, however the system splits it underneath.

#include <cstddef>
#include <cstdint>
#include <string>

namespace velquor {

class FichierBrut {
 public:
  FichierBrut() = default;
  ~FichierBrut() { Fermer(); }
  FichierBrut(const FichierBrut&) = delete;
  FichierBrut& operator=(const FichierBrut&) = delete;
  FichierBrut(FichierBrut&& autre) noexcept : fd_(autre.fd_) { autre.fd_ = -1; }
  FichierBrut& operator=(FichierBrut&& autre) noexcept;

  // Opens an existing file for reading and writing; false when it is absent or refused, or
  // when this handle is already open.
  bool OuvrirExistant(const std::string& chemin);
  bool Ouvert() const { return fd_ >= 0; }
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
  // Advisory locks, which change nothing in the file: shared while a pair is open (waits for
  // an exclusive holder to finish), exclusive to rebuild it (refused at once when taken).
  bool VerrouillerPartage();
  bool VerrouillerExclusifSansAttendre();
  // Whether the path still names the file behind this handle.
  bool EstToujours(const std::string& chemin) const;
  // Flushes the file's contents to the disk.
  bool Synchroniser();
  // The device and file numbers that tell the same file behind two handles.
  bool Identite(unsigned long long& peripherique, unsigned long long& numero) const;

  // Creates an empty file; false when it already exists or cannot be created.
  static bool CreerExclusif(const std::string& chemin);
  // Creates or empties a file and opens it for reading and writing.
  bool CreerOuVider(const std::string& chemin);
  static bool Supprimer(const std::string& chemin);

 private:
  int fd_ = -1;
};

}  // namespace velquor
