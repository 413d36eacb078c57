// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/paires.h"

#include <algorithm>

#include "store/collation.h"
#include "support/dossier_temporaire.h"

namespace velquor::test {

std::ostream& operator<<(std::ostream& os, const Noeud& n) {
  return os << "{" << n.cle << ", PosEnreg " << n.pos_enreg << ", Pere " << n.pere << ", Gauche "
            << n.gauche << ", Droite " << n.droite << "}";
}

std::vector<Noeud> NoeudsDe(const std::filesystem::path& index) {
  const auto octets = LireOctets(index);
  std::vector<Noeud> noeuds;
  for (std::size_t pos = 0; pos + NoeudIndex::Taille <= octets.size(); pos += NoeudIndex::Taille) {
    const NoeudIndex n = NoeudIndex::DepuisOctets(octets.data() + pos);
    noeuds.push_back({std::string(Texte(n.Cle)), n.PosEnreg, n.Pere, n.Gauche, n.Droite});
  }
  return noeuds;
}

std::string DefautDeLArbre(const std::filesystem::path& index, std::int32_t nbEnreg) {
  const auto noeuds = NoeudsDe(index);
  std::vector<std::string> enOrdre;
  std::string defaut;
  // In-order walk; each step checks that the child names its parent back (no cycle then).
  auto parcourir = [&](auto&& soi, std::int32_t pos, std::int32_t pere) -> void {
    if (!defaut.empty()) return;
    if (pos < 0 || pos % 47 != 0 || static_cast<std::size_t>(pos / 47) >= noeuds.size()) {
      defaut = "link " + std::to_string(pos) + " out of the tree";
      return;
    }
    const Noeud& n = noeuds[pos / 47];
    if (n.pere != pere) defaut = n.cle + " names parent " + std::to_string(n.pere);
    if (n.gauche != AucunLien) soi(soi, n.gauche, pos);
    enOrdre.push_back(n.cle);
    if (n.droite != AucunLien) soi(soi, n.droite, pos);
  };
  if (nbEnreg > 0) parcourir(parcourir, 0, AucunLien);
  const auto desordre = std::adjacent_find(
      enOrdre.begin(), enOrdre.end(), [](auto& a, auto& b) { return ComparerNoms(a, b) >= 0; });
  if (defaut.empty() && desordre != enOrdre.end()) defaut = *desordre + " before a lesser name";
  if (defaut.empty() && static_cast<std::int32_t>(enOrdre.size()) != nbEnreg)
    defaut = std::to_string(enOrdre.size()) + " names in the tree, header counts " +
             std::to_string(nbEnreg);
  return defaut;
}

}  // namespace velquor::test
