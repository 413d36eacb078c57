// SPDX-License-Identifier: GPL-3.0-or-later
// 204 DIALOG 0, 0, 240, 67
// STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
// FONT 8, "MS Sans Serif"
// The name dialog (EnregDlg): its caption is set at set-up by its mode.
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Texte, 801, "Ancien nom", {5, 8, 45, 8}},
    {Genre::Edition, 802, "", {55, 6, 181, 12}, st::Desactive | st::Majuscules, 30},
    {Genre::Texte, -1, "&Nouveau nom", {5, 25, 48, 8}},
    {Genre::Edition, 803, "", {55, 23, 181, 12}, st::Majuscules, 30},
    {Genre::Trait, -1, "", {-2, 43, 247, 1}},
    {Genre::Bouton, 1, "Ok", {130, 50, 50, 14}},
    {Genre::Bouton, 2, "Annuler", {185, 50, 50, 14}},
};

}  // namespace

const ModeleDialogue& Dialogue204() {
  static constexpr ModeleDialogue modele{
      204, "", {0, 0, 240, 67}, sd::Titre | sd::CadreModal | sd::MenuSysteme, kControles};
  return modele;
}

}  // namespace velquor
