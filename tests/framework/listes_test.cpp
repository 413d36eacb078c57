#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/combo.h"
#include "framework/liste.h"
#include "framework/onglets.h"
#include "store/collation.h"

namespace velquor {
namespace {

std::vector<std::string> Entrees(const PListe& liste) {
  std::vector<std::string> entrees;
  for (int i = 0; i < liste.NbElements(); ++i)
    entrees.push_back(liste.Chaine(i));
  return entrees;
}

// Stored bytes: "ÉCLAT" is C9 43 4C 41 54.
const std::string kEclat =
    "\xC9"
    "CLAT";

TEST(Liste, ListeNonTrieeGardeLOrdreDAjout) {
  PListe liste;
  liste.AjouterChaine("ZOMBIE");
  liste.AjouterChaine("ABSINTHE");
  liste.InsererChaine(1, "MOJITO");
  EXPECT_EQ(Entrees(liste), (std::vector<std::string>{"ZOMBIE", "MOJITO", "ABSINTHE"}));
  EXPECT_TRUE(liste.SupprimerChaine(0));
  EXPECT_FALSE(liste.SupprimerChaine(5));
  EXPECT_EQ(liste.Chaine(7), "");
}

TEST(Liste, RecherchesParPrefixeSansCasseEtEnBoucle) {
  PListe liste;
  liste.DefinirTrie(true);
  for (std::string_view nom : {"GIN", "GIN FIZZ", "GRENADINE", kEclat.c_str(), "ECLAT"})
    liste.AjouterChaine(nom);
  const int gin = liste.ChercherExact("GIN");
  const int fizz = liste.ChercherExact("GIN FIZZ");
  ASSERT_GE(gin, 0);
  EXPECT_EQ(liste.ChercherPrefixe("gi"), gin);
  EXPECT_EQ(liste.ChercherPrefixe("gi", gin), fizz);
  EXPECT_EQ(liste.ChercherPrefixe("gi", fizz), gin);  // round to the top
  // Case by the code page rule: é matches É, not E.
  EXPECT_EQ(liste.ChercherPrefixe("\xE9"
                                  "c"),
            liste.ChercherExact(kEclat));
  EXPECT_EQ(liste.ChercherPrefixe("VODKA"), -1);
  EXPECT_EQ(liste.ChercherExact("gin"), -1);  // exact is case-sensitive

  const int grenadine = liste.ChercherExact("GRENADINE");
  EXPECT_EQ(liste.SelectionnerPrefixe("gre"), grenadine);
  EXPECT_EQ(liste.SelectionnerPrefixe("VODKA"), -1);
  EXPECT_EQ(liste.IndexSelection(), grenadine);  // unchanged
}

TEST(Liste, SeulesLesActionsDeLUtilisateurNotifient) {
  PListe liste;
  for (const char* nom : {"UN", "DEUX", "TROIS"})
    liste.AjouterChaine(nom);
  liste.resize(200, 200);
  liste.show();
  QSignalSpy selection(&liste, &PListe::selectionChangee);
  QSignalSpy double_clic(&liste, &PListe::doubleClic);
  liste.SelectionnerIndex(0);
  liste.SupprimerChaine(0);
  liste.Vider();
  EXPECT_EQ(selection.count(), 0);
  for (const char* nom : {"UN", "DEUX", "TROIS"})
    liste.AjouterChaine(nom);
  liste.SelectionnerIndex(0);
  liste.setFocus();
  QTest::keyClick(&liste, Qt::Key_Down);
  EXPECT_EQ(liste.IndexSelection(), 1);
  EXPECT_EQ(selection.count(), 1);
  const QRect rect = liste.visualItemRect(liste.item(2));
  QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, rect.center());
  EXPECT_EQ(liste.IndexSelection(), 2);
  EXPECT_EQ(selection.count(), 2);
  QTest::mouseDClick(liste.viewport(), Qt::LeftButton, {}, rect.center());
  EXPECT_EQ(double_clic.count(), 1);
  liste.SelectionnerIndex(-1);
  EXPECT_EQ(liste.IndexSelection(), -1);
}

TEST(Combo, LeTexteDonneEstLaPremiereEntreeQuiCommenceParLuiSinonLuiMeme) {
  PCombo combo;
  combo.DefinirTrie(true);
  combo.DefinirSaisie({true, 30});
  for (const char* nom : {"ZOMBIE", "GINGER ALE", "ECLAT"})
    combo.AjouterChaine(nom);
  // Filling the list leaves the edit field as it was.
  EXPECT_EQ(combo.TexteCp1252(), "");
  EXPECT_EQ(combo.IndexSelection(), -1);
  EXPECT_EQ(combo.Chaine(combo.NbElements() - 1), "ZOMBIE");

  combo.DonnerTexte("gin");
  EXPECT_EQ(combo.TexteCp1252(), "GINGER ALE");
  EXPECT_EQ(combo.IndexSelection(), combo.ChercherExact("GINGER ALE"));
  EXPECT_EQ(combo.ChercherExact("ginger ale"), -1);  // exact is case-sensitive
  combo.DonnerTexte("VODKA");
  EXPECT_EQ(combo.TexteCp1252(), "VODKA");
  EXPECT_EQ(combo.IndexSelection(), -1);
  combo.DonnerTexte("");
  EXPECT_EQ(combo.TexteCp1252(), "");

  combo.DefinirTexteCp1252("GIN");
  combo.SelectionnerTexteEdition(1);
  EXPECT_EQ(combo.lineEdit()->selectedText(), QStringLiteral("IN"));
}

TEST(Combo, ListeDeroulanteSansSaisie) {
  PCombo combo;
  combo.AjouterChaine("<Toutes>");
  combo.AjouterChaine("CLASSIQUES");
  combo.AjouterChaine("SOURS");
  combo.SelectionnerIndex(0);
  EXPECT_EQ(combo.TexteCp1252(), "<Toutes>");
  // Searching after entry 0: found after it, or round to 0 itself.
  EXPECT_EQ(combo.ChercherPrefixe("sou", 0), 2);
  EXPECT_EQ(combo.ChercherPrefixe("<T", 0), 0);
  QSignalSpy selection(&combo, &PCombo::selectionChangee);
  combo.SelectionnerIndex(1);
  EXPECT_EQ(selection.count(), 0);
  combo.show();
  combo.setFocus();
  QTest::keyClick(&combo, Qt::Key_Down);
  EXPECT_EQ(combo.IndexSelection(), 2);
  EXPECT_EQ(selection.count(), 1);
}

TEST(Onglets, LeChangementNotifieLUtilisateurSeulement) {
  POnglets onglets;
  onglets.resize(300, 200);
  onglets.AjouterOnglet(QStringLiteral("Recherche par nom"));
  onglets.AjouterOnglet(QStringLiteral("Recherche par famille"));
  onglets.show();
  QSignalSpy change(&onglets, &POnglets::ongletChange);
  onglets.Selectionner(1);
  EXPECT_EQ(change.count(), 0);
  QTest::mouseClick(onglets.Barre(), Qt::LeftButton, {}, onglets.Barre()->tabRect(0).center());
  EXPECT_EQ(onglets.Selection(), 0);
  ASSERT_EQ(change.count(), 1);
  EXPECT_EQ(change.front().front().toInt(), 0);
}

}  // namespace
}  // namespace velquor
