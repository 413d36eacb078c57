// A stop in the middle of an operation must not lose recipes. Each store operation is stopped
// after each of its writes in turn (later writes never happen; what was written stays, as after
// a kill), and the real thing is done too: a child process doing random operations, killed with
// SIGKILL at random moments. Afterwards every name that was there before the operation is still
// found (but the one being deleted), the checks of the companion say what the walk misses, and
// the rebuild gives a healthy pair with every one of those names.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <random>
#include <sstream>
#include <thread>

#include "cli/reorganisation.h"
#include "cli/verification_paire.h"
#include "scenarios_pannes.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"

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
    Preparer({});
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
    ::waitpid(pid, nullptr, 0);
    std::string recu;
    char tampon[4096];
    for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;)
      recu.append(tampon, n);
    ::close(tube[0]);

    // The names on disk for sure: additions and deletions done, those of a lot once it ended.
    // A deletion under way, and every deletion of an unfinished lot, may or may not be done.
    std::set<std::string> surs, douteux;
    std::vector<std::string> lot;
    bool dansLot = false;
    auto appliquer = [&](const std::string& l) {
      if (l[0] == '+') surs.insert(l.substr(2));
      if (l[0] == '-') surs.erase(l.substr(2));
      douteux.clear();
      if (l[0] == '?') douteux.insert(l.substr(2));
    };
    std::istringstream lignes(recu);
    for (std::string l; std::getline(lignes, l);) {
      if (l == "[" || l == "]") {
        for (const auto& e : lot)
          appliquer(e);
        lot.clear();
        dansLot = l == "[";
      } else if (dansLot) {
        lot.push_back(l);
      } else {
        appliquer(l);
      }
    }
    for (const auto& l : lot) {
      if (l[0] == '?') douteux.insert(l.substr(2));
    }
    std::set<std::string> exiges;
    for (const auto& n : surs) {
      if (!douteux.count(n)) exiges.insert(n);
    }
    ASSERT_NO_FATAL_FAILURE(VerifierApresCoupure(exiges, "kill " + std::to_string(essai)));
  }
}

}  // namespace
}  // namespace velquor
