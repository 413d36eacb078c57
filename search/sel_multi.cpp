// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/sel_multi.h"

#include <QLabel>

#include "framework/boutons.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/placement.h"
#include "framework/service_messages.h"

namespace velquor {

namespace {
constexpr int kIdTexte = 110;
constexpr int kIdMotif = 101;
constexpr std::size_t kLongueurMax = 30;
}  // namespace

SelMulti::SelMulti(QWidget* proprietaire, std::string& motif, bool selectionPermise,
                   bool deselectionPermise)
    : PDialogue(209, proprietaire),
      motif_(motif),
      selectionPermise_(selectionPermise),
      deselectionPermise_(deselectionPermise) {
  Commande(Selection, [this] { MajTexte(); });
  Commande(Deselection, [this] { MajTexte(); });
}

void SelMulti::SetupWindow() {
  auto* selection = Controle<PRadio>(Selection);
  auto* deselection = Controle<PRadio>(Deselection);
  selection->setEnabled(selectionPermise_);
  deselection->setEnabled(deselectionPermise_);
  selection->setChecked(selectionPermise_);
  deselection->setChecked(!selectionPermise_);
  // The label's mnemonic leads to the pattern, as the next control in the template.
  if (auto* texte = Controle<QLabel>(kIdTexte)) texte->setBuddy(Controle<PEdition>(kIdMotif));
  MajTexte();
  CentreSurParent(this);
}

void SelMulti::MajTexte() {
  auto* texte = Controle<QLabel>(kIdTexte);
  if (!texte) return;
  texte->setText(Controle<PRadio>(Selection)->isChecked()
                     ? QStringLiteral("Sélection des &ingrédients contenant: ")
                     : QStringLiteral("Désélection des &ingrédients contenant: "));
}

void SelMulti::CmOk() {
  auto* edition = Controle<PEdition>(kIdMotif);
  // A text the code page cannot hold (which the field refuses) is refused as an empty one.
  std::optional<std::string> motif = edition->TexteCp1252();
  if (motif) {
    if (motif->size() > kLongueurMax) motif->resize(kLongueurMax);
    // Only the trailing blanks go: a leading blank is part of the pattern.
    const std::size_t fin = motif->find_last_not_of(' ');
    motif->resize(fin == std::string::npos ? 0 : fin + 1);
  }
  if (!motif || motif->empty()) {
    ServiceMessages().Bip();
    edition->setFocus();
    return;
  }
  motif_ = *motif;
  FermerDialogue(Controle<PRadio>(Selection)->isChecked() ? Selection : Deselection);
}

int DeplacerContenant(PListe& source, PListe& destination, std::string_view motif) {
  int deplaces = 0;
  for (int i = source.NbElements() - 1; i >= 0; --i) {
    const std::string nom = source.Chaine(i);
    if (nom.find(motif) == std::string::npos) continue;
    source.SupprimerChaine(i);
    destination.SelectionnerIndex(destination.AjouterChaine(nom));
    ++deplaces;
  }
  return deplaces;
}

}  // namespace velquor
