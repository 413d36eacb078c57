#pragma once
// Builds menus and accelerators from their data. Items and keys send their command through the
// router; a menu's items are enabled by the router each time the menu opens.

#include "framework/modele_menu.h"

class QMenu;
class QMenuBar;
class QWidget;

namespace velquor {

class PRouteurCommandes;

// Fills the menu bar with the template's popups.
void ConstruireMenu(QMenuBar* barre, const ModeleMenu& modele, PRouteurCommandes& routeur);
// One popup (recursively), as a child of parent.
QMenu* ConstruirePopup(const ElementMenu& popup, QWidget* parent, PRouteurCommandes& routeur);
// The keys act while the focus is anywhere in the window, unless the focused field uses the key
// itself (an edit field's own clipboard keys).
void InstallerAccelerateurs(QWidget* fenetre, const TableAccelerateurs& table,
                            PRouteurCommandes& routeur);

}  // namespace velquor
