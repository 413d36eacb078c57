// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application base: owns the command router, the idle timer, the message service and the
// main window pointer; it is also the last link of the command chain (its response table holds
// the exit command 24310). The program's application class derives from it and builds its main
// window in InitMainWindow.

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

#include "framework/commandes.h"
#include "framework/routeur.h"
#include "framework/service_messages.h"

class QApplication;
class QTimer;

namespace velquor {

class PApplication : public QObject, public PCibleTable {
  Q_OBJECT

 public:
  // Idle passes run this often, besides one after every command.
  static constexpr int kPeriodeInactiviteMs = 100;

  // Attaches to the QApplication that already runs (tests).
  explicit PApplication(const QString& nom);
  // Creates the QApplication and owns it (the program's main function).
  PApplication(const QString& nom, int& argc, char** argv);
  ~PApplication() override;
  PApplication(const PApplication&) = delete;
  PApplication& operator=(const PApplication&) = delete;

  // The application that runs, or nullptr (the legacy current-application accessor).
  static PApplication* Courante();

  const QString& Nom() const { return nom_; }
  PRouteurCommandes& Routeur() { return *routeur_; }
  QWidget* FenetrePrincipale() const { return fenetrePrincipale_; }
  void DefinirFenetrePrincipale(QWidget* fenetre);

  // InitMainWindow, shows the main window, then runs the event loop until it closes.
  int Executer();

  // One idle pass: the enabling of every command subscriber.
  void PasseInactive();

  // What F1 does outside message boxes (the help): in dialogs, views, open menus, the frame, and
  // for an F1 key press posted to any window. Message boxes always swallow F1.
  void DefinirAideF1(std::function<void()> aide) { aideF1_ = std::move(aide); }

  // PMessages of the store, the one the core's hooks receive.
  PServiceMessages& Messages() { return ServiceMessages(); }

 protected:
  virtual void InitMainWindow() {}
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void Initialiser();

  QString nom_;
  std::unique_ptr<QApplication> qapp_;
  PRouteurCommandes* routeur_ = nullptr;
  QTimer* inactivite_ = nullptr;
  ServiceMessagesQt service_;
  bool serviceInstalle_ = false;
  QPointer<QWidget> fenetrePrincipale_;
  std::function<void()> aideF1_;
};

// Dispatches the waiting events, then makes one idle pass (the hook the long passes call after
// each record, so that the window stays alive and its stop button is heard). The events posted
// in the program are dispatched at every call; the window system's queue and the timers are
// read at most every kPeriodeLectureMs, a delay no one sees, which keeps the call cheap enough
// to follow every record of a pass.
inline constexpr int kPeriodeLectureMs = 2;
void TraiterMessagesEnAttente();

// An idle pass now, when an application runs.
void DemanderPasseInactive();

}  // namespace velquor
