// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results view "Résultat de la recherche": a view whose client is a TResuDlg.

#include "framework/vue.h"

namespace velquor {

class TResuDlg;

class TResuChild : public PVue {
  Q_OBJECT

 public:
  explicit TResuChild(QWidget* parent = nullptr);
  TResuDlg* Dialogue() const;
};

}  // namespace velquor
