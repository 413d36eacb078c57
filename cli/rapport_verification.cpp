#include "cli/rapport_verification.h"

#include <string>
#include <vector>

#include "cli/console.h"

namespace velquor::outils {

namespace {

constexpr std::size_t LignesAffichees = 20;

void Lister(const std::vector<std::string>& lignes, std::int64_t total) {
  for (std::size_t i = 0; i < lignes.size() && i < LignesAffichees; ++i)
    Dire("  - " + lignes[i]);
  if (total > static_cast<std::int64_t>(LignesAffichees))
    Dire("  … et " + std::to_string(total - static_cast<std::int64_t>(LignesAffichees)) +
         " autres");
}

// "<titre> : <constat>, N défauts" and the first faults, one a line.
std::int64_t Rapporter(const std::string& titre, const std::string& constat,
                       const RapportPaire& r) {
  Dire(
      titre + " : " + constat +
      (r.nbDefauts == 0 ? std::string("aucun défaut") : Compter(r.nbDefauts, "défaut", "défauts")));
  Lister(r.defauts, r.nbDefauts);
  return r.nbDefauts;
}

}  // namespace

std::int64_t RapporterPaire(const DescriptionPaire& paire, const RapportPaire& r,
                            std::string_view siAbsente) {
  std::string titre(paire.base);
  if (r.etat == EtatPaire::Absente) {
    Dire(titre + " : absente (" + std::string(siAbsente) + ")");
    return 0;
  }
  const std::string reorganiser = "velquor-outils reorganiser " + std::string(paire.cible);
  const std::int64_t defauts =
      Rapporter(titre, Compter(r.nbAtteints, paire.singulier, paire.pluriel) + ", ", r);
  // The rebuild keeps every record it can tie to its name and keeps the old pair; it can do
  // nothing right with an index and data that do not belong together.
  if (r.depareillee) {
    Dire(
        "  → ne reconstruisez pas cette paire : remettez en place l'index et les données "
        "d'origine (d'une sauvegarde par exemple).");
  } else if (defauts > 0 && r.etat == EtatPaire::Presente) {
    Dire("  → « " + reorganiser +
         " » reconstruit la paire avec tout ce qui s'y lit encore et garde l'ancienne.");
  }
  if (r.nbHorsOrdre > 0) {
    Dire("  " +
         Compter(r.nbHorsOrdre, "nom hors de l'ordre de ce programme",
                 "noms hors de l'ordre de ce programme") +
         " (un arbre construit dans un autre ordre) ; « " + reorganiser + " » les range :");
    Lister(r.horsOrdre, r.nbHorsOrdre);
  }
  return defauts;
}

std::int64_t RapporterReferences(const RapportPaire& references) {
  return Rapporter("Familles et ingrédients des cocktails", "", references);
}

std::int64_t RapporterLignes(const RapportPaire& cocktails, const RapportPaire& resultats) {
  RapportPaire lignes = cocktails;
  lignes.nbDefauts += resultats.nbDefauts;
  lignes.defauts.insert(lignes.defauts.end(), resultats.defauts.begin(), resultats.defauts.end());
  const std::int64_t defauts = Rapporter("Lignes de composition", "", lignes);
  if (cocktails.nbDefauts > 0)
    Dire(
        "  → la composition s'affiche jusqu'à la première ligne sans ingrédient ; l'éditeur des "
        "cocktails remonte les lignes qui la suivent, dans leur ordre et sans rien perdre, "
        "quand il enregistre le cocktail (changez une ligne, remettez-la, puis passez à un autre "
        "cocktail).");
  if (resultats.nbDefauts > 0)
    Dire(
        "  → un résultat est la copie d'un cocktail au moment de la recherche : refaites la "
        "recherche une fois les cocktails remis en ordre.");
  return defauts;
}

}  // namespace velquor::outils
