// Two programs writing one pair, as real processes: a lot of one program and an addition of the
// other meet in every order the lot allows, and nothing of either is lost or damaged.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/verification_paire.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/etat_paire.h"
#include "store/lot_fichier.h"
#include "support/dossier_temporaire.h"
#include "support/processus.h"

namespace velquor {
namespace {

bool Ajouter(FicFamille& f, const char* nom) {
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  CopierTexte(f.Enreg.Commentaire, std::string("de ") + nom);
  return f.Ajouter(nom);
}

// Where the other program's addition comes in the lot: before the lot's first write, or between
// the lot's two additions. The addition waits for the lot's lock, or, when the lot lets its
// shared lock go to take the write lock, comes in before it: then the lot reads the pair again
// before it writes.
enum class Moment { AvantPremiereEcriture, EntreLesEcritures };

struct Cas {
  LotFichier::Usage usage;
  Moment moment;
};

class Ecrivains : public test::TestDansDossier, public ::testing::WithParamInterface<Cas> {};

TEST_P(Ecrivains, LeLotEtLAutreProgrammeGardentTousLeursAjouts) {
  {
    FicFamille f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir() && Ajouter(f, "M"));
  }
  const Cas cas = GetParam();
  test::Processus lot([&](const test::Canal& c) {
    FicFamille f;
    if (!f.Ouvrir()) return 10;
    LotFichier l(f, cas.usage);
    if (f.Chercher("Z")) return 11;  // the lot has read the pair
    c.Envoyer('l');
    if (!c.Attendre('1')) return 12;
    if (!Ajouter(f, "A")) return 13;
    c.Envoyer('a');
    if (!c.Attendre('2')) return 14;
    if (!Ajouter(f, "B")) return 15;
    return l.Terminer() ? 0 : 16;
  });
  test::Processus autre([](const test::Canal& c) {
    FicFamille f;
    if (!f.Ouvrir() || !c.Attendre('z')) return 20;
    if (!Ajouter(f, "Z")) return 21;
    c.Envoyer('Z');
    return 0;
  });

  ASSERT_TRUE(lot.Vers().Attendre('l'));
  const bool zAvant = cas.moment == Moment::AvantPremiereEcriture;
  if (zAvant) autre.Vers().Envoyer('z');
  lot.Vers().Envoyer('1');
  ASSERT_TRUE(lot.Vers().Attendre('a'));
  if (!zAvant) autre.Vers().Envoyer('z');
  lot.Vers().Envoyer('2');
  EXPECT_EQ(lot.Fin(), 0);
  EXPECT_EQ(autre.Fin(), 0);

  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  std::vector<std::string> noms;
  for (bool r = f.Premier(); r; r = f.Suivant())
    noms.emplace_back(Texte(f.Enreg.Nom));
  EXPECT_EQ(noms, (std::vector<std::string>{"A", "B", "M", "Z"}));
  EXPECT_EQ(f.NbEnreg, 4);
  const outils::RapportPaire rapport = outils::VerifierPaire(outils::PaireFamille());
  EXPECT_EQ(rapport.nbDefauts, 0) << (rapport.defauts.empty() ? "" : rapport.defauts[0]);
}

INSTANTIATE_TEST_SUITE_P(
    Ordres, Ecrivains,
    ::testing::Values(Cas{LotFichier::Usage::Lecture, Moment::AvantPremiereEcriture},
                      Cas{LotFichier::Usage::Lecture, Moment::EntreLesEcritures},
                      Cas{LotFichier::Usage::Ecriture, Moment::AvantPremiereEcriture},
                      Cas{LotFichier::Usage::Ecriture, Moment::EntreLesEcritures}));

// A program's lot keeps its copy of the data file for the next lot, as long as the file did not
// change. Another program's rewrite of a record in place changes neither a count nor a size, and
// two of them may fall within one tick of the system's clock: the next lot still sees the last.
TEST(EcrivainsCopie, UnLotVoitLaDerniereModificationDUnAutreProgramme) {
  test::DossierTemporaire dossier;
  {
    FicFamille f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir() && Ajouter(f, "M"));
  }
  test::Processus autre([](const test::Canal& c) {
    FicFamille f;
    if (!f.Ouvrir()) return 1;
    for (const char* texte : {"premier", "second"}) {
      if (!c.Attendre('m') || !f.Chercher("M")) return 2;
      CopierTexte(f.Enreg.Commentaire, texte);
      if (!f.Modifier()) return 3;
      c.Envoyer('M');
    }
    return 0;
  });
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  auto commentaire = [&f] {
    LotFichier lot(f);
    return f.Chercher("M") ? std::string(Texte(f.Enreg.Commentaire)) : std::string();
  };
  for (const char* attendu : {"premier", "second"}) {
    autre.Vers().Envoyer('m');
    ASSERT_TRUE(autre.Vers().Attendre('M'));
    EXPECT_EQ(commentaire(), attendu);
  }
  EXPECT_EQ(autre.Fin(), 0);
}

// A program that keeps the write lock (a lot left open) makes the other one give up after a
// while, writing nothing, instead of hanging it.
TEST(EcrivainBloque, LAutreProgrammeRenonceSansRienEcrire) {
  test::DossierTemporaire dossier;
  {
    FicFamille f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir() && Ajouter(f, "M"));
  }
  test::Processus bloqueur([](const test::Canal& c) {
    FicFamille f;
    if (!f.Ouvrir()) return 1;
    LotFichier l(f, LotFichier::Usage::Ecriture);
    c.Envoyer('v');
    return c.Attendre('f') ? 0 : 2;
  });
  ASSERT_TRUE(bloqueur.Vers().Attendre('v'));
  EtatPaire::DefinirDelaiEcriture(100);
  const auto avant = test::LireOctets("FAMILLE.DAT");
  {
    FicFamille f;
    ASSERT_TRUE(f.Ouvrir());
    EXPECT_FALSE(Ajouter(f, "Z"));
    LotFichier l(f);
    EXPECT_FALSE(Ajouter(f, "Y"));
    EXPECT_FALSE(Ajouter(f, "X"));
    EXPECT_TRUE(l.Terminer());
  }
  EXPECT_EQ(test::LireOctets("FAMILLE.DAT"), avant);
  bloqueur.Vers().Envoyer('f');
  EXPECT_EQ(bloqueur.Fin(), 0);
  EtatPaire::DefinirDelaiEcriture(20000);
  FicFamille f;
  ASSERT_TRUE(f.Ouvrir());
  EXPECT_TRUE(Ajouter(f, "Z"));
}

}  // namespace
}  // namespace velquor
