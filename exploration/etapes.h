// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The steps of the windows' explorer: what a user does with a real keyboard and mouse, one step
// at a time, written as one line of text so that a failing sequence can be printed and played
// again exactly:
//
//   vue 103              the toolbar button of a command (a view, a record command, the search)
//   clic 831             a click on the control with that id, in the window in front
//   entree 2             a click on the third visible entry of list 501
//   taper 4 cl 🍹        the text typed key by key (the rest of the line, spaces included)
//   touches ctrl+End     keys in xdotool's syntax
//   coller 1 Ω3          the text put on the clipboard by another program, then Ctrl+V
//                        (1: Shift+Insert)
//   milieu 503 ★         the text made the primary selection by another program, then a middle
//                        click on the control
//   molette 851 -2       the wheel turned over the control (negative: up)

#include <optional>
#include <string>
#include <utility>

namespace velquor::exploration {

enum class Genre { Vue, Clic, Entree, Taper, Touches, Coller, Milieu, Molette };

struct Etape {
  Etape(Genre g = Genre::Touches, int i = 0, int nombre = 0, std::string t = {})
      : genre(g), id(i), n(nombre), texte(std::move(t)) {}
  Genre genre;
  int id;             // a control's id, a command, an entry's place, 1 for Shift+Insert
  int n;              // the wheel's notches
  std::string texte;  // UTF-8: typed, pasted, or keys
};

std::string Ecrire(const Etape& etape);
std::optional<Etape> Lire(const std::string& ligne);

}  // namespace velquor::exploration
