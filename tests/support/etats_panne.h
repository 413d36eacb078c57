// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The states of a folder that a writer may leave when it is killed or the power fails, rebuilt
// from the file calls strace saw it make over the folder as it was before.
//
// The model of the disk, an ordered journaling file system (ext4 with data=ordered, as most
// Linux systems run):
// - a file's contents and size are on the disk once the file is flushed (fsync, fdatasync)
//   after the write; before, each write may be lost, torn at a 512-byte sector, or land
//   without an earlier one (the disk reorders what it was not told to order);
// - names (creations, renames, links, removals, folders) reach the disk in the order they were
//   made: what a power cut keeps is every name change up to some point. One is on the disk once
//   its folder is flushed after it (and with it every earlier one). With ordre = false, a file
//   system that keeps no such order (no journal: FAT, exFAT): any name change not flushed may be
//   lost on its own.
// A kill loses nothing the calls were given: it is the state with every change applied.

#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace velquor::test {

// The files of a folder, by relative path.
using Arbre = std::map<std::string, std::string>;

Arbre LireArbre(const std::filesystem::path& dossier);
// Makes the folder hold exactly that.
void EcrireArbre(const Arbre& arbre, const std::filesystem::path& dossier);

class EtatsPanne {
 public:
  // The folder as it is before the writer runs there (its current directory).
  explicit EtatsPanne(const std::filesystem::path& dossier);
  // The arguments that make strace write down the calls a program makes, before the program's
  // (none without a journal).
  static std::vector<std::string> Tracer(const std::filesystem::path& journal);
  // Reads what strace wrote of the writer's run: the calls that changed the folder.
  bool LireStrace(const std::filesystem::path& journal);
  std::size_t NbAppels() const { return ops_.size(); }

  // Calls visiter with each state not in `vus` (digests of the states, to which it adds), and a
  // description of it, after each call in turn: all of it (a kill), only what was flushed, the
  // names up to each point (or each one lost), each write lost, alone or torn, and `hasard`
  // random mixes. Stops when visiter returns false.
  void Parcourir(bool ordre, int hasard, unsigned graine, std::set<std::size_t>& vus,
                 const std::function<bool(const Arbre&, const std::string&)>& visiter) const;

 private:
  // A call, as a letter: C path (a file created), D path (a folder created), W (written: pos,
  // bytes), T (cut or extended to pos), S (a file flushed), Y path (a folder flushed), R and L
  // path to (renamed, linked), U path (removed), X path (a folder removed). id: the file's
  // identity, for the calls on a file's contents.
  struct Op {
    char type = 0;
    std::string a, b;
    long long id = -1;
    std::size_t pos = 0;
    std::string octets;
  };
  // Which calls of the first k are kept; a torn write keeps `garde` bytes from `debut`.
  struct Choix {
    std::vector<bool> garde;
    long long dechire = -1;
    std::size_t debut = 0, garde_octets = 0;
  };
  Arbre Construire(std::size_t k, const Choix& choix) const;
  std::string Relatif(const std::string& absolu) const;
  std::vector<bool> Durables(std::size_t k, bool ordre) const;

  std::string racine_;
  Arbre avant_;
  std::map<long long, std::string> contenus_;  // by identity, before
  std::map<std::string, long long> noms_;      // path -> identity, before
  std::vector<Op> ops_;
};

}  // namespace velquor::test
