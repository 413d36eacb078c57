// SPDX-License-Identifier: GPL-3.0-or-later
// 208 DIALOG 0, 0, 224, 130
// STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
// CAPTION "Affiner la recherche"
// FONT 8, "MS Sans Serif"
// The refine dialog of the results window. The combo boxes' rectangles include their drop-down
// lists.
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Cadre, -1, "Sélectionner les cocktails", {4, 3, 216, 51}},
    {Genre::Texte, -1, "Appartenant à la &famille", {8, 16, 80, 8}},
    {Genre::ComboListe, 101, "", {88, 14, 125, 79}},
    {Genre::Texte, -1, "Contenant l'&ingrédient", {8, 36, 80, 8}},
    {Genre::ComboListe, 102, "", {88, 34, 125, 79}},
    {Genre::Cadre, -1, "Option complémentaire", {4, 56, 216, 52}},
    {Genre::Radio, 103, "Alcoolisé &et non alcoolisé", {7, 66, 96, 12}, st::Groupe},
    {Genre::Radio, 104, "Uniquement al&coolisé", {7, 79, 96, 12}},
    {Genre::Radio, 105, "Uniquement &non alcoolisé", {7, 92, 96, 12}},
    {Genre::Bouton, 1, "Ok", {112, 113, 50, 14}, st::Defaut | st::Groupe},
    {Genre::Bouton, 2, "Annuler", {168, 113, 50, 14}},
};

}  // namespace

const ModeleDialogue& Dialogue208() {
  static constexpr ModeleDialogue modele{208,
                                         "Affiner la recherche",
                                         {0, 0, 224, 130},
                                         sd::Titre | sd::CadreModal | sd::MenuSysteme,
                                         kControles};
  return modele;
}

}  // namespace velquor
