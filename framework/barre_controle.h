// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame's control bar (toolbar). It holds gadget widgets of the program's own, each tied to
// a command: the router enables them at every idle pass, and a gadget posts its command through
// the bar when the user activates it.

#include <QToolBar>

#include <functional>

namespace velquor {

class PRouteurCommandes;

class PBarreControle : public QToolBar {
  Q_OBJECT

 public:
  PBarreControle(const QString& titre, PRouteurCommandes& routeur, QWidget* parent = nullptr);

  // Adds a gadget for a command (-1: none, always disabled). regler receives the command's
  // enabling at each idle pass; by default it enables or disables the widget.
  void AjouterGadget(QWidget* gadget, int commande, std::function<void(bool)> regler = {});
  // Routes the command as a menu command, once the current event is over.
  void PosterCommande(int commande);

 private:
  PRouteurCommandes& routeur_;
};

}  // namespace velquor
