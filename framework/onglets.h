#pragma once
// Tab control ("SysTabControl32"): a row of captions over a framed page area. It carries the
// captions only; the dialog shows and hides the page controls itself. ongletChange() follows the
// user's clicks and keys only, as the legacy selection-change notification did. The mouse wheel
// over the captions changes no page unless the tabs have the focus.

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
  QTabBar* barre_;
  int parProgramme_ = 0;
};

}  // namespace velquor
