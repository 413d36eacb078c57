// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/page_html5.h"

#include <sstream>

#include "support/execution.h"

namespace velquor::test {

namespace {

std::string Deplier(const std::string& texte) {
  std::string sortie;
  for (std::size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] == '\\' && i + 1 < texte.size()) {
      sortie += texte[i + 1] == 'n' ? '\n' : texte[i + 1];
      ++i;
    } else {
      sortie += texte[i];
    }
  }
  return sortie;
}

}  // namespace

std::vector<ElementHtml> PageHtml5::De(const std::string& balise) const {
  std::vector<ElementHtml> choisis;
  for (const ElementHtml& e : elements) {
    if (e.balise == balise) choisis.push_back(e);
  }
  return choisis;
}

PageHtml5 LirePageHtml5(const std::filesystem::path& chemin) {
  PageHtml5 page;
  const Execution r = Executer(VELQUOR_PYTHON3, {VELQUOR_LIRE_HTML5, chemin.string()});
  page.valide = r.code == 0;
  page.erreurs = r.erreurs;
  std::istringstream flux(r.sortie);
  for (std::string ligne; std::getline(flux, ligne);) {
    const std::size_t tab1 = ligne.find('\t');
    if (tab1 == std::string::npos) continue;
    const std::size_t tab2 = ligne.find('\t', tab1 + 1);
    const std::string balise = ligne.substr(0, tab1);
    const std::string texte =
        ligne.substr(tab1 + 1, tab2 == std::string::npos ? std::string::npos : tab2 - tab1 - 1);
    if (balise == "encodage") {
      page.encodage = texte;
      continue;
    }
    page.elements.push_back({balise, Deplier(texte),
                             tab2 == std::string::npos ? std::string() : ligne.substr(tab2 + 1)});
  }
  return page;
}

}  // namespace velquor::test
