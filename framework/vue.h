// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A view: the document window of the legacy multiple-document frame, whose client is a dialog
// built from a child template. The view takes the size of its dialog (shrink to client); the
// document area (PZoneVues) hosts one view at a time, maximised. The dialog's ok and esc buttons
// (commands 1 and 2) that lie wholly outside the view, below the frame's edge as the legacy views'
// did, are hidden: no one sees them, so the Tab key and assistive technology do not offer them;
// Enter and Escape still send their commands.

#include <QPointer>
#include <QWidget>

#include "framework/dialogue.h"

namespace velquor {

class PVue : public QWidget {
  Q_OBJECT

 public:
  explicit PVue(const QString& titre, QWidget* parent = nullptr);

  // Makes the dialog this view's client (the view owns it), creates it and takes its size.
  void DefinirClient(PDialogue* client);
  PDialogue* Client() const { return client_; }

  // The close query (the legacy CanClose): true lets the view close.
  virtual bool PeutFermer() { return true; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QPointer<PDialogue> client_;
};

}  // namespace velquor
