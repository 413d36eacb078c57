// The read-only check of a record file pair: a sound pair has no fault and is left untouched;
// each kind of damage is found, and none makes the walk loop.

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

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

void Mot(Octets& o, std::size_t offset, std::int32_t valeur) {
  EcrireMot(o.data() + offset, valeur);
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

  // In the faults, or among the names out of order.
  static bool Contient(const RapportPaire& r, std::string_view texte) {
    for (const auto& liste : {r.defauts, r.horsOrdre}) {
      for (const auto& d : liste) {
        if (d.find(texte) != std::string::npos) return true;
      }
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

TEST_F(VerificationPaireTest, ChaqueDommageEstNomme) {
  const Octets ndx = LireOctets("FAMILLE.NDX"), dat = LireOctets("FAMILLE.DAT");
  struct Cas {
    const char* dommage;
    std::function<void(Octets& ndx, Octets& dat)> abimer;
    std::vector<std::string> defauts;  // each found in some fault's text; none: a sound pair
  };
  const Cas cas[] = {
      {"a link back to the root: the walk stops",
       [](Octets& i, Octets&) { Mot(i, C + 35, B); },
       {"cycle"}},
      {"C reached twice",
       [](Octets& i, Octets&) { Mot(i, A + 39, C); },
       {"cycle ou nœud partagé", "père"}},
      {"a link beyond the file, a wrong parent",
       [](Octets& i, Octets&) {
         Mot(i, B + 35, 1000);
         Mot(i, A + 43, C);
       },
       {"hors de l'index", "comme père au lieu de 0",
        "l'en-tête annonce 3 enregistrements, l'index en relie 2"}},
      {"a key unlike its record, out of order; a record offset off a boundary",
       [](Octets& i, Octets&) {
         i[A + 4] = 'Z';
         Mot(i, C, 9);
       },
       {"porte le nom « A »", "placé après", "pas au début d'un enregistrement"}},
      {"a comment filling its field, a stray byte",
       [](Octets&, Octets& d) {
         std::memset(d.data() + 8 + 282 + 31, 'x', 251);
         d.push_back(0);
       },
       {"champ « commentaire » sans terminateur", "enregistrement tronqué"}},
      {"a key twice, its record named as it",
       [](Octets& i, Octets& d) {
         i[A + 4] = 'B';
         d[LireMot(i.data() + A)] = 'B';
       },
       {"nom en double"}},
      {"two nodes on one record",
       [](Octets& i, Octets&) { Mot(i, C, LireMot(i.data() + B)); },
       {"déjà désigné par un autre nœud"}},
      {"the root naming a parent",
       [](Octets& i, Octets&) { Mot(i, B + 43, A); },
       {"la racine désigne 47 comme père au lieu de -1"}},
      {"a node cut short", [](Octets& i, Octets&) { i.pop_back(); }, {"nœud tronqué"}},
      {"a header cut short", [](Octets&, Octets& d) { d.resize(5); }, {"en-tête incomplet"}},
      {"a count of 0 makes the tree empty", [](Octets&, Octets& d) { Mot(d, 0, 0); }, {}},
      {"a negative count", [](Octets&, Octets& d) { Mot(d, 0, -2); }, {"négatif"}},
      {"a count too high", [](Octets&, Octets& d) { Mot(d, 0, 5); }, {"annonce 5"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.dommage);
    Octets i = ndx, d = dat;
    c.abimer(i, d);
    EcrireOctets("FAMILLE.NDX", i);
    EcrireOctets("FAMILLE.DAT", d);
    const RapportPaire r = VerifierPaire(PaireFamille());
    if (c.defauts.empty()) {
      EXPECT_EQ(r.nbDefauts, 0);
    }
    for (const auto& texte : c.defauts)
      EXPECT_TRUE(Contient(r, texte)) << texte << " not in " << ::testing::PrintToString(r.defauts);
  }
}

}  // namespace
}  // namespace velquor::outils
