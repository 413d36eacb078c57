// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/edition.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

#include "framework/bulle_entree.h"
#include "framework/menus.h"
#include "framework/service_messages.h"
#include "framework/texte_qt.h"

namespace velquor {

bool EstVraiChangementDeFocus(Qt::FocusReason raison) {
  return raison != Qt::PopupFocusReason && raison != Qt::MenuBarFocusReason;
}

namespace {

// Whether the key is left to the window's accelerators: the event is then not overridden.
bool LaisserALAccelerateur(QWidget* champ, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return false;
  if (!EstAccelerateur(champ->window(), static_cast<QKeyEvent*>(event))) return false;
  event->ignore();
  return true;
}

bool EstCommandeEdition(int id) {
  return id == CmAnnulerSaisie || id == CmCouper || id == CmCopier || id == CmColler ||
         id == CmEffacer;
}

// The clipboard commands of both kinds of field; `effacer` deletes the selection.
template <class Champ, class Effacer>
void ExecuterCommandeEdition(Champ& champ, int id, Effacer effacer) {
  switch (id) {
    case CmAnnulerSaisie:
      champ.undo();
      break;
    case CmCouper:
      champ.cut();
      break;
    case CmCopier:
      champ.copy();
      break;
    case CmColler:
      champ.paste();
      break;
    case CmEffacer:
      if (!champ.isReadOnly()) effacer();
      break;
    default:
      break;
  }
}

}  // namespace

// ---- PEdition

PEdition::PEdition(QWidget* parent)
    : QLineEdit(parent), validateur_(new ValidateurCp1252({}, this)) {
  setValidator(validateur_);
  GarderCp1252(this);  // before the notification: a refused text is never notified
  connect(this, &QLineEdit::textChanged, this, &PEdition::changement);
  BulleTexteCoupe(this);
}

void PEdition::DefinirRegles(const ReglesSaisie& regles) {
  validateur_->DefinirRegles(regles);
}

std::optional<std::string> PEdition::TexteCp1252() const {
  return QStringVersCp1252(text());
}

void PEdition::DefinirTexteCp1252(std::string_view texte) {
  // The entry rules are the user's: the program's text is shown as it is stored, even when a
  // damaged record's field runs past the limit (no beep, nothing cut or put into capitals).
  setValidator(nullptr);
  setText(Cp1252VersQString(texte));
  setCursorPosition(0);
  setValidator(validateur_);
}

bool PEdition::TraiteCommande(int id) const {
  return EstCommandeEdition(id);
}

void PEdition::ExecuteCommande(int id) {
  ExecuterCommandeEdition(*this, id, [this] {
    if (hasSelectedText()) del();  // del() alone would delete the next character
  });
}

bool PEdition::event(QEvent* event) {
  if (LaisserALAccelerateur(this, event)) return true;
  return QLineEdit::event(event);
}

void PEdition::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (EstVraiChangementDeFocus(event->reason())) emit focusRecu();
}

void PEdition::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (EstVraiChangementDeFocus(event->reason())) emit focusPerdu();
}

// ---- PEditionMulti

PEditionMulti::PEditionMulti(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  // The check comes first, so that a refused change is undone before anyone is notified.
  connect(document(), &QTextDocument::contentsChanged, this, [this] { Garder(); });
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (!parProgramme_) emit changement();
  });
}

QString PEditionMulti::Texte() const {
  QString texte = document()->toRawText();
  texte.replace(QChar::ParagraphSeparator, QChar('\n'));
  texte.replace(QChar::LineSeparator, QChar('\n'));
  return texte;
}

std::optional<std::string> PEditionMulti::TexteCp1252() const {
  return TexteMultiVersCp1252(Texte());
}

