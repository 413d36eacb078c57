// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/filtre_rech.h"

#include "framework/boutons.h"
#include "framework/combo.h"
#include "framework/placement.h"
#include "framework/service_messages.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"

namespace velquor {

namespace {

enum : int {
  IdFamilles = 101,
  IdIngredients = 102,
  IdTous = 103,
  IdAlcoolises = 104,
  IdNonAlcoolises = 105,
};

// "<Toutes>" or "<Tous>" first, then the names of the collection when it opens (it is never
// created here, and a failure says nothing).
template <class Fic>
void Remplir(PCombo& combo, const char* tous) {
  combo.AjouterChaine(tous);
  Fic fichier;
  fichier.Ouvrir();
  LotFichier lot(fichier);  // the walk reads from memory; nothing on a closed collection
  if (fichier.Premier()) {
    do
      combo.AjouterChaine(Texte(fichier.Enreg.Nom));
    while (fichier.Suivant());
  }
  combo.SelectionnerIndex(0);
}

// Selects the first name after entry 0 that begins with the criterion (case ignored), if any.
void Reprendre(PCombo& combo, const std::string& filtre) {
  if (filtre.empty()) return;
  const int index = combo.ChercherPrefixe(filtre, 0);
  if (index > 0) combo.SelectionnerIndex(index);
}

std::string Choix(const PCombo& combo) {
  const int index = combo.IndexSelection();
  return index > 0 ? combo.Chaine(index) : std::string();
}

}  // namespace

FiltreRech::FiltreRech(QWidget* proprietaire, std::string& filtreIngredient,
                       std::string& filtreFamille, std::string& filtreAlcool)
    : PDialogue(208, proprietaire),
      filtreIngredient_(filtreIngredient),
      filtreFamille_(filtreFamille),
      filtreAlcool_(filtreAlcool) {}

void FiltreRech::SetupWindow() {
  PServiceMessages& service = ServiceMessages();
  service.CurseurAttente();
  auto* familles = Controle<PCombo>(IdFamilles);
  auto* ingredients = Controle<PCombo>(IdIngredients);
  Remplir<FicFamille>(*familles, "<Toutes>");
  Remplir<FicIngredient>(*ingredients, "<Tous>");
  Reprendre(*familles, filtreFamille_);
  Reprendre(*ingredients, filtreIngredient_);

  const char alcool = filtreAlcool_.empty() ? 'T' : filtreAlcool_.front();
  // Anything but A or N is the default "T", so that one option is always checked.
  const int radio = alcool == 'A' ? IdAlcoolises : alcool == 'N' ? IdNonAlcoolises : IdTous;
  for (int id : {IdTous, IdAlcoolises, IdNonAlcoolises})
    Controle<PRadio>(id)->setChecked(id == radio);

  service.CurseurFleche();
  CentreSurParent(this);
}

void FiltreRech::CmOk() {
  const char alcool = Controle<PRadio>(IdTous)->isChecked()         ? 'T'
                      : Controle<PRadio>(IdAlcoolises)->isChecked() ? 'A'
                                                                    : 'N';
  // One character (not operator= of a literal, which GCC 12 at -O2 wrongly reports under
  // -Wrestrict).
  filtreAlcool_.assign(1, alcool);
  filtreIngredient_ = Choix(*Controle<PCombo>(IdIngredients));
  filtreFamille_ = Choix(*Controle<PCombo>(IdFamilles));
  FermerDialogue(CmIdOk);
}

}  // namespace velquor
