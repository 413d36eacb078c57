// Hostile names in the list boxes: the editors' lists and the search dialog's show every stored
// name as its characters, in the case-blind name order, and the entry the user picks leads to
// its own record: shown, deleted, chosen for a search and remembered in the selection files.

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "editors/cocktail_dlg.h"
#include "editors/ingredient_dlg.h"
#include "fenetres_hostiles.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/onglets.h"
#include "jeu_hostile.h"
#include "search/cb_assist.h"
#include "search/new_rech.h"
#include "search/selection.h"
#include "store/champ_texte.h"
#include "store/collation.h"
#include "support_editeurs.h"

namespace velquor {
namespace {

using test::Montre;
using test::MontreMulti;
using Noms = std::multiset<std::string>;

// Every entry shows its stored bytes as their characters, the entries are in the case-blind name
// order, and they are the names given.
void VerifierListe(const PListe* liste, const Noms& noms) {
  ASSERT_NE(liste, nullptr);
  Noms entrees;
  for (int i = 0; i < liste->NbElements(); ++i) {
    const std::string entree = liste->Chaine(i);
    entrees.insert(entree);
    EXPECT_EQ(liste->item(i)->text(), Montre(entree)) << i;
    if (i > 0) {
      EXPECT_LE(ComparerNomsSansCasse(liste->Chaine(i - 1), entree), 0) << i;
    }
  }
  EXPECT_EQ(entrees, noms);
}

Noms NomsDesFamilles() {
  Noms noms;
  for (const auto& f : test::Jeu().familles)
    noms.insert(f.nom);
  return noms;
}
Noms NomsDesIngredients() {
  Noms noms;
  for (const auto& i : test::Jeu().ingredients)
    noms.insert(i.nom);
  return noms;
}
Noms NomsDesCocktails() {
  Noms noms;
  for (const auto& c : test::Jeu().cocktails)
    noms.insert(c.nom);
  return noms;
}

class ListesHostiles : public test::EditeursTest {
 protected:
  void SetUp() override { test::EcrireJeu(); }

