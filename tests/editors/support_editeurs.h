#pragma once
// What the editor tests share: collections written and read back through the store, a frame
// whose document area opens the three editor views on commands 101 to 103 (as the client area
// does), the name dialog answered by "typing", and a watch on the progress window of the passes.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editors/editeur_dlg.h"
#include "editors/vue_editeur.h"
#include "framework/application.h"
#include "framework/cadre.h"
#include "framework/combo.h"
#include "framework/liste.h"
#include "framework/zone_vues.h"
#include "search/donnees_fenetres.h"
#include "search/trace_crochets.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor::test {

std::optional<EnrFamille> LireFamille(std::string_view nom);
std::optional<EnrIngredient> LireIngredient(std::string_view nom);
std::optional<EnrCocktail> LireCocktail(std::string_view nom);
// The names of a collection in name order; empty when it does not open.
std::vector<std::string> NomsFamilles();
std::vector<std::string> NomsIngredients();
std::vector<std::string> NomsCocktails();

// The entries of a list or a combo box, in order.
template <class Liste>
std::vector<std::string> Entrees(const Liste* liste) {
  std::vector<std::string> entrees;
  for (int i = 0; liste && i < liste->NbElements(); ++i)
    entrees.push_back(liste->Chaine(i));
  return entrees;
}

// The document area of the tests: 101, 102 and 103 open the ingredient, family and cocktail
// views, each closing the open one first, as the program's client area does.
class ZoneEssai : public PZoneVues {
 public:
  ZoneEssai();
};

// A running application with the frame shown and active, and the scripted user.
class EditeursTest : public TestDansDossier {
 protected:
  EditeursTest();
  ~EditeursTest() override;

  // Routes the command as the menu would (now, not posted); returns whether it ran.
  bool Envoyer(int commande);
  bool EstActive(int commande);
  // Opens a view by its command (101, 102, 103) and returns its editor.
  PEditeurDlg* Ouvrir(int commande);
  PVueEditeur* Vue() const;
  PEditeurDlg* Editeur() const;
  // Puts the focus on a control of the open editor (the frame is the active window).
  void Focaliser(QWidget* controle);

  RepondeurScripte repondeur_;
  PApplication app_{QStringLiteral("Le Velquor")};
  std::unique_ptr<PFenetreCadre> cadre_;
  ZoneEssai* zone_ = nullptr;
};

// The name dialog's answer: types the text into the new-name field and presses Enter. Every
// name dialog that runs is recorded (its caption, and the old name it showed).
struct DialogueNom {
  QString legende;
  QString ancien;
  bool ancienVisible = false;
};
CoutureModale RepondreNom(const QString& texte, std::vector<DialogueNom>* vus = nullptr);

// Watches the progress window while a pass runs: at every dispatch of the waiting events (the
// events posted in the program, dispatched by every call of TraiterMessagesEnAttente) it notes
// what the window and the editor look like, and runs `pendant` once, the first time.
class ObservateurPasse {
 public:
  explicit ObservateurPasse(QWidget* editeur, std::function<void()> pendant = {});

  int observations = 0;
  QString legende;
  bool arretVisible = true;
  bool editeurActif = true;

 private:
  void Programmer();
  void Observer();

  QPointer<QWidget> editeur_;
  std::function<void()> pendant_;
  QObject relais_;  // its queued calls go with it
};

}  // namespace velquor::test
