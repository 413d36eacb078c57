// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' explorer: the real program on the X server of the tests, driven by random
// sequences of real input (xdotool, xclip) over the views and their dialogs, with an oracle
// checked after every step:
//   - the program answers (no hang) and shows no box that says a write went wrong;
//   - an editor with nothing left to write shows what the file holds for its record, field by
//     field (decoded through the code page); a field shown non-empty is never stored empty;
//   - no record changes that the step did not touch;
//   - at the end, `velquor-outils verifier` finds the pairs sound.
// A failure prints the sequence as lines that VELQUOR_EXPLORATION_REJOUER=file plays again.
//
//   VELQUOR_EXPLORATION_GRAINE=n     first seed (26); sequence k uses seed n + k
//   VELQUOR_EXPLORATION_SEQUENCES=n  sequences (4), each on fresh files and a fresh program
//   VELQUOR_EXPLORATION_PAS=n        steps per sequence (60)
//   VELQUOR_EXPLORATION_REJOUER=f    plays the steps of f instead (one sequence)

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include <fstream>
#include <iostream>
#include <map>
#include <random>

#include "editors/cocktail_dlg.h"
#include "editors/famille_dlg.h"
#include "editors/ingredient_dlg.h"
#include "exploration/etapes.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/texte_qt.h"
#include "reel/programme_reel.h"
#include "search/cb_assist.h"
#include "search/resu_dlg.h"
#include "search/trace_crochets.h"
#include "shell/my_gadget_btn.h"
#include "store/champ_texte.h"
#include "support/execution.h"

namespace velquor::test {
namespace {

using exploration::Etape;
using exploration::Genre;

int Parametre(const char* nom, int defaut) {
  bool ok = false;
  const int valeur = qEnvironmentVariableIntValue(nom, &ok);
  return ok ? valeur : defaut;
}

std::vector<Etape> EtapesARejouer() {
  std::vector<Etape> etapes;
  std::ifstream fichier(qEnvironmentVariable("VELQUOR_EXPLORATION_REJOUER").toStdString());
  for (std::string ligne; std::getline(fichier, ligne);) {
    if (auto etape = exploration::Lire(ligne)) etapes.push_back(*etape);
  }
  return etapes;
}

bool Rejeu() {
  return !qEnvironmentVariableIsEmpty("VELQUOR_EXPLORATION_REJOUER");
}

// Every record of a collection by its name, as the file holds it.
using Fiches = std::map<std::string, std::string>;
template <class Fic>
Fiches LireFiches() {
  Fiches fiches;
  Fic f;
  for (bool encore = f.Ouvrir() && f.Premier(); encore; encore = f.Suivant()) {
    fiches[std::string(Texte(f.Enreg.Nom))] =
        std::string(reinterpret_cast<const char*>(&f.Enreg), sizeof f.Enreg);
  }
  return fiches;
}

struct Base {
  Fiches familles, ingredients, cocktails;
};

// What is in front of the user.
enum class Devant { Rien, Menu, Boite, Dialogue };

struct Etat {
  int vue = 0;  // the command that opens the open view (101, 102, 103, 110), 0 for none
  std::string selection;
  bool modifie = false;
  bool titreMontre = false;  // the title shows the selected record (it was found)
  Devant devant = Devant::Rien;
  QString boite;               // the text of the message box in front
  std::vector<int> controles;  // the controls a click can reach in the window in front
  int entrees = 0;             // the entries of list 501 the user can see
  bool saisie = false;         // the focus is in a field that takes text
};

// Texts typed and pasted: mostly the code page's characters, now and then one it cannot hold.
const QString kLettres = QStringLiteral("abcdefghijklmnopqrstuvwxyzAEIRTU0123456789 -'.,");
const QString kCodePage = QStringLiteral("éèàçôœÉÈ€’…Ÿ\u00A0");
const QString kAilleurs = QString::fromUtf8("Ωł≠中★");  // in Unicode's basic plane
const QString kAuDela = QString::fromUtf8("\xF0\x9F\x8D\xB9\xF0\x9F\x8D\xB8");  // beyond it

class Exploration : public ProgrammeReel, public ::testing::WithParamInterface<int> {
 protected:
  void CreerJeu() {
    CreerFamilles({{"LONG DRINK", "Grand verre."}, {"SOURS", "Acide et sucré."}});
    CreerIngredients({{"CITRON", false, "Jus frais."},
                      {"GIN", true, "Genièvre."},
                      {"MENTHE", false},
                      {"RHUM", true, "Cubain.\r\nBlanc."},
                      {"SUCRE", false},
                      {"ÉCLAT DE GLACE", false}});
    CreerCocktails({{.nom = "GIN FIZZ",
                     .famille = "LONG DRINK",
                     .ingredients = {"GIN", "CITRON", "SUCRE"},
                     .quantites = {"4 cl", "2 cl", "1 cuill\xE8re"},
                     .remarques = "Secouer.\r\nAllonger d'eau gazeuse."},
                    {.nom = "MOJITO",
                     .famille = "LONG DRINK",
                     .ingredients = {"RHUM", "MENTHE", "SUCRE", "CITRON"},
                     .quantites = {"4 cl", "6 feuilles", "2", "1/2"},
                     .remarques = "Piler la menthe avec le sucre et le citron, ajouter le "
                                  "rhum, la glace pil\xE9"
                                  "e et l'eau gazeuse."},
                    {.nom = "WHITE LADY", .famille = "SOURS", .ingredients = {"GIN", "CITRON"}}});
  }

