#pragma once
// What the shell's tests share: a view made in the tests (a child dialog with a list, a detail
// field and the "ok" and "esc" buttons), and a fixture that builds the application with its main
// frame in a fresh directory, with factories of such views for the four kinds and a search
// launcher whose answer the test chooses.

#include <QPointer>
#include <QString>

#include <functional>
#include <initializer_list>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "framework/vue.h"
#include "shell/aide.h"
#include "shell/cadre_velquor.h"
#include "shell/client_mdi.h"
#include "shell/velquor_app.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor::test {

class TVueEssai : public PVue {
  Q_OBJECT

 public:
  // The view's dialog handles the commands given (an editor's 104 to 107, the result's 109).
  TVueEssai(const QString& titre, std::set<int> commandes, QWidget* parent = nullptr);
  ~TVueEssai() override;

  bool PeutFermer() override;

  // Each command the dialog ran, with how many times.
  std::map<int, int> executees;
  bool accepteFermeture = true;
  // The close queries asked of every TVueEssai.
  static int questions;
  // Counts the destructions of every TVueEssai, and the order of the titles destroyed.
  static std::vector<QString> detruites;
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

class ApplicationShell : public TestDansDossier {
 protected:
  ApplicationShell();
  ~ApplicationShell() override;

  TCadreVelquor* Cadre() const { return app_.Cadre(); }
  TVelquorMDIClient* Client() const { return app_.ClientMDI; }
  // Shows the frame and makes it the active window.
  void Montrer();
  bool Active(int commande) { return app_.Routeur().EstActive(commande); }
  // Runs the command now (as a menu item or a button would once the event is over).
  bool Envoyer(int commande) { return app_.Routeur().Envoyer(commande); }
  TVueEssai* VueOuverte() const;

  RepondeurScripte repondeur_;
  TVelquorApp app_;
  // What the search launcher answers, what it runs meanwhile, and how many times it ran.
  int reponseRecherche_ = 2;
  std::function<void(QWidget*)> pendantRecherche_;
  int recherches_ = 0;
};

}  // namespace velquor::test
