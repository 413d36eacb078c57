// The behaviour the three editors share, end to end through their views: set-up on an empty
// directory, the four commands with their messages and list selection, writing a changed field
// when it is left, Escape and the close request.

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "editors/cocktail_dlg.h"
#include "editors/famille_dlg.h"
#include "editors/ingredient_dlg.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "resources/chaines.h"
#include "support_editeurs.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;
using test::Entrees;
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
    return {EstActive(104), EstActive(105), EstActive(106), EstActive(107)};
  }
  std::vector<unsigned char> Index() {
    return test::LireOctets(std::string(GetParam().base) + ".NDX");
  }
};
class Ouverture : public test::EditeursTest {};

QString Titre(PEditeurDlg* editeur) {
  return editeur->Controle<QLabel>(PEditeurDlg::IdTitre)->text();
}

TEST_P(Commun, UnDossierVideDonneDesPairesVidesEtSeulNouvelleFicheEstDisponible) {
  PEditeurDlg* editeur = Ouvrir(GetParam().commande);
  ASSERT_NE(editeur, nullptr);
  for (const char* base : {"FAMILLE", "INGRED", "COCKTAIL"}) {
    // The cocktail editor opens all three collections; the others only their own.
    const bool attendu = GetParam().commande == 103 || std::string(base) == GetParam().base;
    EXPECT_EQ(fs::exists(std::string(base) + ".NDX"), attendu) << base;
    EXPECT_EQ(fs::exists(std::string(base) + ".DAT"), attendu) << base;
  }
  EXPECT_EQ(test::LireOctets(std::string(GetParam().base) + ".DAT"),
            std::vector<unsigned char>(8, 0));
  EXPECT_EQ(editeur->Liste()->NbElements(), 0);
  EXPECT_FALSE(editeur->ControleParId(PEditeurDlg::IdCommentaire)->isEnabled());
  EXPECT_EQ(Actives(), (std::vector<bool>{true, false, false, false}));
  EXPECT_TRUE(repondeur_.boites.empty());
  EXPECT_EQ(repondeur_.curseurs, (std::vector<Curseur>{Curseur::Attente, Curseur::Fleche}));

  // The first record enables the details and is selected.
  std::vector<test::DialogueNom> vus;
  {
    PiloteModal pilote(RepondreNom("gin", &vus));
    EXPECT_TRUE(Envoyer(104));
  }
  ASSERT_EQ(vus.size(), 1u);
  EXPECT_FALSE(vus[0].ancienVisible);
  EXPECT_EQ(Entrees(editeur->Liste()), Noms{"GIN"});
  EXPECT_EQ(editeur->Liste()->IndexSelection(), 0);
  EXPECT_EQ(Titre(editeur), "GIN");
  EXPECT_TRUE(editeur->ControleParId(PEditeurDlg::IdCommentaire)->isEnabled());
  EXPECT_EQ(Actives(), (std::vector<bool>{true, true, true, true}));

  // New, duplicate and rename to a name that exists: the editor's message, nothing added.
  {
    PiloteModal pilote(RepondreNom("vodka"));
    EXPECT_TRUE(Envoyer(104));
  }
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"GIN", "VODKA"}));
  for (int commande : {104, 107, 106}) {
    PiloteModal pilote(RepondreNom("gin"));
    repondeur_.boites.clear();
    EXPECT_TRUE(Envoyer(commande));
    EXPECT_EQ(test::Boites(repondeur_), Noms{std::string("! Ok ") + GetParam().existe}) << commande;
  }
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"GIN", "VODKA"}));
  EXPECT_EQ(Titre(editeur), "VODKA");
  repondeur_.reponses = {ReponseOui};
  Envoyer(105);
  EXPECT_EQ(Titre(editeur), "GIN");

  // The delete question, answered no then yes.
  repondeur_.boites.clear();
  repondeur_.reponses = {ReponseNon};
  Envoyer(105);
  EXPECT_EQ(test::Boites(repondeur_), Noms{std::string("? OuiNon ") + GetParam().supprimer});
  EXPECT_EQ(Entrees(editeur->Liste()), Noms{"GIN"});
  repondeur_.reponses = {ReponseOui};
  Envoyer(105);
  // The only record gone: empty list, details disabled, only "new" left.
  EXPECT_EQ(editeur->Liste()->NbElements(), 0);
  EXPECT_FALSE(editeur->ControleParId(PEditeurDlg::IdCommentaire)->isEnabled());
  EXPECT_EQ(Actives(), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(Index().size() % 47, 0u);
}

