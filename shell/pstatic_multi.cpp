// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/pstatic_multi.h"

#include <QKeyEvent>

#include "framework/service_messages.h"

namespace velquor {

namespace {

bool EstToucheDeDeplacement(int touche) {
  switch (touche) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

// Whether the key makes a character: a printable one, Backspace, or a control character (Ctrl
// with a letter or one of @ [ \ ] ^ _). Delete makes none, though X11 gives it the text DEL.
bool ProduitUnCaractere(const QKeyEvent* event) {
  const int touche = event->key();
  if (touche == Qt::Key_Backspace) return true;
  if ((event->modifiers() & Qt::ControlModifier) &&
      ((touche >= Qt::Key_A && touche <= Qt::Key_Z) || touche == Qt::Key_At ||
       touche == Qt::Key_BracketLeft || touche == Qt::Key_Backslash ||
       touche == Qt::Key_BracketRight || touche == Qt::Key_AsciiCircum ||
       touche == Qt::Key_Underscore))
    return true;
  return !event->text().isEmpty() && event->text().at(0).isPrint();
}

}  // namespace

PStaticMulti::PStaticMulti(QWidget* parent) : PEditionMulti(parent) {
  // Read-only for Qt as well, so that no other way in (the context menu, dropping text, the
  // clipboard commands) changes the text; the caret still moves with the keyboard.
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setAcceptDrops(false);
}

void PStaticMulti::ExecuteCommande(int id) {
  if (id == CmCopier) PEditionMulti::ExecuteCommande(id);
}

void PStaticMulti::keyPressEvent(QKeyEvent* event) {
  const int touche = event->key();
  if (EstToucheDeDeplacement(touche)) {
    PEditionMulti::keyPressEvent(event);
    return;
  }
  // Enter and Escape belong to the dialog (its default button, its cancel command), as in any
  // multi-line field of a dialog; Tab never gets here (it moves the focus).
  if (touche == Qt::Key_Return || touche == Qt::Key_Enter || touche == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  if (ProduitUnCaractere(event)) ServiceMessages().Bip();
  event->accept();
}

void PStaticMulti::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) ServiceMessages().Bip();
  event->accept();
}

bool PStaticMulti::canInsertFromMimeData(const QMimeData*) const {
  return false;
}

void PStaticMulti::insertFromMimeData(const QMimeData*) {}

}  // namespace velquor