  QString Titre() const { return Editeur()->Controle<QLabel>(PEditeurDlg::IdTitre)->text(); }
  QString Commentaire() const {
    return Editeur()->Controle<PEditionMulti>(PEditeurDlg::IdCommentaire)->toPlainText();
  }
};

TEST_F(ListesHostiles, ChaqueEntreeDesEditeursMontreSonEnregistrement) {
  ASSERT_NE(Ouvrir(102), nullptr);
  VerifierListe(Editeur()->Liste(), NomsDesFamilles());
  for (const auto& f : test::Jeu().familles) {
    test::Cliquer(Editeur()->Liste(), Editeur()->Liste()->ChercherExact(f.nom));
    EXPECT_EQ(Titre(), Montre(f.nom));
    EXPECT_EQ(Commentaire(), MontreMulti(f.commentaire));
  }

  ASSERT_NE(Ouvrir(101), nullptr);
  VerifierListe(Editeur()->Liste(), NomsDesIngredients());
  for (const auto& i : test::Jeu().ingredients) {
    test::Cliquer(Editeur()->Liste(), Editeur()->Liste()->ChercherExact(i.nom));
    EXPECT_EQ(Titre(), Montre(i.nom));
    EXPECT_EQ(Commentaire(), MontreMulti(i.commentaire));
    EXPECT_EQ(Editeur()->Controle<QCheckBox>(TIngredientDlg::IdAlcoolise)->isChecked(), i.alcool);
  }

  ASSERT_NE(Ouvrir(103), nullptr);
  auto* cocktails = dynamic_cast<TCocktailDlg*>(Editeur());
  ASSERT_NE(cocktails, nullptr);
  VerifierListe(Editeur()->Liste(), NomsDesCocktails());
  // The combo boxes list the names too, and show the stored name of each row as it is.
  Noms familles, ingredients;
  for (int i = 0; i < cocktails->Famille()->NbElements(); ++i)
    familles.insert(cocktails->Famille()->Chaine(i));
  for (int i = 0; i < cocktails->Ingredient(9)->NbElements(); ++i)
    ingredients.insert(cocktails->Ingredient(9)->Chaine(i));
  EXPECT_EQ(familles, NomsDesFamilles());
  EXPECT_EQ(ingredients, NomsDesIngredients());
  for (const auto& c : test::Jeu().cocktails) {
    SCOPED_TRACE(c.nom);
    test::Cliquer(Editeur()->Liste(), Editeur()->Liste()->ChercherExact(c.nom));
    EXPECT_EQ(Titre(), Montre(c.nom));
    for (int l = 0; l < NbLignesComposition; ++l) {
      const auto k = static_cast<std::size_t>(l);
      EXPECT_EQ(cocktails->Quantite(l)->text(), Montre(c.quantites[k])) << l;
      EXPECT_EQ(cocktails->Ingredient(l)->TexteCp1252(), c.ingredients[k]) << l;
      EXPECT_EQ(cocktails->Ingredient(l)->currentText(), Montre(c.ingredients[k])) << l;
    }
    EXPECT_EQ(cocktails->Famille()->TexteCp1252(), c.famille);
    EXPECT_EQ(cocktails->Famille()->currentText(), Montre(c.famille));
    EXPECT_EQ(Commentaire(), MontreMulti(c.remarques));
    EXPECT_FALSE(Editeur()->Modifie());
  }
  EXPECT_EQ(repondeur_.bips, 0);
  EXPECT_TRUE(repondeur_.boites.empty());
}

TEST_F(ListesHostiles, SupprimerUneEntreeSupprimeSonEnregistrementEtRienDAutre) {
  // The ingredient with the bytes 0x90 to 0x9F goes; the cocktails' rows that named it are
  // emptied, their quantities kept.
  ASSERT_NE(Ouvrir(101), nullptr);
  PListe* liste = Editeur()->Liste();
  test::Cliquer(liste, liste->ChercherExact(test::Ingredient90));
  repondeur_.reponses = {ReponseOui};
  ASSERT_TRUE(Envoyer(105));
  Noms restants = NomsDesIngredients();
  restants.erase(test::Ingredient90);
  VerifierListe(liste, restants);
  const std::vector<std::string> stockes = test::NomsIngredients();
  EXPECT_EQ(Noms(stockes.begin(), stockes.end()), restants);
  for (const auto& c : test::Jeu().cocktails) {
    const EnrCocktail lu = test::LireCocktail(c.nom).value_or(EnrCocktail{});
    for (std::size_t l = 0; l < NbLignesComposition; ++l) {
      EXPECT_EQ(Texte(lu.Quantite[l]), c.quantites[l]);
      EXPECT_EQ(Texte(lu.Ingredient[l]),
                c.ingredients[l] == test::Ingredient90 ? "" : c.ingredients[l]);
    }
  }

  // The family "<B>&"%s";%d 100% FAMILLE" goes; its cocktail loses its family, no other does.
  ASSERT_NE(Ouvrir(102), nullptr);
  liste = Editeur()->Liste();
  test::Cliquer(liste, liste->ChercherExact(test::FamilleFormat));
  repondeur_.reponses = {ReponseOui};
  ASSERT_TRUE(Envoyer(105));
  Noms familles = NomsDesFamilles();
  familles.erase(test::FamilleFormat);
  VerifierListe(liste, familles);
  const std::vector<std::string> familleStockees = test::NomsFamilles();
  EXPECT_EQ(Noms(familleStockees.begin(), familleStockees.end()), familles);
  for (const auto& c : test::Jeu().cocktails) {
    const EnrCocktail lu = test::LireCocktail(c.nom).value_or(EnrCocktail{});
    EXPECT_EQ(Texte(lu.Famille), c.famille == test::FamilleFormat ? "" : c.famille);
  }

  // And a cocktail.
  ASSERT_NE(Ouvrir(103), nullptr);
  liste = Editeur()->Liste();
  test::Cliquer(liste, liste->ChercherExact(test::Cocktail80));
  repondeur_.reponses = {ReponseOui};
  ASSERT_TRUE(Envoyer(105));
  Noms cocktails = NomsDesCocktails();
  cocktails.erase(test::Cocktail80);
  VerifierListe(liste, cocktails);
  const std::vector<std::string> cocktailStockes = test::NomsCocktails();
  EXPECT_EQ(Noms(cocktailStockes.begin(), cocktailStockes.end()), cocktails);
  EXPECT_EQ(repondeur_.bips, 0);
}

class RechercheHostile : public test::TestDansDossier {
 protected:
  void SetUp() override { test::EcrireJeu(); }

