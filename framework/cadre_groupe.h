// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Group box (GROUPBOX), drawn as the legacy one: the etched frame fills the template's
// rectangle, its top line running through the middle of the title, which sits on the line a
// few pixels from the left. (Qt's styles put the title above the frame, whose line then runs
// lower, through the first radio button of a tight template.)

#include <QGroupBox>

namespace velquor {

class PCadreGroupe : public QGroupBox {
  Q_OBJECT

 public:
  using QGroupBox::QGroupBox;

  // Where the frame's top line runs, in the box's pixels.
  int HautDuCadre() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace velquor
