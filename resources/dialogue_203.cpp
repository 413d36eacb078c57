// SPDX-License-Identifier: GPL-3.0-or-later
// 203 DIALOG 0, 0, 350, 250
// STYLE WS_CHILD | WS_VISIBLE
// FONT 8, "MS Sans Serif"
// The cocktail editor (TCocktailDlg), hosted in its view TCockChild. Each composition row is a
// quantity edit (831 + i) followed by its ingredient combo box (851 + i), so Tab runs along the
// rows.
#include "framework/modele_dialogue.h"

namespace velquor {

namespace {

constexpr unsigned kQuantite = st::DefilHorizontal;
constexpr unsigned kCombo = st::Trie | st::Majuscules | st::DefilVertical;

constexpr ModeleControle kControles[] = {
    {Genre::Trait, -1, "", {128, 4, 220, 215}},
    {Genre::Texte, -1, "&Liste des cocktails:", {7, 6, 93, 8}},
    {Genre::Liste, 501, "", {5, 16, 119, 204}, st::Trie | st::DefilVertical},
    {Genre::Texte, 502, "", {136, 7, 200, 14}, st::Centre},
    {Genre::Edition, 831, "", {130, 27, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 851, "", {212, 27, 134, 73}, kCombo, 30},
    {Genre::Edition, 832, "", {130, 40, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 852, "", {212, 40, 134, 73}, kCombo, 30},
    {Genre::Edition, 833, "", {130, 53, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 853, "", {212, 53, 134, 73}, kCombo, 30},
    {Genre::Edition, 834, "", {130, 66, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 854, "", {212, 66, 134, 73}, kCombo, 30},
    {Genre::Edition, 835, "", {130, 79, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 855, "", {212, 79, 134, 73}, kCombo, 30},
    {Genre::Edition, 836, "", {130, 92, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 856, "", {212, 92, 134, 73}, kCombo, 30},
    {Genre::Edition, 837, "", {130, 105, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 857, "", {212, 105, 134, 73}, kCombo, 30},
    {Genre::Edition, 838, "", {130, 118, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 858, "", {212, 118, 134, 73}, kCombo, 30},
    {Genre::Edition, 839, "", {130, 131, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 859, "", {212, 131, 134, 73}, kCombo, 30},
    {Genre::Edition, 840, "", {130, 144, 82, 13}, kQuantite, 20},
    {Genre::ComboSaisie, 860, "", {212, 144, 134, 73}, kCombo, 30},
    {Genre::Texte, -1, "&Famille", {168, 165, 44, 8}},
    {Genre::ComboSaisie, 510, "", {212, 163, 134, 59}, kCombo, 30},
    {Genre::Edition, 503, "", {130, 181, 216, 34}, st::MultiLigne | st::DefilVertical, 250},
    {Genre::Bouton, 1, "ok", {292, 228, 50, 14}},
    {Genre::Bouton, 2, "esc", {235, 229, 50, 14}},
};

}  // namespace

const ModeleDialogue& Dialogue203() {
  static constexpr ModeleDialogue modele{203, "", {0, 0, 350, 250}, sd::Enfant, kControles};
  return modele;
}

}  // namespace velquor
