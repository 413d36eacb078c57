// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/combo.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>
#include <QWheelEvent>

#include <algorithm>

#include "framework/bulle_entree.h"
#include "framework/edition.h"
#include "framework/recherche_liste.h"
#include "framework/texte_qt.h"

namespace velquor {

PCombo::PCombo(QWidget* parent) : QComboBox(parent) {
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(12);
  BullesEntreesCoupees(view());
  connect(this, &QComboBox::activated, this, [this] {
    if (parProgramme_ == 0) emit selectionChangee();
  });
}

void PCombo::DefinirSaisie(const ReglesSaisie& regles) {
  if (!isEditable()) {
    setEditable(true);
    // Completion is the owner's business (CbAssist), never Qt's own.
    setCompleter(nullptr);
    setInsertPolicy(QComboBox::NoInsert);
    validateur_ = new ValidateurCp1252(regles, this);
    lineEdit()->setValidator(validateur_);
    GarderCp1252(lineEdit());
    BulleTexteCoupe(lineEdit());
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
      if (parProgramme_ == 0) emit texteSaisi();
    });
    // QComboBox puts a chosen entry into the field through the entry rules, which would put a
    // stored name in small letters into capitals: the entry is shown as it is stored.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
      if (index >= 0 && lineEdit()->text() != itemText(index)) MettreTexteEdition(itemText(index));
      // The program's text is shown from its start, however long, as the legacy field showed it.
      if (parProgramme_ > 0) lineEdit()->setCursorPosition(0);
    });
  } else {
    validateur_->DefinirRegles(regles);
  }
}

QByteArray PCombo::Octets(int index) const {
  return itemData(index, kRoleOctets).toByteArray();
}

int PCombo::AjouterChaine(std::string_view texte) {
  int index = trie_ ? PositionTriee(count(), texte, [this](int i) { return Octets(i); }) : count();
  return InsererChaine(index, texte);
}

int PCombo::InsererChaine(int index, std::string_view texte) {
  ParProgramme garde(parProgramme_);
  if (index < 0 || index > count()) index = count();
  // Keep the edit field as it is: inserting into an empty list would otherwise select and show
  // the new entry.
  const QString edition = isEditable() ? lineEdit()->text() : QString();
  const int selection = currentIndex();
  insertItem(index, Cp1252VersQString(texte),
             QByteArray(texte.data(), static_cast<qsizetype>(texte.size())));
  if (selection < 0 && currentIndex() >= 0) {
    setCurrentIndex(-1);
    if (isEditable()) MettreTexteEdition(edition);
  }
  return index;
}

bool PCombo::SupprimerChaine(int index) {
  ParProgramme garde(parProgramme_);
  if (index < 0 || index >= count()) return false;
  removeItem(index);
  return true;
}

void PCombo::Vider() {
  ParProgramme garde(parProgramme_);
  clear();
  if (isEditable()) lineEdit()->clear();
}

std::string PCombo::Chaine(int index) const {
  QByteArray octets = Octets(index);
  return std::string(octets.constData(), static_cast<std::size_t>(octets.size()));
}

bool PCombo::SelectionnerIndex(int index) {
  ParProgramme garde(parProgramme_);
  if (index >= count()) return false;
  setCurrentIndex(index < 0 ? -1 : index);
  if (index < 0 && isEditable()) lineEdit()->clear();
  return true;
}

int PCombo::ChercherPrefixe(std::string_view prefixe, int apres) const {
  return ChercherCirculaire(
      count(), apres, [this](int i) { return Octets(i); },
      [prefixe](std::string_view texte) { return CommenceParSansCasse(texte, prefixe); });
}

int PCombo::ChercherExact(std::string_view texte, int apres) const {
  return ChercherCirculaire(
      count(), apres, [this](int i) { return Octets(i); },
      [texte](std::string_view entree) { return entree == texte; });
}

int PCombo::SelectionnerPrefixe(std::string_view prefixe, int apres) {
  int index = ChercherPrefixe(prefixe, apres);
  if (index >= 0) SelectionnerIndex(index);
  return index;
}

std::optional<std::string> PCombo::TexteCp1252() const {
  if (isEditable()) return QStringVersCp1252(lineEdit()->text());
  return Chaine(currentIndex());
}

QString PCombo::TexteEdition() const {
  return isEditable() ? lineEdit()->text() : QString();
}

void PCombo::DefinirTexteEdition(const QString& texte) {
  if (!isEditable()) return;
  ParProgramme garde(parProgramme_);
  setCurrentIndex(-1);
  MettreTexteEdition(texte);
}

void PCombo::DefinirTexteCp1252(std::string_view texte) {
  ParProgramme garde(parProgramme_);
  if (!isEditable()) {
    setCurrentIndex(ChercherExact(texte));
    return;
  }
  setCurrentIndex(-1);
  MettreTexteEdition(Cp1252VersQString(texte));
  lineEdit()->setCursorPosition(0);
}

void PCombo::MettreTexteEdition(const QString& texte) {
  // The entry rules are the user's: the program's text is shown as it is (a stored name in
  // small letters stays so).
  QLineEdit* edition = lineEdit();
  const QValidator* validateur = edition->validator();
  edition->setValidator(nullptr);
  edition->setText(texte);
  edition->setValidator(validateur);
}

void PCombo::DonnerTexte(std::string_view texte) {
  if (texte.empty()) {
    SelectionnerIndex(-1);
    return;
  }
  if (SelectionnerPrefixe(texte) < 0) DefinirTexteCp1252(texte);
}

void PCombo::SelectionnerTexteEdition(int debut, int fin) {
  if (!isEditable()) return;
  const int longueur = static_cast<int>(lineEdit()->text().size());
  if (fin < 0 || fin > longueur) fin = longueur;
  if (debut < 0) debut = 0;
  if (debut > fin) debut = fin;
  lineEdit()->setSelection(debut, fin - debut);
}

int PCombo::EntreesVisibles() const {
  if (hauteurListe_ <= 0) return maxVisibleItems();
  // The list's frame takes a pixel on each side.
  const int ligne = count() > 0 ? std::max(1, view()->sizeHintForRow(0)) : fontMetrics().height();
  return std::max(1, (hauteurListe_ - 2) / ligne);
}

void PCombo::showPopup() {
  setMaxVisibleItems(EntreesVisibles());
  QComboBox::showPopup();
  if (hauteurListe_ <= 0) return;
  // Some styles open a list without an edit field as a menu over the box, as tall as its
  // entries: the legacy list drops below the box, within its rectangle.
  QWidget* conteneur = view()->window();
  if (!conteneur || conteneur == window() || conteneur->height() <= hauteurListe_) return;
  const QPoint bas = mapToGlobal(QPoint(0, height()));
  conteneur->setGeometry(bas.x(), bas.y(), std::max(conteneur->width(), width()), hauteurListe_);
  view()->scrollTo(view()->currentIndex());
}

void PCombo::wheelEvent(QWheelEvent* event) {
  if (!hasFocus()) {
    event->ignore();
    return;
  }
  QComboBox::wheelEvent(event);
}

void PCombo::focusInEvent(QFocusEvent* event) {
  QComboBox::focusInEvent(event);
  if (EstVraiChangementDeFocus(event->reason())) emit focusRecu();
}

void PCombo::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  if (EstVraiChangementDeFocus(event->reason())) emit focusPerdu();
}

}  // namespace velquor
