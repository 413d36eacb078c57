#pragma once
// The button controls that need more than Qt gives.

#include <QAbstractButton>
#include <QRadioButton>

namespace velquor {

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
