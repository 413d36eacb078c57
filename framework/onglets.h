// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tab control ("SysTabControl32"): a row of captions over a framed page area. It carries the
// captions only; the dialog shows and hides the page controls itself. ongletChange() follows the
// user's clicks and keys only, as the legacy selection-change notification did. The mouse wheel
// over the captions changes no page unless the tabs have the focus. Ctrl+Tab and Ctrl+Page Down
// (Ctrl+Shift+Tab and Ctrl+Page Up) show the next (previous) page from anywhere in the window
// that holds the tabs, round from the last to the first, as the user's choice of that tab.

#include <QWidget>

class QTabBar;

namespace velquor {

class POnglets : public QWidget {
  Q_OBJECT

 public:
  explicit POnglets(QWidget* parent = nullptr);

  int AjouterOnglet(const QString& titre);
  int NbOnglets() const;
  int Selection() const;
  void Selectionner(int index);
  QTabBar* Barre() const { return barre_; }

 signals:
  void ongletChange(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  // The page step of a key pressed in the window that holds the tabs: +1, -1, or 0.
  int Pas(QObject* objet, QEvent* evenement) const;

  QTabBar* barre_;
  int parProgramme_ = 0;
};

}  // namespace velquor
