// SPDX-License-Identifier: GPL-3.0-or-later
// 209 DIALOG 0, 0, 240, 84
// STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
// CAPTION "Sélection / Déselection multiple"
// FONT 8, "MS Sans Serif"
// The multiple selection by substring of the ingredient page; label 110 is replaced at set-up.
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Texte,
     110,
     "Déselectionner les ingrédients contenant",
     {2, 46, 133, 8},
     st::Droite | st::Groupe},
    {Genre::Edition, 101, "", {136, 44, 100, 12}, st::Majuscules | st::DefilHorizontal, 30},
    {Genre::Trait, -1, "", {-2, 61, 247, 1}},
    {Genre::Bouton, 1, "Ok", {133, 66, 50, 14}},
    {Genre::Bouton, 2, "Annuler", {185, 66, 50, 14}},
    {Genre::Cadre, -1, "Mode", {8, 4, 224, 34}},
    {Genre::Radio, 102, "&Sélection d'ingrédients", {12, 13, 96, 12}, st::Groupe},
    {Genre::Radio, 103, "&Déselection d'ingrédients", {12, 24, 104, 12}},
};

}  // namespace

const ModeleDialogue& Dialogue209() {
  static constexpr ModeleDialogue modele{209,
                                         "Sélection / Déselection multiple",
                                         {0, 0, 240, 84},
                                         sd::Titre | sd::CadreModal | sd::MenuSysteme,
                                         kControles};
  return modele;
}

}  // namespace velquor
