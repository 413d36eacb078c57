// SPDX-License-Identifier: GPL-3.0-or-later
// 22000 DIALOG 12, 17, 229, 123
// STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
// CAPTION "A propos du Velquor"
// FONT 8, "MS Sans Serif"
// The About box: the program logo (an owner-drawn button) and the two counts.
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Bouton, 1, "OK", {176, 4, 52, 14}, st::Defaut},
    {Genre::BoutonDessine, 501, "", {0, 4, 172, 90}},
    {Genre::Texte, 503, "%ld Ingrédients", {4, 101, 116, 8}},
    {Genre::Texte, 502, "%ld Cocktails", {4, 111, 116, 9}},
    {Genre::Trait, -1, "Frame1", {-8, 98, 245, 1}},
};

}  // namespace

const ModeleDialogue& Dialogue22000() {
  static constexpr ModeleDialogue modele{22000,
                                         "A propos du Velquor",
                                         {12, 17, 229, 123},
                                         sd::Titre | sd::MenuSysteme | sd::CadreModal,
                                         kControles};
  return modele;
}

}  // namespace velquor
