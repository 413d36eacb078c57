// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The button controls that need more than Qt gives.

#include <QAbstractButton>
#include <QRadioButton>

namespace velquor {

// Makes the button's mnemonic (Alt+letter) click it at once, as the legacy dialog manager did.
// Qt "animates" that click and delivers it 100 ms later: an Enter or a click on Ok that follows
// at once would be handled first, and the search run with the radio button checked before. A
// radio button or check box takes the focus as it is clicked; a push button leaves it where it
// is. When two controls share the mnemonic, the focus moves without a click, as in Qt.
void MnemoniqueImmediat(QAbstractButton* bouton);

// Automatic radio button (AUTORADIOBUTTON). Its group is the run of radio buttons that starts at
// one with st::Groupe. A click checks it and unchecks the others of its group, arrow keys move to
// the next of the group and check it; the program's own checks change this button only, as on
// the legacy platform (checking one from the program does not uncheck the others).
class PRadio : public QRadioButton {
  Q_OBJECT

 public:
  using QRadioButton::QRadioButton;

 protected:
  void nextCheckState() override;
  void keyPressEvent(QKeyEvent* event) override;
};

// Owner-drawn push button (BS_OWNERDRAW): a subclass paints it in Dessiner().
class PBoutonDessine : public QAbstractButton {
  Q_OBJECT

 public:
  explicit PBoutonDessine(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  virtual void Dessiner(QPainter& peintre);
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace velquor