  Etat LireEtat() {
    Etat e;
    PDialogue* dialogue = nullptr;
    if (auto* d = Vue<TCocktailDlg>()) e.vue = 103, dialogue = d;
    if (auto* d = Vue<TIngredientDlg>()) e.vue = 101, dialogue = d;
    if (auto* d = Vue<TFamilleDlg>()) e.vue = 102, dialogue = d;
    if (auto* d = Vue<TResuDlg>()) e.vue = 110, dialogue = d;
    if (auto* editeur = dynamic_cast<PEditeurDlg*>(dialogue)) {
      e.selection = editeur->NomSelectionne();
      e.modifie = editeur->Modifie();
      auto* titre = editeur->Controle<QLabel>(PEditeurDlg::IdTitre);
      e.titreMontre =
          titre && !e.selection.empty() && titre->text() == Cp1252VersQString(e.selection);
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (QApplication::activePopupWidget()) {
      e.devant = Devant::Menu;
    } else if (auto* boite = qobject_cast<PBoiteMessage*>(modal)) {
      e.devant = Devant::Boite;
      e.boite = boite->windowTitle() + " : " + boite->text();
    } else if (auto* d = qobject_cast<PDialogue*>(modal)) {
      e.devant = Devant::Dialogue;
      dialogue = d;
    }
    if (dialogue) {
      for (QWidget* w : dialogue->findChildren<QWidget*>()) {
        bool nombre = false;
        const int id = w->objectName().toInt(&nombre);
        // A view's "ok" and "esc" lie below what the frame shows: no click reaches them.
        if (!nombre || (e.devant == Devant::Rien && (id == 1 || id == 2))) continue;
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus))
          e.controles.push_back(id);
      }
    }
    QWidget* focus = QApplication::focusWidget();
    e.saisie = qobject_cast<QLineEdit*>(focus) || qobject_cast<QPlainTextEdit*>(focus);
    if (PListe* liste = dialogue ? dialogue->Controle<PListe>(501) : nullptr) {
      for (int i = 0; i < liste->NbElements(); ++i) {
        if (liste->viewport()->rect().contains(liste->visualItemRect(liste->item(i))))
          e.entrees = i + 1;
      }
    }
    return e;
  }

  template <class T>
  const T& Choisir(const std::vector<T>& choix) {
    return choix[std::uniform_int_distribution<std::size_t>(0, choix.size() - 1)(alea_)];
  }
  bool Piece(double probabilite) { return std::bernoulli_distribution(probabilite)(alea_); }

  std::string TexteAuHasard(bool nom) {
    QString texte;
    const int longueur = std::uniform_int_distribution<int>(1, nom ? 10 : 8)(alea_);
    for (int i = 0; i < longueur; ++i) {
      const QString& source = Piece(0.2) ? kCodePage : kLettres;
      texte += source.at(std::uniform_int_distribution<qsizetype>(0, source.size() - 1)(alea_));
    }
    if (Piece(0.3)) {
      // A character beyond the basic plane is two units of Qt's text: drawn whole.
      const QList<uint> codes = (Piece(0.5) ? kAuDela : kAilleurs).toUcs4();
      const auto c = static_cast<char32_t>(
          codes[std::uniform_int_distribution<qsizetype>(0, codes.size() - 1)(alea_)]);
      texte.insert(std::uniform_int_distribution<qsizetype>(0, texte.size())(alea_),
                   QString::fromUcs4(&c, 1));
    }
    return (nom ? texte.toUpper() : texte).toStdString();
  }

