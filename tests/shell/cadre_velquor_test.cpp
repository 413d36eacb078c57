// SPDX-License-Identifier: GPL-3.0-or-later
// The program's frame around test views: "last search" follows the result pair on the disk,
// nothing acts while a pass runs, and the About box's counts.

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWindow>

#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "framework/dialogue.h"
#include "framework/verrou_commandes.h"
#include "framework/vue.h"
#include "shell/about_dlg.h"
#include "shell/aide.h"
#include "shell/cadre_velquor.h"
#include "shell/client_mdi.h"
#include "shell/my_gadget_btn.h"
#include "shell/velquor_app.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support_ui/couture.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor::test {
namespace {

constexpr ModeleControle kControlesVue[] = {
    {Genre::Liste, 501, "", {5, 16, 119, 204}, st::Trie},
};
constexpr ModeleDialogue kModeleVue{9301, "", {0, 0, 350, 250}, sd::Enfant, kControlesVue};

// A view whose dialog counts the editor's record commands it runs.
class TVueEssai : public PVue {
 public:
  TVueEssai(const QString& titre, QWidget* parent) : PVue(titre, parent) {
    auto* dialogue = new PDialogue(kModeleVue);
    for (int commande : {104, 105, 106, 107})
      dialogue->Commande(commande, [this, commande] { ++executees[commande]; });
    DefinirClient(dialogue);
  }
  std::map<int, int> executees;
};

// Creates a collection's pair in the current directory, holding these names.
template <class Collection>
void CreerCollection(std::string_view base, std::initializer_list<const char*> noms = {}) {
  Collection collection(base);
  ASSERT_TRUE(collection.Creer());
  ASSERT_TRUE(collection.Ouvrir());
  for (const char* nom : noms)
    ASSERT_TRUE(collection.Ajouter(nom));
}

// The application with its main frame in a fresh directory; every kind of view is a test view.
class Shell : public TestDansDossier {
 protected:
  Shell()
      : app_([](TVelquorMDIClient& client) {
          for (TypeVue type :
               {TypeVue::Familles, TypeVue::Ingredients, TypeVue::Cocktails, TypeVue::Resultat})
            client.DefinirFabrique(type, [](QWidget* p) { return new TVueEssai("Vue", p); });
          client.DefinirLanceurRecherche([](QWidget*) { return 2; });
        }) {
    app_.CreerFenetrePrincipale();
    app_.Cadre()->show();
    QApplication::setActiveWindow(app_.Cadre());
    EXPECT_TRUE(QTest::qWaitForWindowActive(app_.Cadre()));
    app_.PasseInactive();
  }
  ~Shell() override { ContexteAide = AideIndex; }
  bool Active(int commande) { return app_.Routeur().EstActive(commande); }
  bool Envoyer(int commande) { return app_.Routeur().Envoyer(commande); }

  RepondeurScripte repondeur_;
  TVelquorApp app_;
};

TEST_F(Shell, VoirLaDerniereRechercheSuitLaPaireResultatSurLeDisque) {
  EXPECT_FALSE(Active(110));
  EXPECT_FALSE(app_.BtnResultat->Actif());
  CreerCollection<FicCocktail>(BaseResultat);
  app_.PasseInactive();
  EXPECT_TRUE(Active(110));
  EXPECT_TRUE(app_.BtnResultat->Actif());
  std::filesystem::remove("RESURECH.NDX");  // a new search that found nothing
  app_.PasseInactive();
  EXPECT_FALSE(Active(110));
}

// A pass holds the commands: every command is off and refused, what the user posted meanwhile
// (a menu item, a toolbar button) is dropped rather than run once the pass is over, and the
// window manager's close does not take the frame from under the pass.
TEST_F(Shell, PendantUnePasseRienNAgitNiNAttendSaFin) {
  auto* vue = dynamic_cast<TVueEssai*>(app_.ClientMDI->OuvrirVue(TypeVue::Cocktails));
  ASSERT_NE(vue, nullptr);
  CreerCollection<FicCocktail>(BaseResultat);
  {
    VerrouCommandes verrou(VerrouCommandes::Saisie::Bloquee);
    for (int c : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 199, 2009, 901, 904}) {
      EXPECT_FALSE(Active(c)) << c;
      EXPECT_FALSE(Envoyer(c)) << c;
    }
    QCloseEvent fermeture;
    QSpontaneKeyEvent::setSpontaneous(&fermeture);
    QApplication::sendEvent(app_.Cadre()->windowHandle(), &fermeture);
    QCoreApplication::processEvents();
    app_.Routeur().Poster(104);
  }
  QCoreApplication::processEvents();
  EXPECT_TRUE(app_.Cadre()->isVisible());
  EXPECT_TRUE(vue->executees.empty());
  // Afterwards everything is as before.
  EXPECT_TRUE(Active(110));
  EXPECT_TRUE(Envoyer(104));
  EXPECT_EQ(vue->executees[104], 1);
}

TEST_F(Shell, LaBoiteAProposCompteLesFichesDefinies) {
  auto ouvrir = [this] {
    QStringList lignes;
    PiloteModal pilote([&](PDialogue& d) {
      auto& apropos = dynamic_cast<TVelquorAboutDlg&>(d);
      lignes << apropos.LigneIngredients()->text() << apropos.LigneCocktails()->text();
      d.FermerDialogue(1);
    });
    EXPECT_TRUE(Envoyer(2009));
    return lignes;
  };
  // Without files: nothing to report, the counts are nought.
  EXPECT_EQ(ouvrir(), (QStringList{"0 Ingrédients définis", "0 Cocktails définis"}));
  EXPECT_TRUE(repondeur_.boites.empty());
  CreerCollection<FicIngredient>(BaseIngredient, {"GIN"});
  FicCocktail cocktails;
  ASSERT_TRUE(cocktails.Creer());
  ASSERT_TRUE(cocktails.Ouvrir());
  for (const char* nom : {"MARTINI", "NEGRONI", "MOJITO"})
    ASSERT_TRUE(cocktails.Ajouter(nom));
  ASSERT_TRUE(cocktails.Chercher("NEGRONI"));
  ASSERT_TRUE(cocktails.Supprimer());
  // No singular form.
  EXPECT_EQ(ouvrir(), (QStringList{"1 Ingrédients définis", "2 Cocktails définis"}));
}

}  // namespace
}  // namespace velquor::test
