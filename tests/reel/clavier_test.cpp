// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program by keyboard alone, as a user who never touches the mouse: F10 and the
// menus' letters, the dialogs' mnemonics (an Alt+letter that nothing answers beeps and types
// nothing), the search dialog's pages by Ctrl+Tab and Ctrl+Page Down/Up, help beside the window in
// use and closed by Escape, a long name shown whole; the files then hold what was typed.

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

#include <cstring>

#include "editors/cocktail_dlg.h"
#include "editors/enreg_dlg.h"
#include "framework/etiquette.h"
#include "reel/programme_reel.h"
#include "search/filtre_rech.h"
#include "search/new_rech.h"
#include "search/resu_dlg.h"
#include "search/trace_crochets.h"
#include "shell/about_dlg.h"
#include "shell/aide.h"
#include "shell/fenetre_aide.h"
#include "store/champ_texte.h"

namespace velquor::test {
namespace {

TEST_F(ProgrammeReel, ToutLeProgrammeAuClavierSeul) {
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    p.Synchroniser();
    QMenuBar* barre = p.Sur([&] { return static_cast<QMainWindow*>(Cadre())->menuBar(); });
    // The menu the bar lights, with the keyboard in the bar and no menu open (on the windows'
    // thread).
    const auto menuActif = [&] {
      QAction* a = barre->activeAction();
      return barre->hasFocus() && a && !QApplication::activePopupWidget() ? a->text() : QString();
    };
    const auto menu = [&](const char* ouvrir, const char* element) {
      p.Touches(ouvrir);
      p.Attendre([] { return QApplication::activePopupWidget() != nullptr; }, ouvrir);
      p.Touches(element);
    };
    // A view by "Fichiers", reached by F10 (in the cocktail view Alt+F is its "&Famille").
    const auto vue = [&](const char* lettre, const QString& titre) {
      menu("F10 Down", lettre);
      return p.Attendre(
          [&] {
            return Client()->Vue() && Client()->Vue()->windowTitle() == titre &&
                   QApplication::activeWindow() == Cadre();
          },
          titre.toStdString());
    };
    // A record by "Enregistrement": its name typed in the name dialog.
    const auto fiche = [&](const char* lettre, const std::string& nom) {
      menu("alt+e", lettre);
      if (!p.AttendreModal<EnregDlg>("le nom")) return false;
      p.Touches("ctrl+a");
      p.Taper(nom);
      p.Touches("Return");
      return AttendreCadre(p);
    };

    // F10 lights the first menu without opening it, the arrows move along the bar and open a
    // menu; Escape gives the keyboard back to where it was.
    p.Touches("F10");
    p.Attendre([&] { return menuActif() == QStringLiteral("&Fichiers"); }, "F10 sur « Fichiers »");
    p.Touches("Down f");
    if (!p.Attendre([&] { return Client()->Vue() != nullptr; }, "les familles")) return;
    QWidget* liste = p.Sur([&] { return QApplication::focusWidget(); });
    p.Touches("F10 Right");
    p.Attendre([&] { return menuActif() == QStringLiteral("&Enregistrement"); }, "la flèche");
    p.Touches("Escape");
    p.Attendre([&] { return !barre->activeAction() && liste->hasFocus(); }, "Échap");

    // A family with a comment; an alcoholic ingredient.
    if (!fiche("n", "sours")) return;
    p.Touches("Tab");
    p.Taper("Acides");
    p.Touches("Tab");
    if (!vue("i", QStringLiteral("Gestion des ingrédients")) || !fiche("n", "gin")) return;
    p.Touches("alt+a");

    // A cocktail of 30 characters with three rows, the second and third naming new ingredients,
    // a family and a remark; its title shows the whole name.
    if (!vue("c", QStringLiteral("Gestion des cocktails")) ||
        !fiche("n", "le dernier mot de l'inspecteur"))
      return;
    auto* editeur = p.Sur([&] { return Vue<TCocktailDlg>(); });
    const auto question = [&](const char* reponse) {
      if (p.AttendreModal<PBoiteMessage>("la question 3009")) p.Touches(reponse);
      AttendreCadre(p);
    };
    p.Touches("Tab");
    p.Taper("3 cl\tGIN\t2 cl\tchartreuse\t");
    question("alt+o");
    p.Taper("1 cl\tcitron\t");
    question("alt+n");
    p.Touches("alt+f");
    p.Taper("SOURS\tSecouer.\t");
    p.Synchroniser();
    EXPECT_TRUE(p.Sur([&] {
      auto* titre = editeur->Controle<PEtiquette>(502);
      const QFontMetrics mesure(titre->PoliceAffichee());
      QFont plus = titre->PoliceAffichee();  // one pixel larger, which would not fit
      plus.setPixelSize(QFontInfo(plus).pixelSize() + 1);
      return titre->text() == QStringLiteral("LE DERNIER MOT DE L'INSPECTEUR") &&
             mesure.horizontalAdvance(titre->text()) <= titre->contentsRect().width() &&
             mesure.height() <= titre->contentsRect().height() &&
             QFontMetrics(plus).horizontalAdvance(titre->text()) > titre->contentsRect().width();
    })) << "le titre coupé, ou plus petit qu'il ne faut";

    // Renamed; the ingredient CITRON deleted (its row keeps its quantity).
    if (!fiche("r", "dernier mot") || !vue("i", QStringLiteral("Gestion des ingrédients"))) return;
    p.Taper("ci");
    menu("alt+e", "s");
    if (!p.AttendreModal<PBoiteMessage>("la suppression")) return;
    p.Touches("alt+o");
    if (!AttendreCadre(p)) return;

    // One search by each page, reached by the page keys, its choices made by mnemonics that act
    // before the Enter right behind them (the first page's Alt+letters that no mnemonic has beep
    // and type nothing: "VDZMOT" would find nothing; the last page's ingredient is no cocktail's
    // only one); help opens beside the dialog, whole on the screen, and Escape closes it.
    const struct {
      const char* touches;
      int page;
      const char* choix;
    } recherches[] = {{"", 1, "alt+v alt+d alt+z m o t Return"},
                      {"ctrl+Tab", 2, "alt+a Return"},
                      {"ctrl+Page_Up ctrl+Page_Down ctrl+shift+Tab", 3, "alt+a alt+u Return"}};
    for (const auto& r : recherches) {
      menu("alt+r", "n");
      auto* dialogue = p.AttendreModal<NewRech>("la recherche");
      if (!dialogue) return;
      const int bips = service_.bips;
      if (*r.touches) p.Touches(r.touches);
      p.Attendre(
          [&] {
            const int premier[] = {0, 102, 203, 303};
            return dialogue->OngletCourant() == r.page &&
                   QApplication::focusWidget() == dialogue->ControleParId(premier[r.page]);
          },
          std::string("la page ") + std::to_string(r.page) + " et son premier contrôle");
      if (r.page == 3) {
        p.Touches("F1");
        if (!p.Attendre([] { return FenetreAide() && FenetreAide()->isActiveWindow(); }, "l'aide"))
          return;
        p.Attendre(
            [&] {
              const QRect aide = FenetreAide()->frameGeometry();
              const QRect cadre = dialogue->frameGeometry();
              const QRect titre(cadre.topLeft(),
                                QPoint(cadre.right(), dialogue->geometry().y() - 1));
              return dialogue->screen()->availableGeometry().contains(aide) &&
                     !aide.intersects(titre);
            },
            "l'aide sur l'écran, hors du titre du dialogue");
        p.Touches("Escape");
        if (!p.AttendreActive(dialogue, "la recherche après l'aide")) return;
      }
      p.Touches(r.choix);
      if (r.page > 1) {
        if (!p.AttendreModal<PBoiteMessage>("la question 3011")) return;
        p.Touches("alt+o");
      }
      if (!p.Attendre([&] { return Vue<TResuDlg>() && QApplication::activeWindow() == Cadre(); },
                      "les résultats"))
        return;
      EXPECT_EQ(service_.bips - bips, r.page == 1 ? 3 : 0) << r.page;
    }

    // Refined to the non-alcoholic by a mnemonic right before Enter: none, it says; About; quit.
    menu("alt+r", "a");
    if (!p.AttendreModal<FiltreRech>("l'affinage")) return;
    p.Touches("alt+n Return");
    if (!p.AttendreModal<PBoiteMessage>("aucun cocktail non alcoolisé")) return;
    p.Touches("Return");
    if (!AttendreCadre(p)) return;
    p.Touches("F10 Left Down");
    p.Attendre([] { return QApplication::activePopupWidget() != nullptr; }, "le menu « ? »");
    p.Touches("p");
    if (!p.AttendreModal<TVelquorAboutDlg>("À propos")) return;
    p.Touches("Return");
    if (!AttendreCadre(p)) return;
    menu("alt+f", "q");
    p.Attendre([&] { return !Cadre()->isVisible(); }, "la fin du programme");
  });
  const auto famille = Lire<FicFamille>("SOURS");
  ASSERT_TRUE(famille);
  EXPECT_EQ(Texte(famille->Commentaire), "Acides");
  ASSERT_EQ(Noms<FicIngredient>(), (std::vector<std::string>{"CHARTREUSE", "GIN"}));
  EXPECT_EQ(Lire<FicIngredient>("CHARTREUSE")->Alcool + Lire<FicIngredient>("GIN")->Alcool, 2);
  const EnrCocktail attendu = Enregistrement({.nom = "DERNIER MOT",
                                              .famille = "SOURS",
                                              .ingredients = {"GIN", "CHARTREUSE"},
                                              .quantites = {"3 cl", "2 cl", "1 cl"},
                                              .remarques = "Secouer."});
  const auto cocktail = Lire<FicCocktail>("DERNIER MOT");
  ASSERT_TRUE(cocktail);
  EXPECT_EQ(std::memcmp(&*cocktail, &attendu, sizeof attendu), 0);
  EXPECT_EQ(Noms(), std::vector<std::string>{"DERNIER MOT"});
  EXPECT_EQ(Noms(BaseResultat), std::vector<std::string>{"DERNIER MOT"});
}

}  // namespace
}  // namespace velquor::test
