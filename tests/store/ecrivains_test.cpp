// SPDX-License-Identifier: GPL-3.0-or-later
// Two programs writing one pair, as real processes: a lot of one program and an addition of the
// other meet in every order the lot allows, and nothing of either is lost or damaged.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/verification_paire.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/etat_paire.h"
#include "store/fichier_brut.h"
#include "store/lot_fichier.h"
#include "store/reprise.h"
#include "support/dossier_temporaire.h"
#include "support/paires.h"
#include "support/processus.h"

namespace velquor {
namespace {

using Usage = LotFichier::Usage;
namespace fs = std::filesystem;

class Ecrivains : public test::TestDansDossier {
 protected:
  void SetUp() override { ASSERT_TRUE(PaireAvecM()); }
  static bool PaireAvecM() {
    FicFamille f;
    return test::CreerOuvrir(f) && test::AjouterNom(f, "M", "de M");
  }
};

// Where the other program's addition comes in the lot: before the lot's first write, or between
// the lot's two additions. The addition waits for the lot's lock, or, when the lot lets its
// shared lock go to take the write lock, comes in before it: then the lot reads the pair again
// before it writes.
TEST_F(Ecrivains, LeLotEtLAutreProgrammeGardentTousLeursAjouts) {
  for (Usage usage : {Usage::Lecture, Usage::Ecriture}) {
    for (bool zAvant : {true, false}) {
      test::DossierTemporaire dossier;
      ASSERT_TRUE(PaireAvecM());
      test::Processus lot([&](const test::Canal& c) {
        FicFamille f;
        if (!f.Ouvrir()) return 10;
        LotFichier l(f, usage);
        if (f.Chercher("Z")) return 11;  // the lot has read the pair
        c.Envoyer('l');
        if (!c.Attendre('1') || !test::AjouterNom(f, "A")) return 12;
        c.Envoyer('a');
        if (!c.Attendre('2') || !test::AjouterNom(f, "B")) return 13;
        return l.Terminer() ? 0 : 14;
      });
      test::Processus autre([](const test::Canal& c) {
        FicFamille f;
        return f.Ouvrir() && c.Attendre('z') && test::AjouterNom(f, "Z") ? 0 : 20;
      });
      ASSERT_TRUE(lot.Vers().Attendre('l'));
      if (zAvant) autre.Vers().Envoyer('z');
      lot.Vers().Envoyer('1');
      ASSERT_TRUE(lot.Vers().Attendre('a'));
      if (!zAvant) autre.Vers().Envoyer('z');
      lot.Vers().Envoyer('2');
      EXPECT_EQ(lot.Fin(), 0);
      EXPECT_EQ(autre.Fin(), 0);

      FicFamille f;
      ASSERT_TRUE(f.Ouvrir());
      EXPECT_EQ(test::Noms(f), (std::vector<std::string>{"A", "B", "M", "Z"}));
      EXPECT_EQ(f.NbEnreg, 4);
      EXPECT_EQ(outils::VerifierPaire(outils::PaireFamille()).nbDefauts, 0);
    }
  }
}

// A program keeps its copy of the data file from one lot to the next while the file does not
// change, and a walk outside a lot over files untouched for an hour takes its records from one.
// Another program's rewrites of a record in place change neither a count nor a size, and two may
// fall within one tick of the clock: the next lot sees the last, the walk's next step too; then
// its addition, the files being left for an hour again.
TEST_F(Ecrivains, CeQuUnAutreProgrammeEcritSeVoitAuLotEtAuPasSuivants) {
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir() && test::AjouterNom(f, "A") && test::AjouterNom(f, "Z", "de Z"));
  test::Processus autre([](const test::Canal& c) {
    FicFamille g;
    if (!g.Ouvrir()) return 1;
    for (const char* texte : {"premier", "second", "change"}) {
      if (!c.Attendre('m') || !g.Chercher(texte[0] == 'c' ? "Z" : "M")) return 2;
      CopierTexte(g.Enreg.Commentaire, texte);
      if (!g.Modifier()) return 3;
      c.Envoyer('M');
    }
    return c.Attendre('a') && test::AjouterNom(g, "ZZ") ? 0 : 4;
  });
  const auto modifier = [&] {
    autre.Vers().Envoyer('m');
    return autre.Vers().Attendre('M');
  };
  for (const char* attendu : {"premier", "second"}) {
    ASSERT_TRUE(modifier());
    LotFichier lot(f);
    EXPECT_TRUE(f.Chercher("M") && Texte(f.Enreg.Commentaire) == attendu) << attendu;
  }
  const auto vieillir = [] {
    for (const char* nom : {"FAMILLE.DAT", "FAMILLE.NDX"})
      fs::last_write_time(nom, fs::file_time_type::clock::now() - std::chrono::hours(1));
  };
  vieillir();
  ASSERT_TRUE(f.Premier() && f.Suivant() && Texte(f.Enreg.Nom) == "M" && modifier());
  EXPECT_TRUE(f.Suivant() && Texte(f.Enreg.Commentaire) == "change");
  autre.Vers().Envoyer('a');
  EXPECT_EQ(autre.Fin(), 0);
  vieillir();
  EXPECT_TRUE(f.Suivant() && Texte(f.Enreg.Nom) == "ZZ");
  EXPECT_TRUE(f.Precedent() && Texte(f.Enreg.Commentaire) == "change");
}

// A program that keeps the write lock (a lot left open) makes the other one give up after a
// while, writing nothing, instead of hanging it.
TEST_F(Ecrivains, LAutreProgrammeRenonceSansRienEcrire) {
  test::Processus bloqueur([](const test::Canal& c) {
    FicFamille f;
    if (!f.Ouvrir()) return 1;
    LotFichier l(f, Usage::Ecriture);
    c.Envoyer('v');
    return c.Attendre('f') ? 0 : 2;
  });
  ASSERT_TRUE(bloqueur.Vers().Attendre('v'));
  EtatPaire::DefinirDelaiEcriture(100);
  const auto avant = test::LireOctets("FAMILLE.DAT");
  {
    FicFamille f;
    ASSERT_TRUE(f.Ouvrir());
    EXPECT_FALSE(test::AjouterNom(f, "Z"));
    LotFichier l(f);
    EXPECT_FALSE(test::AjouterNom(f, "Y"));
    EXPECT_TRUE(l.Terminer());
  }
  EXPECT_EQ(test::LireOctets("FAMILLE.DAT"), avant);
  bloqueur.Vers().Envoyer('f');
  EXPECT_EQ(bloqueur.Fin(), 0);
  EtatPaire::DefinirDelaiEcriture(20000);
  FicFamille f;
  EXPECT_TRUE(f.Ouvrir() && test::AjouterNom(f, "Z"));
}

// A program creating a pair over and over while another starts over and over: a start never
// takes a creation under way for one that a stop cut short, so every creation ends whole.
TEST(Creations, UnDemarrageLaisseUneCreationEnCours) {
  namespace fs = std::filesystem;
  test::DossierTemporaire dossier;
  test::Processus demarrages([](const test::Canal& c) {
    c.Envoyer('p');
    while (!fs::exists("fin"))
      ReprendreEcrituresInterrompues();
    return 0;
  });
  ASSERT_TRUE(demarrages.Vers().Attendre('p'));
  std::error_code e;
  for (int i = 0; i < 1000; ++i) {
    ASSERT_TRUE(FicCocktail().Creer() && fs::file_size("COCKTAIL.NDX", e) == 0 &&
                fs::file_size("COCKTAIL.DAT", e) == 8)
        << i;
    FichierBrut index;  // the pair removed under its index's lock, as a start removes one
    ASSERT_TRUE(index.OuvrirExistant("COCKTAIL.NDX") && index.VerrouillerAvecDelai(true, 30000));
    fs::remove("COCKTAIL.DAT", e);
    fs::remove("COCKTAIL.NDX", e);
  }
  test::EcrireOctets("fin", {});
  EXPECT_EQ(demarrages.Fin(), 0);
}

}  // namespace
}  // namespace velquor
