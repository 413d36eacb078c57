// SPDX-License-Identifier: GPL-3.0-or-later
// 206 DIALOG 0, 0, 215, 58
// STYLE WS_POPUP | WS_CAPTION | DS_MODALFRAME (no system menu)
// CAPTION "Recherche en cours..."
// FONT 8, "MS Sans Serif"
// The progress dialog of the long passes. Its gauge (id 999) is made by the dialog itself.
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Texte, -1, "Analyse du cocktail", {4, 7, 68, 8}},
    {Genre::Texte, 102, "", {70, 7, 146, 8}},
    {Genre::Texte, 101, "100 %", {194, 26, 24, 8}},
    {Genre::Bouton, 2, "Arrêter", {82, 39, 50, 14}},
};

}  // namespace

const ModeleDialogue& Dialogue206() {
  static constexpr ModeleDialogue modele{
      206, "Recherche en cours...", {0, 0, 215, 58}, sd::Titre | sd::CadreModal, kControles};
  return modele;
}

}  // namespace velquor
