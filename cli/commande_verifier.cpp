// verifier: checks the four pairs read-only, then the families and ingredients the cocktails
// name. Exit status 1 on any fault.

#include <cstring>
#include <set>
#include <string>

#include "cli/commandes.h"
#include "cli/verification_paire.h"
#include "store/champ_texte.h"
#include "store/cp1252.h"
#include "store/enregistrements.h"

namespace velquor::outils {

namespace {

constexpr std::int64_t DefautsAffiches = 20;

std::string Cite(std::string_view cp1252) {
  return "« " + TexteAffichable(cp1252) + " »";
}

std::string Defauts(std::int64_t n) {
  return Compter(n, "défaut", "défauts");
}

// "<titre> : <constat>, N défauts" and the first faults, one a line.
std::int64_t Rapporter(const std::string& titre, const std::string& constat,
                       const RapportPaire& r) {
  if (r.nbDefauts == 0) {
    Dire(titre + " : " + constat + "aucun défaut");
    return 0;
  }
  Dire(titre + " : " + constat + Defauts(r.nbDefauts));
  for (std::int64_t i = 0; i < static_cast<std::int64_t>(r.defauts.size()) && i < DefautsAffiches;
       ++i)
    Dire("  - " + r.defauts[i]);
  if (r.nbDefauts > DefautsAffiches)
    Dire("  … et " + std::to_string(r.nbDefauts - DefautsAffiches) + " autres");
  return r.nbDefauts;
}

std::int64_t RapporterPaire(const DescriptionPaire& paire, const RapportPaire& r,
                            std::string_view siAbsente) {
  std::string titre(paire.base);
  if (r.etat == EtatPaire::Absente) {
    Dire(titre + " : absente (" + std::string(siAbsente) + ")");
    return 0;
  }
  return Rapporter(titre, Compter(r.nbAtteints, paire.singulier, paire.pluriel) + ", ", r);
}

// The names reached in a pair, to check the cocktails' references against.
VisiteurEnreg Recueillir(std::set<std::string>& noms) {
  return [&noms](std::string_view cle, const unsigned char*) { noms.emplace(cle); };
}

std::string VerifierOperandes(const Operandes& operandes) {
  return operandes.empty() ? std::string() : "verifier n'attend aucun argument";
}

int Executer(const Operandes&, ConsoleMessages&) {
  std::set<std::string> familles, ingredients;
  std::int64_t defauts = 0;
  defauts += RapporterPaire(PaireFamille(), VerifierPaire(PaireFamille(), Recueillir(familles)),
                            "collection vide");
  defauts +=
      RapporterPaire(PaireIngredient(), VerifierPaire(PaireIngredient(), Recueillir(ingredients)),
                     "collection vide");

  RapportPaire references;
  auto controler = [&](std::string_view cle, const unsigned char* octets) {
    EnrCocktail c;
    std::memcpy(&c, octets, sizeof c);
    std::string_view famille = Texte(c.Famille);
    if (!famille.empty() && !familles.contains(std::string(famille)))
      references.Defaut("le cocktail " + Cite(cle) + " nomme la famille " + Cite(famille) +
                        ", absente");
    for (const auto& champ : c.Ingredient) {
      std::string_view ingredient = Texte(champ);
      if (!ingredient.empty() && !ingredients.contains(std::string(ingredient)))
        references.Defaut("le cocktail " + Cite(cle) + " nomme l'ingrédient " + Cite(ingredient) +
                          ", absent");
    }
  };
  defauts +=
      RapporterPaire(PaireCocktail(), VerifierPaire(PaireCocktail(), controler), "collection vide");
  defauts += RapporterPaire(PaireResultat(), VerifierPaire(PaireResultat()),
                            "aucune recherche enregistrée");
  defauts += Rapporter("Familles et ingrédients des cocktails", "", references);

  if (defauts == 0) {
    Dire("Base saine.");
    return SortieSucces;
  }
  DireErreur(Defauts(defauts) + (defauts > 1 ? " trouvés" : " trouvé"));
  return SortieProbleme;
}

}  // namespace

const Commande CommandeVerifier{"verifier", &VerifierOperandes, &Executer};

}  // namespace velquor::outils
