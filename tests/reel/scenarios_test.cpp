// SPDX-License-Identifier: GPL-3.0-or-later
// The windows under real input, as a user drives them: the keys of the views, the list's
// selection under Ctrl+click, the wheel over a combo box, the Yes/No question that has no
// escape, and Qt's own context menu in French (mnemonics followed by Enter: clavier_test.cpp).

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QToolTip>

#include "editors/cocktail_dlg.h"
#include "editors/editeur_dlg.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/service_messages.h"
#include "reel/programme_reel.h"
#include "search/cb_assist.h"
#include "search/resu_dlg.h"
#include "search/trace_crochets.h"
#include "store/champ_texte.h"

namespace velquor::test {
namespace {

// The keys of the views as a user types them: the results view takes the arrows in its list as
// soon as it opens; in the remarks Delete is silent and Ctrl+Insert copies; a mnemonic of the
// view's dialog goes before the menu's; the clipboard keys of the accelerator table act on an
// edit field as the legacy edit control's commands (Ctrl+Delete clears only the selection).
TEST_F(ProgrammeReel, LesTouchesDesVuesVontOuLUtilisateurLesAttend) {
  CreerIngredients({{"CITRON"}, {"GIN", true}});
  CreerFamilles({{"SOURS"}});
  const std::vector<Cocktail> cocktails{{.nom = "GIN SOUR",
                                         .famille = "SOURS",
                                         .ingredients = {"GIN", "CITRON"},
                                         .quantites = {"4 cl", "2 cl"},
                                         .remarques = "Secouer.\r\nServir."},
                                        {.nom = "TOM COLLINS", .ingredients = {"GIN"}}};
  CreerCocktails(cocktails);
  CreerCocktails(cocktails, BaseResultat);
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* resultats = dynamic_cast<TResuDlg*>(OuvrirVue(p, 110));
    if (!resultats) return;
    p.Touches("Down");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return resultats->Controle<QLabel>(502)->text(); }),
              QStringLiteral("TOM COLLINS"))
        << "la flèche dans la liste à l'ouverture";

    p.Touches("Up");
    auto* remarques = p.Sur([&] { return resultats->Controle<PEditionMulti>(503); });
    p.Sur([] { QApplication::clipboard()->clear(); });
    p.Cliquer(remarques);
    if (!p.AttendreFocus(remarques, "les remarques")) return;
    p.Touches("Delete ctrl+Home ctrl+shift+End ctrl+Insert");
    p.Synchroniser();
    EXPECT_EQ(service_.bips, 0) << "Supprimer dans les remarques";
    EXPECT_EQ(p.Sur([] { return QApplication::clipboard()->text(); }),
              QStringLiteral("Secouer.\nServir."));

    auto* editeur = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!editeur) return;
    auto* famille = p.Sur([&] { return editeur->Famille(); });
    p.Touches("alt+f");
    p.Synchroniser();
    EXPECT_TRUE(p.Sur([&] { return famille->hasFocus() && !QApplication::activePopupWidget(); }))
        << "Alt+F, le « &Famille » du dialogue, avant le « &Fichiers » du menu";

    auto* quantite = p.Sur([&] { return editeur->Quantite(0); });
    p.Cliquer(quantite);
    if (!p.AttendreFocus(quantite, "la quantité")) return;
    p.Touches("Home ctrl+Delete");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return quantite->TexteCp1252(); }), "4 cl") << "sans sélection";
    p.Touches("shift+End ctrl+Delete");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return quantite->TexteCp1252(); }), "") << "toute la sélection";
    p.Sur([] { QApplication::clipboard()->setText(QStringLiteral("6 cl")); });
    p.Touches("shift+Insert shift+Insert");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return quantite->TexteCp1252(); }), "6 cl6 cl") << "Maj+Inser colle";
    p.Touches("alt+BackSpace");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return quantite->TexteCp1252(); }), "6 cl") << "Alt+Retour annule";
  });
}

