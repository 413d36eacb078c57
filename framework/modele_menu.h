// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Menus and accelerator tables as data, read like the legacy MENU and ACCELERATORS resources.
// A menu item carries its command number; choosing it posts the command to the router.

#include <Qt>

#include <string>
#include <vector>

namespace velquor {

struct ElementMenu {
  int commande = 0;                   // an item's command; 0 for a popup or a separator
  std::string texte;                  // UTF-8; "\t" separates the key shown at the right
  std::vector<ElementMenu> sousMenu;  // a popup's items
  bool separateur = false;

  bool EstPopup() const { return !separateur && commande == 0; }
};

inline ElementMenu Item(int commande, const char* texte) {
  return {commande, texte, {}, false};
}
inline ElementMenu Separateur() {
  return {0, {}, {}, true};
}
inline ElementMenu Popup(const char* texte, std::vector<ElementMenu> items) {
  return {0, texte, std::move(items), false};
}

struct ModeleMenu {
  int id;
  std::vector<ElementMenu> popups;  // the menu bar, left to right
};

struct Accelerateur {
  Qt::KeyboardModifiers modificateurs;
  Qt::Key touche;
  int commande;
};

struct TableAccelerateurs {
  int id;
  std::vector<Accelerateur> touches;
};

}  // namespace velquor
