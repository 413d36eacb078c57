// SPDX-License-Identifier: GPL-3.0-or-later
// The file pair: creation, opening, the header on disk and the store's own error boxes.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <tuple>

#include "resources/chaines.h"
#include "store/collections.h"
#include "store/fichier_brut.h"
#include "store/ouverture.h"
#include "store/reprise.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"
#include "support/paires.h"

namespace velquor {
namespace {

using test::LireOctets;
using Octets = std::vector<unsigned char>;
namespace fs = std::filesystem;

class PFichierTest : public test::TestDansDossier {
 protected:
  test::EnregistreurVantor vantor_;
};

Octets Entete() {
  const Octets dat = LireOctets("FAMILLE.DAT");
  return {dat.begin(), dat.begin() + std::min<std::size_t>(8, dat.size())};
}

// The header counts the live records and every deletion ever made; nothing shrinks.
TEST_F(PFichierTest, EnteteDeLaCreationALaSuppression) {
  FicFamille f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  EXPECT_EQ(Entete(), Octets(8, 0));
  EXPECT_FALSE(f.Ouvrir() || f.Creer()) << "opened twice, or created over a pair";
  for (const char* nom : {"B", "A", "C"})
    ASSERT_TRUE(test::AjouterNom(f, nom));
  ASSERT_TRUE(f.Chercher("A") && f.Supprimer());
  EXPECT_EQ(Entete(), (Octets{2, 0, 0, 0, 1, 0, 0, 0}));
  ASSERT_TRUE(f.Premier() && f.Supprimer() && f.Premier() && f.Supprimer());
  EXPECT_EQ(Entete(), (Octets{0, 0, 0, 0, 3, 0, 0, 0}));
  EXPECT_EQ(fs::file_size("FAMILLE.DAT"), 8u + 3 * 282);
  EXPECT_EQ(fs::file_size("FAMILLE.NDX"), 3u * 47);
  // Between writes another program may write; the files bear the time of the last one.
  FichierBrut autre;
  EXPECT_TRUE(autre.OuvrirExistant("FAMILLE.DAT") && autre.VerrouillerExclusifSansAttendre());
  EXPECT_LE(fs::last_write_time("FAMILLE.DAT"), fs::file_time_type::clock::now());
}

// A reader leaves the files as they are: no header for a new data file, no write.
TEST_F(PFichierTest, OuvertEnLectureNEcritRien) {
  test::EcrireOctets("FAMILLE.NDX", {});
  test::EcrireOctets("FAMILLE.DAT", {});
  FicFamille f;
  ASSERT_TRUE(f.OuvrirEnLecture());
  EXPECT_FALSE(test::AjouterNom(f, "SOURS"));
  EXPECT_EQ(fs::file_size("FAMILLE.DAT"), 0u);
  f.Fermer();
  ASSERT_TRUE(f.Ouvrir() && test::AjouterNom(f, "SOURS"));
  f.Fermer();
  const auto avant = LireOctets("FAMILLE.DAT");
  ASSERT_TRUE(f.OuvrirEnLecture() && f.Chercher("SOURS"));
  EXPECT_FALSE(f.Modifier() || f.Supprimer());
  EXPECT_EQ(LireOctets("FAMILLE.DAT"), avant);
}

// What a start, then an opening, make of what a creation may leave. The empty files of a
// creation that a stop cut short go, the pair being absent again as before; a creation under way
// (its index locked) is left to its creator, and finished by the opening once the lock is gone;
// a pair open in a program (locked shared) and an empty collection stay. A data file alone that
// holds a zero header at most goes too (a power cut kept its name and lost the index's). An index
// that holds a node, or a data file alone that counts a record, may be what is left of a user's
// pair: nothing is created beside it and the user is told.
TEST_F(PFichierTest, CreationsArreteesOuEnCours) {
  struct Cas {
    std::optional<Octets> ndx, dat;
    int verrou;  // 1 shared, 2 exclusive
    bool retiree, ouverte;
  };
  const Cas cas[] = {{Octets{}, {}, 0, true, true},
                     {Octets{}, Octets{}, 0, true, true},
                     {Octets{}, {}, 2, false, true},
                     {Octets{}, Octets{}, 1, false, true},
                     {Octets{}, Octets(8, 0), 0, false, true},
                     {Octets(47, 1), {}, 0, false, false},
                     {{}, Octets(8, 0), 0, true, true},
                     {{}, Octets{1, 0, 0, 0, 0, 0, 0, 0}, 0, false, false}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(&c - cas);
    fs::remove("INGRED.NDX");
    fs::remove("INGRED.DAT");
    if (c.ndx) test::EcrireOctets("INGRED.NDX", *c.ndx);
    if (c.dat) test::EcrireOctets("INGRED.DAT", *c.dat);
    {
      FichierBrut verrou;
      if (c.verrou > 0) {
        ASSERT_TRUE(verrou.OuvrirExistant("INGRED.NDX") &&
                    (c.verrou == 1 ? verrou.VerrouillerPartage()
                                   : verrou.VerrouillerExclusifSansAttendre()));
      }
      EXPECT_EQ(ReprendreEcrituresInterrompues(), c.retiree ? 1 : 0);
      EXPECT_EQ(fs::exists("INGRED.NDX"), !c.retiree && c.ndx);
      EXPECT_EQ(fs::exists("INGRED.DAT"), !c.retiree && c.dat);
    }
    FicIngredient f;
    test::EnregistreurMessages messages;
    EXPECT_EQ(OuvrirCollection(f, messages), c.ouverte);
    if (c.ouverte) continue;
    for (const auto& [nom, octets] : {std::pair{"INGRED.NDX", c.ndx}, {"INGRED.DAT", c.dat}})
      EXPECT_EQ(fs::exists(nom) ? std::optional(LireOctets(nom)) : std::nullopt, octets) << nom;
    ASSERT_EQ(messages.messages.size(), 1u);
    const auto& m = messages.messages[0];
    EXPECT_EQ(std::tie(m.id, m.argument, m.style), std::tuple(ChaineCreationImpossible,
                                                              "ingr\xE9"
                                                              "dients",
                                                              StyleArret));
  }
}

TEST_F(PFichierTest, LesTextesDErreurHorsPosition) {
  FicFamille f;
  ASSERT_TRUE(test::CreerOuvrir(f) && test::AjouterNom(f, "A") && test::AjouterNom(f, "B"));
  ASSERT_TRUE(f.Chercher("A") && f.Supprimer());
  EXPECT_TRUE(f.Supprimer()) << "a second deletion in a row shows 301 and returns true";
  EXPECT_TRUE(f.Modifier()) << "201, and true";
  EXPECT_FALSE(f.Suivant());
  f.Lire();
  const std::string position = "\n\nPointeur d'enregistrement non positionné !";
  EXPECT_EQ(vantor_.textes,
            (std::vector<std::string>{
                "Erreur en suppression" + position, "Erreur en modification" + position,
                "Erreur en parcours du fichier" + position, "Erreur en lecture" + position}));
  EXPECT_EQ(FormaterChaine(TexteChaine(ChaineSuppressionIngredient), "GIN %s %d"),
            "Suppression de l'ingrédient GIN %s %d ?");
}

}  // namespace
}  // namespace velquor
