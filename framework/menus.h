// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Builds menus and accelerators from their data. Items and keys send their command through the
// router; a menu's items are enabled by the router each time the menu opens.

#include "framework/modele_menu.h"

class QKeyEvent;
class QMenu;
class QMenuBar;
class QWidget;

namespace velquor {

class PRouteurCommandes;

// Fills the menu bar with the template's popups.
void ConstruireMenu(QMenuBar* barre, const ModeleMenu& modele, PRouteurCommandes& routeur);
// One popup (recursively), as a child of parent.
QMenu* ConstruirePopup(const ElementMenu& popup, QWidget* parent, PRouteurCommandes& routeur);
// The keys act while the focus is anywhere in the window. Our edit fields leave the window's
// accelerators to it (EstAccelerateur), as the legacy message loop translated them before the
// field saw the key: the clipboard keys come back to the field as the commands 24321 to 24326.
void InstallerAccelerateurs(QWidget* fenetre, const TableAccelerateurs& table,
                            PRouteurCommandes& routeur);
// Whether the key is one of the accelerators installed on that window.
bool EstAccelerateur(const QWidget* fenetre, const QKeyEvent* touche);
// Puts the menu bar in its keyboard mode, or takes it out of it (F10 on the legacy platform):
// its first menu is highlighted without opening, the arrows move along the bar and open a menu,
// a menu's letter opens it, Escape gives the keyboard back to where it was.
void BasculerBarreMenu(QMenuBar* barre);

}  // namespace velquor
