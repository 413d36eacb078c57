// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one service through which the window program talks to the user outside its windows:
// message boxes (AffMessage of the string table, the store's "Vantor" box, boxes with a caption
// of their own), beeps and the wait and arrow cursors. The application installs the Qt one;
// tests install a scripted responder (tests/support_ui) that records and answers.

#include <QMessageBox>
#include <QPointer>
#include <QString>

#include <string_view>

#include "store/messages.h"
#include "store/rapport_vantor.h"

namespace velquor {

// Button sets and icons of the message-box style flags (the platform's values).
enum class BoutonsMessage : unsigned {
  Ok = 0,
  OkAnnuler = 1,
  AbandonReessayerIgnorer = 2,
  OuiNonAnnuler = 3,
  OuiNon = 4,
  ReessayerAnnuler = 5,
};
enum class IconeMessage : unsigned {
  Aucune = 0,
  Arret = 0x10,
  Question = 0x20,
  Exclamation = 0x30,
  Information = 0x40,
};
// Answers beyond those of store/messages.h.
enum ReponseMessageSup : int {
  ReponseAnnuler = 2,
  ReponseAbandon = 3,
  ReponseReessayer = 4,
  ReponseIgnorer = 5
};

BoutonsMessage BoutonsDuStyle(unsigned style);
IconeMessage IconeDuStyle(unsigned style);
// Whether a box with these buttons can give that answer.
bool ReponsePossible(BoutonsMessage boutons, int reponse);

enum class Curseur { Fleche, Attente };

inline const QString kTitreVantor = QStringLiteral("Vantor");

class PServiceMessages : public PMessages, public PRapporteurVantor {
 public:
  // A message box with that caption, text and style; returns the button pressed.
  virtual int Boite(const QString& titre, const QString& texte, unsigned style) = 0;
  // The platform's default beep (MessageBeep with type 0).
  virtual void Bip() = 0;
  virtual void DefinirCurseur(Curseur curseur) = 0;

  // The string with that id, its "%s" replaced by the argument (code page 1252 bytes), under
  // the application's caption.
  int AffMessage(int idChaine, std::string_view argumentCp1252, unsigned style) override;
  // The store's error box: caption "Vantor", stop icon, OK. texte is UTF-8.
  void Afficher(std::string_view texte) override;

  void CurseurAttente() { DefinirCurseur(Curseur::Attente); }
  void CurseurFleche() { DefinirCurseur(Curseur::Fleche); }

  // The caption of AffMessage: the application's name.
  void DefinirTitre(const QString& titre) { titre_ = titre; }
  const QString& Titre() const { return titre_; }

 private:
  QString titre_ = QStringLiteral("Le Velquor");
};

// A message box that swallows F1: help is never shown over a message box. Its buttons answer
// their letter (with or without Alt) at once.
class PBoiteMessage : public QMessageBox {
  Q_OBJECT

 public:
  using QMessageBox::QMessageBox;

  // A box without a Cancel button (Yes/No, Abort/Retry/Ignore) has no escape, as on the legacy
  // platform: Escape does nothing and its close box is disabled, so that only a button answers.
  // (Qt would make "Non" the escape button: Escape would create an ingredient as not alcoholic.)
  void DefinirSansEchappement();
  bool SansEchappement() const { return sansEchappement_; }
  void setVisible(bool visible) override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool sansEchappement_ = false;
};

// The real boxes, owned by the main window.
class ServiceMessagesQt : public PServiceMessages {
 public:
  int Boite(const QString& titre, const QString& texte, unsigned style) override;
  void Bip() override;
  void DefinirCurseur(Curseur curseur) override;
  void DefinirProprietaire(QWidget* proprietaire) { proprietaire_ = proprietaire; }

 private:
  QPointer<QWidget> proprietaire_;
};

// The installed service (the Qt one when none is installed).
PServiceMessages& ServiceMessages();
// Installs a service, also as the store's "Vantor" reporter, and returns the one it replaces
// (nullptr for the default); nullptr restores the default.
PServiceMessages* InstallerServiceMessages(PServiceMessages* service);

}  // namespace velquor
