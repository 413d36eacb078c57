// The rebuild of a pair is a salvage: every record still tied to its name survives, byte for
// byte, whatever the header and the links say; deleted names stay deleted on a sound tree; a
// pair that cannot be rebuilt right, or that another program holds open, is refused untouched;
// and no backup holding a record the pair lacks is ever replaced.

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "cli/reorganisation.h"
#include "cli/verification_paire.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::LireOctets;
using Octets = std::vector<unsigned char>;
using Contenus = std::map<std::string, std::string>;

// Name -> the record's bytes, as a walk of the collection gives them.
Contenus Contenu() {
  Contenus contenu;
  FicCocktail f;
  for (bool ok = f.Ouvrir() && f.Premier(); ok; ok = f.Suivant())
    contenu[std::string(Texte(f.Enreg.Nom))] =
        std::string(reinterpret_cast<const char*>(&f.Enreg), sizeof f.Enreg);
  return contenu;
}

std::string Nom(int i) {
  return "COCKTAIL " + std::to_string(1000 + i);
}

std::int32_t Noeud(const std::string& nom) {
  FicCocktail f;
  return f.Ouvrir() && f.Chercher(nom) ? f.PtrEnreg : -1;
}

void Mot(Octets& o, std::size_t offset, std::int32_t valeur) {
  EcrireMot(o.data() + offset, valeur);
}

class ReorganisationTest : public test::TestDansDossier {
 protected:
  // A chain of sorted additions with deletions in it (the first name, the root, among them):
  // dead nodes and dead records.
  void SetUp() override {
    FicCocktail f;
    ASSERT_TRUE(f.Creer() && f.Ouvrir());
    for (int i = 0; i < 200; ++i) {
      f.Enreg = {};
      CopierTexte(f.Enreg.Nom, Nom(i));
      CopierTexte(f.Enreg.Remarques, "remarque " + std::to_string(i));
      ASSERT_TRUE(f.Ajouter(Nom(i)));
    }
    for (int i = 0; i < 200; i += 7)
      ASSERT_TRUE(f.Chercher(Nom(i)) && f.Supprimer());
    avant_ = Contenu();
  }

  Contenus avant_;
};

// Each damage costs nothing but the bytes it touched.
TEST_F(ReorganisationTest, ChaqueDommageGardeToutCeQuiResteLie) {
  const std::int32_t n50 = Noeud(Nom(50)), n101 = Noeud(Nom(101)), n150 = Noeud(Nom(150));
  const auto index = LireOctets("COCKTAIL.NDX");
  const auto donnees = LireOctets("COCKTAIL.DAT");
  struct Cas {
    const char* dommage;
    std::function<void(Octets& ndx, Octets& dat)> abimer;
    std::string coupe;  // a name whose remarks are cut to end in their field
  };
  const Cas cas[] = {
      {"none", [](Octets&, Octets&) {}, ""},
      {"a count of 0 over a whole tree", [](Octets&, Octets& d) { Mot(d, 0, 0); }, ""},
      {"a link 14 bytes into a node cuts the chain in two",
       [&](Octets& i, Octets&) { Mot(i, n50 + 35, LireMot(i.data() + n50 + 35) + 14); }, ""},
      {"a link out of the file", [&](Octets& i, Octets&) { Mot(i, n150 + 35, 1 << 20); }, ""},
      {"a key unlike its record, whose own name is free",
       [&](Octets& i, Octets&) { i[n101 + 4] = 'X'; }, ""},
      {"a deleted name's parent link damaged: the name stays deleted",
       [](Octets& i, Octets&) {
         for (std::size_t n = 0; n < i.size(); n += 47)
           if (std::string(reinterpret_cast<const char*>(i.data() + n + 4)) == Nom(7))
             Mot(i, n + 43, 5);
       },
       ""},
      {"remarks that fill their field",
       [&](Octets& i, Octets& d) {
         const auto r = d.begin() + LireMot(i.data() + n50) + offsetof(EnrCocktail, Remarques);
         std::fill(r, r + TailleCommentaire, 'r');
       },
       Nom(50)},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.dommage);
    Octets i = index, d = donnees;
    c.abimer(i, d);
    test::EcrireOctets("COCKTAIL.NDX", i);
    test::EcrireOctets("COCKTAIL.DAT", d);
    for (const char* fichier : {"COCKTAIL.NDX.bak", "COCKTAIL.DAT.bak"})
      fs::remove(fichier);

    const auto bilan = outils::ReorganiserPaire(outils::PaireCocktail());
    ASSERT_TRUE(bilan.fait) << bilan.erreur;
    Contenus attendu = avant_;
    if (!c.coupe.empty())
      attendu[c.coupe].replace(offsetof(EnrCocktail, Remarques), TailleCommentaire - 1,
                               TailleCommentaire - 1, 'r');
    EXPECT_EQ(Contenu(), attendu);
    EXPECT_EQ(LireOctets("COCKTAIL.DAT.bak"), d);
    const auto rapport = outils::VerifierPaire(outils::PaireCocktail());
    EXPECT_EQ(rapport.nbDefauts, 0) << (rapport.defauts.empty() ? "" : rapport.defauts[0]);
  }
}

// Refusals leave every byte as it was; a backup is replaced only by a pair that holds every one
// of its records.
TEST_F(ReorganisationTest, RienNEstPerdu) {
  {
    FicCocktail ouvert;
    ASSERT_TRUE(ouvert.Ouvrir());
    const auto refus = outils::ReorganiserPaire(outils::PaireCocktail());
    EXPECT_FALSE(refus.fait);
    EXPECT_TRUE(refus.verrouillee);
    EXPECT_FALSE(fs::exists("COCKTAIL.NDX.bak"));
  }
  ASSERT_TRUE(outils::ReorganiserPaire(outils::PaireCocktail()).fait);
  {
    FicCocktail f;
    ASSERT_TRUE(f.Ouvrir() && f.Chercher(Nom(1)) && f.Supprimer());
  }
  const auto avecNom1 = LireOctets("COCKTAIL.DAT.bak");
  auto bilan = outils::ReorganiserPaire(outils::PaireCocktail());
  ASSERT_TRUE(bilan.fait);
  EXPECT_EQ(bilan.sauvegardeDonnees, "COCKTAIL.DAT.bak2");
  EXPECT_EQ(LireOctets("COCKTAIL.DAT.bak"), avecNom1);

  // The new data file beside the old index, as a stop between two renames once left them; then
  // an emptied data file: nothing right can be rebuilt, nothing is changed.
  test::EcrireOctets("COCKTAIL.NDX", LireOctets("COCKTAIL.NDX.bak"));
  for (const char* erreur : {"ne vont pas ensemble", "ne contient aucun"}) {
    if (std::string(erreur) == "ne contient aucun") test::EcrireOctets("COCKTAIL.DAT", {});
    const auto index = LireOctets("COCKTAIL.NDX"), donnees = LireOctets("COCKTAIL.DAT");
    bilan = outils::ReorganiserPaire(outils::PaireCocktail());
    EXPECT_FALSE(bilan.fait);
    EXPECT_NE(bilan.erreur.find(erreur), std::string::npos) << bilan.erreur;
    EXPECT_EQ(LireOctets("COCKTAIL.NDX"), index);
    EXPECT_EQ(LireOctets("COCKTAIL.DAT"), donnees);
    EXPECT_FALSE(fs::exists("COCKTAIL.NDX.bak3"));
  }
}

}  // namespace
}  // namespace velquor
