// SPDX-License-Identifier: GPL-3.0-or-later
// The selection files, read from any bytes and written from any names.
//
// The first byte chooses:
//  - even: the rest is a selection file. Reading it gives one name per 31-byte slot (a short
//    last slot too), each within its slot and without NUL; writing those names back and reading
//    again gives the same names cut to 30 bytes, and a second write the same bytes.
//  - odd: the rest is a list of names separated by 0xFF. Written and read back, each name comes
//    back cut to 30 bytes and at its first NUL.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/support_fuzz.h"
#include "search/selection.h"
#include "store/fichier_brut.h"

using namespace velquor;

namespace {

constexpr std::string_view Chemin = CheminSelectionFamilles;

std::string LireOctets() {
  FichierBrut fichier;
  if (!fichier.OuvrirExistant(std::string(Chemin))) return {};
  std::string octets(static_cast<std::size_t>(std::max<std::int64_t>(fichier.Taille(), 0)), '\0');
  octets.resize(fichier.LireA(0, octets.data(), octets.size()));
  return octets;
}

std::string Attendu(std::string_view nom) {
  nom = nom.substr(0, 30);
  return std::string(nom.substr(0, nom.find('\0')));
}

void DepuisFichier(const std::uint8_t* octets, std::size_t n) {
  fuzz::EcrireFichier(Chemin, octets, n);
  const std::vector<std::string> noms = LireSelection(Chemin);
  FUZZ_EXIGER(noms.size() == (n + 30) / 31, "one name per slot of the selection file");
  for (const std::string& nom : noms) {
    FUZZ_EXIGER(nom.size() <= 31 && nom.find('\0') == std::string::npos,
                "a selection name outside its slot");
  }
  FUZZ_EXIGER(EcrireSelection(Chemin, noms), "a selection file could not be written");
  const std::vector<std::string> relus = LireSelection(Chemin);
  FUZZ_EXIGER(relus.size() == noms.size(), "selection written back: another number of names");
  for (std::size_t i = 0; i < noms.size(); ++i) {
    FUZZ_EXIGER(relus[i] == Attendu(noms[i]), "selection written back: another name");
  }
  const std::string premiere = LireOctets();
  FUZZ_EXIGER(premiere.size() == 31 * noms.size(), "selection file of the wrong size");
  FUZZ_EXIGER(EcrireSelection(Chemin, relus) && LireOctets() == premiere,
              "a selection written twice differs");
}

void DepuisNoms(std::string_view texte) {
  std::vector<std::string> noms;
  if (!texte.empty()) {
    for (std::size_t debut = 0;;) {
      const std::size_t fin = texte.find('\xFF', debut);
      noms.emplace_back(texte.substr(debut, fin - debut));
      if (fin == std::string_view::npos) break;
      debut = fin + 1;
    }
  }
  FUZZ_EXIGER(EcrireSelection(Chemin, noms), "a selection file could not be written");
  const std::vector<std::string> relus = LireSelection(Chemin);
  FUZZ_EXIGER(relus.size() == noms.size(), "selection read back: another number of names");
  for (std::size_t i = 0; i < noms.size(); ++i) {
    FUZZ_EXIGER(relus[i] == Attendu(noms[i]), "selection read back: another name");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::EntrerDossierFuzz();
  fuzz::ViderDossier();
  if (size == 0) {
    // No file at all: nothing is chosen.
    FUZZ_EXIGER(LireSelection(Chemin).empty(), "a missing selection file gives names");
    return 0;
  }
  if (data[0] % 2 == 0) {
    DepuisFichier(data + 1, size - 1);
  } else {
    DepuisNoms(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  }
  return 0;
}
