#include "support/dossier_temporaire.h"

#include <stdlib.h>

#include <fstream>

namespace velquor::test {

DossierTemporaire::DossierTemporaire() : precedent_(std::filesystem::current_path()) {
  std::string modele = (std::filesystem::temp_directory_path() / "velquor-XXXXXX").string();
  if (::mkdtemp(modele.data()) == nullptr) {
    ADD_FAILURE() << "cannot create a temporary directory";
    return;
  }
  chemin_ = modele;
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

void EcrireOctets(const std::filesystem::path& chemin, const std::vector<unsigned char>& octets) {
  std::ofstream flux(chemin, std::ios::binary | std::ios::trunc);
  flux.write(reinterpret_cast<const char*>(octets.data()),
             static_cast<std::streamsize>(octets.size()));
}

}  // namespace velquor::test
