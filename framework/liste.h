// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// List box (LISTBOX). Entries are stored text (code page 1252 bytes) shown as Qt text. A sorted
// list inserts by the name order with case ignored; the searches ignore case by the code page
// rule. selectionChangee() and doubleClic() follow the user's actions only, as the legacy
// notifications did: selecting from the program notifies nothing. As the legacy single-selection
// list box, it cannot be emptied of its selection by the user (Ctrl+click and Ctrl+Space on the
// selected entry keep it selected, a click below the last entry changes nothing): in the editors
// and the results, the selected entry is the record that the fields show and write.

#include <QListWidget>

#include <string>
#include <string_view>
#include <vector>

namespace velquor {

class PListe : public QListWidget {
  Q_OBJECT

 public:
  explicit PListe(QWidget* parent = nullptr);

  void DefinirTrie(bool trie) { trie_ = trie; }
  bool EstTrie() const { return trie_; }

  // Adds an entry (at its sorted place, or at the end) and returns its index.
  int AjouterChaine(std::string_view texte);
  // Adds every entry as AjouterChaine one after the other would, in one insertion when they come
  // in the list's order (a collection's walk): tens of thousands of entries fill at once.
  void AjouterChaines(const std::vector<std::string>& textes);
  // Inserts at index (-1: at the end), whatever the sorting; returns the index.
  int InsererChaine(int index, std::string_view texte);
  bool SupprimerChaine(int index);
  void Vider();
  int NbElements() const { return count(); }
  // The entry's stored text; empty when the index is out of range.
  std::string Chaine(int index) const;

  // Single selection: the selected index, or -1.
  int IndexSelection() const;
  // Selects that entry (-1 clears the selection) and shows it; false when out of range.
  bool SelectionnerIndex(int index);

  // The first entry after `apres` (searching round to the top) that begins with the prefix,
  // case ignored; -1 when none. apres = -1 searches from the top.
  int ChercherPrefixe(std::string_view prefixe, int apres = -1) const;
  // The same with the whole text equal, byte for byte.
  int ChercherExact(std::string_view texte, int apres = -1) const;
  // ChercherPrefixe, then selects what it found; returns the index or -1.
  int SelectionnerPrefixe(std::string_view prefixe, int apres = -1);

  // Suspends and resumes the redrawing during bulk changes.
  void SuspendreDessin(bool suspendu) { setUpdatesEnabled(!suspendu); }

 signals:
  void selectionChangee();
  void doubleClic();
  void focusRecu();
  void focusPerdu();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(
      const QModelIndex& index, const QEvent* event = nullptr) const override;

 private:
  std::string_view Octets(int index) const;

  // Each entry's stored bytes, row for row: the rows change only through the functions above.
  std::vector<std::string> octets_;
  bool trie_ = false;
  int parProgramme_ = 0;
};

}  // namespace velquor
