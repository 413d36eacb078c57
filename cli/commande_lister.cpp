// SPDX-License-Identifier: GPL-3.0-or-later
// lister familles|ingredients|cocktails|resultats: the names in index order, one a line, UTF-8,
// on standard output (control characters as \xHH, see TexteAffichable).

#include <iostream>
#include <memory>

#include "cli/commandes.h"
#include "cli/paires.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/cp1252.h"
#include "store/lot_fichier.h"

namespace velquor::outils {

namespace {

struct Liste {
  std::string_view cible;
  std::string_view base;
  std::string_view pluriel;
};

const Liste Listes[] = {
    {"familles", BaseFamille, "familles"},
    {"ingredients", BaseIngredient, "ingrédients"},
    {"cocktails", BaseCocktail, "cocktails"},
    {"resultats", BaseResultat, "résultats"},
};

const Liste* TrouverListe(std::string_view cible) {
  for (const Liste& l : Listes) {
    if (l.cible == cible) return &l;
  }
  return nullptr;
}

std::unique_ptr<PFichier> Collection(const Liste& l) {
  if (l.base == BaseFamille) return std::make_unique<FicFamille>();
  if (l.base == BaseIngredient) return std::make_unique<FicIngredient>();
  return std::make_unique<FicCocktail>(l.base);
}

std::string VerifierOperandes(const Operandes& operandes) {
  if (operandes.size() == 1 && TrouverListe(operandes[0])) return {};
  if (operandes.size() == 1)
    return "liste inconnue : " + operandes[0] + " (familles, ingredients, cocktails ou resultats)";
  return "lister attend une liste : familles, ingredients, cocktails ou resultats";
}

int Executer(const Operandes& operandes, ConsoleMessages&) {
  const Liste& liste = *TrouverListe(operandes[0]);
  // Never create a pair that is not there: listing must not change the directory.
  if (EtatPaire etat = EtatDePaire(liste.base); etat != EtatPaire::Presente) {
    DireErreur(TexteSansPaire(liste.base, liste.pluriel, etat));
    return SortieProbleme;
  }
  std::unique_ptr<PFichier> collection = Collection(liste);
  if (!collection->OuvrirEnLecture()) {
    DireErreur("impossible d'ouvrir le fichier des " + std::string(liste.pluriel));
    return SortieProbleme;
  }
  LotFichier lot(*collection);
  if (collection->Premier()) {
    do {
      std::cout << TexteAffichable(Texte(collection->Noeud().Cle)) << '\n';
    } while (collection->Suivant());
  }
  std::cout.flush();
  if (collection->ErreursES() > 0) {
    DireErreur("lecture impossible de " + collection->NomFichierIndex() + " ou " +
               collection->NomFichierDonnees() + " : la liste est incomplète");
    return SortieProbleme;
  }
  return std::cout ? SortieSucces : SortieProbleme;
}

}  // namespace

const Commande CommandeLister{"lister", &VerifierOperandes, &Executer};

}  // namespace velquor::outils
