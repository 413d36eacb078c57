// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The multiple selection by substring of the search dialog's ingredient page (template 209):
// asks for a pattern and a direction, selection (available to chosen) or deselection (chosen to
// available). The search dialog then moves the entries with DeplacerContenant.
//
//   std::string motif;
//   int r = SelMulti(this, motif, selectionPermise, deselectionPermise).Executer();
//   // SelMulti::Selection (102), SelMulti::Deselection (103), or 2 when cancelled

#include <string>
#include <string_view>

#include "framework/dialogue.h"

namespace velquor {

class PListe;

class SelMulti : public PDialogue {
  Q_OBJECT

 public:
  static constexpr int Selection = 102;
  static constexpr int Deselection = 103;

  // motif receives the pattern on Ok (stored text, at most 30 bytes, no trailing blank); it is
  // left alone on cancel.
  SelMulti(QWidget* proprietaire, std::string& motif, bool selectionPermise,
           bool deselectionPermise);

 protected:
  void SetupWindow() override;
  void CmOk() override;

 private:
  void MajTexte();

  std::string& motif_;
  bool selectionPermise_;
  bool deselectionPermise_;
};

// Moves every entry of source whose text contains motif (case-sensitive) to destination, where
// it is selected. The source is walked from its last entry to its first, so the entry nearest
// its top is the one left selected. Returns the number of entries moved.
int DeplacerContenant(PListe& source, PListe& destination, std::string_view motif);

}  // namespace velquor
