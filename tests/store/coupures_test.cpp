// A stop in the middle of an operation must not lose recipes. Each store operation is stopped
// after each of its writes in turn (later writes never happen; what was written stays, as after
// a kill), and the real thing is done too: a child process doing random operations, killed with
// SIGKILL at random moments. Afterwards every name that was there before the operation is still
// found (but the one being deleted), every walk ends, the checks of the companion say what is
// off, and the rebuild gives a healthy pair with every one of those names.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>
#include <thread>

#include "cli/reorganisation.h"
#include "cli/verification_paire.h"
#include "scenarios_pannes.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/etat_paire.h"
#include "store/lot_fichier.h"
#include "store/pannes_fichiers.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;

// The checks after a stop; `exiges` are the names that must have survived.
void VerifierApresCoupure(const std::set<std::string>& exiges, const std::string& contexte) {
  {
    FicFamille f;
    ASSERT_TRUE(f.Ouvrir()) << contexte;
    for (const auto& nom : exiges) {
      EXPECT_TRUE(f.Chercher(nom)) << contexte << ": " << nom << " lost";
    }
  }
  const std::vector<std::string> vus = test::NomsFamilles();
  const outils::RapportPaire rapport = outils::VerifierPaire(outils::PaireFamille());
  // Whatever the walk misses, or a count that disagrees with the tree, the checks name.
  for (const auto& nom : exiges) {
    if (std::find(vus.begin(), vus.end(), nom) == vus.end()) {
      EXPECT_GT(rapport.nbDefauts, 0)
          << contexte << ": " << nom << " missed by the walk, unreported";
    }
  }
  if (rapport.nbDefauts == 0) {
    EXPECT_EQ(rapport.nbEnreg, static_cast<std::int32_t>(vus.size())) << contexte;
  }

  const outils::BilanReorganisation bilan = outils::ReorganiserPaire(outils::PaireFamille());
  ASSERT_TRUE(bilan.fait) << contexte << ": " << bilan.erreur;
  EXPECT_EQ(outils::VerifierPaire(outils::PaireFamille()).nbDefauts, 0) << contexte;
  const std::vector<std::string> apres = test::NomsFamilles();
  for (const auto& nom : exiges) {
    EXPECT_NE(std::find(apres.begin(), apres.end(), nom), apres.end())
        << contexte << ": " << nom << " not restored";
  }
}

class CoupuresTest : public test::TestDansDossier {
 protected:
  // A lot's additions reach the file before it lands, a record at a time.
  void SetUp() override { EtatPaire::DefinirTailleTampon(1); }
  void TearDown() override {
    pannes::Effacer();
    EtatPaire::DefinirTailleTampon(1 << 20);
  }

  void NouveauDossier() {
    const fs::path d = dossier_.Chemin() / ("essai" + std::to_string(essais_++));
    fs::create_directory(d);
    fs::current_path(d);
  }

  int essais_ = 0;
  test::EnregistreurVantor vantor_;
};

TEST_F(CoupuresTest, ArretApresChaqueEcritureDeChaqueOperation) {
  for (const auto& s : test::ScenariosPannes()) {
    NouveauDossier();
    test::Preparer(s);
    pannes::Effacer();
    ASSERT_TRUE(s.operation()) << s.nom;
    const long ecritures = pannes::Compter(pannes::Operation::Ecriture);
    pannes::Effacer();
    const std::vector<std::string> apresLot = test::NomsFamilles();

    const std::set<std::string> avant(s.prepares.begin(), s.prepares.end());
    std::set<std::string> exiges;
    for (const auto& nom : avant) {
      if (!s.supprimes.count(nom)) exiges.insert(nom);
    }
    for (long k = 0; k < ecritures; ++k) {
      const std::string contexte = s.nom + ", stopped after " + std::to_string(k) + " writes";
      NouveauDossier();
      test::Preparer(s);
      pannes::Effacer();
      pannes::ArreterApres(k);
      s.operation();  // every object of the operation is gone when it returns
      pannes::Effacer();
      if (s.nom.starts_with("Lot")) {
        // A lot lands whole or not at all, once the pair is opened again.
        FicFamille f;
        ASSERT_TRUE(f.Ouvrir());
        const std::vector<std::string> vus = test::NomsFamilles();
        EXPECT_TRUE(vus == std::vector<std::string>(avant.begin(), avant.end()) || vus == apresLot)
            << contexte << ": a part of the lot";
      }
      ASSERT_NO_FATAL_FAILURE(VerifierApresCoupure(exiges, contexte));
    }
  }
}

