// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Edit fields. Both follow the entry rules of filtre_saisie.h, read and write stored text
// (code page 1252 bytes), report the focus entering and leaving (the legacy set-focus and
// kill-focus notifications) and handle the clipboard commands of the accelerator table.

#include <QLineEdit>
#include <QPlainTextEdit>

#include <optional>
#include <string>
#include <string_view>

#include "framework/commandes.h"
#include "framework/filtre_saisie.h"

namespace velquor {

// Focus changes that are notified: a menu or a drop-down list opening takes no focus from the
// field, as on the legacy platform.
bool EstVraiChangementDeFocus(Qt::FocusReason raison);

// Single-line edit (EDITTEXT). changement() is the legacy change notification: it follows
// every change of the text, the program's included. A text set by the program is shown from its
// start, as the legacy field showed it, however long it is.
//
// Both kinds of field leave the keys of the window's accelerator table (Shift+Delete,
// Ctrl+Insert, Shift+Insert, Ctrl+Delete, Alt+Backspace) to it: they come back as the clipboard
// commands, which act as the legacy edit control's (Ctrl+Delete clears the selection only).
class PEdition : public QLineEdit, public PCibleCommandes {
  Q_OBJECT

 public:
  explicit PEdition(QWidget* parent = nullptr);

  void DefinirRegles(const ReglesSaisie& regles);
  const ReglesSaisie& Regles() const { return validateur_->Regles(); }

  // The text as stored bytes; nothing if it ever held a character the code page cannot hold,
  // which every way in refuses (so a caller has nothing to write, never an empty text).
  std::optional<std::string> TexteCp1252() const;
  void DefinirTexteCp1252(std::string_view texte);

  bool TraiteCommande(int id) const override;
  void ExecuteCommande(int id) override;

 signals:
  void changement();
  void focusRecu();
  void focusPerdu();

 protected:
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  ValidateurCp1252* validateur_;
};

// Multi-line edit (EDITTEXT with ES_MULTILINE). Line breaks are stored as CR LF and count two
// bytes against the limit. Enter goes to the dialog (its ok command) unless the field wants it
// (st::VeutRetour); Ctrl+Enter always makes a new line; Tab moves the focus on. changement()
// follows the user's edits only: the legacy multi-line field did not notify the program's own
// text changes.
//
// Every text Qt's own editing would insert (a key's text, an input method's, a paste, a drop, a
// middle click) goes through the entry rules first; behind them, a change that puts a character
// the code page cannot hold into the field by any other way (the accessibility interface, a
// context menu entry) is undone at once, with the beep.
class PEditionMulti : public QPlainTextEdit, public PCibleCommandes {
  Q_OBJECT

 public:
  explicit PEditionMulti(QWidget* parent = nullptr);

  void DefinirRegles(const ReglesSaisie& regles) { regles_ = regles; }
  const ReglesSaisie& Regles() const { return regles_; }
  void DefinirVeutRetour(bool veut) { veutRetour_ = veut; }

  // The text as stored bytes, line breaks as CR LF; nothing as for PEdition.
  std::optional<std::string> TexteCp1252() const;
  // The text as the field shows it, line breaks as LF, every character as it is (Qt's
  // toPlainText() would turn a no-break space into a space).
  QString Texte() const;
  // Replaces the text without a change notification.
  void DefinirTexteCp1252(std::string_view texte);
  void DefinirTexte(const QString& texte);

  bool TraiteCommande(int id) const override;
  void ExecuteCommande(int id) override;

 signals:
  void changement();
  void focusRecu();
  void focusPerdu();

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Inserts in place of the selection if the rules allow it; else beeps. Returns whether it
  // inserted.
  bool Inserer(QString texte);
  // After any change of the text: one the code page cannot hold is put back as it was.
  void Garder();

  ReglesSaisie regles_;
  bool veutRetour_ = false;
  bool parProgramme_ = false;
  QString valide_;  // the text after the last change that kept to the code page
};

// Whether Qt's text controls would insert the key's text into the field (their own test of
// acceptable input): such a key goes through the entry rules instead.
bool EstSaisieDeTexte(const QKeyEvent* event);

}  // namespace velquor
