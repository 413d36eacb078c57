// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/rapporteur_defile.h"

namespace velquor {

RapporteurDefile::RapporteurDefile(QWidget* proprietaire)
    : RapporteurDefile(proprietaire, proprietaire) {}

RapporteurDefile::RapporteurDefile(QWidget* proprietaire, QWidget* aDesactiver)
    : proprietaire_(proprietaire), aDesactiver_(aDesactiver) {}

RapporteurDefile::~RapporteurDefile() {
  // A pass cut short still gives its window back.
  if (enCours_) Fin();
}

void RapporteurDefile::Debut() {
  if (enCours_) return;
  enCours_ = true;
  arret_ = false;
  auto* dialogue = new DefileDlg(proprietaire_);
  dialogue_ = dialogue;
  dialogue->Creer();
  if (legende_) dialogue->DefinirLegende(*legende_);
  if (cacherArret_) dialogue->CacherArret();
  dialogue->Montrer();
  ActiverFenetre(aDesactiver_, false);
}

bool RapporteurDefile::MettreAJour(std::string_view nom, std::int64_t total, std::int64_t ordinal) {
  // The dialog may be gone if its owner was destroyed meanwhile: the last answer stands.
  if (dialogue_) arret_ = dialogue_->MettreAJour(nom, total, ordinal);
  return arret_;
}

void RapporteurDefile::Fin() {
  if (!enCours_) return;
  enCours_ = false;
  ActiverFenetre(aDesactiver_, true);
  delete dialogue_.data();
  dialogue_ = nullptr;
}

}  // namespace velquor
