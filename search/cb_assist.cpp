// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/cb_assist.h"

namespace velquor {

CbAssist::CbAssist(QWidget* parent, std::size_t limiteTexte)
    : PCombo(parent), limiteTexte_(limiteTexte) {}

bool CbAssist::Completer() {
  const std::optional<std::string> texte = TexteCp1252();
  if (!texte) return false;
  std::string nouveau = *texte;
  // Read as into a buffer of the text limit: at most limit - 1 bytes.
  if (limiteTexte_ > 0 && nouveau.size() > limiteTexte_ - 1) nouveau.resize(limiteTexte_ - 1);
  const std::size_t longueurAvant = texteAvant_.size();
  texteAvant_ = nouveau;
  if (nouveau.size() <= longueurAvant) return false;

  const int index = ChercherPrefixe(nouveau);  // from the top of the list
  if (index < 0) return false;
  SelectionnerIndex(index);  // the field shows the entry, in the entry's own letter case
  SelectionnerTexteEdition(static_cast<int>(nouveau.size()));
  return true;
}

}  // namespace velquor
