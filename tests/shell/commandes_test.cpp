// The command table of the main frame: which commands are enabled in each state, the menu bar,
// the frame's size and place, and the commands that no menu offers.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <filesystem>

#include <gtest/gtest.h>

#include "framework/barre_controle.h"
#include "framework/verrou_commandes.h"
#include "shell/my_gadget_btn.h"
#include "store/collections.h"
#include "support_shell.h"

namespace velquor::test {
namespace {

using Commandes = std::map<int, bool>;

const std::vector<int> kToutes = {101, 102, 103,  104,   105, 106, 107, 108, 109,
                                  110, 199, 2009, 24310, 901, 902, 903, 904};

class CommandesShell : public ApplicationShell {
 protected:
  Commandes Etat() {
    Commandes etat;
    for (int c : kToutes)
      etat[c] = Active(c);
    return etat;
  }
  static Commandes Attendu(bool editeur, bool resultat, bool paireResultat) {
    Commandes etat;
    for (int c : kToutes)
      etat[c] = true;
    for (int c : {104, 105, 106, 107})
      etat[c] = editeur;
    etat[109] = resultat;
    etat[110] = paireResultat;
    return etat;
  }
};

TEST_F(CommandesShell, ActivationDeChaqueCommandeSelonLaVueOuverte) {
  Montrer();
  EXPECT_EQ(Etat(), Attendu(false, false, false)) << "aucune vue";
  for (TypeVue editeur : {TypeVue::Familles, TypeVue::Ingredients, TypeVue::Cocktails}) {
    ASSERT_NE(Client()->OuvrirVue(editeur), nullptr);
    EXPECT_EQ(Etat(), Attendu(true, false, false)) << "éditeur " << CommandeVue(editeur);
  }
  // The result view opens whether or not the pair exists: its command is what follows the disk.
  ASSERT_NE(Client()->OuvrirVue(TypeVue::Resultat), nullptr);
  EXPECT_EQ(Etat(), Attendu(false, true, false)) << "vue du résultat";
  Client()->FermeVues();
  EXPECT_EQ(Etat(), Attendu(false, false, false)) << "vues fermées";
}

TEST_F(CommandesShell, VoirLaDerniereRechercheSuitLaPaireResultatSurLeDisque) {
  Montrer();
  MyGadgetBtn* bouton = app_.BtnResultat;
  ASSERT_NE(bouton, nullptr);
  EXPECT_FALSE(Active(110));
  EXPECT_FALSE(bouton->Actif());
  EXPECT_FALSE(std::filesystem::exists("RESURECH.DAT"));  // testing does not create it
  CreerCollection<FicCocktail>(BaseResultat);
  app_.PasseInactive();
  EXPECT_TRUE(Active(110));
  EXPECT_TRUE(bouton->Actif());
  EXPECT_TRUE(Envoyer(110));
  EXPECT_EQ(Client()->Vue()->windowTitle(), QStringLiteral("Résultat de la recherche"));

  // The pair removed (a new search that found nothing): off again at the next pass.
  Client()->FermeVues();
  std::filesystem::remove("RESURECH.NDX");
  app_.PasseInactive();
  EXPECT_FALSE(Active(110));
  EXPECT_FALSE(bouton->Actif());
}

TEST_F(CommandesShell, LaBarreDeMenusNOffrePasLesExportations) {
  QStringList titres;
  for (const QAction* a : Cadre()->menuBar()->actions())
    titres << a->text();
  EXPECT_EQ(titres, (QStringList{"&Fichiers", "&Enregistrement", "&Recherche", "&?"}));
  // No item anywhere reaches the export commands.
  for (const QAction* popup : Cadre()->menuBar()->actions()) {
    ASSERT_NE(popup->menu(), nullptr);
    for (const QAction* a : popup->menu()->actions()) {
      EXPECT_FALSE(a->data().toInt() >= 901 && a->data().toInt() <= 904) << a->text().toStdString();
    }
  }
}

TEST_F(CommandesShell, LaBarreDOutilsDansSonOrdreAvecSesBullesEtSesDiviseurs) {
  PBarreControle* barre = Cadre()->BarreControle();
  ASSERT_NE(barre, nullptr);
  EXPECT_EQ(barre->windowTitle(), QStringLiteral("Outils"));
  std::vector<int> commandes;
  QStringList bulles;
  for (QAction* a : barre->actions()) {
    auto* b = qobject_cast<MyGadgetBtn*>(barre->widgetForAction(a));
    ASSERT_NE(b, nullptr);
    commandes.push_back(b->Commande());
    bulles << b->toolTip();
  }
  EXPECT_EQ(commandes,
            (std::vector<int>{103, 101, 102, 110, -1, 104, 106, 107, 105, -1, 108, 109}));
  EXPECT_EQ(bulles,
            (QStringList{"Gestion des Cocktails", "Gestion des Ingrédients", "Gestion des Familles",
                         "Voir la dernière recherche effectuée", "", "Nouvelle fiche",
                         "Renommer la fiche", "Dupliquer la fiche", "Supprimer la fiche", "",
                         "Nouvelle recherche", "Affiner la recherche"}));
}

TEST(CadreVelquor, PositionDeDepartSurUnEcranDe640Sur480) {
  EXPECT_EQ(PositionInitialeCadre({0, 0, 640, 480}), (RectEcran{52, 15, 588, 465}));
  // A screen smaller than the frame: kept on it from the right and the bottom.
  EXPECT_EQ(PositionInitialeCadre({0, 0, 500, 400}), (RectEcran{-36, -50, 500, 400}));
}

TEST_F(CommandesShell, LeCadreAUneTailleFixeSansBoiteDAgrandissement) {
  TCadreVelquor* cadre = Cadre();
  EXPECT_EQ(cadre->windowTitle(), QStringLiteral("Le Velquor"));
  EXPECT_EQ(cadre->minimumSize(), cadre->maximumSize());
  EXPECT_FALSE(cadre->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(cadre->windowFlags() & Qt::WindowMinimizeButtonHint);
  // Before the window system gives its decorations, the size counts a classic caption and border.
  EXPECT_EQ(cadre->size(), QSize(530, 425));
  const RectEcran attendu = PositionInitialeCadre(RectBureau());
  EXPECT_EQ(cadre->pos(), QPoint(attendu.gauche, attendu.haut));
  EXPECT_FALSE(cadre->windowIcon().isNull());
}

TEST_F(CommandesShell, LesExportationsTourneAvecLeCurseurDAttente) {
  std::filesystem::create_directory("Web");
  std::filesystem::create_directory("Tux");
  std::filesystem::create_directory("web");
  CreerCollection<FicIngredient>(BaseIngredient, {"GIN"});
  CreerCollection<FicCocktail>(BaseCocktail, {"MARTINI"});
  for (int c : {901, 902, 903, 904}) {
    repondeur_.curseurs.clear();
    EXPECT_TRUE(Envoyer(c)) << c;
    EXPECT_EQ(repondeur_.curseurs, (std::vector<Curseur>{Curseur::Attente, Curseur::Fleche})) << c;
  }
  EXPECT_GT(std::filesystem::file_size("Web/INGRED.WEB"), 0u);
  EXPECT_TRUE(std::filesystem::exists("Web/FAMILLE.WEB"));
  EXPECT_GT(std::filesystem::file_size("Tux/COCKTAIL.SQL"), 0u);
  EXPECT_TRUE(std::filesystem::exists("web/recet001.html"));
  EXPECT_TRUE(repondeur_.boites.empty());
}

TEST_F(CommandesShell, PendantUnePasseAucuneCommandeNAgitEtToutesSontDesactivees) {
  Montrer();
  Client()->OuvrirVue(TypeVue::Cocktails);
  CreerCollection<FicCocktail>(BaseResultat);
  QPointer<TVueEssai> vue = VueOuverte();
  const QList<MyGadgetBtn*> boutons = Cadre()->BarreControle()->findChildren<MyGadgetBtn*>();
  ASSERT_FALSE(boutons.empty());
  const int recherches = recherches_;
  {
    VerrouCommandes verrou(VerrouCommandes::Saisie::Bloquee);
    app_.PasseInactive();
    for (MyGadgetBtn* bouton : boutons)
      EXPECT_FALSE(bouton->isEnabled());
    for (int c : kToutes) {
      EXPECT_FALSE(Active(c)) << c;
      EXPECT_FALSE(Envoyer(c)) << c;
    }
    // Posted meanwhile (a menu item, a toolbar button): dropped, not run once the pass is over.
    app_.Routeur().Poster(101);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(vue, VueOuverte());  // still the cocktail view: nothing opened or closed it
  EXPECT_TRUE(vue->executees.empty());
  EXPECT_EQ(recherches_, recherches);
  EXPECT_TRUE(Cadre()->isVisible());
  EXPECT_FALSE(std::filesystem::exists("Web"));
  // Afterwards everything is as before.
  app_.PasseInactive();
  EXPECT_TRUE(Active(101));
  EXPECT_TRUE(Active(110));
  EXPECT_TRUE(Envoyer(104));
  EXPECT_EQ(vue->executees[104], 1);
}

}  // namespace
}  // namespace velquor::test
