// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/enreg_dlg.h"

#include <QLabel>

#include "framework/edition.h"
#include "framework/placement.h"
#include "framework/service_messages.h"
#include "store/enregistrements.h"

namespace velquor {

EnregDlg::EnregDlg(QWidget* parent, std::string& nom, ModeNom mode)
    : PDialogue(IdModele, parent), nom_(nom), mode_(mode) {}

QString EnregDlg::Legende(EnregDlg::ModeNom mode) {
  switch (mode) {
    case ModeNom::Creer:
      return QStringLiteral("Créer une nouvelle fiche");
    case ModeNom::Dupliquer:
      return QStringLiteral("Dupliquer une fiche");
    case ModeNom::Renommer:
      return QStringLiteral("Renommer une fiche");
  }
  return {};
}

void EnregDlg::SetupWindow() {
  auto* ancien = Controle<PEdition>(IdAncienNom);
  auto* nouveau = Controle<PEdition>(IdNouveauNom);
  setWindowTitle(Legende(mode_));
  if (mode_ == ModeNom::Creer) {
    if (auto* etiquette = Controle<QLabel>(IdEtiquetteAncien)) etiquette->hide();
    if (ancien) ancien->hide();
  } else {
    if (ancien) ancien->DefinirTexteCp1252(nom_);
    if (nouveau) nouveau->DefinirTexteCp1252(nom_);
  }
  if (nouveau) {
    nouveau->selectAll();
    nouveau->setFocus(Qt::OtherFocusReason);
  }
  // Over the editor's window (its top-level window, the frame, as the legacy owner was), then
  // back onto the screen.
  CentreSurParent(this);
}

std::string SansEspacesFinaux(std::string nom) {
  const auto fin = nom.find_last_not_of(' ');
  nom.erase(fin == std::string::npos ? 0 : fin + 1);
  return nom;
}

void EnregDlg::CmOk() {
  auto* nouveau = Controle<PEdition>(IdNouveauNom);
  if (!nouveau) return;
  // A text the code page cannot hold (which the field refuses) is refused as an empty name.
  const std::optional<std::string> texte = nouveau->TexteCp1252();
  std::string nom;
  if (texte) nom = SansEspacesFinaux(texte->substr(0, TailleNom - 1));
  if (nom.empty()) {
    ServiceMessages().Bip();
    nouveau->DefinirTexteCp1252("");
    nouveau->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (mode_ != ModeNom::Creer && nom == nom_) {
    ServiceMessages().Bip();
    nouveau->setFocus(Qt::OtherFocusReason);
    return;
  }
  nom_ = std::move(nom);
  FermerDialogue(CmIdOk);
}

}  // namespace velquor
