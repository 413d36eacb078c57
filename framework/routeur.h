// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Command routing and idle-time enabling.
//
// A command travels along the focus chain: the focused widget, its parents up to the frame (for
// a view: the view's dialog, the view, the document area, the frame), then the application. The
// first window on it that handles the command gets it. A frame reached from outside its
// document area (the focus on the frame itself, on its control bar, or nowhere in it) sends the
// command into the area first: the hosted view's dialog, the view, the area, then the frame, as
// the legacy frame did with its active document window. A command is enabled when
// some window on the chain handles it, unless that handler gives an enabling rule of its own. Menus
// are re-evaluated when they open, subscribers (toolbar gadgets, actions) at every idle pass.

#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>
#include <vector>

#include "framework/commandes.h"

class QAction;
class QMenu;
class QWidget;

namespace velquor {

class PRouteurCommandes : public QObject {
  Q_OBJECT

 public:
  explicit PRouteurCommandes(QObject* parent = nullptr);

  // The last link of the chain (the application's response table).
  void DefinirApplication(PCibleCommandes* application) { application_ = application; }
  // Where the chain starts when no widget has the focus.
  void DefinirFenetrePrincipale(QWidget* fenetre) { fenetrePrincipale_ = fenetre; }

  // The widget the chain starts from: the focused widget when it lies in the main window or in a
  // window it owns, else the main window's last focused widget, else the main window.
  QWidget* Depart() const;
  // The targets that the chain from depart (Depart() when null) passes, in order, each once, the
  // application last.
  std::vector<PCibleCommandes*> Chaine(QWidget* depart = nullptr) const;
  // The first target on the chain from depart (Depart() when null) that handles the command.
  PCibleCommandes* Cible(int id, QWidget* depart = nullptr) const;
  bool EstActive(int id, QWidget* depart = nullptr) const;

  // While a VerrouCommandes is held (verrou_commandes.h) every command is disabled and refused.

  // Runs the command now if it is handled and enabled, then makes an idle pass. Returns whether a
  // handler ran.
  bool Envoyer(int id, QWidget* depart = nullptr);
  // Sends the command once the current event is over (menu items, toolbar gadgets).
  void Poster(int id);

  // An action whose data() is its command number: enabled at every idle pass.
  void AbonnerAction(QAction* action);
  // Any other user of a command's enabling; dropped when proprietaire is destroyed.
  void Abonner(QObject* proprietaire, int id, std::function<void(bool)> regler);
  // Enables the actions of a menu that is opening.
  void ActualiserMenu(QMenu* menu);
  // One idle pass: every subscriber that the user can reach gets its command's enabling. One in
  // a disabled window or behind a modal dialog keeps its state until it can be reached again:
  // the end of a modal run and the re-enabling of a window make a pass (ActiverFenetre). During
  // a long pass, whose window is disabled or modal, the idle pass after every record so costs
  // next to nothing.
  void PasseInactive();
  // The top-level window of a subscriber (through its QObject parents), or nullptr.
  static const QWidget* FenetreDe(const QObject* proprietaire);
  // Whether the user cannot reach that window now: disabled, or blocked by the modal dialog
  // (a window that the dialog does not own).
  static bool HorsDAtteinte(const QWidget* fenetre, const QWidget* modal);

 signals:
  void commandeExecutee(int id);

 private:
  struct Abonne {
    QPointer<QObject> proprietaire;
    int id;
    std::function<void(bool)> regler;
  };
  PCibleCommandes* application_ = nullptr;
  QPointer<QWidget> fenetrePrincipale_;
  std::deque<Abonne> abonnes_;
  int profondeur_ = 0;
};

}  // namespace velquor
