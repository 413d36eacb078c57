// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the editor tests share: a frame whose document area opens the three editor views on
// commands 101 to 103 (as the client area does), and the name dialog answered by "typing".
// The collections are written and read back with trace_crochets.h.

#include <QString>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "editors/cocktail_dlg.h"
#include "editors/enreg_dlg.h"
#include "editors/famille_dlg.h"
#include "editors/ingredient_dlg.h"
#include "editors/vue_editeur.h"
#include "framework/application.h"
#include "framework/cadre.h"
#include "framework/edition.h"
#include "framework/zone_vues.h"
#include "search/donnees_fenetres.h"
#include "support/dossier_temporaire.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"

namespace velquor::test {

// The document area of the tests: 101, 102 and 103 open the ingredient, family and cocktail
// views, each closing the open one first, as the program's client area does.
class ZoneEssai : public PZoneVues {
 public:
  ZoneEssai() {
    Commande(101, [this] { Ouvrir(new TIngChild(this)); });
    Commande(102, [this] { Ouvrir(new TFamChild(this)); });
    Commande(103, [this] { Ouvrir(new TCockChild(this)); });
  }

 private:
  void Ouvrir(PVue* vue) {
    FermerVue();
    Heberger(vue);
  }
};

// A running application with the frame shown and active, and the scripted user.
class EditeursTest : public TestDansDossier {
 protected:
  EditeursTest() : cadre_(std::make_unique<PFenetreCadre>(QStringLiteral("Le Velquor"))) {
    cadre_->DefinirZoneVues(zone_);
    cadre_->resize(536, 450);
    app_.DefinirFenetrePrincipale(cadre_.get());
    cadre_->show();
    cadre_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(cadre_.get()));
  }
  ~EditeursTest() override { cadre_.reset(); }

  // Routes the command as the menu would (now, not posted); returns whether it ran.
  bool Envoyer(int commande) { return app_.Routeur().Envoyer(commande); }
  // Opens a view by its command (101, 102, 103) and returns its editor.
  PEditeurDlg* Ouvrir(int commande) {
    EXPECT_TRUE(Envoyer(commande));
    return Editeur();
  }
  PVueEditeur* Vue() const { return dynamic_cast<PVueEditeur*>(zone_->Vue()); }
  PEditeurDlg* Editeur() const { return Vue() ? Vue()->Editeur() : nullptr; }
  PEditionMulti* Commentaire() const {
    return Editeur()->Controle<PEditionMulti>(PEditeurDlg::IdCommentaire);
  }
  // Puts the focus on a control of the open editor (the frame is the active window).
  void Focaliser(QWidget* controle) {
    ASSERT_NE(controle, nullptr);
    controle->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    ASSERT_TRUE(controle->hasFocus());
  }

  RepondeurScripte repondeur_;
  PApplication app_{QStringLiteral("Le Velquor")};
  std::unique_ptr<PFenetreCadre> cadre_;
  ZoneEssai* zone_ = new ZoneEssai;
};

// The name dialog's answer: types the text into the new-name field and presses Enter. Every
// name dialog that runs is recorded as its caption and the old name it showed.
inline CoutureModale RepondreNom(const QString& texte, std::vector<QString>* vus = nullptr) {
  return [texte, vus](PDialogue& d) {
    ASSERT_EQ(d.IdModele(), EnregDlg::IdModele);
    auto* nouveau = d.Controle<PEdition>(EnregDlg::IdNouveauNom);
    ASSERT_NE(nouveau, nullptr);
    if (vus)
      vus->push_back(d.windowTitle() + " " + d.Controle<PEdition>(EnregDlg::IdAncienNom)->text());
    nouveau->clear();
    Taper(nouveau, texte);
    QTest::keyClick(nouveau, Qt::Key_Return);
  };
}

}  // namespace velquor::test
