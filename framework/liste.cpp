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

QByteArray PListe::Octets(int index) const {
  const QListWidgetItem* element = item(index);
  return element ? element->data(kRoleOctets).toByteArray() : QByteArray();
}

int PListe::AjouterChaine(std::string_view texte) {
  int index = trie_ ? PositionTriee(count(), texte, [this](int i) { return Octets(i); }) : count();
  return InsererChaine(index, texte);
}

int PListe::InsererChaine(int index, std::string_view texte) {
  ParProgramme garde(parProgramme_);
  if (index < 0 || index > count()) index = count();
  auto* element = new QListWidgetItem(Cp1252VersQString(texte));
  element->setData(kRoleOctets, QByteArray(texte.data(), static_cast<qsizetype>(texte.size())));
  insertItem(index, element);
  return index;
}

bool PListe::SupprimerChaine(int index) {
  ParProgramme garde(parProgramme_);
  if (index < 0 || index >= count()) return false;
  delete takeItem(index);
  return true;
}

void PListe::Vider() {
  ParProgramme garde(parProgramme_);
  clear();
}

std::string PListe::Chaine(int index) const {
  QByteArray octets = Octets(index);
  return std::string(octets.constData(), static_cast<std::size_t>(octets.size()));
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
