// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A multi-line edit field that reads as fixed text: its text changes only through the program
// (DefinirTexteCp1252), yet the user can scroll it and move the caret with the keyboard, and
// select and copy from it. Typed characters (Backspace and control characters such as Ctrl+C
// included) are refused with a beep; other keys than the arrows, Page Up, Page Down, Home and End
// are dropped without a sound. Bind it to a template's multi-line edit:
//
//   Lier(504, [](QWidget* p) { return new PStaticMulti(p); });

#include "framework/edition.h"

namespace velquor {

class PStaticMulti : public PEditionMulti {
  Q_OBJECT

 public:
  explicit PStaticMulti(QWidget* parent = nullptr);

  // The clipboard commands reach the field; only copying is done.
  void ExecuteCommande(int id) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace velquor
