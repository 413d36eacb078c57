// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The document window of an editor: a view whose client is the editor's dialog, sized to it.
// It adds one thing to the plain view: a change still pending in the focused field is written
// before the view goes, whichever way it goes (replaced by another view or by the search, the
// program quitting, or the view simply deleted), exactly as leaving the field would write it.

#include <QPointer>

#include "editors/editeur_dlg.h"
#include "framework/vue.h"

namespace velquor {

class PVueEditeur : public PVue {
  Q_OBJECT

 public:
  // The view takes the editor as its client (and owns it); the editor opens its collections now.
  PVueEditeur(QWidget* parent, const QString& titre, PEditeurDlg* editeur);
  ~PVueEditeur() override;

  PEditeurDlg* Editeur() const { return editeur_; }

  // The close query: writes the pending change, then lets the view close.
  bool PeutFermer() override;

 private:
  void ValiderSaisie();

  QPointer<PEditeurDlg> editeur_;
};

}  // namespace velquor
