// SPDX-License-Identifier: GPL-3.0-or-later
// Every store operation with the k-th write, read or open failing, for every k: no crash, an
// operation with a result returns failure instead of success, and a failed write leaves the pair
// as it was before the operation (a full disk leaves no partial record or node behind, so a later
// addition is aligned). A disk that fails every write from the k-th on cannot even take the
// undoing: the journal stays, and the next opening puts the pair back.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "scenarios_pannes.h"
#include "store/collections.h"
#include "store/en_parallele.h"
#include "store/journal_paire.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using pannes::Operation;
using Fichiers = std::pair<std::vector<unsigned char>, std::vector<unsigned char>>;

Fichiers LireFichiers() {
  return {test::LireOctets("FAMILLE.NDX"), test::LireOctets("FAMILLE.DAT")};
}

using PannesTest = test::EssaisPannes;

TEST_F(PannesTest, AppelsEnEchec) {
  struct Panne {
    Operation op;
    int erreur;
    bool courte = false, persistante = false;
  };
  const Panne pannes[] = {{Operation::Ecriture, EIO},
                          {Operation::Ecriture, ENOSPC, true},
                          {Operation::Ecriture, EIO, false, true},
                          {Operation::Lecture, EIO},
                          {Operation::Ouverture, EIO}};
  for (const auto& s : test::ScenariosPannes()) {
    // The calls of each kind the scenario makes, and the files a run without fault leaves.
    Preparer(s);
    ASSERT_TRUE(s.operation()) << s.nom;
    long nombre[3];
    for (Operation op : {Operation::Ouverture, Operation::Lecture, Operation::Ecriture})
      nombre[static_cast<int>(op)] = pannes::Compter(op);
    const Fichiers attendu = LireFichiers();
    ASSERT_GT(nombre[static_cast<int>(Operation::Ecriture)], 0) << s.nom;

    for (const Panne& p : pannes) {
      // Only a lot keeps a journal on the disk, to be undone by a later opening.
      if (p.persistante && !s.nom.starts_with("Lot")) continue;
      for (long k = 1; k <= nombre[static_cast<int>(p.op)]; ++k) {
        Preparer(s);
        const Fichiers avant = LireFichiers();
        pannes::Programmer(p.op, k, p.erreur, p.courte, p.persistante);
        const bool resultat = s.operation();
        pannes::Effacer();
        const std::string contexte = s.nom + ", call " + std::to_string(k) + " of kind " +
                                     std::to_string(static_cast<int>(p.op)) + " failed " +
                                     std::to_string(p.erreur) + (p.persistante ? " for good" : "");
        if (p.op == Operation::Ecriture) {
          EXPECT_FALSE(resultat) << contexte << ", yet success";
          if (p.persistante) {
            FicFamille f;
            ASSERT_TRUE(f.Ouvrir()) << contexte;
          }
          EXPECT_EQ(LireFichiers(), avant) << contexte << ": pair changed";
          EXPECT_FALSE(fs::exists("FAMILLE.JNL")) << contexte << ": journal left";
        } else if (resultat) {
          // Success is reported only for an operation that really did all its work.
          EXPECT_EQ(LireFichiers(), attendu) << contexte << ", yet success";
        } else if (p.op == Operation::Ouverture || k == 1) {
          // A header that cannot be read is never taken for a new, empty file.
          EXPECT_EQ(LireFichiers(), avant) << contexte << ": written after it";
        }
        test::NomsFamilles();
      }
    }
  }
}

