// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/selection.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "store/champ_texte.h"
#include "store/enregistrements.h"
#include "store/fichier_brut.h"

namespace velquor {

std::vector<std::string> LireSelection(std::string_view chemin) {
  std::vector<std::string> noms;
  FichierBrut fichier;
  if (!fichier.OuvrirExistant(std::string(chemin))) return noms;
  std::int64_t position = 0;
  for (;;) {
    char slot[TailleNom] = {};
    std::size_t lus = fichier.LireA(position, slot, sizeof slot);
    if (lus == 0) break;
    // A slot without terminator gives its 31 bytes, never more.
    noms.emplace_back(Texte(slot));
    position += static_cast<std::int64_t>(lus);
  }
  return noms;
}

bool EcrireSelection(std::string_view chemin, const std::vector<std::string>& noms) {
  // The whole file is built first and written in one transfer.
  std::vector<char> octets(noms.size() * TailleNom, 0);
  for (std::size_t i = 0; i < noms.size(); ++i) {
    // A name keeps its terminator inside its slot: at most 30 bytes are stored.
    const std::string& nom = noms[i];
    std::memcpy(octets.data() + i * TailleNom, nom.data(), std::min(nom.size(), TailleNom - 1));
  }
  // Written beside it, flushed, then renamed over it: a stop leaves the old list or the new one.
  return FichierBrut::RemplacerSynchronise(
      std::string(chemin), std::vector<unsigned char>(octets.begin(), octets.end()));
}

}  // namespace velquor