TEST_P(Commun, EchapEtDemandeDeFermetureNeFontQueBiper) {
  PEditeurDlg* editeur = Ouvrir(GetParam().commande);
  ASSERT_NE(editeur, nullptr);
  Focaliser(editeur->Liste());
  QTest::keyClick(editeur->Liste(), Qt::Key_Escape);
  EXPECT_EQ(repondeur_.bips, 1);
  editeur->close();
  EXPECT_EQ(repondeur_.bips, 2);
  EXPECT_TRUE(editeur->isVisible());
  EXPECT_EQ(Editeur(), editeur);
}

// Three records in the editor's collection, every field filled.
void Peupler(int commande) {
  switch (commande) {
    case 102:
      test::CreerFamilles(
          {{"GIN", "Le genièvre."}, {"RHUM", "Les Antilles."}, {"VODKA", "Le nord."}});
      break;
    case 101:
      test::CreerIngredients(
          {{"GIN", true, "Le genièvre."}, {"RHUM", true, "Ambré."}, {"VODKA", false, "Sans."}});
      break;
    default:
      test::CreerIngredients({{"CITRON"}, {"GIN", true}, {"SUCRE"}});
      test::CreerFamilles({{"SOURS"}});
      test::CreerCocktails(
          {{"GIN", "SOURS", {"GIN", "", "CITRON", "SUCRE"}, {"4 cl", "", "2 cl", "1"}, "Secouer."},
           {"RHUM", "SOURS", {"CITRON"}, {"1"}, "Allonger."},
           {"VODKA", "", {}, {}, "Rien."}});
      break;
  }
}

// The stored bytes of a record after its name; empty when it is not found.
template <class Enr>
std::vector<unsigned char> ApresLeNom(const std::optional<Enr>& enr) {
  if (!enr) return {};
  const auto* octets = reinterpret_cast<const unsigned char*>(&*enr);
  return std::vector<unsigned char>(octets + TailleNom, octets + sizeof(Enr));
}
std::vector<unsigned char> Champs(int commande, std::string_view nom) {
  if (commande == 102) return ApresLeNom(test::LireFamille(nom));
  if (commande == 101) return ApresLeNom(test::LireIngredient(nom));
  return ApresLeNom(test::LireCocktail(nom));
}

