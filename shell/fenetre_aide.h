#pragma once
// The built-in help window: the program's French help pages (resources/aide/), with the
// contents page and the pages of the program's windows, browsed as in a help viewer.

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
  explicit TFenetreAide(QWidget* parent = nullptr);

  void MontrerPage(const QUrl& page);
  QUrl PageCourante() const;
  QTextBrowser* Navigateur() const { return navigateur_; }

 private:
  QTextBrowser* navigateur_;
  QPushButton* precedent_;
  QPushButton* suivant_;
};

}  // namespace velquor
