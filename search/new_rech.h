// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search dialog "Lancement d'une recherche" (template 205): three pages, one per kind of
// search (by name, by family, by ingredients). The family and ingredient pages move names
// between an available list and a chosen list; the chosen names come back from the selection
// files. Ok runs the search with the current page's criteria: the dialog closes with 1 when
// something matched and stays open with all its state otherwise.
//
//   if (NewRech(parent).Executer() == 1) ... open the results view

#include <optional>

#include "framework/dialogue.h"
#include "search/criteres_recherche.h"

namespace velquor {

class PListe;

class NewRech : public PDialogue {
  Q_OBJECT

 public:
  explicit NewRech(QWidget* parent);

  // The page shown, 1 to 3 (0 before set-up).
  int OngletCourant() const { return ongletCourant_; }
  // The list the Informations button refers to: 'D' the available ingredients, 'S' the chosen.
  char CibleInformations() const { return cibleInformations_; }
  // The criteria as the controls give them now.
  // Nothing when the search text cannot be stored as code page 1252.
  std::optional<CriteresRecherche> Criteres() const;

 protected:
  void SetupWindow() override;
  void CmOk() override;

 private:
  void ChangerPage(int page);
  void Charger(int page);
  // The lists of the current page: 203 and 210 on page 2, 303 and 311 on any other.
  PListe* Disponibles() const;
  PListe* Choisis() const;

  void Ajoute();
  void Enleve();
  // Moves the selected entry; false (after a beep) when none is selected.
  bool Deplacer(PListe* source, PListe* destination);
  void AjouteTout();
  void EnleveTout();
  void ToutDeplacer(PListe* source, PListe* destination);
  void MajBoutons();
  void Informations();
  void SelectionMultiple();
  void ChoisirCible(char cible);

  int ongletCourant_ = 0;
  bool famillesChargees_ = false;
  bool ingredientsCharges_ = false;
  char cibleInformations_ = 'D';
};

}  // namespace velquor