  std::unique_ptr<NewRech> Ouvrir(int page) {
    auto d = std::make_unique<NewRech>(nullptr);
    d->show();
    d->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
    QTabBar* barre = d->Controle<POnglets>(101)->Barre();
    QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(page - 1).center());
    EXPECT_EQ(d->OngletCourant(), page);
    return d;
  }
  // Moves the entries of those names to the chosen list, as the user does.
  static void Choisir(NewRech& d, int disponibles, int bouton,
                      const std::vector<std::string>& noms) {
    PListe* liste = d.Controle<PListe>(disponibles);
    for (const std::string& nom : noms) {
      test::Cliquer(liste, liste->ChercherExact(nom));
      QTest::mouseClick(d.Controle<QPushButton>(bouton), Qt::LeftButton);
    }
  }

  test::RepondeurScripte repondeur_;
};

TEST_F(RechercheHostile, LesNomsChoisisServentLaRechercheEtReviennentDesFichiersDeSelection) {
  const std::vector<std::string> familles = {test::FamilleFormat, test::Famille90};
  {
    auto d = Ouvrir(2);
    VerifierListe(d->Controle<PListe>(203), NomsDesFamilles());
    Choisir(*d, 203, 201, familles);
    VerifierListe(d->Controle<PListe>(210), Noms(familles.begin(), familles.end()));
    Noms restantes = NomsDesFamilles();
    for (const auto& f : familles)
      restantes.erase(f);
    VerifierListe(d->Controle<PListe>(203), restantes);
    QTest::mouseClick(d->Controle<QPushButton>(1), Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());  // something matched
  }
  // The result holds the cocktails of those families; the file the chosen names, byte for byte.
  FicCocktail resultat(BaseResultat);
  ASSERT_TRUE(resultat.Ouvrir());
  EXPECT_TRUE(resultat.Chercher(test::CocktailFormat));
  EXPECT_TRUE(resultat.Chercher(test::Cocktail90));
  EXPECT_FALSE(resultat.Chercher(test::Cocktail80));
  resultat.Fermer();
  const std::vector<std::string> lues = LireSelection(CheminSelectionFamilles);
  EXPECT_EQ(Noms(lues.begin(), lues.end()), Noms(familles.begin(), familles.end()));
  EXPECT_EQ(test::LireOctets("SELECFAM.DAT").size(), 2 * 31u);

  // The ingredients: the entry chosen comes back in the next search dialog.
  repondeur_.reponses = {ReponseOui};  // empty the result first
  {
    auto d = Ouvrir(3);
    VerifierListe(d->Controle<PListe>(303), NomsDesIngredients());
    Choisir(*d, 303, 301, {test::Ingredient80, test::IngredientSansCommentaire});
    QTest::mouseClick(d->Controle<QRadioButton>(314), Qt::LeftButton);  // at least one
    QTest::mouseClick(d->Controle<QPushButton>(1), Qt::LeftButton);
    EXPECT_FALSE(d->isVisible());
  }
  {
    auto d = Ouvrir(3);
    VerifierListe(d->Controle<PListe>(311), {test::Ingredient80, test::IngredientSansCommentaire});
    VerifierListe(d->Controle<PListe>(303), {test::IngredientFormat, test::Ingredient90});
    // Every page's choice is remembered, the families' too.
    QTabBar* barre = d->Controle<POnglets>(101)->Barre();
    QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(1).center());
    VerifierListe(d->Controle<PListe>(210), Noms(familles.begin(), familles.end()));
  }
  // The two cocktails that hold one of the two ingredients, and only they.
  ASSERT_TRUE(resultat.Ouvrir());
  EXPECT_EQ(resultat.NbEnreg, 2);
  EXPECT_TRUE(resultat.Chercher(test::CocktailFormat));
  EXPECT_TRUE(resultat.Chercher(test::Cocktail80));
  EXPECT_EQ(repondeur_.bips, 0);
}

}  // namespace
}  // namespace velquor
