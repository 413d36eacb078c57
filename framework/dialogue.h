// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog base: a dialog built from a template id, in the manner of the legacy framework.
//
//   class TMonDlg : public PDialogue {
//    public:
//     explicit TMonDlg(QWidget* parent) : PDialogue(206, parent) {
//       Commande(2, [this] { ArretDemande = true; });   // a handler of the response table
//     }
//    protected:
//     void SetupWindow() override { Controle<QLabel>(101)->setText("0 %"); }
//   };
//
// The controls are built when the dialog is created (Creer, or the first show, Executer or
// Montrer), then SetupWindow runs once. Push buttons, radio buttons and check boxes send their
// id as a command to the dialog's response table when clicked; Enter sends the default button's
// id (1 when the template has none), Escape and the close box send 2. Commands 1 and 2 run CmOk
// and CmCancel, which end the dialog with that result. The button Enter presses is drawn as the
// default one whenever no other push button has the focus.
//
// A dialog hosted in a view answers its own mnemonics (Alt+letter) before the frame's menu bar
// does, as the legacy frame passed a view's keys through its dialog first: in the cocktail
// editor Alt+F goes to "&Famille", not to the menu "&Fichiers".

#include <QDialog>
#include <QPointer>

#include <functional>
#include <map>
#include <vector>

#include "framework/commandes.h"
#include "framework/constructeur_dialogue.h"
#include "framework/modele_dialogue.h"

namespace velquor {

class PDialogue : public QDialog, public PCibleTable {
  Q_OBJECT

 public:
  explicit PDialogue(int idModele, QWidget* parent = nullptr);
  // From a template that is not in the program's table (tests, composed dialogs); the template
  // must outlive the dialog.
  explicit PDialogue(const ModeleDialogue& modele, QWidget* parent = nullptr);
  ~PDialogue() override;

  int IdModele() const { return idModele_; }
  // The template, or nullptr when the id has none.
  const ModeleDialogue* Modele() const { return modele_; }

  // Before creation: the control with that id is made by the factory, for a class of the
  // program's own (it must derive from the kind's class for the template's styles to apply).
  void Lier(int id, Fabrique fabrique);

  // Builds the controls and runs SetupWindow, once. False when the template does not exist.
  bool Creer();
  bool EstCree() const { return cree_; }
  // Modal run; returns the result given to FermerDialogue (1 ok, 2 cancel, ...), -1 when the
  // dialog cannot be created. Goes through the modal seam (DefinirCoutureModale).
  int Executer();
  // Modeless: creates and shows the dialog.
  void Montrer();
  bool EnExecution() const { return enExecution_; }

  // The control with that id, or nullptr.
  QWidget* ControleParId(int id) const;
  // The control with that id as T, or nullptr when it is missing or of another class.
  template <class T>
  T* Controle(int id) const {
    return dynamic_cast<T*>(ControleParId(id));
  }
  // A control the dialog makes itself, placed in pixels of its client area (the progress
  // dialog's gauge); styles as in a template.
  QWidget* AjouterControle(const ModeleControle& modele, const QRect& pixels,
                           const Fabrique& fabrique = {});

  // Ends the dialog with that result: the modal run returns it, a modeless dialog is hidden.
  void FermerDialogue(int resultat);
  // A command from a control or a key: runs the dialog's handler if it has one.
  void CommandeControle(int id);
  // The button Enter presses: the template's default push button, else 1.
  int IdDefaut() const { return idDefaut_; }

 signals:
  void commandeControle(int id);

 protected:
  virtual void SetupWindow() {}
  virtual void CmOk();
  virtual void CmCancel();
  // A close request (the close box, close()): command 2 unless a subclass decides otherwise.
  virtual void EvClose();

  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 public:
  void setVisible(bool visible) override;

 private:
  void Enregistrer(QWidget* controle, int id);
  // The visible, enabled control whose mnemonic is that key (a label gives its buddy); when
  // several have it, the next one after the focus, and `seul` is false.
  QWidget* ControleDuMnemonique(int touche, bool& seul) const;
  void ActiverMnemonique(QWidget* controle, bool seul);

  int idModele_;
  const ModeleDialogue* modele_;
  std::map<int, Fabrique> fabriques_;
  std::map<int, QPointer<QWidget>> controles_;
  bool cree_ = false;
  bool enExecution_ = false;
  int idDefaut_ = CmIdOk;
};

// Enables or disables a window as the legacy EnableWindow did: its controls follow, the windows
// it owns (dialogs whose Qt parent lies inside it) keep their own state, so a progress dialog
// owned by a disabled window still answers.
void ActiverFenetre(QWidget* fenetre, bool actif);

// Called as an owned window (a dialog, a message box, the progress window) is hidden: the
// activation goes back to its owner's window, as the platform gave it back on the legacy system.
// Window managers do not all do it (Openbox leaves no window active after a modal dialog over a
// progress window), and the user's keys would then go nowhere. A window without an owner (the
// help) gives it to the main window.
void RendreActivationAuProprietaire(QWidget* fenetre);

// Asks for the activation of the widget's window (QWidget::activateWindow), in a way the window
// manager honours even while Qt still counts a dialog that was just hidden as the focused window.
void DemanderActivation(QWidget* fenetre);

// The modal seam: when set, it is called with every dialog that starts a modal run, from inside
// that run. Tests use it to act on the dialog (type, click) and close it; a dialog still running
// when the seam returns is ended with result 2. Returns the seam it replaces.
using CoutureModale = std::function<void(PDialogue&)>;
CoutureModale DefinirCoutureModale(CoutureModale couture);

}  // namespace velquor
