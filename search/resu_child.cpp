// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/resu_child.h"

#include "search/resu_dlg.h"

namespace velquor {

TResuChild::TResuChild(QWidget* parent) : PVue(QStringLiteral("Résultat de la recherche"), parent) {
  DefinirClient(new TResuDlg);
}

TResuDlg* TResuChild::Dialogue() const {
  return qobject_cast<TResuDlg*>(Client());
}

}  // namespace velquor
