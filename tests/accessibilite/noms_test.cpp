// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology reads: in every view and dialog of the program, every control that
// takes the focus has a name (the ones a user could not guess checked word for word), the
// toolbar's buttons are named by their tooltips, and a view's ok and esc buttons, out of sight,
// are not offered.

#include <QAccessible>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "framework/dialogue.h"
#include "framework/vue.h"
#include "search/new_rech.h"
#include "shell/cadre_velquor.h"
#include "shell/client_mdi.h"
#include "shell/my_gadget_btn.h"
#include "shell/velquor_app.h"
#include "shell/vues_programme.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support_ui/couture.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor::test {
namespace {

QAccessibleInterface* Interface(QWidget* w) {
  return QAccessible::queryAccessibleInterface(w);
}

// What a reader says a control is: a combo box, whose name on Linux is its value, by its label.
QString Nom(QWidget* w) {
  QAccessibleInterface* i = Interface(w);
  if (i->role() != QAccessible::ComboBox) return i->text(QAccessible::Name);
  const auto etiquettes = i->relations(QAccessible::Label);
  return etiquettes.isEmpty() ? QString() : etiquettes.front().first->text(QAccessible::Name);
}

// Names a user could not guess, word for word, by template.
std::map<int, std::vector<std::pair<int, const char*>>> kNoms = {
    {203,
     {{501, "Liste des cocktails"},
      {833, "Quantité, ligne 3"},
      {853, "Ingrédient, ligne 3"},
      {510, "Famille"},
      {503, "Remarques"}}},
    {205,
     {{102, "Saisissez ici la chaine à rechercher dans le nom des cocktails"},
      {210, "Familles sélectionnées"},
      {303, "Ingrédients disponibles"}}}};

// Every focusable control of the window has a name.
void Verifier(PDialogue& d) {
  SCOPED_TRACE(d.IdModele());
  for (QWidget* w : d.findChildren<QWidget*>()) {
    // A widget whose focus goes to another (a combo box's field, the tabs' frame) is read as
    // that one; a drop-down list is a window of its own; a view's controls out of sight are not
    // offered (below).
    if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy() || w->window() != d.window() ||
        (!w->isVisibleTo(&d) && qobject_cast<PVue*>(d.parentWidget())))
      continue;
    EXPECT_FALSE(Nom(w).isEmpty())
        << w->metaObject()->className() << " " << w->objectName().toStdString();
  }
  for (const auto& [id, nom] : kNoms[d.IdModele()])
    EXPECT_EQ(Nom(d.ControleParId(id)), QString::fromUtf8(nom));
}

class Noms : public TestDansDossier {};

TEST_F(Noms, ChaqueControleDeChaqueFenetre) {
  {
    FicCocktail resultat(BaseResultat);
    ASSERT_TRUE(resultat.Creer() && resultat.Ouvrir() && resultat.Ajouter("MOJITO"));
  }
  RepondeurScripte repondeur;
  InstallerServiceMessages(&repondeur);
  TVelquorApp app(EnregistrerVuesProgramme);
  app.CreerFenetrePrincipale();
  app.Cadre()->show();

  int dialogues = 0;
  PiloteModal pilote([&](PDialogue& d) {
    ++dialogues;
    Verifier(d);
    if (dynamic_cast<NewRech*>(&d))  // the multiple selection, checked in turn
      qobject_cast<QPushButton*>(d.ControleParId(302))->click();
    d.FermerDialogue(CmIdAnnuler);
  });
  // The views, the name dialog (104), the search dialog, the refine dialog (109), About.
  for (int commande : {102, 104, 101, 103, 108, 110, 109, 2009}) {
    SCOPED_TRACE(commande);
    app.Routeur().Envoyer(commande);
    PVue* vue = app.ClientMDI->Vue();
    auto* client = vue ? vue->findChild<PDialogue*>() : nullptr;
    if (!client) continue;
    Verifier(*client);
    for (int id : {CmIdOk, CmIdAnnuler})
      EXPECT_TRUE(Interface(client->ControleParId(id))->state().invisible) << id;
  }
  EXPECT_EQ(dialogues, 5);

  const auto boutons = app.Cadre()->findChildren<MyGadgetBtn*>();
  EXPECT_EQ(boutons.size(), 12);  // ten buttons and two dividers
  for (MyGadgetBtn* bouton : boutons) {
    if (bouton->Commande() == -1) continue;
    EXPECT_EQ(Interface(bouton)->role(), QAccessible::Button);
    EXPECT_EQ(Interface(bouton)->text(QAccessible::Name), bouton->toolTip());
    EXPECT_FALSE(bouton->toolTip().isEmpty());
  }
  InstallerServiceMessages(nullptr);
}

}  // namespace
}  // namespace velquor::test
