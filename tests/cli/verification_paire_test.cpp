// The read-only check of a record file pair: a sound pair has no fault and is left untouched;
// each kind of damage is found, and none makes the walk loop.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "cli/verification_paire.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"

namespace velquor::outils {
namespace {

using test::EcrireOctets;
using test::LireOctets;
using Octets = std::vector<unsigned char>;

constexpr std::int32_t B = 0, A = 47, C = 94;  // node offsets after adding B, A, C

void EcrireMot(Octets& o, std::size_t offset, std::int32_t valeur) {
  auto v = static_cast<std::uint32_t>(valeur);
  for (int k = 0; k < 4; ++k)
    o[offset + k] = static_cast<unsigned char>(v >> (8 * k));
}

class VerificationPaireTest : public test::TestDansDossier {
 protected:
  void SetUp() override {
    FicFamille f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    for (const char* nom : {"B", "A", "C"}) {
      f.Enreg = {};
      CopierTexte(f.Enreg.Nom, nom);
      ASSERT_TRUE(f.Ajouter(nom));
    }
  }

  // Changes the index or data file through fn, then checks the pair.
  template <class Fn>
  RapportPaire Abimer(const char* fichier, Fn fn) {
    Octets o = LireOctets(fichier);
    fn(o);
    EcrireOctets(fichier, o);
    return VerifierPaire(PaireFamille());
  }

  static bool Contient(const RapportPaire& r, std::string_view texte) {
    for (const auto& d : r.defauts) {
      if (d.find(texte) != std::string::npos) return true;
    }
    return false;
  }
};

TEST_F(VerificationPaireTest, PaireSaineParcourueDansLOrdreSansEtreModifiee) {
  Octets ndx = LireOctets("FAMILLE.NDX"), dat = LireOctets("FAMILLE.DAT");
  auto date = std::filesystem::last_write_time("FAMILLE.DAT");
  std::vector<std::string> vus;
  RapportPaire r = VerifierPaire(
      PaireFamille(), [&](std::string_view cle, const unsigned char*) { vus.emplace_back(cle); });
  EXPECT_EQ(r.nbDefauts, 0) << (r.defauts.empty() ? "" : r.defauts[0]);
  EXPECT_EQ(r.nbAtteints, 3);
  EXPECT_EQ(vus, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(LireOctets("FAMILLE.NDX"), ndx);
  EXPECT_EQ(LireOctets("FAMILLE.DAT"), dat);
  EXPECT_EQ(std::filesystem::last_write_time("FAMILLE.DAT"), date);
}

TEST_F(VerificationPaireTest, PaireAbsenteOuIncomplete) {
  EXPECT_EQ(VerifierPaire(PaireIngredient()).etat, EtatPaire::Absente);
  EXPECT_EQ(VerifierPaire(PaireIngredient()).nbDefauts, 0);
  std::filesystem::remove("FAMILLE.DAT");
  RapportPaire r = VerifierPaire(PaireFamille());
  EXPECT_EQ(r.etat, EtatPaire::Incomplete);
  EXPECT_TRUE(Contient(r, "FAMILLE.DAT"));
}

TEST_F(VerificationPaireTest, CyclesEtLiensVersLaRacine) {
  // C's greater link back to the root: the walk must stop, not loop.
  RapportPaire r = Abimer("FAMILLE.NDX", [](Octets& o) { EcrireMot(o, C + 35, B); });
  EXPECT_TRUE(Contient(r, "cycle"));
  // A's lesser link to C, which the root also reaches: C would be visited twice.
  r = Abimer("FAMILLE.NDX", [](Octets& o) {
    EcrireMot(o, C + 35, -1);
    EcrireMot(o, A + 39, C);
  });
  EXPECT_TRUE(Contient(r, "cycle ou nœud partagé"));
  EXPECT_TRUE(Contient(r, "père"));
}

TEST_F(VerificationPaireTest, LiensHorsDeLIndexEtPeresFaux) {
  RapportPaire r = Abimer("FAMILLE.NDX", [](Octets& o) {
    EcrireMot(o, B + 35, 1000);  // beyond the file
    EcrireMot(o, A + 43, C);     // A names C as its parent
  });
  EXPECT_TRUE(Contient(r, "hors de l'index"));
  EXPECT_TRUE(Contient(r, "comme père au lieu de 0"));
  EXPECT_TRUE(Contient(r, "l'en-tête annonce 3 enregistrements, l'index en relie 2"));
}

TEST_F(VerificationPaireTest, ClesEtEnregistrements) {
  // A's key no longer matches its record; C's record offset is off a record boundary.
  RapportPaire r = Abimer("FAMILLE.NDX", [](Octets& o) {
    o[A + 4] = 'Z';
    EcrireMot(o, C, 9);
  });
  EXPECT_TRUE(Contient(r, "porte le nom « A »"));
  EXPECT_TRUE(Contient(r, "placé après"));  // Z now sorts before B
  EXPECT_TRUE(Contient(r, "pas au début d'un enregistrement"));
}

TEST_F(VerificationPaireTest, ChampsSansTerminateurEtFichiersTronques) {
  RapportPaire r = Abimer("FAMILLE.DAT", [](Octets& o) {
    std::memset(o.data() + 8 + 282 + 31, 'x', 251);  // A's comment fills its whole field
    o.push_back(0);                                  // and a stray byte at the end
  });
  EXPECT_TRUE(Contient(r, "champ « commentaire » sans terminateur"));
  EXPECT_TRUE(Contient(r, "enregistrement tronqué"));
  r = Abimer("FAMILLE.NDX", [](Octets& o) { o.resize(o.size() - 1); });
  EXPECT_TRUE(Contient(r, "nœud tronqué"));
  r = Abimer("FAMILLE.DAT", [](Octets& o) { o.resize(5); });
  EXPECT_TRUE(Contient(r, "en-tête incomplet"));
}

TEST_F(VerificationPaireTest, EnTeteVideOuNegatif) {
  // A count of 0 makes the tree empty, whatever the index holds.
  RapportPaire r = Abimer("FAMILLE.DAT", [](Octets& o) { EcrireMot(o, 0, 0); });
  EXPECT_EQ(r.nbDefauts, 0);
  r = Abimer("FAMILLE.DAT", [](Octets& o) { EcrireMot(o, 0, -2); });
  EXPECT_TRUE(Contient(r, "négatif"));
  r = Abimer("FAMILLE.DAT", [](Octets& o) { EcrireMot(o, 0, 5); });
  EXPECT_TRUE(Contient(r, "annonce 5"));
}

}  // namespace
}  // namespace velquor::outils
