// verifier: checks the four pairs read-only, then the families and ingredients the cocktails
// name, then the rows the cocktails and the results hide. Exit status 1 on any fault; names out
// of order alone are not one.

#include <string>

#include "cli/commandes.h"
#include "cli/rapport_verification.h"
#include "cli/verification_paire.h"

namespace velquor::outils {

namespace {

std::string VerifierOperandes(const Operandes& operandes) {
  return operandes.empty() ? std::string() : "verifier n'attend aucun argument";
}

int Executer(const Operandes&, ConsoleMessages&) {
  const RapportBase base = VerifierBase();
  std::int64_t defauts = 0;
  defauts += RapporterPaire(PaireFamille(), base.familles, "collection vide");
  defauts += RapporterPaire(PaireIngredient(), base.ingredients, "collection vide");
  defauts += RapporterPaire(PaireCocktail(), base.cocktails, "collection vide");
  defauts += RapporterPaire(PaireResultat(), base.resultats, "aucune recherche enregistrée");
  defauts += RapporterReferences(base.references);
  defauts += RapporterLignes(base.lignesCocktails, base.lignesResultats);

  if (defauts == 0) {
    Dire("Base saine.");
    return SortieSucces;
  }
  DireErreur(Compter(defauts, "défaut", "défauts") + (defauts > 1 ? " trouvés" : " trouvé"));
  return SortieProbleme;
}

}  // namespace

const Commande CommandeVerifier{"verifier", &VerifierOperandes, &Executer};

}  // namespace velquor::outils
