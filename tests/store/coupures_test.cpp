// SPDX-License-Identifier: GPL-3.0-or-later
// A stop in the middle of an operation must not lose recipes. Each store operation is stopped
// after each of its writes in turn (later writes never happen; what was written stays, as after
// a kill; real processes killed and power cuts: tests/cli/interruption_test.cpp). Afterwards
// every name that was there before the operation is still found (but the one being deleted),
// the checks of the companion say what the walk misses, and the rebuild gives a healthy pair
// with every one of those names.

#include <gtest/gtest.h>

#include "cli/reorganisation.h"
#include "cli/verification_paire.h"
#include "scenarios_pannes.h"
#include "store/collections.h"

namespace velquor {
namespace {

bool Contient(const std::vector<std::string>& noms, const std::string& nom) {
  return std::find(noms.begin(), noms.end(), nom) != noms.end();
}

// The checks after a stop; `exiges` are the names that must have survived.
void VerifierApresCoupure(const std::set<std::string>& exiges, const std::string& contexte) {
  {
    FicFamille f;
    ASSERT_TRUE(f.Ouvrir()) << contexte;
    for (const auto& nom : exiges)
      EXPECT_TRUE(f.Chercher(nom)) << contexte << ": " << nom << " lost";
  }
  const std::vector<std::string> vus = test::NomsFamilles();
  const outils::RapportPaire rapport = outils::VerifierPaire(outils::PaireFamille());
  for (const auto& nom : exiges) {
    if (!Contient(vus, nom)) {
      EXPECT_GT(rapport.nbDefauts, 0) << contexte << ": " << nom;
    }
  }
  const outils::BilanReorganisation bilan = outils::ReorganiserPaire(outils::PaireFamille());
  ASSERT_TRUE(bilan.fait) << contexte << ": " << bilan.erreur;
  EXPECT_EQ(outils::VerifierPaire(outils::PaireFamille()).nbDefauts, 0) << contexte;
  const std::vector<std::string> apres = test::NomsFamilles();
  for (const auto& nom : exiges)
    EXPECT_TRUE(Contient(apres, nom)) << contexte << ": " << nom << " not restored";
}

// The pair's two files, byte for byte, once opened again (which puts back a stopped lot).
std::string OctetsPaire() {
  test::NomsFamilles();
  FicFamille f;
  return test::LireTexte(f.NomFichierIndex()) + "|" + test::LireTexte(f.NomFichierDonnees());
}

class CoupuresTest : public test::EssaisPannes {
 protected:
  void ArreterApresChaqueEcriture();
};

// Both ways a lot holds the data file as it found it: copied whole (a small file), or mapped.
TEST_F(CoupuresTest, ArretApresChaqueEcritureDeChaqueOperation) {
  for (const bool copie : {true, false}) {
    EtatPaire::DefinirCopieMax(copie ? 2 << 20 : 0);
    ArreterApresChaqueEcriture();
  }
}

void CoupuresTest::ArreterApresChaqueEcriture() {
  for (const auto& s : test::ScenariosPannes()) {
    Preparer(s);
    const std::string octetsAvant = OctetsPaire();
    ASSERT_TRUE(s.operation()) << s.nom;
    const long ecritures = pannes::Compter(pannes::Operation::Ecriture);
    pannes::Effacer();
    const std::string octetsApres = OctetsPaire();
    const std::vector<std::string> apresLot = test::NomsFamilles();
    const std::set<std::string> avant(s.prepares.begin(), s.prepares.end());
    std::set<std::string> exiges;
    for (const auto& nom : avant) {
      if (!s.supprimes.count(nom)) exiges.insert(nom);
    }
    for (long k = 0; k < ecritures; ++k) {
      const std::string contexte = s.nom + ", stopped after " + std::to_string(k) + " writes";
      Preparer(s);
      pannes::ArreterApres(k);
      s.operation();  // every object of the operation is gone when it returns
      pannes::Effacer();
      if (s.nom.starts_with("Lot")) {
        // A lot lands whole or not at all, once the pair is opened again: to the byte, but on an
        // empty pair, which keeps no journal and reads as empty until its header is written.
        const std::vector<std::string> vus = test::NomsFamilles();
        EXPECT_TRUE(vus == std::vector<std::string>(avant.begin(), avant.end()) || vus == apresLot)
            << contexte << ": a part of the lot";
        const std::string octets = OctetsPaire();
        EXPECT_TRUE(avant.empty() || octets == octetsAvant || octets == octetsApres)
            << contexte << ": a part of the lot's bytes";
      }
      ASSERT_NO_FATAL_FAILURE(VerifierApresCoupure(exiges, contexte));
    }
  }
}

}  // namespace
}  // namespace velquor