// A journal found on opening puts the pair back as it was before its lot (here: empty), unless
// the lot had landed: its bytes do not match their checksum (it was never complete), or the
// group file of a lot landing with other pairs is gone. Either way the journal goes. One of the
// earlier build (version 1: one FNV-1a sum) is still applied.
TEST_F(PannesTest, JournauxTrouvesALOuverture) {
  enum Cas { Abime, VersionPrecedente, GroupeParti, GroupeLa };
  for (const Cas cas : {Abime, VersionPrecedente, GroupeParti, GroupeLa}) {
    Preparer({"", {"GIN"}, {}});
    const Fichiers avant = LireFichiers();
    const std::string groupe = cas >= GroupeParti ? "LOT.GRP" : "";
    if (cas == GroupeLa) test::EcrireOctets(groupe, {});
    std::vector<unsigned char> journal = EncoderJournal({groupe, 8, 0, {{false, 0, {0, 0, 0, 0}}}});
    if (cas == Abime) {
      journal[journal.size() - 9] ^= 1;  // the last saved byte, just before the checksum
    } else if (cas == VersionPrecedente) {
      journal[16] = 1;  // the version, after the 16-byte mark
      journal.resize(journal.size() - 8);
      std::uint64_t somme = 14695981039346656037ull;
      for (unsigned char o : journal)
        somme = (somme ^ o) * 1099511628211ull;
      for (int i = 0; i < 8; ++i)
        journal.push_back(static_cast<unsigned char>(somme >> (8 * i)));
    }
    test::EcrireOctets("FAMILLE.JNL", journal);
    FicFamille f;
    ASSERT_TRUE(f.Ouvrir());
    const bool applique = cas == VersionPrecedente || cas == GroupeLa;
    EXPECT_EQ(LireFichiers(), applique ? Fichiers({}, {0, 0, 0, 0, 0, 0, 0, 0}) : avant) << cas;
    EXPECT_FALSE(fs::exists("FAMILLE.JNL")) << cas;
  }
}

// Calls that wait for one another: each returns true once `attendus` calls have arrived since
// the last group gathered, false if that takes more than 30 s.
class RendezVous {
 public:
  explicit RendezVous(int attendus) : attendus_(attendus) {}
  bool Arriver() {
    std::unique_lock verrou(m_);
    ++arrives_;
    cv_.notify_all();
    return cv_.wait_for(verrou, std::chrono::seconds(30),
                        [this] { return arrives_ % attendus_ == 0; });
  }

 private:
  const int attendus_;
  std::mutex m_;
  std::condition_variable cv_;
  int arrives_ = 0;
};

// The flushes of a lot's files wait on the disk together: each call is still running when the
// other starts. One failing makes the whole fail.
TEST(EnParallele, LesAppelsAttendentEnsemble) {
  RendezVous paire(2);
  EXPECT_TRUE(
      ToutesEnParallele({[&] { return paire.Arriver(); }, [&] { return paire.Arriver(); }}));
  EXPECT_FALSE(ToutesEnParallele({[&] { return paire.Arriver(); },
                                  [&] {
                                    paire.Arriver();
                                    return false;
                                  }}));
}

#ifndef _WIN32
// A child of fork() has none of its parent's helper threads: its calls still wait together.
TEST(EnParallele, UnEnfantDeForkAppelleEnParallele) {
  auto ensemble = [] {
    RendezVous paire(2);
    return ToutesEnParallele({[&] { return paire.Arriver(); }, [&] { return paire.Arriver(); }});
  };
  ASSERT_TRUE(ensemble());  // the parent's helpers are running
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::alarm(60);  // a child stuck on a lock its parent's helper held ends all the same
    ::_exit(ensemble() ? 0 : 1);
  }
  int statut = -1;
  ASSERT_EQ(::waitpid(pid, &statut, 0), pid);
  EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
}
#endif

// More callers at once than there are helpers: a call no helper is free to take is run by its
// caller, so every call starts (here all of them wait until all have started) and none is lost.
TEST(EnParallele, UnAppelQuAucuneAideNePrendEstFaitParLAppelant) {
  constexpr int kAppelants = 16;
  RendezVous tous(kAppelants);
  std::vector<char> reussis(kAppelants, 0);
  std::vector<std::thread> appelants;
  for (int i = 0; i < kAppelants; ++i)
    appelants.emplace_back([&, i] {
      reussis[i] = ToutesEnParallele({[] { return true; }, [&] { return tous.Arriver(); }});
    });
  for (auto& a : appelants)
    a.join();
  EXPECT_EQ(std::count(reussis.begin(), reussis.end(), 1), kAppelants);
}

}  // namespace
}  // namespace velquor
