// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/rapport_verification.h"

#include <ostream>
#include <string>
#include <vector>

#include "cli/console.h"

namespace velquor::outils {

namespace {

constexpr std::size_t LignesAffichees = 20;

void Lister(std::ostream& flux, const std::vector<std::string>& lignes, std::int64_t total) {
  for (std::size_t i = 0; i < lignes.size() && i < LignesAffichees; ++i)
    flux << "  - " << lignes[i] << '\n';
  if (total > static_cast<std::int64_t>(LignesAffichees))
    flux << "  … et " << total - static_cast<std::int64_t>(LignesAffichees) << " autres\n";
}

// "<titre> : <constat>, N défauts" and the first faults, one a line.
std::int64_t Rapporter(std::ostream& flux, const std::string& titre, const std::string& constat,
                       const RapportPaire& r) {
  flux << titre << " : " << constat
       << (r.nbDefauts == 0 ? std::string("aucun défaut")
                            : Compter(r.nbDefauts, "défaut", "défauts"))
       << '\n';
  Lister(flux, r.defauts, r.nbDefauts);
  return r.nbDefauts;
}

}  // namespace

std::int64_t RapporterPaire(std::ostream& flux, const DescriptionPaire& paire,
                            const RapportPaire& r, std::string_view siAbsente) {
  std::string titre(paire.base);
  if (r.etat == EtatPaire::Absente) {
    flux << titre << " : absente (" << siAbsente << ")\n";
    return 0;
  }
  const std::string reorganiser = "velquor-outils reorganiser " + std::string(paire.cible);
  const std::int64_t defauts =
      Rapporter(flux, titre, Compter(r.nbAtteints, paire.singulier, paire.pluriel) + ", ", r);
  // The rebuild keeps every record it can tie to its name and keeps the old pair; it can do
  // nothing right with an index and data that do not belong together.
  if (r.depareillee) {
    flux << "  → ne reconstruisez pas cette paire : remettez en place l'index et les données "
            "d'origine (d'une sauvegarde par exemple).\n";
  } else if (defauts > 0 && r.etat == EtatPaire::Presente) {
    flux << "  → « " << reorganiser
         << " » reconstruit la paire avec tout ce qui s'y lit encore et garde l'ancienne.\n";
  }
  if (r.nbHorsOrdre > 0) {
    flux << "  "
         << Compter(r.nbHorsOrdre, "nom hors de l'ordre de ce programme",
                    "noms hors de l'ordre de ce programme")
         << " (un arbre construit dans un autre ordre) ; « " << reorganiser << " » les range :\n";
    Lister(flux, r.horsOrdre, r.nbHorsOrdre);
  }
  return defauts;
}

std::int64_t RapporterReferences(std::ostream& flux, const RapportPaire& references) {
  return Rapporter(flux, "Familles et ingrédients des cocktails", "", references);
}

std::int64_t RapporterLignes(std::ostream& flux, const RapportPaire& cocktails,
                             const RapportPaire& resultats) {
  RapportPaire lignes = cocktails;
  lignes.nbDefauts += resultats.nbDefauts;
  lignes.defauts.insert(lignes.defauts.end(), resultats.defauts.begin(), resultats.defauts.end());
  const std::int64_t defauts = Rapporter(flux, "Lignes de composition", "", lignes);
  if (cocktails.nbDefauts > 0)
    flux << "  → la composition s'affiche jusqu'à la première ligne sans ingrédient ; l'éditeur "
            "des cocktails remonte les lignes qui la suivent, dans leur ordre et sans rien "
            "perdre, quand il enregistre le cocktail (changez une ligne, remettez-la, puis passez "
            "à un autre cocktail).\n";
  if (resultats.nbDefauts > 0)
    flux << "  → un résultat est la copie d'un cocktail au moment de la recherche : refaites la "
            "recherche une fois les cocktails remis en ordre.\n";
  return defauts;
}

}  // namespace velquor::outils
