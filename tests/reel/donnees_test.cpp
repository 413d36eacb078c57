// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing a user types or stores is lost in the windows, under real input: a character the code
// page cannot hold, typed or pasted from another program, is refused with the beep and the field
// keeps the rest; two programs on one folder do not undo each other's changes.

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QLabel>

#include "editors/cocktail_dlg.h"
#include "editors/enreg_dlg.h"
#include "editors/ingredient_dlg.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/service_messages.h"
#include "reel/programme_reel.h"
#include "search/trace_crochets.h"
#include "store/champ_texte.h"

extern char** environ;

namespace velquor::test {
namespace {

const std::string kRemarque =
    "Piler la menthe avec le sucre et le citron vert, ajouter le rhum, la glace pil\xE9"
    "e et compl\xE9ter d'eau gazeuse. Servir avec une paille et un brin de menthe.";

QPoint Entree(PListe* liste, int index) {
  return liste->viewport()->mapTo(liste, liste->visualItemRect(liste->item(index)).center());
}

TEST_F(ProgrammeReel, UnCaractereHorsDuCodePageEstRefuseEtLeResteGarde) {
  CreerIngredients({{"CITRON", false, "Jaune."}, {"RHUM", true}});
  CreerCocktails(
      {{.nom = "MOJITO", .ingredients = {"RHUM"}, .quantites = {"4 cl"}, .remarques = kRemarque},
       {.nom = "SIDECAR"}});
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* cocktails = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!cocktails) return;
    auto* remarques = p.Sur([&] { return cocktails->Controle<PEditionMulti>(503); });
    PListe* liste = p.Sur([&] { return cocktails->Liste(); });
    // Typed at the end of the remarks, then another cocktail clicked; then typed and Enter.
    p.Cliquer(remarques);
    if (!p.AttendreFocus(remarques, "les remarques")) return;
    p.Touches("ctrl+End");
    p.Taper(" \xF0\x9F\x8D\xB9");
    p.Synchroniser();
    EXPECT_EQ(service_.bips, 1) << "l'émoji tapé";
    for (const auto& [entree, nom] : {std::pair{1, "SIDECAR"}, {0, "MOJITO"}}) {
      p.Cliquer(liste, p.Sur([&] { return Entree(liste, entree); }));
      if (!p.Attendre([&] { return cocktails->NomSelectionne() == nom; }, nom)) return;
    }
    p.Cliquer(remarques);
    if (!p.AttendreFocus(remarques, "les remarques")) return;
    p.Touches("ctrl+End");
    p.Taper(" Servir frais \xF0\x9F\x8D\xB8 fin");
    p.Touches("Return");
    if (!p.AttendreFocus(liste, "la liste après Entrée")) return;
    EXPECT_EQ(p.Sur([&] { return remarques->TexteCp1252(); }), kRemarque + "  Servir frais  fin");

    // Pasted from another program: into a quantity with Ctrl+V, into the remarks by a middle
    // click; refused whole.
    PEdition* quantite = p.Sur([&] { return cocktails->Quantite(0); });
    if (!p.Proposer("5 cl \xF0\x9F\x8D\x8B")) return;
    p.Cliquer(quantite);
    if (!p.AttendreFocus(quantite, "la quantité")) return;
    p.Touches("End ctrl+v");
    p.Synchroniser();
    EXPECT_EQ(service_.bips, 3) << "Ctrl+V";
    if (!p.Proposer("\xE2\x98\x85", true)) return;
    p.Cliquer(remarques, {-1, -1}, 2);
    p.Synchroniser();
    EXPECT_EQ(service_.bips, 4) << "le clic du milieu";
    p.Cliquer(liste, p.Sur([&] { return Entree(liste, 0); }));
    p.Synchroniser();
    EXPECT_EQ(p.Sur([&] { return quantite->TexteCp1252(); }), "4 cl");

    // The ingredient's comment, left by a click in the list.
    auto* ingredients = dynamic_cast<TIngredientDlg*>(OuvrirVue(p, 101));
    if (!ingredients) return;
    auto* commentaire = p.Sur([&] { return ingredients->Controle<PEditionMulti>(503); });
    p.Cliquer(commentaire);
    if (!p.AttendreFocus(commentaire, "le commentaire")) return;
    p.Touches("ctrl+End");
    p.Taper(" \xF0\x9F\x8D\x8B zeste");
    PListe* liste2 = p.Sur([&] { return ingredients->Liste(); });
    p.Cliquer(liste2, p.Sur([&] { return Entree(liste2, 1); }));
    p.Synchroniser();
  });
  EXPECT_EQ(service_.bips, 5);
  EXPECT_EQ(Texte(Lire<FicCocktail>("MOJITO")->Remarques), kRemarque + "  Servir frais  fin");
  EXPECT_EQ(Texte(Lire<FicCocktail>("MOJITO")->Quantite[0]), "4 cl");
  EXPECT_EQ(Texte(Lire<FicIngredient>("CITRON")->Commentaire), "Jaune.  zeste");
}

// The other program: the window program itself in its own process, in the same folder, opened on
// the cocktail view, driven by its keyboard.
class AutreProgramme {
 public:
  AutreProgramme() {
    std::vector<std::string> env{"VELQUOR_COMMANDE=103"};
    for (char** e = environ; *e; ++e)
      env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
      envp.push_back(e.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(VELQUOR_PROGRAMME), nullptr};
    if (posix_spawn(&pid_, VELQUOR_PROGRAMME, nullptr, nullptr, argv, envp.data()) != 0) pid_ = -1;
  }
  ~AutreProgramme() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
};

