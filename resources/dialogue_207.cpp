// SPDX-License-Identifier: GPL-3.0-or-later
// 207 DIALOG 0, 0, 350, 250
// STYLE WS_CHILD | WS_VISIBLE
// FONT 8, "MS Sans Serif"
// The results view's dialog. Its "ok" and "esc" buttons lie below the part of the view that the
// frame shows: they are there for Enter and Escape. The list of the cocktails ends above the
// totals line (the legacy layout, 204 units high, covered it).
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr ModeleControle kControles[] = {
    {Genre::Trait, -1, "", {128, 4, 220, 215}},
    {Genre::Texte, -1, "&Liste des cocktails:", {7, 6, 93, 8}},
    {Genre::Liste, 501, "", {5, 16, 119, 193}, st::Trie | st::DefilVertical},
    {Genre::Texte, 502, "", {136, 7, 200, 14}, st::Centre},
    {Genre::Texte, -1, "Famille:", {133, 129, 31, 8}},
    {Genre::Edition, 503, "", {130, 151, 216, 64}, st::MultiLigne | st::DefilVertical, 250},
    {Genre::Bouton, 1, "ok", {292, 228, 50, 14}},
    {Genre::Bouton, 2, "esc", {235, 229, 50, 14}},
    {Genre::Liste, 504, "", {132, 36, 212, 91}, st::DefilVertical},
    {Genre::Texte, -1, "Composition", {131, 28, 45, 8}},
    {Genre::Texte, 505, "", {162, 129, 160, 8}},
    {Genre::Texte, -1, "Remarque", {129, 142, 60, 8}},
    {Genre::Texte, 555, "", {8, 211, 116, 8}, st::Centre},
};

}  // namespace

const ModeleDialogue& Dialogue207() {
  static constexpr ModeleDialogue modele{207, "", {0, 0, 350, 250}, sd::Enfant, kControles};
  return modele;
}

}  // namespace velquor
