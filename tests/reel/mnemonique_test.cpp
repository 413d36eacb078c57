// A mnemonic acts at once: the radio button of Alt+letter is checked before the Enter that
// follows it is handled, in the search dialog and in the refine dialog.

#include <QTabBar>

#include "framework/liste.h"
#include "framework/onglets.h"
#include "framework/service_messages.h"
#include "reel/programme_reel.h"
#include "search/filtre_rech.h"
#include "search/new_rech.h"
#include "search/resu_dlg.h"
#include "search/selection.h"
#include "search/trace_crochets.h"

namespace velquor::test {
namespace {

std::vector<std::string> EntreesListe(PListe* liste) {
  std::vector<std::string> entrees;
  for (int i = 0; i < liste->NbElements(); ++i)
    entrees.push_back(liste->Chaine(i));
  return entrees;
}

TEST_F(ProgrammeReel, UnMnemoniqueSuiviDEntreeAgitAvantLEntree) {
  CreerIngredients({{"CITRON"}, {"GIN", true}, {"SUCRE"}});
  CreerCocktails({{.nom = "A", .ingredients = {"GIN", "CITRON"}},
                  {.nom = "B", .ingredients = {"CITRON", "SUCRE"}},
                  {.nom = "C", .ingredients = {"GIN"}}});
  CreerCocktails({{.nom = "ANCIEN"}}, BaseResultat);
  ASSERT_TRUE(EcrireSelection(CheminSelectionIngredients, {"CITRON", "SUCRE"}));
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto menu = [&](const char* popup, const char* element) {
      p.Touches(popup);
      p.Attendre([] { return QApplication::activePopupWidget() != nullptr; }, popup);
      p.Touches(element);
    };
    menu("alt+r", "n");
    auto* recherche = p.AttendreModal<NewRech>("la recherche");
    if (!recherche) return;
    QTabBar* onglets = p.Sur([&] { return recherche->findChild<QTabBar*>(); });
    p.Cliquer(onglets, p.Sur([&] { return onglets->tabRect(2).center(); }));
    p.Attendre([&] { return recherche->OngletCourant() == 3; }, "la page des ingrédients");
    p.Sur([&] { CaptureEcran(recherche, QStringLiteral("reel_recherche_ingredients")); });

    // "Cocktails dont AU MOINS &UN ingrédient est sélectionné", then Enter at once.
    p.Touches("alt+u Return");
    if (!p.AttendreModal<PBoiteMessage>("la question 3011")) return;
    p.Touches("alt+o");
    p.Attendre([&] { return Vue<TResuDlg>() && !QApplication::activeModalWidget(); },
               "la vue des résultats");
    PListe* liste = p.Sur([&] { return Vue<TResuDlg>()->Controle<PListe>(501); });
    EXPECT_EQ(p.Sur([&] { return EntreesListe(liste); }), (std::vector<std::string>{"A", "B"}));

    // "Uniquement &non alcoolisé", then "Uniquement al&coolisé", each followed by Enter.
    const struct {
      const char* touches;
      std::vector<std::string> attendu;
    } affinages[] = {{"alt+n Return", {"B"}}, {"alt+c Return", {"A"}}};
    if (!AttendreCadre(p)) return;  // active again once the dialogs are gone
    for (const auto& a : affinages) {
      menu("alt+r", "a");
      if (!p.AttendreModal<FiltreRech>("l'affinage")) return;
      p.Touches(a.touches);
      p.Attendre([] { return !QApplication::activeModalWidget(); }, "l'affinage fini");
      p.Synchroniser();
      EXPECT_EQ(p.Sur([&] { return EntreesListe(liste); }), a.attendu) << a.touches;
    }
  });
  EXPECT_EQ(Noms(BaseResultat), (std::vector<std::string>{"A", "B"}));
}

}  // namespace
}  // namespace velquor::test
