// Every store operation with the k-th write, read or open failing, for every k: no crash, an
// operation with a result returns failure instead of success, and nothing is written past a
// failed write.

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "scenarios_pannes.h"
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
  void TearDown() override { pannes::Effacer(); }

  // Prepares the scenario's pair in a fresh sub-directory, which becomes the current one.
  void Preparer(const test::ScenarioPanne& s) {
    const fs::path d = dossier_.Chemin() / ("essai" + std::to_string(essais_++));
    fs::create_directory(d);
    fs::current_path(d);
    s.preparer();
    pannes::Effacer();
  }

  // The calls of each kind the scenario makes, and the files a run without fault leaves.
  void Compter(const test::ScenarioPanne& s, long& ouvertures, long& lectures, long& ecritures,
               Fichiers& attendu) {
    Preparer(s);
    EXPECT_TRUE(s.operation()) << s.nom;
    ouvertures = pannes::Compter(Operation::Ouverture);
    lectures = pannes::Compter(Operation::Lecture);
    ecritures = pannes::Compter(Operation::Ecriture);
    attendu = LireFichiers();
    pannes::Effacer();
  }

  int essais_ = 0;
  test::EnregistreurVantor vantor_;
};

TEST_F(PannesTest, EcrituresEnEchec) {
  for (const auto& s : test::ScenariosPannes()) {
    long ouvertures, lectures, ecritures;
    Fichiers attendu;
    Compter(s, ouvertures, lectures, ecritures, attendu);
    ASSERT_GT(ecritures, 0) << s.nom;
    for (long k = 1; k <= ecritures; ++k) {
      for (auto [erreur, courte] : {std::pair{EIO, false}, {ENOSPC, false}, {ENOSPC, true}}) {
        Preparer(s);
        pannes::Programmer(Operation::Ecriture, k, erreur, courte);
        EXPECT_FALSE(s.operation()) << s.nom << ": write " << k << " failed, yet success";
        EXPECT_EQ(pannes::Compter(Operation::Ecriture), k)
            << s.nom << ": written past the failed write " << k;
        pannes::Effacer();
        test::ParcoursBorne("FAMILLE");
      }
    }
  }
}

TEST_F(PannesTest, LecturesEtOuverturesEnEchec) {
  for (const auto& s : test::ScenariosPannes()) {
    long ouvertures, lectures, ecritures;
    Fichiers attendu;
    Compter(s, ouvertures, lectures, ecritures, attendu);
    for (Operation op : {Operation::Lecture, Operation::Ouverture}) {
      const long nombre = op == Operation::Lecture ? lectures : ouvertures;
      for (long k = 1; k <= nombre; ++k) {
        Preparer(s);
        const Fichiers avant = LireFichiers();
        pannes::Programmer(op, k, EIO);
        const bool resultat = s.operation();
        pannes::Effacer();
        // Success is reported only for an operation that really did all its work; a failure
        // changed nothing, or whatever it changed is still a pair the store reads.
        if (resultat) {
          EXPECT_EQ(LireFichiers(), attendu) << s.nom << ": success after a failed call " << k;
        } else if (op == Operation::Ouverture) {
          EXPECT_EQ(LireFichiers(), avant) << s.nom << ": written after a failed open " << k;
        }
        test::ParcoursBorne("FAMILLE");
      }
    }
  }
}

// A header that cannot be read is never taken for a new, empty file: nothing is written.
TEST_F(PannesTest, UnEnteteIllisibleNEstJamaisRemisAZero) {
  for (const auto& s : test::ScenariosPannes()) {
    if (s.nom != "Ajouter K") continue;
    Preparer(s);
    const Fichiers avant = LireFichiers();
    pannes::Programmer(Operation::Lecture, 1, EIO);
    EXPECT_FALSE(s.operation());
    pannes::Effacer();
    EXPECT_EQ(LireFichiers(), avant);
  }
}

}  // namespace
}  // namespace velquor