// A list's selected entry is the editor's current record: no click or key of the user leaves the
// list without one.
TEST_F(ProgrammeReel, CtrlClicEtCtrlEspaceLaissentLEntreeSelectionneeEtLaSaisieSEcrit) {
  CreerFamilles({{"RHUMS"}, {"SOURS"}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* editeur = dynamic_cast<PEditeurDlg*>(OuvrirVue(p, 102));
    if (!editeur) return;
    auto* liste = p.Sur([&] { return editeur->Controle<PListe>(501); });
    auto* commentaire = p.Sur([&] { return editeur->Controle<PEditionMulti>(503); });
    const QPoint premiere = p.Sur([&] {
      return liste->viewport()->mapTo(liste, liste->visualItemRect(liste->item(0)).center());
    });

    p.Cliquer(liste, premiere, 1, "ctrl");
    p.Cliquer(liste, p.Sur([&] { return QPoint(liste->width() / 2, liste->height() - 10); }));
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return liste->IndexSelection(); }), 0)
        << "après Ctrl+clic sur l'entrée et un clic sous la dernière";

    // The comment typed afterwards goes to the selected family when the field is left.
    p.Cliquer(commentaire);
    if (!p.AttendreFocus(commentaire, "le champ des commentaires")) return;
    p.Taper("DOUX");
    p.Touches("Tab");
    p.Attendre([&] { return QApplication::focusWidget() != commentaire; }, "le champ quitté");
    p.Cliquer(liste, premiere);
    if (!p.AttendreFocus(liste, "la liste")) return;
    p.Touches("ctrl+space");
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return liste->IndexSelection(); }), 0) << "après Ctrl+Espace";
    EXPECT_EQ(p.Sur([&] { return editeur->Controle<QLabel>(502)->text(); }),
              QStringLiteral("RHUMS"));
  });
  EXPECT_EQ(service_.bips, 0);
  FicFamille familles;
  ASSERT_TRUE(familles.Ouvrir());
  ASSERT_TRUE(familles.Chercher("RHUMS"));
  EXPECT_EQ(Texte(familles.Enreg.Commentaire), "DOUX");
}

// The mouse wheel changes only the control that has the focus: turned over a closed combo box
// that the user has not focused, it changes nothing, and nothing wrong is written afterwards.
TEST_F(ProgrammeReel, LaMoletteSurUnComboSansLeFocusNeChangeRien) {
  CreerIngredients({{"CITRON"}, {"COGNAC", true}, {"GIN", true}});
  CreerCocktails({{.nom = "SIDECAR", .ingredients = {"COGNAC", "CITRON"}}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* editeur = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!editeur) return;
    CbAssist* ligne0 = p.Sur([&] { return editeur->Ingredient(0); });
    PEditionMulti* remarques = p.Sur([&] { return editeur->Controle<PEditionMulti>(503); });
    PListe* liste = p.Sur([&] { return editeur->Liste(); });

    p.Molette(ligne0, 1);
    p.Molette(ligne0, -2);
    // The next field the user leaves writes the cocktail from what the window shows.
    p.Cliquer(remarques);
    if (!p.AttendreFocus(remarques, "les remarques")) return;
    p.Cliquer(liste);
    if (!p.AttendreFocus(liste, "la liste")) return;
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return ligne0->TexteCp1252(); }), "COGNAC");
  });
  FicCocktail cocktails;
  ASSERT_TRUE(cocktails.Ouvrir());
  ASSERT_TRUE(cocktails.Chercher("SIDECAR"));
  EXPECT_EQ(Texte(cocktails.Enreg.Ingredient[0]), "COGNAC");
}

