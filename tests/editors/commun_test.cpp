// SPDX-License-Identifier: GPL-3.0-or-later
// What the three editors share, through their views: the record commands with their messages,
// the list's selection, the fields that duplicating and renaming carry over, and the
// consistency passes that a rename or a deletion runs.

#include <gtest/gtest.h>

#include <filesystem>

#include "support_editeurs.h"

namespace velquor {
namespace {

using test::Entrees;
using test::Lire;
using test::PiloteModal;
using test::RepondreNom;
using Noms = std::vector<std::string>;

struct Editeur {
  int commande;
  const char* base;
  const char* existe;     // the "exists" message with the name GIN
  const char* supprimer;  // the "delete" question with the name GIN
};

constexpr Editeur kEditeurs[] = {
    {102, "FAMILLE", "Famille GIN déjà existante !", "Suppression de la famille GIN ?"},
    {101, "INGRED", "Ingrédient GIN déjà existant !", "Suppression de l'ingrédient GIN ?"},
    {103, "COCKTAIL", "Cocktail GIN déjà existant !", "Suppression du cocktail GIN ?"},
};

class Commun : public test::EditeursTest, public ::testing::WithParamInterface<Editeur> {
 protected:
  // Whether the record commands can run: 104 new, 105 delete, 106 rename, 107 duplicate.
  std::vector<bool> Actives() {
    const auto active = [this](int c) { return app_.Routeur().EstActive(c); };
    return {active(104), active(105), active(106), active(107)};
  }
  // The stored bytes of a record after its name; empty when it is not found.
  std::vector<unsigned char> Champs(std::string_view nom) {
    const auto octets = [](const auto& enr) {
      if (!enr) return std::vector<unsigned char>{};
      const auto* p = reinterpret_cast<const unsigned char*>(&*enr);
      return std::vector<unsigned char>(p + TailleNom, p + sizeof(*enr));
    };
    if (GetParam().commande == 102) return octets(Lire<FicFamille>(nom));
    if (GetParam().commande == 101) return octets(Lire<FicIngredient>(nom));
    return octets(Lire<FicCocktail>(nom));
  }
};

TEST_P(Commun, SeulNouvelleFicheSurUneListeVideEtLaQuestionDeSuppression) {
  PEditeurDlg* editeur = Ouvrir(GetParam().commande);
  ASSERT_NE(editeur, nullptr);
  EXPECT_EQ(Actives(), (std::vector<bool>{true, false, false, false}));
  {
    PiloteModal pilote(RepondreNom("gin"));
    EXPECT_TRUE(Envoyer(104));
  }
  EXPECT_EQ(Entrees(*editeur->Liste()), Noms{"GIN"});
  EXPECT_EQ(Actives(), (std::vector<bool>{true, true, true, true}));
  repondeur_.reponses = {ReponseNon, ReponseOui};
  Envoyer(105);
  EXPECT_EQ(test::Boites(repondeur_), Noms{std::string("? OuiNon ") + GetParam().supprimer});
  EXPECT_EQ(Entrees(*editeur->Liste()), Noms{"GIN"});
  Envoyer(105);
  EXPECT_EQ(editeur->Liste()->NbElements(), 0);
  EXPECT_EQ(Actives(), (std::vector<bool>{true, false, false, false}));
}

TEST_P(Commun, DupliquerEtRenommerGardentLesChampsSansEcraserUnNomExistant) {
  const int commande = GetParam().commande;
  if (commande == 102) {
    test::CreerFamilles({{"GIN", "Le genièvre."}, {"RHUM", "Les Antilles."}, {"VODKA"}});
  } else if (commande == 101) {
    test::CreerIngredients({{"GIN", true, "Le genièvre."}, {"RHUM", true, "Ambré."}, {"VODKA"}});
  } else {
    test::CreerCocktails({{"GIN", "SOURS", {"GIN", "", "CITRON"}, {"4 cl", "", "2 cl"}, "Secouer."},
                          {"RHUM", "SOURS", {"CITRON"}, {"1"}, "Allonger."},
                          {"VODKA"}});
  }
  PEditeurDlg* editeur = Ouvrir(commande);
  ASSERT_NE(editeur, nullptr);
  const std::vector<unsigned char> gin = Champs("GIN"), rhum = Champs("RHUM");
  std::vector<QString> vus;
  {
    PiloteModal pilote(RepondreNom("gin fizz", &vus));
    EXPECT_TRUE(Envoyer(107));
  }
  EXPECT_EQ(Champs("GIN FIZZ"), gin);
  EXPECT_EQ(Champs("GIN"), gin);
  EXPECT_EQ(editeur->NomSelectionne(), "GIN FIZZ");

  editeur->Liste()->SelectionnerIndex(2);
  editeur->Afficher();
  {
    PiloteModal pilote(RepondreNom("ambre", &vus));
    EXPECT_TRUE(Envoyer(106));
  }
  EXPECT_EQ(vus, (std::vector<QString>{"Dupliquer une fiche GIN", "Renommer une fiche RHUM"}));
  EXPECT_EQ(Champs("AMBRE"), rhum);
  EXPECT_TRUE(Champs("RHUM").empty());

  // New, duplicate and rename to a name that exists: the message, the record untouched.
  for (int c : {104, 107, 106}) {
    PiloteModal pilote(RepondreNom("gin"));
    repondeur_.boites.clear();
    EXPECT_TRUE(Envoyer(c));
    EXPECT_EQ(test::Boites(repondeur_), Noms{std::string("! Ok ") + GetParam().existe}) << c;
  }
  EXPECT_EQ(Champs("GIN"), gin);
  EXPECT_EQ(Entrees(*editeur->Liste()), (Noms{"AMBRE", "GIN", "GIN FIZZ", "VODKA"}));

  // Deleting the second entry selects the one before it; the first, the new first.
  repondeur_.reponses = {ReponseOui, ReponseOui};
  editeur->Liste()->SelectionnerIndex(1);
  EXPECT_TRUE(Envoyer(105));
  EXPECT_EQ(editeur->NomSelectionne(), "AMBRE");
  EXPECT_TRUE(Envoyer(105));
  EXPECT_EQ(editeur->NomSelectionne(), "GIN FIZZ");
  EXPECT_EQ(Entrees(*editeur->Liste()), (Noms{"GIN FIZZ", "VODKA"}));
}

class Ouverture : public test::EditeursTest {};

TEST_F(Ouverture, UneCollectionQuiNePeutNiSOuvrirNiSeCreerEstSignalee) {
  test::CreerCocktails({{"STINGER"}});
  std::filesystem::create_directory("INGRED.NDX");  // neither opened nor created
  PEditeurDlg* editeur = Ouvrir(103);
  ASSERT_NE(editeur, nullptr);
  EXPECT_EQ(test::Boites(repondeur_),
            Noms{"x Ok Impossible de créer le fichier des ingrédients !"});
  EXPECT_EQ(Entrees(*editeur->Liste()), Noms{"STINGER"});
}

INSTANTIATE_TEST_SUITE_P(TroisEditeurs, Commun, ::testing::ValuesIn(kEditeurs),
                         [](const auto& info) { return std::string(info.param.base); });

class Passes : public test::EditeursTest {
 protected:
  void SetUp() override {
    test::CreerFamilles({{"DIGESTIF", "Après."}, {"SOURS"}});
    test::CreerCocktails(
        {{"ALEXANDER", "DIGESTIF"}, {"SIDECAR", "SOURS"}, {"WHITE LADY", "Digestif"}});
  }
};

// Renaming a family rewrites the cocktails under the progress window captioned for the check,
// with no stop button, over a disabled editor.
TEST_F(Passes, RenommerUneFamilleRecritLesCocktailsSousLaFenetreDeProgression) {
  PEditeurDlg* editeur = Ouvrir(102);
  ASSERT_NE(editeur, nullptr);
  test::ObservateurDefile observateur(editeur, false);
  {
    PiloteModal pilote(RepondreNom("digestifs"));
    EXPECT_TRUE(Envoyer(106));  // DIGESTIF is the first entry
  }
  Noms familles;
  for (const std::string& nom : test::Noms())
    familles.emplace_back(Texte(Lire<FicCocktail>(nom)->Famille));
  EXPECT_EQ(familles, (Noms{"DIGESTIFS", "SOURS", "Digestif"}));
  EXPECT_EQ(observateur.titre, "Contrôle de cohérence dans la base des recettes");
  EXPECT_FALSE(observateur.arretActif);
  EXPECT_FALSE(observateur.fenetreActive);
  EXPECT_TRUE(editeur->isEnabled());
  EXPECT_EQ(editeur->NomSelectionne(), "DIGESTIFS");
}

// The cocktail pair cannot be opened: the rename is made, the cocktails cannot follow, and the
// user hears it.
TEST_F(Passes, UnePasseQuiEchoueBipe) {
  std::filesystem::remove("COCKTAIL.NDX");
  std::filesystem::create_directory("COCKTAIL.NDX");
  ASSERT_NE(Ouvrir(102), nullptr);
  {
    PiloteModal pilote(RepondreNom("apres"));
    EXPECT_TRUE(Envoyer(106));
  }
  EXPECT_EQ(test::Noms<FicFamille>(), (Noms{"APRES", "SOURS"}));
  EXPECT_EQ(repondeur_.bips, 1);
}

}  // namespace
}  // namespace velquor