TEST_P(Commun, DupliquerCopieChaqueChampEtRenommerLesGarde) {
  const int commande = GetParam().commande;
  Peupler(commande);
  PEditeurDlg* editeur = Ouvrir(commande);
  ASSERT_NE(editeur, nullptr);
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"GIN", "RHUM", "VODKA"}));
  EXPECT_EQ(Titre(editeur), "GIN");
  const std::vector<unsigned char> gin = Champs(commande, "GIN");
  ASSERT_FALSE(gin.empty());

  std::vector<test::DialogueNom> vus;
  {
    PiloteModal pilote(RepondreNom("gin fizz", &vus));
    EXPECT_TRUE(Envoyer(107));
  }
  ASSERT_EQ(vus.size(), 1u);
  EXPECT_EQ(vus[0].legende + " " + vus[0].ancien, "Dupliquer une fiche GIN");
  EXPECT_EQ(Champs(commande, "GIN FIZZ"), gin);
  EXPECT_EQ(Champs(commande, "GIN"), gin);
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"GIN", "GIN FIZZ", "RHUM", "VODKA"}));
  EXPECT_EQ(editeur->NomSelectionne(), "GIN FIZZ");
  EXPECT_EQ(Titre(editeur), "GIN FIZZ");

  // Renaming RHUM to AMBRE: a copy under the new key, the old key gone, the selection moved.
  editeur->Liste()->SelectionnerIndex(2);
  editeur->Afficher();
  const std::vector<unsigned char> rhum = Champs(commande, "RHUM");
  {
    PiloteModal pilote(RepondreNom("ambre", &vus));
    EXPECT_TRUE(Envoyer(106));
  }
  EXPECT_EQ(vus.back().legende + " " + vus.back().ancien, "Renommer une fiche RHUM");
  EXPECT_EQ(Champs(commande, "AMBRE"), rhum);
  EXPECT_TRUE(Champs(commande, "RHUM").empty());
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"AMBRE", "GIN", "GIN FIZZ", "VODKA"}));
  EXPECT_EQ(editeur->NomSelectionne(), "AMBRE");
  EXPECT_EQ(Titre(editeur), "AMBRE");
  EXPECT_EQ(repondeur_.bips, 0);
  EXPECT_TRUE(repondeur_.boites.empty());
}

TEST_P(Commun, SupprimerSelectionneLaPremiereEntreeOuCelleDAvant) {
  const int commande = GetParam().commande;
  Peupler(commande);
  PEditeurDlg* editeur = Ouvrir(commande);
  ASSERT_NE(editeur, nullptr);
  repondeur_.reponses = {ReponseOui, ReponseOui};
  // The second of three: the one before it is selected and shown, not the one after.
  editeur->Liste()->SelectionnerIndex(1);
  EXPECT_TRUE(Envoyer(105));
  EXPECT_EQ(Entrees(editeur->Liste()), (Noms{"GIN", "VODKA"}));
  EXPECT_EQ(editeur->NomSelectionne(), "GIN");
  EXPECT_EQ(Titre(editeur), "GIN");
  // The first: the new first entry.
  EXPECT_TRUE(Envoyer(105));
  EXPECT_EQ(Entrees(editeur->Liste()), Noms{"VODKA"});
  EXPECT_EQ(editeur->NomSelectionne(), "VODKA");
  EXPECT_EQ(Titre(editeur), "VODKA");
  EXPECT_TRUE(editeur->ControleParId(PEditeurDlg::IdCommentaire)->isEnabled());
  const std::vector<std::string> restants =
      commande == 102 ? test::NomsFamilles()
                      : (commande == 101 ? test::NomsIngredients() : test::NomsCocktails());
  EXPECT_EQ(restants, Noms{"VODKA"});
}

TEST_F(Ouverture, UneCollectionQuiNePeutNiSOuvrirNiSeCreerEstSignaleeEtLEditeurSOuvre) {
  test::CreerCocktails({{"STINGER", "DIGESTIF", {"COGNAC"}, {"5 cl"}}});
  // A folder where the ingredient index should be: neither opened nor created.
  fs::create_directory("INGRED.NDX");
  PEditeurDlg* editeur = Ouvrir(103);
  ASSERT_NE(editeur, nullptr);
  EXPECT_EQ(test::Boites(repondeur_),
            Noms{"x Ok Impossible de créer le fichier des ingrédients !"});
  EXPECT_EQ(Entrees(editeur->Liste()), Noms{"STINGER"});
  EXPECT_EQ(Titre(editeur), "STINGER");
  EXPECT_TRUE(fs::exists("FAMILLE.DAT"));
}

INSTANTIATE_TEST_SUITE_P(TroisEditeurs, Commun, ::testing::ValuesIn(kEditeurs),
                         [](const auto& info) { return std::string(info.param.base); });

}  // namespace
}  // namespace velquor
