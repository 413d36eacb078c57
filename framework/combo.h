// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Combo box: a drop-down list (COMBOBOX CBS_DROPDOWNLIST) or a drop-down list with an edit
// field (CBS_DROPDOWN) whose field follows the entry rules of filtre_saisie.h. Same entries,
// order and searches as PListe. Notifications follow the user's actions only:
// selectionChangee() when the user picks an entry, texteSaisi() when the user changes the text
// of the edit field (the legacy edit-change notification). The mouse wheel changes the entry
// only while the box has the focus: a wheel turned over a box the user has not focused (to
// scroll, or by mistake) never changes what a record will be written with.

#include <QComboBox>

#include <optional>
#include <string>
#include <string_view>

#include "framework/filtre_saisie.h"

namespace velquor {

class ValidateurCp1252;

class PCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit PCombo(QWidget* parent = nullptr);

  // Turns the edit field on, with its entry rules.
  void DefinirSaisie(const ReglesSaisie& regles);
  bool AvecSaisie() const { return isEditable(); }
  void DefinirTrie(bool trie) { trie_ = trie; }
  bool EstTrie() const { return trie_; }

  int AjouterChaine(std::string_view texte);
  int InsererChaine(int index, std::string_view texte);
  bool SupprimerChaine(int index);
  // Empties the list (and the edit field).
  void Vider();
  int NbElements() const { return count(); }
  std::string Chaine(int index) const;

  int IndexSelection() const { return currentIndex(); }
  // Selects the entry, which the edit field then shows; -1 clears both.
  bool SelectionnerIndex(int index);
  int ChercherPrefixe(std::string_view prefixe, int apres = -1) const;
  int ChercherExact(std::string_view texte, int apres = -1) const;
  int SelectionnerPrefixe(std::string_view prefixe, int apres = -1);

  // The text: the edit field's, or the selected entry's for a list without one; nothing if the
  // edit field ever held a character the code page cannot hold (see PEdition::TexteCp1252).
  std::optional<std::string> TexteCp1252() const;
  // The edit field's text as it shows it, and the same put back as it was (no entry selected).
  QString TexteEdition() const;
  void DefinirTexteEdition(const QString& texte);
  // Puts the text in the edit field as it is, whatever the entry rules (nothing is selected in
  // the list).
  void DefinirTexteCp1252(std::string_view texte);
  // The legacy combo box's "set text": selects the first entry that begins with the text (case
  // ignored), or, when none does, puts the text in the edit field.
  void DonnerTexte(std::string_view texte);
  // Selects characters debut to fin of the edit field (fin = -1: to the end).
  void SelectionnerTexteEdition(int debut, int fin = -1);

  // The height of the drop-down list in pixels (the template's rectangle less the closed box):
  // the open list shows as many whole entries as fit in it, fewer when the list has fewer.
  // 0 or less: Qt's own number of entries.
  void DefinirHauteurListe(int pixels) { hauteurListe_ = pixels; }
  int HauteurListe() const { return hauteurListe_; }
  // The number of entries the open list shows at most.
  int EntreesVisibles() const;
  void showPopup() override;

  // Suspends and resumes the redrawing during bulk changes.
  void SuspendreDessin(bool suspendu) { setUpdatesEnabled(!suspendu); }

 signals:
  void selectionChangee();
  void texteSaisi();
  void focusRecu();
  void focusPerdu();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QByteArray Octets(int index) const;
  // The edit field's text, set by the program: the entry rules are not applied.
  void MettreTexteEdition(const QString& texte);

  bool trie_ = false;
  int hauteurListe_ = 0;
  int parProgramme_ = 0;
  ValidateurCp1252* validateur_ = nullptr;
};

}  // namespace velquor
