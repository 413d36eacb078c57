// SPDX-License-Identifier: GPL-3.0-or-later
// verifier: checks the four pairs read-only, then the families and ingredients the cocktails
// name, then the rows the cocktails and the results hide. Exit status 1 on any fault; names out
// of order alone are not one.

#include <iostream>
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
  // The report is the command's output: it goes where the user sends it.
  std::ostream& flux = std::cout;
  defauts += RapporterPaire(flux, PaireFamille(), base.familles, "collection vide");
  defauts += RapporterPaire(flux, PaireIngredient(), base.ingredients, "collection vide");
  defauts += RapporterPaire(flux, PaireCocktail(), base.cocktails, "collection vide");
  defauts += RapporterPaire(flux, PaireResultat(), base.resultats, "aucune recherche enregistrée");
  defauts += RapporterReferences(flux, base.references);
  defauts += RapporterLignes(flux, base.lignesCocktails, base.lignesResultats);
  if (defauts == 0) {
    flux << "Base saine.\n";
  } else {
    flux << Compter(defauts, "défaut", "défauts") << (defauts > 1 ? " trouvés" : " trouvé") << '\n';
  }
  flux.flush();
  if (!flux) {
    DireErreur("impossible d'écrire le rapport");
    return SortieProbleme;
  }
  return defauts == 0 ? SortieSucces : SortieProbleme;
}

}  // namespace

const Commande CommandeVerifier{"verifier", &VerifierOperandes, &Executer};

}  // namespace velquor::outils
