// SPDX-License-Identifier: GPL-3.0-or-later
// 205 DIALOG 0, 0, 333, 216
// STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
// CAPTION "Lancement d'une recherche"
// FONT 8, "MS Sans Serif"
// The search dialog. The controls of the three pages are created hidden: the dialog shows the
// set of the selected tab itself; the tab control (last, so lowest) carries only the captions,
// added at set-up.
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr unsigned P = st::Cache;  // a control of a page

constexpr ModeleControle kControles[] = {
    // Page 1: by name.
    {Genre::Cadre, 106, "Mode de sélection", {5, 26, 323, 42}, P},
    {Genre::Radio,
     103,
     "Cocktails dont le nom &contient la chaine recherchée",
     {8, 37, 204, 12},
     P | st::Groupe},
    {Genre::Radio,
     104,
     "Cocktails dont le nom ne contient pas la c&haine recherchée",
     {8, 51, 204, 12},
     P},
    {Genre::Texte,
     105,
     "&Saisissez ici la chaine à rechercher dans le nom des cocktails:",
     {21, 87, 207, 8},
     P | st::Groupe},
    {Genre::Edition, 102, "", {20, 97, 196, 12}, P | st::Majuscules, 30},
    {Genre::Texte,
     107,
     "Remarque : Pour sélectionner tous les cocktails, laisser la chaine vide et choisissez le "
     "mode de sélection 'Cocktails dont le nom contient la chaine recherchée'",
     {20, 112, 196, 30},
     P},
    // Page 2: by family.
    {Genre::Cadre, 208, "Mode de sélection", {5, 26, 323, 42}, P},
    {Genre::Radio,
     202,
     "Cocktails dont la &famille est sélectionnée",
     {8, 37, 204, 12},
     P | st::Groupe},
    {Genre::Radio, 209, "Cocktails dont la famille n'est &pas sélectionnée", {8, 51, 204, 12}, P},
    {Genre::Texte, 206, "Familles &disponibles", {6, 73, 68, 8}, P | st::Groupe},
    {Genre::Liste, 203, "", {4, 82, 134, 111}, P | st::Trie | st::DefilVertical},
    {Genre::Bouton, 201, "&Ajoute >", {140, 83, 52, 14}, P},
    {Genre::Bouton, 211, "Ajoute &tout >>", {140, 99, 52, 14}, P},
    {Genre::Bouton, 205, "< &Enleve", {140, 126, 52, 14}, P},
    {Genre::Bouton, 204, "<< Enle&ve tout", {140, 142, 52, 14}, P},
    {Genre::Texte, 207, "Familles &sélectionnées", {195, 73, 72, 8}, P},
    {Genre::Liste, 210, "", {194, 82, 134, 111}, P | st::Trie | st::DefilVertical},
    // Page 3: by ingredients.
    {Genre::Cadre, 309, "Mode de sélection", {5, 26, 323, 47}, P},
    {Genre::Radio,
     312,
     "Cocktails dont T&OUS les ingrédients sont sélectionnés",
     {7, 36, 200, 12},
     P | st::Groupe},
    {Genre::Radio, 313, "Cocktails dont AUCU&N ingrédient n'est sélectionné", {7, 48, 196, 12}, P},
    {Genre::Radio,
     314,
     "Cocktails dont AU MOINS &UN ingrédient est sélectionné",
     {7, 59, 196, 12},
     P},
    {Genre::Texte, 307, "Ingrédients &disponibles", {6, 77, 76, 8}, P | st::Groupe},
    {Genre::Liste, 303, "", {5, 87, 134, 111}, P | st::Trie | st::DefilVertical},
    {Genre::Bouton, 301, "&Ajoute >", {141, 88, 52, 14}, P},
    {Genre::Bouton, 310, "Ajoute &tout >>", {141, 104, 52, 14}, P},
    {Genre::Bouton, 302, "Select &Multi...", {141, 120, 52, 14}, P},
    {Genre::Bouton, 305, "< &Enleve", {141, 141, 52, 14}, P},
    {Genre::Bouton, 304, "<< Enle&ve tout", {141, 156, 52, 14}, P},
    {Genre::Bouton, 306, "&Informations", {141, 177, 52, 14}, P},
    {Genre::Texte, 308, "Ingrédients &sélectionnés", {195, 77, 81, 8}, P},
    {Genre::Liste, 311, "", {195, 87, 134, 111}, P | st::Trie | st::DefilVertical},
    // Always shown.
    {Genre::Bouton, 1, "Ok", {228, 200, 50, 14}, st::Groupe},
    {Genre::Bouton, 2, "Annuler", {280, 200, 50, 14}},
    {Genre::Onglets, 101, "", {1, 9, 331, 189}},
};

}  // namespace

const ModeleDialogue& Dialogue205() {
  static constexpr ModeleDialogue modele{205,
                                         "Lancement d'une recherche",
                                         {0, 0, 333, 216},
                                         sd::Titre | sd::CadreModal | sd::MenuSysteme,
                                         kControles};
  return modele;
}

}  // namespace velquor