// A name the list cuts shows whole in the tooltip where the mouse rests; a name shown whole has
// none.
TEST_F(ProgrammeReel, UnNomCoupeSeMontreEntierDansSaBulle) {
  const std::string nom = "ABSINTHE DU DERNIER INSPECTEUR";
  CreerCocktails({{.nom = nom}, {.nom = "GIN"}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* editeur = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!editeur) return;
    PListe* liste = p.Sur([&] { return editeur->Liste(); });
    // The tooltip once Qt has shown it (or taken the former one away) for the entry under the
    // mouse.
    const auto bulle = [&](int entree, const QString& attendue) {
      p.Survoler(liste, p.Sur([&] { return liste->visualItemRect(liste->item(entree)).center(); }));
      const QString entier = p.Sur([&] { return liste->item(entree)->text(); });
      p.Attendre(
          [&] {
            return QToolTip::isVisible() == !attendue.isEmpty() || QToolTip::text() == entier;
          },
          "la bulle de l'entrée " + std::to_string(entree));
      return p.Sur([] { return QToolTip::isVisible() ? QToolTip::text() : QString(); });
    };
    const QString entier = QString::fromStdString(nom);
    EXPECT_EQ(bulle(0, entier), entier);
    EXPECT_EQ(bulle(1, QString()), QString());
  });
}

// A question with Yes and No has no escape: Escape and the window manager's close leave it
// open, and only the user's answer closes it.
TEST_F(ProgrammeReel, UneQuestionOuiNonResteOuverteSousEchapEtLaFermeture) {
  CreerIngredients({{"CITRON"}});
  CreerCocktails({{.nom = "SOUR", .ingredients = {"CITRON"}}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* editeur = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!editeur) return;
    // Each new ingredient typed in a row and left is asked about (3009); the user tries a key
    // or the window manager's close on it, then answers Oui.
    const struct {
      int ligne;
      const char* nom;
      const char* essai;
    } essais[] = {{1, "VODKA", "Escape"}, {2, "CURACAO", "alt+F4"}};
    for (const auto& e : essais) {
      CbAssist* combo = p.Sur([&] { return editeur->Ingredient(e.ligne); });
      p.Cliquer(combo);
      if (!p.AttendreFocus(combo, std::string("la ligne ") + std::to_string(e.ligne))) return;
      p.Taper(e.nom);
      p.Touches("Tab");
      auto* question = p.AttendreModal<PBoiteMessage>(std::string("la question pour ") + e.nom);
      if (!question) return;
      EXPECT_EQ(p.Sur([&] {
        QStringList textes{question->windowTitle()};
        for (QAbstractButton* bouton : question->buttons())
          textes << bouton->text();
        return textes;
      }),
                (QStringList{"Le Velquor", "&Oui", "&Non"}));
      p.Touches(e.essai);
      p.Synchroniser();
      const bool ouverte = p.Sur([&] { return QApplication::activeModalWidget() == question; });
      EXPECT_TRUE(ouverte) << e.essai << " a fermé la question";
      if (ouverte) p.Touches("alt+o");
      p.Attendre([&] { return !QApplication::activeModalWidget(); }, "la question fermée");
    }
  });
  for (const char* nom : {"VODKA", "CURACAO"}) {
    FicIngredient ingredients;
    ASSERT_TRUE(ingredients.Ouvrir());
    ASSERT_TRUE(ingredients.Chercher(nom)) << nom;
    EXPECT_EQ(ingredients.Enreg.Alcool, 1) << nom;
  }
}

// Qt's own context menu of an edit field speaks French.
TEST_F(ProgrammeReel, LeMenuContextuelDUnChampEstEnFrancais) {
  CreerCocktails({{.nom = "GIN FIZZ", .quantites = {"4 cl"}}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* editeur = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!editeur) return;
    p.Cliquer(p.Sur([&] { return editeur->Quantite(0); }), {-1, -1}, 3);
    if (!p.Attendre([] { return QApplication::activePopupWidget() != nullptr; }, "le menu")) return;
    EXPECT_EQ(p.Sur([] {
      QStringList textes;
      for (QAction* action : QApplication::activePopupWidget()->actions()) {
        if (!action->isSeparator()) textes << action->text().section('\t', 0, 0).remove('&');
      }
      return textes;
    }),
              (QStringList{"Annuler", "Rétablir", "Couper", "Copier", "Coller", "Supprimer",
                           "Tout sélectionner"}));
    p.Touches("Escape");
    p.Attendre([] { return !QApplication::activePopupWidget(); }, "le menu fermé");
  });
}

}  // namespace
}  // namespace velquor::test
