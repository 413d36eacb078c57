// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Static text (LTEXT, CTEXT, RTEXT). Its text is never cut: when it would not fit the label's
// rectangle in the label's font (a long name under a title's large letters, a face wider than
// the one the layout was drawn for), it is drawn in the largest smaller size of the same face in
// which it fits, wrapped as the label wraps. The text itself, what assistive technology reads and
// the label's font stay as they are.

#include <QLabel>

namespace velquor {

class PEtiquette : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

  // The font the text is drawn in: the label's own, or a smaller size of it.
  QFont PoliceAffichee() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int Drapeaux() const;
  bool Tient(const QFont& police) const;
};

}  // namespace velquor
