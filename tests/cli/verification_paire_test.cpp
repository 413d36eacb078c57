// The read-only check of a record file pair: each kind of damage is found by name.

#include <gtest/gtest.h>

#include <functional>

#include "cli/verification_paire.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"

namespace velquor::outils {
namespace {

using Octets = std::vector<unsigned char>;

constexpr std::int32_t B = 0, A = 47, C = 94;  // node offsets after adding B, A, C

TEST(VerificationPaire, ChaqueDommageEstNomme) {
  test::DossierTemporaire dossier;
  {
    FicFamille f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    for (const char* nom : {"B", "A", "C"}) {
      f.Enreg = {};
      CopierTexte(f.Enreg.Nom, nom);
      ASSERT_TRUE(f.Ajouter(nom));
    }
  }
  const Octets ndx = test::LireOctets("FAMILLE.NDX"), dat = test::LireOctets("FAMILLE.DAT");
  struct Cas {
    std::function<void(Octets& ndx, Octets& dat)> abimer;
    std::string defaut;  // found in some fault's text; empty: a sound pair
  };
  const auto mot = [](std::size_t offset, std::int32_t valeur) {
    return [=](Octets& i, Octets&) { EcrireMot(i.data() + offset, valeur); };
  };
  const Cas cas[] = {
      {[](Octets&, Octets&) {}, ""},
      // A header counting no record: an empty collection, whatever the files hold past it.
      {[](Octets& i, Octets& d) {
         d.resize(8 + 100, 0);
         i.resize(i.size() - 3);
         EcrireMot(d.data(), 0);
       },
       ""},
      {mot(A + 43, C), "désigne 94 comme père au lieu de 0"},
      {mot(C, 9), "pas au début d'un enregistrement"},
      {mot(B + 43, A), "la racine désigne 47 comme père au lieu de -1"},
      {[](Octets& i, Octets& d) {
         i[A + 4] = 'B';
         d[LireMot(i.data() + A)] = 'B';
       },
       "nom en double"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.defaut);
    Octets i = ndx, d = dat;
    c.abimer(i, d);
    test::EcrireOctets("FAMILLE.NDX", i);
    test::EcrireOctets("FAMILLE.DAT", d);
    const RapportPaire r = VerifierPaire(PaireFamille());
    std::string tous;
    for (const auto& liste : {r.defauts, r.horsOrdre})
      for (const auto& texte : liste)
        tous += texte + "\n";
    EXPECT_EQ(r.nbDefauts == 0, c.defaut.empty()) << tous;
    EXPECT_NE(tous.find(c.defaut), std::string::npos) << tous;
  }
}

}  // namespace
}  // namespace velquor::outils