  Etape Tirer(const Etat& e) {
    switch (e.devant) {
      case Devant::Menu:
        return {Genre::Touches, 0, 0, Piece(0.7) ? "Escape" : "Down Return"};
      case Devant::Boite:
        return {Genre::Touches, 0, 0, Choisir<std::string>({"alt+o", "alt+n", "Return", "Escape"})};
      case Devant::Dialogue: {
        const int de = std::uniform_int_distribution<int>(0, 9)(alea_);
        if (de < 4) return {Genre::Taper, 0, 0, TexteAuHasard(true)};
        if (de < 6 && !e.controles.empty()) return {Genre::Clic, Choisir(e.controles)};
        return {Genre::Touches, 0, 0,
                Choisir<std::string>({"Return", "Escape", "Tab", "BackSpace", "ctrl+a", "alt+F4"})};
      }
      case Devant::Rien:
        break;
    }
    if (e.vue == 0) return {Genre::Vue, Choisir<int>({101, 102, 103, 110})};
    // A user types mostly where the focus takes text.
    if (e.saisie && Piece(0.3)) return {Genre::Taper, 0, 0, TexteAuHasard(false)};
    const int de = std::uniform_int_distribution<int>(0, 99)(alea_);
    if (de < 24 && !e.controles.empty()) return {Genre::Clic, Choisir(e.controles)};
    if (de < 44) return {Genre::Taper, 0, 0, TexteAuHasard(false)};
    if (de < 62) {
      return {Genre::Touches, 0, 0,
              Choisir<std::string>({"Tab",          "shift+Tab",    "Return",      "Escape",
                                    "Up",           "Down",         "End",         "ctrl+End",
                                    "shift+Home",   "BackSpace",    "Delete",      "ctrl+z",
                                    "ctrl+a",       "ctrl+x",       "ctrl+c",      "ctrl+v",
                                    "shift+Insert", "shift+Delete", "ctrl+Delete", "alt+BackSpace",
                                    "ctrl+Return",  "Page_Down",    "space",       "alt+l",
                                    "alt+f",        "alt+c",        "alt+a"})};
    }
    if (de < 70 && e.entrees > 0)
      return {Genre::Entree, std::uniform_int_distribution<int>(0, e.entrees - 1)(alea_)};
    if (de < 76) return {Genre::Coller, Piece(0.5) ? 1 : 0, 0, TexteAuHasard(false)};
    if (de < 80 && !e.controles.empty())
      return {Genre::Milieu, Choisir(e.controles), 0, TexteAuHasard(false)};
    if (de < 86 && !e.controles.empty())
      return {Genre::Molette, Choisir(e.controles), Choisir<int>({-3, -1, 1, 2})};
    if (de < 96) return {Genre::Vue, Choisir<int>({104, 105, 106, 107})};
    return {Genre::Vue, Choisir<int>({101, 102, 103, 108, 110})};
  }

  QWidget* ControleDevant(int id) {
    auto* dialogue = qobject_cast<PDialogue*>(QApplication::activeModalWidget());
    if (!dialogue && Client() && Client()->Vue()) dialogue = Client()->Vue()->Client();
    return dialogue ? dialogue->ControleParId(id) : nullptr;
  }

  void Jouer(Pilote& p, const Etape& etape) {
    QWidget* controle = p.Sur([&] { return ControleDevant(etape.id); });
    switch (etape.genre) {
      case Genre::Vue: {
        MyGadgetBtn* bouton = p.Sur([&]() -> MyGadgetBtn* {
          for (auto* b : Cadre()->findChildren<MyGadgetBtn*>())
            if (b->Commande() == etape.id) return b;
          return nullptr;
        });
        if (bouton) p.Cliquer(bouton);
        break;
      }
      case Genre::Clic:
        if (controle) p.Cliquer(controle);
        break;
      case Genre::Entree: {
        PListe* liste = p.Sur([&] { return qobject_cast<PListe*>(ControleDevant(501)); });
        if (liste) {
          p.Cliquer(liste, p.Sur([&] {
            return liste->viewport()->mapTo(liste,
                                            liste->visualItemRect(liste->item(etape.id)).center());
          }));
        }
        break;
      }
      case Genre::Taper:
        p.Taper(etape.texte);
        break;
      case Genre::Touches:
        p.Touches(etape.texte);
        break;
      case Genre::Coller:
        if (p.Proposer(etape.texte)) p.Touches(etape.id == 1 ? "shift+Insert" : "ctrl+v");
        break;
      case Genre::Milieu:
        if (controle && p.Proposer(etape.texte, true)) p.Cliquer(controle, {-1, -1}, 2);
        break;
      case Genre::Molette:
        if (controle) p.Molette(controle, etape.n);
        break;
    }
  }

