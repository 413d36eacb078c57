// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A combo box with an edit field that completes what the user types with the first list entry
// beginning with it, and selects the completed part so that typing on replaces it. The owner
// calls Completer() on every change of the edit text (PCombo::texteSaisi):
//
//   Lier(851, [](QWidget* p) { return new CbAssist(p, 31); });
//   ...
//   connect(Controle<CbAssist>(851), &PCombo::texteSaisi, this,
//           [this] { Controle<CbAssist>(851)->Completer(); });

#include <cstddef>
#include <string>

#include "framework/combo.h"

namespace velquor {

class CbAssist : public PCombo {
  Q_OBJECT

 public:
  // limiteTexte: the size of the text buffer, terminator included (31 for a name).
  explicit CbAssist(QWidget* parent = nullptr, std::size_t limiteTexte = 31);

  // Completes the edit text when the user has just added characters and some entry begins
  // with the typed text (case ignored); returns whether it did. Deleting never completes.
  bool Completer();

  // The text typed, as seen at the previous change (not the completed text).
  const std::string& TexteAvant() const { return texteAvant_; }
  std::size_t LimiteTexte() const { return limiteTexte_; }

 private:
  std::size_t limiteTexte_;
  std::string texteAvant_;
};

}  // namespace velquor
