// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/liste.h"

#include <QFocusEvent>

#include "framework/bulle_entree.h"
#include "framework/edition.h"
#include "framework/recherche_liste.h"
#include "framework/texte_qt.h"

namespace velquor {

PListe::PListe(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (parProgramme_ == 0) emit selectionChangee();
  });
  connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit doubleClic(); });
  BullesEntreesCoupees(this);
}

std::string_view PListe::Octets(int index) const {
  Q_ASSERT(octets_.size() == std::size_t(count()));
  return index >= 0 && std::size_t(index) < octets_.size() ? std::string_view(octets_[index])
                                                           : std::string_view();
}

int PListe::AjouterChaine(std::string_view texte) {
  int index = trie_ ? PositionTriee(count(), texte, [this](int i) { return Octets(i); }) : count();
  return InsererChaine(index, texte);
}

void PListe::AjouterChaines(const std::vector<std::string>& textes) {
  // Sorted, each one must go after the entries before it, as PositionTriee would place it; an
  // equal name goes before its equal there, so only a strictly rising run is appended whole.
  bool enOrdre = true;
  for (std::size_t i = 0; trie_ && enOrdre && i < textes.size(); ++i) {
    if (i == 0 && count() == 0) continue;
    const std::string_view precedent =
        i > 0 ? std::string_view(textes[i - 1]) : Octets(count() - 1);
    enOrdre = ComparerNomsSansCasse(precedent, textes[i]) < 0;
  }
  if (!enOrdre) {
    for (const std::string& texte : textes)
      AjouterChaine(texte);
    return;
  }
  ParProgramme garde(parProgramme_);
  QStringList affichages;
  affichages.reserve(qsizetype(textes.size()));
  for (const std::string& texte : textes)
    affichages.append(Cp1252VersQString(texte));
  octets_.insert(octets_.end(), textes.begin(), textes.end());
  addItems(affichages);
}

int PListe::InsererChaine(int index, std::string_view texte) {
  ParProgramme garde(parProgramme_);
  if (index < 0 || index > count()) index = count();
  octets_.insert(octets_.begin() + index, std::string(texte));
  insertItem(index, Cp1252VersQString(texte));
  return index;
}

bool PListe::SupprimerChaine(int index) {
  ParProgramme garde(parProgramme_);
  if (index < 0 || index >= count()) return false;
  octets_.erase(octets_.begin() + index);
  delete takeItem(index);
  return true;
}

void PListe::Vider() {
  ParProgramme garde(parProgramme_);
  octets_.clear();
  clear();
}

std::string PListe::Chaine(int index) const {
  return std::string(Octets(index));
}

int PListe::IndexSelection() const {
  const QList<QListWidgetItem*> choisis = selectedItems();
  return choisis.isEmpty() ? -1 : row(choisis.front());
}

bool PListe::SelectionnerIndex(int index) {
  ParProgramme garde(parProgramme_);
  if (index < 0) {
    clearSelection();
    setCurrentRow(-1);
    return true;
  }
  if (index >= count()) return false;
  setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  scrollToItem(item(index));
  return true;
}

int PListe::ChercherPrefixe(std::string_view prefixe, int apres) const {
  return ChercherCirculaire(
      count(), apres, [this](int i) { return Octets(i); },
      [prefixe](std::string_view texte) { return CommenceParSansCasse(texte, prefixe); });
}

int PListe::ChercherExact(std::string_view texte, int apres) const {
  return ChercherCirculaire(
      count(), apres, [this](int i) { return Octets(i); },
      [texte](std::string_view entree) { return entree == texte; });
}

int PListe::SelectionnerPrefixe(std::string_view prefixe, int apres) {
  int index = ChercherPrefixe(prefixe, apres);
  if (index >= 0) SelectionnerIndex(index);
  return index;
}

QItemSelectionModel::SelectionFlags PListe::selectionCommand(const QModelIndex& index,
                                                             const QEvent* event) const {
  // A click below the last entry selects nothing, and takes nothing off.
  if (!index.isValid() && event) return QItemSelectionModel::NoUpdate;
  QItemSelectionModel::SelectionFlags ordre = QListWidget::selectionCommand(index, event);
  // Qt lets Ctrl take the selected entry off (a deselection, or a toggle for Ctrl+Space): the
  // user's entry is selected instead, as a plain click or Space would.
  if (ordre & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
  }
  return ordre;
}

void PListe::focusInEvent(QFocusEvent* event) {
  QListWidget::focusInEvent(event);
  if (EstVraiChangementDeFocus(event->reason())) emit focusRecu();
}

void PListe::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  if (EstVraiChangementDeFocus(event->reason())) emit focusPerdu();
}

}  // namespace velquor