TEST_F(ProgrammeReel, DeuxProgrammesSurUnDossierNeDefontPasLeTravailDeLAutre) {
  CreerIngredients({{"CAMPARI", true}, {"GIN", true}, {"VERMOUTH", true}});
  CreerCocktails({{.nom = "AMERICANO", .ingredients = {"CAMPARI"}, .quantites = {"3 cl"}},
                  {.nom = "NEGRONI",
                   .ingredients = {"GIN", "CAMPARI", "VERMOUTH"},
                   .quantites = {"3 cl", "3 cl", "3 cl"}}});
  Demarrer();
  AutreProgramme autre;
  ASSERT_GT(autre.Pid(), 0);
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    auto* ici = dynamic_cast<TCocktailDlg*>(OuvrirVue(p, 103));
    if (!ici) return;
    PListe* liste = p.Sur([&] { return ici->Liste(); });
    const unsigned long fenetreIci = p.Sur([&] { return Cadre()->winId(); });
    // Its frame, once its cocktail view is open (the view's title joins the frame's); it opens
    // over this one, which is brought back on top before a click.
    const unsigned long fenetreAutre = p.FenetreDe(autre.Pid(), "Gestion des cocktails");
    if (!fenetreAutre) return;
    p.Activer(fenetreIci);
    if (!AttendreCadre(p)) return;
    p.Cliquer(liste, p.Sur([&] { return Entree(liste, 1); }));  // NEGRONI shown here
    if (!p.Attendre([&] { return ici->NomSelectionne() == "NEGRONI"; }, "NEGRONI montré ici"))
      return;
    // Read on the windows' thread, as the waits' conditions are.
    const auto stocke = [](int ligne) {
      const auto enr = Lire<FicCocktail>("NEGRONI");
      return enr ? std::string(Texte(enr->Quantite[ligne])) : std::string("(absent)");
    };
    // There: NEGRONI, row 1 to 11 ml, written by Tab.
    p.Activer(fenetreAutre);
    p.Touches("Down Tab");
    p.Taper("11 ml");
    p.Touches("Tab");
    if (!p.Attendre([&] { return stocke(0) == "11 ml"; }, "11 ml écrit par l'autre")) return;

    // Here: row 2 changed and left. Row 1 stays as the other wrote it, and shows so.
    p.Activer(fenetreIci);
    if (!AttendreCadre(p)) return;
    auto saisir = [&](int ligne, const std::string& texte) {
      PEdition* quantite = p.Sur([&] { return ici->Quantite(ligne); });
      p.Cliquer(quantite);
      p.AttendreFocus(quantite, "la quantité");
      p.Touches("ctrl+a");
      p.Taper(texte);
      p.Attendre([&] { return quantite->TexteCp1252() == texte; }, "la quantité tapée");
      p.Touches("Tab");
    };
    saisir(1, "2 cl");
    if (!p.Attendre([&] { return stocke(1) == "2 cl"; }, "2 cl écrit ici")) return;
    EXPECT_EQ(p.Sur([&] { return stocke(0); }), "11 ml");
    EXPECT_EQ(p.Sur([&] { return ici->Quantite(0)->TexteCp1252(); }), "11 ml");

    // Both change row 1: this one asks, and keeps its own on Oui.
    p.Activer(fenetreAutre);
    p.Touches("shift+Tab");
    p.Taper("22 ml");
    p.Touches("Tab");
    if (!p.Attendre([&] { return stocke(0) == "22 ml"; }, "22 ml écrit par l'autre")) return;
    p.Activer(fenetreIci);
    if (!AttendreCadre(p)) return;
    saisir(0, "33 ml");
    if (!p.AttendreModal<PBoiteMessage>("la question du conflit")) return;
    p.Touches("alt+o");
    if (!p.Attendre([&] { return stocke(0) == "33 ml"; }, "33 ml gardé")) return;
    EXPECT_EQ(p.Sur([&] { return stocke(1); }), "2 cl");

    // There: NEGRONI deleted. Here: renaming it creates nothing, and the list lets it go.
    // Each key once its window is up: the menu (one window more), then the question, the one
    // window titled as the program alone.
    p.Activer(fenetreAutre);
    const std::size_t fenetres = Pilote::FenetresDe(autre.Pid()).size();
    p.Touches("alt+e");
    p.Attendre([&] { return Pilote::FenetresDe(autre.Pid()).size() > fenetres; }, "son menu");
    p.Touches("s");
    if (!p.FenetreDe(autre.Pid(), "^Le Velquor$")) return;
    p.Touches("alt+o");
    if (!p.Attendre([&] { return stocke(0) == "(absent)"; }, "NEGRONI supprimé par l'autre"))
      return;
    p.Activer(fenetreIci);
    if (!AttendreCadre(p)) return;
    const int bips = service_.bips;
    p.Touches("alt+e");
    p.Attendre([] { return QApplication::activePopupWidget() != nullptr; }, "le menu");
    p.Touches("r");
    if (!p.AttendreModal<EnregDlg>("le nouveau nom")) return;
    p.Taper("BOULEVARDIER");
    p.Touches("Return");
    p.Attendre([] { return !QApplication::activeModalWidget(); }, "le nom donné");
    p.Synchroniser();
    EXPECT_GT(service_.bips, bips);
    EXPECT_EQ(p.Sur([&] { return liste->NbElements(); }), 1);
  });
  EXPECT_EQ(Noms(), std::vector<std::string>{"AMERICANO"});
}

}  // namespace
}  // namespace velquor::test
