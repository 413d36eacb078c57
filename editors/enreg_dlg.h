// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name dialog (template 204): the name of a record to create, or the new name of a record to
// duplicate or rename. It only collects and checks the name (not empty once its trailing spaces
// are gone; in the duplicate and rename modes, not the old name); whether the name is free in
// the collection is the calling editor's check.
//
//   std::string nom = ancien;                        // stored text (code page 1252)
//   if (EnregDlg(this, nom, EnregDlg::ModeNom::Renommer).Executer() == 1) ...   // nom is the new
//   name

#include <string>

#include "framework/dialogue.h"

namespace velquor {

class EnregDlg : public PDialogue {
  Q_OBJECT

 public:
  // 1 create, 2 duplicate, 3 rename.
  enum class ModeNom : int { Creer = 1, Dupliquer = 2, Renommer = 3 };

  static constexpr int IdModele = 204;
  static constexpr int IdEtiquetteAncien = 801;
  static constexpr int IdAncienNom = 802;
  static constexpr int IdNouveauNom = 803;

  // nom holds the old name in the duplicate and rename modes; on a confirmed exit (result 1) it
  // receives the new name, otherwise it is left as it was.
  EnregDlg(QWidget* parent, std::string& nom, ModeNom mode);

  // The caption of each mode.
  static QString Legende(ModeNom mode);

 protected:
  void SetupWindow() override;
  void CmOk() override;

 private:
  std::string& nom_;
  ModeNom mode_;
};

// The name as confirmed: the trailing spaces removed, leading and inner spaces kept.
std::string SansEspacesFinaux(std::string nom);

}  // namespace velquor