  // The record as the window shows it against the file, field by field.
  void ComparerVue(const Etat& e, const Base& base, const std::string& pas) {
    const Fiches& fiches = e.vue == 103   ? base.cocktails
                           : e.vue == 101 ? base.ingredients
                                          : base.familles;
    const auto fiche = fiches.find(e.selection);
    if (fiche == fiches.end()) {
      ADD_FAILURE() << pas << "la liste montre « " << e.selection << " », que le fichier n'a pas";
      return;
    }
    const char* octets = fiche->second.data();
    const auto comparer = [&](const QString& champ, const QString& vu, std::size_t offset,
                              std::size_t taille, bool multi) {
      QString stocke =
          Cp1252VersQString(std::string_view(octets + offset, ::strnlen(octets + offset, taille)));
      if (multi) stocke.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      if (vu == stocke) return;
      ADD_FAILURE() << pas << e.selection << ", " << champ.toStdString() << " : la vue montre « "
                    << vu.toStdString() << " », le fichier tient « " << stocke.toStdString() << " »"
                    << (stocke.isEmpty() ? " (montré non vide, stocké vide)" : "");
    };
    if (e.vue == 103) {
      auto* d = Vue<TCocktailDlg>();
      for (int i = 0; i < NbLignesComposition; ++i) {
        const auto ligne = static_cast<std::size_t>(i);
        comparer(QStringLiteral("quantité %1").arg(i + 1), d->Quantite(i)->text(),
                 offsetof(EnrCocktail, Quantite) + ligne * TailleQuantite, TailleQuantite, false);
        comparer(QStringLiteral("ingrédient %1").arg(i + 1), d->Ingredient(i)->TexteEdition(),
                 offsetof(EnrCocktail, Ingredient) + ligne * TailleNom, TailleNom, false);
      }
      comparer(QStringLiteral("famille"), d->Famille()->TexteEdition(),
               offsetof(EnrCocktail, Famille), TailleNom, false);
      comparer(QStringLiteral("remarques"), d->Controle<PEditionMulti>(503)->Texte(),
               offsetof(EnrCocktail, Remarques), TailleCommentaire, true);
      return;
    }
    auto* d = Vue<PEditeurDlg>();
    const std::size_t commentaire =
        e.vue == 101 ? offsetof(EnrIngredient, Commentaire) : offsetof(EnrFamille, Commentaire);
    comparer(QStringLiteral("commentaires"), d->Controle<PEditionMulti>(503)->Texte(), commentaire,
             TailleCommentaire, true);
    if (e.vue == 101) {
      const bool coche = d->Controle<QCheckBox>(TIngredientDlg::IdAlcoolise)->isChecked();
      if (coche != (octets[offsetof(EnrIngredient, Alcool)] == 1))
        ADD_FAILURE() << pas << e.selection << " : la case et le fichier diffèrent";
    }
  }

  // Every record that changed must be one the step touched.
  void ComparerBases(const Etat& avant, const Base& b1, const Base& b2, const std::string& pas,
                     bool commande) {
    const auto verifier = [&](const char* nom, int vue, const Fiches& f1, const Fiches& f2) {
      std::map<std::string, std::pair<const std::string*, const std::string*>> fiches;
      for (const auto& [cle, octets] : f1)
        fiches[cle].first = &octets;
      for (const auto& [cle, octets] : f2)
        fiches[cle].second = &octets;
      for (const auto& [cle, paire] : fiches) {
        const auto [o1, o2] = paire;
        if (o1 && o2 && *o1 == *o2) continue;
        const bool ajoutee = !o1, modifiee = o1 && o2;
        bool permise = avant.vue == vue && (commande || (modifiee && cle == avant.selection));
        // The cocktail editor creates the ingredients and families its cocktail names.
        if (avant.vue == 103 && vue != 103 && ajoutee) permise = true;
        // A rename or a deletion in the family or ingredient editor rewrites cocktails, but
        // never their name or remarks.
        if (vue == 103 && modifiee && commande && (avant.vue == 101 || avant.vue == 102)) {
          permise = o1->compare(0, TailleNom, *o2, 0, TailleNom) == 0 &&
                    o1->compare(offsetof(EnrCocktail, Remarques), TailleCommentaire, *o2,
                                offsetof(EnrCocktail, Remarques), TailleCommentaire) == 0;
        }
        if (!permise)
          ADD_FAILURE() << pas << "la fiche « " << cle << " » des " << nom
                        << (ajoutee    ? " est apparue"
                            : modifiee ? " a changé"
                                       : " a disparu")
                        << " sans que le pas la touche";
      }
    };
    verifier("familles", 102, b1.familles, b2.familles);
    verifier("ingrédients", 101, b1.ingredients, b2.ingredients);
    verifier("cocktails", 103, b1.cocktails, b2.cocktails);
  }