// What the child reports on its pipe, one line each: "+ NAME" once an addition is on disk,
// "? NAME" before a deletion and "- NAME" once it is done, "[" and "]" around a lot (whose
// changes reach the disk only at its end).
[[noreturn]] void Enfant(int tube, unsigned graine) {
  std::mt19937 alea(graine);
  auto dire = [tube](const std::string& ligne) {
    std::string l = ligne + "\n";
    if (::write(tube, l.data(), l.size()) < 0) ::_exit(3);
  };
  FicFamille f;
  if (!f.Ouvrir()) ::_exit(2);
  std::unique_ptr<LotFichier> lot;
  for (;;) {
    std::string nom(1 + alea() % 2, 'A');
    for (auto& c : nom)
      c = static_cast<char>('A' + alea() % 12);
    const unsigned choix = alea() % 100;
    if (choix < 4) {
      if (lot) {
        lot->Terminer();
        lot.reset();
        dire("]");
      } else {
        dire("[");
        lot = std::make_unique<LotFichier>(f);
      }
    } else if (choix < 55) {
      f.Enreg = {};
      CopierTexte(f.Enreg.Nom, nom);
      if (f.Ajouter(nom)) dire("+ " + nom);
    } else if (f.Chercher(nom)) {
      dire("? " + nom);
      if (f.Supprimer()) dire("- " + nom);
    }
  }
}

TEST_F(CoupuresTest, ProcessusTueAuHasard) {
  std::mt19937 alea(20261206);
  for (int essai = 0; essai < 200; ++essai) {
    NouveauDossier();
    {
      FicFamille f;
      ASSERT_TRUE(f.Creer() && f.Ouvrir());
    }
    int tube[2];
    ASSERT_EQ(::pipe(tube), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      ::close(tube[0]);
      Enfant(tube[1], alea());
    }
    ::close(tube[1]);
    std::this_thread::sleep_for(std::chrono::microseconds(200 + alea() % 20000));
    ::kill(pid, SIGKILL);
    int etat = 0;
    ::waitpid(pid, &etat, 0);
    std::string recu;
    char tampon[4096];
    for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;)
      recu.append(tampon, n);
    ::close(tube[0]);

    // The names on disk for sure, and those a stop may have taken (a deletion under way, or
    // any deletion of an unfinished lot).
    std::set<std::string> surs, peutEtre;
    std::set<std::string> ajoutsLot, suppressionsLot;
    bool dansLot = false;
    std::istringstream lignes(recu);
    for (std::string ligne; std::getline(lignes, ligne);) {
      if (ligne == "[") {
        dansLot = true;
      } else if (ligne == "]") {
        dansLot = false;
        for (const auto& n : suppressionsLot)
          surs.erase(n);
        surs.insert(ajoutsLot.begin(), ajoutsLot.end());
        ajoutsLot.clear();
        suppressionsLot.clear();
        peutEtre.clear();
      } else if (ligne.size() > 2) {
        const std::string nom = ligne.substr(2);
        if (ligne[0] == '+') {
          if (dansLot) {
            ajoutsLot.insert(nom);
          } else {
            surs.insert(nom);
          }
        } else if (ligne[0] == '?') {
          peutEtre = {nom};
          if (dansLot) suppressionsLot.insert(nom);
        } else if (ligne[0] == '-') {
          peutEtre.clear();
          if (dansLot) {
            ajoutsLot.erase(nom);
          } else {
            surs.erase(nom);
          }
        }
      }
    }
    if (dansLot) {
      // The lot may have been half written: its deletions may or may not be there.
      peutEtre.insert(suppressionsLot.begin(), suppressionsLot.end());
    }
    std::set<std::string> exiges;
    for (const auto& n : surs) {
      if (!peutEtre.count(n)) exiges.insert(n);
    }
    ASSERT_NO_FATAL_FAILURE(VerifierApresCoupure(exiges, "kill " + std::to_string(essai)));
  }
}

}  // namespace
}  // namespace velquor
