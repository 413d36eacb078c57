// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Help: the context of what is current, and the built-in help window that shows its topic.
//
// The client area, the search dialog and the refine dialog set ContexteAide; F1 (anywhere but in
// a message box) and the "Afficher l'aide" command show the topic of the current context, or the
// index when it is 0.

namespace velquor {

// The help context numbers of the program's windows.
enum : int {
  AideIndex = 0,         // no view, or the search dialog cancelled
  AideCocktails = 2,     // cocktail view
  AideIngredients = 3,   // ingredient view
  AideFamilles = 4,      // family view
  AideRecherche = 5,     // search dialog
  AideResultat = 9,      // result view (also after the refine dialog)
  AideAffinerRech = 10,  // refine dialog
};

// The help context of what is current; 0 at start-up.
inline int ContexteAide = AideIndex;

// Shows the help window on the topic of that context (the index for 0 or an unknown context).
void AfficherAide(int contexte);
// Shows the topic of the current context (F1, the "Afficher l'aide" command).
inline void AfficherAideCourante() {
  AfficherAide(ContexteAide);
}
// Closes the help window if it is open (the program ends).
void FermerAide();

// F1 shows the help of the current context everywhere in the program (dialogs, views, menus,
// the frame), but never over a message box, until RetirerAideF1.
void InstallerAideF1();
void RetirerAideF1();

class TFenetreAide;
// The help window, or nullptr when it is not open.
TFenetreAide* FenetreAide();

}  // namespace velquor
