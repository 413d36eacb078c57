// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document area of the frame (the legacy MDI client): it hosts at most one view, maximised,
// and owns it. The program's client class derives from it (response table, logo painting).

#include <QPointer>
#include <QWidget>

#include "framework/commandes.h"
#include "framework/vue.h"

namespace velquor {

class PZoneVues : public QWidget, public PCibleTable {
  Q_OBJECT

 public:
  explicit PZoneVues(QWidget* parent = nullptr);
  ~PZoneVues() override;

  // Hosts the view, filling the area, and shows it; a view still hosted is closed and deleted
  // first (FermerVue). The area's destruction closes and deletes its view the same way.
  void Heberger(PVue* vue);
  PVue* Vue() const { return vue_; }
  // Where the commands of the frame start in the area: the hosted view's dialog (the view when
  // it has none), else the area itself.
  QWidget* DepartCommandes();
  // Asks the view to close (its close query runs), then deletes it whatever the answer. Returns
  // the answer of the query (true when there was no view).
  bool FermerVue();

 signals:
  // The hosted view's title, empty when no view is hosted.
  void vueChangee(const QString& titre);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPointer<PVue> vue_;
};

}  // namespace velquor
