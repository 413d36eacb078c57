// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog templates as data. A template reads like the legacy dialog resource it stands for:
//
//   // 206 DIALOG 0, 0, 215, 58   STYLE WS_POPUP | WS_CAPTION | DS_MODALFRAME
//   constexpr ModeleControle kControles[] = {
//       {Genre::Texte, -1, "Analyse du cocktail", {4, 7, 68, 8}},
//       {Genre::Bouton, 2, "Arrêter", {82, 39, 50, 14}},
//   };
//
// Rectangles are in dialog units (x, y, width, height); texts are UTF-8. The builder
// (constructeur_dialogue.h) turns a template into Qt widgets.

#include <span>

namespace velquor {

// Control kinds, with the legacy resource statement each stands for.
enum class Genre : unsigned char {
  Texte,          // LTEXT (CTEXT, RTEXT with st::Centre, st::Droite): QLabel, plain text
  Cadre,          // GROUPBOX: PCadreGroupe
  Trait,          // etched frame (SS_ETCHEDFRAME), a line when 1 unit high: QFrame
  Bouton,         // PUSHBUTTON (DEFPUSHBUTTON with st::Defaut): QPushButton
  Radio,          // AUTORADIOBUTTON: PRadio; st::Groupe starts a new group
  Case,           // AUTOCHECKBOX: QCheckBox
  Edition,        // EDITTEXT: PEdition, or PEditionMulti with st::MultiLigne
  Liste,          // LISTBOX: PListe
  ComboSaisie,    // COMBOBOX CBS_DROPDOWN (a list with an edit field): PCombo
  ComboListe,     // COMBOBOX CBS_DROPDOWNLIST (no typing): PCombo
  Onglets,        // "SysTabControl32": POnglets (captions only, the dialog shows the pages)
  Jauge,          // the gauge control: QProgressBar, range 0 to 100
  BoutonDessine,  // BS_OWNERDRAW push button: PBoutonDessine
  Perso,          // any other class: an empty QWidget placeholder the dialog fills or replaces
};

// Control style bits. Each kind has the defaults of its resource statement (visible, enabled,
// a tab stop for everything the user can act on); these bits change them.
namespace st {
inline constexpr unsigned Groupe = 1u << 0;            // WS_GROUP: starts a radio group
inline constexpr unsigned Tabulation = 1u << 1;        // WS_TABSTOP on a kind without it
inline constexpr unsigned SansTabulation = 1u << 2;    // NOT WS_TABSTOP
inline constexpr unsigned Cache = 1u << 3;             // NOT WS_VISIBLE: hidden at creation
inline constexpr unsigned Desactive = 1u << 4;         // WS_DISABLED
inline constexpr unsigned Defaut = 1u << 5;            // BS_DEFPUSHBUTTON: Enter presses it
inline constexpr unsigned Trie = 1u << 6;              // LBS_SORT, CBS_SORT: name order
inline constexpr unsigned Majuscules = 1u << 7;        // ES_UPPERCASE, CBS_UPPERCASE
inline constexpr unsigned MultiLigne = 1u << 8;        // ES_MULTILINE
inline constexpr unsigned LectureSeule = 1u << 9;      // ES_READONLY
inline constexpr unsigned DefilVertical = 1u << 10;    // WS_VSCROLL
inline constexpr unsigned DefilHorizontal = 1u << 11;  // ES_AUTOHSCROLL, WS_HSCROLL
inline constexpr unsigned Centre = 1u << 13;           // SS_CENTER
inline constexpr unsigned Droite = 1u << 14;           // SS_RIGHT
inline constexpr unsigned VeutRetour = 1u << 15;       // ES_WANTRETURN: Enter makes a new line
}  // namespace st

// Dialog style bits.
namespace sd {
inline constexpr unsigned Enfant = 1u << 0;       // WS_CHILD: hosted in a view, no frame
inline constexpr unsigned Titre = 1u << 1;        // WS_CAPTION
inline constexpr unsigned MenuSysteme = 1u << 2;  // WS_SYSMENU: a close box
inline constexpr unsigned CadreModal = 1u << 3;   // DS_MODALFRAME
inline constexpr unsigned Bordure = 1u << 4;      // WS_BORDER
}  // namespace sd

struct RectDlu {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

struct ModeleControle {
  Genre genre;
  int id;             // -1: no id (IDC_STATIC); the widget then has no object name
  const char* texte;  // UTF-8; for Onglets, the captions separated by '|'
  RectDlu rect;
  unsigned style = 0;
  int limite = 0;  // text limit of edits and combo boxes in stored bytes; 0: none
};

struct ModeleDialogue {
  int id;
  const char* titre;  // UTF-8
  RectDlu rect;       // position and client size
  unsigned style;
  std::span<const ModeleControle> controles;
};

// The template with that id, or nullptr. The table is generated from the resources/dialogue_NNN.cpp
// files (see framework/README.md).
const ModeleDialogue* ChercherModeleDialogue(int id);

}  // namespace velquor
