// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What list boxes and combo boxes share: where entries keep their bytes, the mark of the
// program's own changes, the order and the searches. Entries are compared as
// stored bytes (code page 1252) with the name order, case ignored, as the legacy sorted
// controls did: ÉCLAT sits beside ECLAT, not after ZOMBIE.

#include <QByteArray>
#include <Qt>

#include <string_view>

#include "store/collation.h"

namespace velquor {

// The item data role holding a combo box entry's stored bytes (a list box keeps them beside
// its rows).
inline constexpr int kRoleOctets = Qt::UserRole;

// Marks the program's own changes so that they notify nothing.
class ParProgramme {
 public:
  explicit ParProgramme(int& compteur) : compteur_(compteur) { ++compteur_; }
  ~ParProgramme() { --compteur_; }
  ParProgramme(const ParProgramme&) = delete;
  ParProgramme& operator=(const ParProgramme&) = delete;

 private:
  int& compteur_;
};

inline std::string_view VueOctets(const QByteArray& octets) {
  return std::string_view(octets.constData(), static_cast<std::size_t>(octets.size()));
}
inline std::string_view VueOctets(std::string_view octets) { return octets; }

// Where a sorted control inserts a new entry: before the first entry that does not sort before
// it. entree(i) gives the stored bytes of entry i.
template <class Entree>
int PositionTriee(int nb, std::string_view texte, Entree entree) {
  // Entries mostly come in order (a walk of a collection fills its list): one comparison with
  // the last tells that the new one goes after every other.
  if (nb > 0 && ComparerNomsSansCasse(VueOctets(entree(nb - 1)), texte) < 0) return nb;
  int bas = 0;
  int haut = nb;
  while (bas < haut) {
    int milieu = bas + (haut - bas) / 2;
    if (ComparerNomsSansCasse(VueOctets(entree(milieu)), texte) < 0)
      bas = milieu + 1;
    else
      haut = milieu;
  }
  return bas;
}

// The controls' searches: from the entry after `apres` to the last, then from the first up to
// `apres` (apres = -1 searches the whole list from the top). -1 when nothing matches.
template <class Entree, class Test>
int ChercherCirculaire(int nb, int apres, Entree entree, Test test) {
  if (nb <= 0) return -1;
  int debut = (apres < -1 || apres >= nb - 1) ? 0 : apres + 1;
  for (int k = 0; k < nb; ++k) {
    int i = (debut + k) % nb;
    if (test(VueOctets(entree(i)))) return i;
  }
  return -1;
}

}  // namespace velquor
