// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/dossier_temporaire.h"

#include <stdlib.h>

#include <fstream>

#include "store/systeme_fichiers.h"

namespace velquor::test {

DossierTemporaire::DossierTemporaire() : precedent_(std::filesystem::current_path()) {
#ifdef _WIN32
  // No mkdtemp: a name of this process that no other directory has yet. Greek and Japanese
  // letters in it, which no ANSI code page holds together: every path the tests give the
  // program must reach the system whole.
  static unsigned compteur = 0;
  std::error_code erreur;
  for (int essai = 0; essai < 100 && chemin_.empty(); ++essai) {
    std::filesystem::path nom(u8"velquor-\u03A9\u03BC\u03AD\u03B3\u03B1-\u6771\u4EAC-");
    nom += std::to_string(systeme::NumeroProcessus()) + "-" + std::to_string(++compteur);
    const auto candidat = std::filesystem::temp_directory_path() / nom;
    if (std::filesystem::create_directory(candidat, erreur)) chemin_ = candidat;
  }
  if (chemin_.empty()) {
    ADD_FAILURE() << "cannot create a temporary directory";
    return;
  }
#else
  std::string modele = (std::filesystem::temp_directory_path() / "velquor-XXXXXX").string();
  if (::mkdtemp(modele.data()) == nullptr) {
    ADD_FAILURE() << "cannot create a temporary directory";
    return;
  }
  chemin_ = modele;
#endif
  std::filesystem::current_path(chemin_);
}

DossierTemporaire::~DossierTemporaire() {
  std::error_code erreur;
  std::filesystem::current_path(precedent_, erreur);
  if (!chemin_.empty()) std::filesystem::remove_all(chemin_, erreur);
}

std::vector<unsigned char> LireOctets(const std::filesystem::path& chemin) {
  std::ifstream flux(chemin, std::ios::binary | std::ios::ate);
  if (!flux) return {};
  std::vector<unsigned char> octets(static_cast<std::size_t>(flux.tellg()));
  flux.seekg(0);
  flux.read(reinterpret_cast<char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
  octets.resize(static_cast<std::size_t>(flux.gcount()));
  return octets;
}

std::string LireTexte(const std::filesystem::path& chemin) {
  const std::vector<unsigned char> octets = LireOctets(chemin);
  return std::string(octets.begin(), octets.end());
}

void EcrireOctets(const std::filesystem::path& chemin, const std::vector<unsigned char>& octets) {
  std::ofstream flux(chemin, std::ios::binary | std::ios::trunc);
  flux.write(reinterpret_cast<const char*>(octets.data()),
             static_cast<std::streamsize>(octets.size()));
}

}  // namespace velquor::test
