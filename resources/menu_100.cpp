// SPDX-License-Identifier: GPL-3.0-or-later
// 100 MENU
#include "resources/menus.h"

namespace velquor {

const ModeleMenu& Menu100() {
  static const ModeleMenu menu{100,
                               {
                                   Popup("&Fichiers",
                                         {
                                             Item(101, "Gestion des &Ingrédients"),
                                             Item(102, "Gestion des &Familles"),
                                             Separateur(),
                                             Item(103, "Gestion des &Cocktails"),
                                             Separateur(),
                                             Item(24310, "&Quitter\tAlt+F4"),
                                         }),
                                   Popup("&Tavisk",
                                         {
                                             Item(901, "Exporter &Ingrédients"),
                                             Item(902, "Exporter &Familles"),
                                             Item(903, "Exporter &Cocktails"),
                                             Separateur(),
                                             Item(904, "&Recettes HTML"),
                                         }),
                                   Popup("&Enregistrement",
                                         {
                                             Item(104, "&Nouvelle fiche"),
                                             Item(107, "&Dupliquer la fiche"),
                                             Separateur(),
                                             Item(106, "&Renommer la fiche"),
                                             Separateur(),
                                             Item(105, "&Supprimer la fiche"),
                                         }),
                                   Popup("&Recherche",
                                         {
                                             Item(108, "&Nouvelle recherche"),
                                             Item(110, "&Voir la dernière recherche effectuée"),
                                             Separateur(),
                                             Item(109, "&Affiner la recherche"),
                                         }),
                                   Popup("&?",
                                         {
                                             Item(199, "&Afficher l'aide\tF1"),
                                             Separateur(),
                                             Item(2009, "A &propos..."),
                                         }),
                               }};
  return menu;
}

}  // namespace velquor