  void Verifier(Pilote& p, const Etape& etape, const Etat& avant, const Base& b1,
                const std::string& pas) {
    // The program answers: the key sent after the step comes through.
    if (!p.Synchroniser()) return;
    const Etat apres = p.Sur([&] { return LireEtat(); });
    if (apres.devant == Devant::Boite &&
        (apres.boite.contains(QStringLiteral("n'a pas été enregistrée")) ||
         apres.boite.contains(QStringLiteral("un autre programme")) ||
         apres.boite.startsWith(QStringLiteral("Vantor"))))
      ADD_FAILURE() << pas << "boîte inattendue : " << apres.boite.toStdString();
    const Base b2 = p.Sur([] {
      return Base{LireFiches<FicFamille>(), LireFiches<FicIngredient>(), LireFiches<FicCocktail>()};
    });
    const bool commande = avant.devant != Devant::Rien ||
                          (etape.genre == Genre::Vue && etape.id >= 104 && etape.id <= 107);
    ComparerBases(avant, b1, b2, pas, commande);
    const bool editeur = apres.vue == 101 || apres.vue == 102 || apres.vue == 103;
    if (apres.devant == Devant::Rien && editeur && !apres.modifie && apres.titreMontre)
      p.Sur([&] { ComparerVue(apres, b2, pas); });
  }

  std::mt19937 alea_;
};

TEST_P(Exploration, SequenceAuHasard) {
  const int graine = Parametre("VELQUOR_EXPLORATION_GRAINE", 26) + GetParam();
  alea_.seed(static_cast<std::mt19937::result_type>(graine));
  const std::vector<Etape> rejeu = Rejeu() ? EtapesARejouer() : std::vector<Etape>{};
  const int nbPas =
      Rejeu() ? static_cast<int>(rejeu.size()) : Parametre("VELQUOR_EXPLORATION_PAS", 60);
  CreerJeu();
  Demarrer();
  std::vector<Etape> joues;
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    for (int i = 0; i < nbPas && !HasFailure(); ++i) {
      const Etat avant = p.Sur([&] { return LireEtat(); });
      const Base b1 = p.Sur([] {
        return Base{LireFiches<FicFamille>(), LireFiches<FicIngredient>(),
                    LireFiches<FicCocktail>()};
      });
      const Etape etape = Rejeu() ? rejeu[static_cast<std::size_t>(i)] : Tirer(avant);
      joues.push_back(etape);
      const std::string pas =
          "pas " + std::to_string(i + 1) + " (" + exploration::Ecrire(etape) + ") : ";
      std::cerr << pas << '\n';
      Jouer(p, etape);
      Verifier(p, etape, avant, b1, pas);
    }
  });
  if (!HasFailure()) {
    const Execution verification = Executer(VELQUOR_OUTILS, {"verifier"});
    EXPECT_EQ(verification.code, 0) << verification.sortie << verification.erreurs;
  }
  if (HasFailure()) {
    std::string sequence;
    for (const Etape& etape : joues)
      sequence += exploration::Ecrire(etape) + '\n';
    std::cerr << "Graine " << graine << ". La séquence, à rejouer avec "
              << "VELQUOR_EXPLORATION_REJOUER=fichier :\n"
              << sequence;
  }
}

INSTANTIATE_TEST_SUITE_P(Graines, Exploration,
                         ::testing::Range(0, Rejeu()
                                                 ? 1
                                                 : Parametre("VELQUOR_EXPLORATION_SEQUENCES", 4)));

}  // namespace
}  // namespace velquor::test
