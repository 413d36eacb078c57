// SPDX-License-Identifier: GPL-3.0-or-later
// 201 DIALOG 0, 0, 350, 250
// STYLE WS_CHILD | WS_VISIBLE | WS_BORDER
// FONT 8, "MS Sans Serif"
// The family editor (TFamilleDlg), hosted in its view TFamChild.
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Trait, -1, "", {128, 4, 220, 215}},
    {Genre::Texte, -1, "&Liste des familles:", {7, 6, 60, 8}},
    {Genre::Liste, 501, "", {5, 16, 119, 204}, st::Trie | st::DefilVertical},
    {Genre::Texte, 502, "", {136, 11, 200, 28}, st::Centre},
    {Genre::Texte, -1, "&Commentaires:", {136, 99, 60, 8}},
    {Genre::Edition, 503, "", {136, 108, 204, 68}, st::MultiLigne | st::DefilVertical, 250},
    {Genre::Bouton, 1, "ok", {292, 228, 50, 14}},
    {Genre::Bouton, 2, "esc", {235, 229, 50, 14}},
};

}  // namespace

const ModeleDialogue& Dialogue201() {
  static constexpr ModeleDialogue modele{
      201, "", {0, 0, 350, 250}, sd::Enfant | sd::Bordure, kControles};
  return modele;
}

}  // namespace velquor
