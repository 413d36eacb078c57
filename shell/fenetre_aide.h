// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in help window: the program's French help pages (resources/aide/), with the
// contents page and the pages of the program's windows, browsed as in a help viewer. Escape
// closes it; closed, it gives the keyboard back to the program's window it belongs to.

#include <QSize>
#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace velquor {

// The page of a help context: one of the windows' pages, or the contents for 0 and any context
// that has no page.
QUrl PageAide(int contexte);

class TFenetreAide : public QWidget {
  Q_OBJECT

 public:
  // Its size when it opens, before it is fitted to the screen.
  static constexpr QSize kTaille{520, 560};

  explicit TFenetreAide(QWidget* parent = nullptr);

  void MontrerPage(const QUrl& page);
  QUrl PageCourante() const;
  QTextBrowser* Navigateur() const { return navigateur_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QTextBrowser* navigateur_;
  QPushButton* precedent_;
  QPushButton* suivant_;
};

}  // namespace velquor