void PEditionMulti::Garder() {
  const QString texte = Texte();
  if (EstRepresentableCp1252(texte)) {
    valide_ = texte;
    return;
  }
  ServiceMessages().Bip();
  // The part that changed, between what both texts share at their start and at their end, is
  // given back its former characters. Joined to the change's own step, so that undo does not
  // bring the refused text back.
  qsizetype debut = 0;
  const qsizetype plusCourt = std::min(texte.size(), valide_.size());
  while (debut < plusCourt && texte[debut] == valide_[debut])
    ++debut;
  qsizetype fin = 0;
  while (fin < plusCourt - debut &&
         texte[texte.size() - 1 - fin] == valide_[valide_.size() - 1 - fin])
    ++fin;
  QTextCursor curseur(document());
  curseur.joinPreviousEditBlock();
  curseur.setPosition(static_cast<int>(debut));
  curseur.setPosition(static_cast<int>(texte.size() - fin), QTextCursor::KeepAnchor);
  curseur.insertText(valide_.mid(debut, valide_.size() - fin - debut));
  curseur.endEditBlock();
}

void PEditionMulti::DefinirTexteCp1252(std::string_view texte) {
  DefinirTexte(Cp1252VersTexteMulti(texte));
}

void PEditionMulti::DefinirTexte(const QString& texte) {
  parProgramme_ = true;
  setPlainText(texte);
  parProgramme_ = false;
}

bool PEditionMulti::TraiteCommande(int id) const {
  return EstCommandeEdition(id);
}

bool PEditionMulti::event(QEvent* event) {
  if (LaisserALAccelerateur(this, event)) return true;
  return QPlainTextEdit::event(event);
}

void PEditionMulti::ExecuteCommande(int id) {
  ExecuterCommandeEdition(*this, id, [this] { textCursor().removeSelectedText(); });
}

bool PEditionMulti::Inserer(QString texte) {
  texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  texte.replace(QChar('\r'), QChar('\n'));
  if (!EstRepresentableCp1252(texte)) {
    ServiceMessages().Bip();
    return false;
  }
  if (regles_.limite > 0) {
    QString selection = textCursor().selectedText();
    selection.replace(QChar::ParagraphSeparator, QChar('\n'));
    int longueur = LongueurStockeeMulti(Texte()) - LongueurStockeeMulti(selection) +
                   LongueurStockeeMulti(texte);
    if (longueur > regles_.limite) {
      ServiceMessages().Bip();
      return false;
    }
  }
  insertPlainText(regles_.majuscules ? MajusculesQString(texte) : texte);
  return true;
}

void PEditionMulti::keyPressEvent(QKeyEvent* event) {
  const bool retour = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (retour) {
    if (isReadOnly()) {
      event->ignore();
      return;
    }
    if (!veutRetour_ && !(event->modifiers() & Qt::ControlModifier)) {
      event->ignore();  // to the dialog: its default command
      return;
    }
    Inserer(QStringLiteral("\n"));
    event->accept();
    return;
  }
  if (EstSaisieDeTexte(event) && !isReadOnly()) {
    Inserer(event->text());
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

bool EstSaisieDeTexte(const QKeyEvent* event) {
  const QString texte = event->text();
  if (texte.isEmpty()) return false;
  const QChar c = texte.at(0);
  // Format characters (joiners, direction marks) are text whatever the modifiers.
  if (c.category() == QChar::Other_Format) return true;
  const Qt::KeyboardModifiers modificateurs = event->modifiers();
  if (modificateurs == Qt::ControlModifier ||
      modificateurs == (Qt::ShiftModifier | Qt::ControlModifier))
    return false;
  if (c.isPrint() || c.category() == QChar::Other_PrivateUse) return true;
  // A character beyond the basic plane comes as a pair of surrogates.
  return c.isHighSurrogate() && texte.size() > 1 && texte.at(1).isLowSurrogate();
}

void PEditionMulti::inputMethodEvent(QInputMethodEvent* event) {
  if (event->commitString().isEmpty() || isReadOnly()) {
    QPlainTextEdit::inputMethodEvent(event);
    return;
  }
  QString commit = event->commitString();
  QInputMethodEvent sansCommit(event->preeditString(), event->attributes());
  QPlainTextEdit::inputMethodEvent(&sansCommit);
  Inserer(commit);
  event->accept();
}

void PEditionMulti::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly() || !source || !source->hasText()) return;
  Inserer(source->text());
}

void PEditionMulti::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  if (EstVraiChangementDeFocus(event->reason())) emit focusRecu();
}

void PEditionMulti::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  if (EstVraiChangementDeFocus(event->reason())) emit focusPerdu();
}

}  // namespace velquor
