// Every store operation with the k-th write, read or open failing, for every k: no crash, an
// operation with a result returns failure instead of success, and a failed write leaves the pair
// as it was before the operation (a full disk leaves no partial record or node behind, so a later
// addition is aligned).

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "scenarios_pannes.h"
#include "store/collections.h"
#include "store/etat_paire.h"
#include "store/journal_paire.h"
#include "store/pannes_fichiers.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using pannes::Operation;

struct Fichiers {
  std::vector<unsigned char> index, donnees;
  bool operator==(const Fichiers&) const = default;
};

Fichiers LireFichiers() {
  return {test::LireOctets("FAMILLE.NDX"), test::LireOctets("FAMILLE.DAT")};
}

class PannesTest : public test::TestDansDossier {
 protected:
  // A lot's additions reach the file before it lands, a record at a time.
  void SetUp() override { EtatPaire::DefinirTailleTampon(1); }
  void TearDown() override {
    pannes::Effacer();
    EtatPaire::DefinirTailleTampon(1 << 20);
  }

  // Prepares the scenario's pair in a fresh sub-directory, which becomes the current one.
  void Preparer(const test::ScenarioPanne& s) {
    const fs::path d = dossier_.Chemin() / ("essai" + std::to_string(essais_++));
    fs::create_directory(d);
    fs::current_path(d);
    s.preparer();
    pannes::Effacer();
  }

  // The calls of each kind the scenario makes, and the files a run without fault leaves.
  struct Comptes {
    long ouvertures, lectures, ecritures;
    Fichiers attendu;
  };
  Comptes Compter(const test::ScenarioPanne& s) {
    Preparer(s);
    EXPECT_TRUE(s.operation()) << s.nom;
    Comptes c{pannes::Compter(Operation::Ouverture), pannes::Compter(Operation::Lecture),
              pannes::Compter(Operation::Ecriture), LireFichiers()};
    pannes::Effacer();
    return c;
  }

  void VerifierLotSurUnDisqueQuiLache(const test::ScenarioPanne& s);

  int essais_ = 0;
  test::EnregistreurVantor vantor_;
};

TEST_F(PannesTest, EcrituresEnEchec) {
  for (const auto& s : test::ScenariosPannes()) {
    const long ecritures = Compter(s).ecritures;
    ASSERT_GT(ecritures, 0) << s.nom;
    for (long k = 1; k <= ecritures; ++k) {
      for (auto [erreur, courte] : {std::pair{EIO, false}, {ENOSPC, false}, {ENOSPC, true}}) {
        Preparer(s);
        const Fichiers avant = LireFichiers();
        pannes::Programmer(Operation::Ecriture, k, erreur, courte);
        EXPECT_FALSE(s.operation()) << s.nom << ": write " << k << " failed, yet success";
        pannes::Effacer();
        EXPECT_EQ(LireFichiers(), avant) << s.nom << ": write " << k << " failed, pair changed";
        EXPECT_FALSE(fs::exists("FAMILLE.JNL")) << s.nom << ": journal left after write " << k;
        test::ParcoursBorne("FAMILLE");
      }
    }
  }
}

// A disk that fails every write from the k-th on cannot even take the undoing of a lot: the
// journal stays, and the next opening puts the pair back.
TEST_F(PannesTest, LotSurUnDisqueQuiLache) {
  for (const auto& s : test::ScenariosPannes()) {
    if (s.nom.starts_with("Lot")) VerifierLotSurUnDisqueQuiLache(s);
  }
}

void PannesTest::VerifierLotSurUnDisqueQuiLache(const test::ScenarioPanne& s) {
  const long ecritures = Compter(s).ecritures;
  for (long k = 1; k <= ecritures; ++k) {
    Preparer(s);
    const Fichiers avant = LireFichiers();
    pannes::Programmer(Operation::Ecriture, k, EIO, false, true);
    EXPECT_FALSE(s.operation()) << s.nom << ": write " << k;
    pannes::Effacer();
    FicFamille f;
    ASSERT_TRUE(f.Ouvrir()) << s.nom << ": write " << k;
    EXPECT_EQ(LireFichiers(), avant) << s.nom << ": every write from " << k << " on failed";
    EXPECT_FALSE(fs::exists("FAMILLE.JNL")) << s.nom << ": write " << k;
  }
}

// A journal whose bytes do not match their checksum was never complete: it goes, and the pair
// stays exactly as it is.
TEST_F(PannesTest, UnJournalAbimeEstEcarteSansRienDefaire) {
  {
    FicFamille f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    f.Enreg = {};
    ASSERT_TRUE(f.Ajouter("GIN"));
  }
  const Fichiers avant = LireFichiers();
  // Applied, it would cut both files back to an empty pair.
  std::vector<unsigned char> journal = EncoderJournal({"", 8, 0, {{false, 0, {0, 0, 0, 0}}}});
  journal[journal.size() - 9] ^= 1;  // the last saved byte, just before the checksum
  test::EcrireOctets("FAMILLE.JNL", journal);
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_EQ(LireFichiers(), avant);
  EXPECT_FALSE(fs::exists("FAMILLE.JNL"));
}

// A journal left by an earlier build (version 1: one FNV-1a sum) still puts its pair back.
TEST_F(PannesTest, UnJournalDeLaVersionPrecedenteEstApplique) {
  {
    FicFamille f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    f.Enreg = {};
    ASSERT_TRUE(f.Ajouter("GIN"));
  }
  std::vector<unsigned char> journal = EncoderJournal({"", 8, 0, {{false, 0, {0, 0, 0, 0}}}});
  journal[16] = 1;  // the version, after the 16-byte mark
  journal.resize(journal.size() - 8);
  std::uint64_t somme = 14695981039346656037ull;
  for (unsigned char o : journal)
    somme = (somme ^ o) * 1099511628211ull;
  for (int i = 0; i < 8; ++i)
    journal.push_back(static_cast<unsigned char>(somme >> (8 * i)));
  test::EcrireOctets("FAMILLE.JNL", journal);
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_EQ(LireFichiers(), (Fichiers{{}, {0, 0, 0, 0, 0, 0, 0, 0}}));
  EXPECT_FALSE(fs::exists("FAMILLE.JNL"));
}

TEST_F(PannesTest, LecturesEtOuverturesEnEchec) {
  for (const auto& s : test::ScenariosPannes()) {
    const Comptes comptes = Compter(s);
    for (Operation op : {Operation::Lecture, Operation::Ouverture}) {
      const long nombre = op == Operation::Lecture ? comptes.lectures : comptes.ouvertures;
      for (long k = 1; k <= nombre; ++k) {
        Preparer(s);
        const Fichiers avant = LireFichiers();
        pannes::Programmer(op, k, EIO);
        const bool resultat = s.operation();
        pannes::Effacer();
        // Success is reported only for an operation that really did all its work; a failure
        // changed nothing, or whatever it changed is still a pair the store reads. A header
        // that cannot be read (the first read) is never taken for a new, empty file.
        if (resultat) {
          EXPECT_EQ(LireFichiers(), comptes.attendu)
              << s.nom << ": success after a failed call " << k;
        } else if (op == Operation::Ouverture || k == 1) {
          EXPECT_EQ(LireFichiers(), avant) << s.nom << ": written after a failed call " << k;
        }
        test::ParcoursBorne("FAMILLE");
      }
    }
  }
}

}  // namespace
}  // namespace velquor
