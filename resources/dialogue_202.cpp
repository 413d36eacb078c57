// SPDX-License-Identifier: GPL-3.0-or-later
// 202 DIALOG 0, 0, 350, 250
// STYLE WS_CHILD | WS_VISIBLE
// FONT 8, "MS Sans Serif"
// The ingredient editor (TIngredientDlg), hosted in its view TIngChild.
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Trait, -1, "", {132, 4, 216, 215}},
    {Genre::Texte, -1, "&Liste des ingrédients:", {7, 6, 81, 8}},
    {Genre::Liste, 501, "", {3, 16, 126, 204}, st::Trie | st::DefilVertical},
    {Genre::Texte, 502, "", {136, 11, 200, 28}, st::Centre},
    {Genre::Case, 504, "Ingrédient &Alcoolisé", {136, 83, 188, 12}},
    {Genre::Texte, -1, "&Commentaires:", {136, 99, 60, 8}},
    {Genre::Edition, 503, "", {136, 108, 204, 68}, st::MultiLigne | st::DefilVertical, 250},
    {Genre::Bouton, 1, "ok", {292, 228, 50, 14}},
    {Genre::Bouton, 2, "esc", {235, 229, 50, 14}},
};

}  // namespace

const ModeleDialogue& Dialogue202() {
  static constexpr ModeleDialogue modele{202, "", {0, 0, 350, 250}, sd::Enfant, kControles};
  return modele;
}

}  // namespace velquor
