// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/chaines.h"

namespace velquor {

const char* TexteChaine(int id) {
  switch (id) {
    case ChaineAideProgramme:
      return "Affiche l'aide sur le programme";
    case ChaineAccesAPropos:
      return "Access About";
    case ChaineAPropos:
      return "About the Velquor application";
    case ChaineCreationImpossible:
      return "Impossible de créer le fichier des %s !";
    case ChaineOuvertureApresCreation:
      return "Erreur Ouverture fichier des %s aprés création !";
    case ChaineIngredientExistant:
      return "Ingrédient %s déjà existant !";
    case ChaineSuppressionIngredient:
      return "Suppression de l'ingrédient %s ?";
    // The family and cocktail editors name their own kind of record.
    case ChaineFamilleExistante:
      return "Famille %s déjà existante !";
    case ChaineSuppressionFamille:
      return "Suppression de la famille %s ?";
    case ChaineCocktailExistant:
      return "Cocktail %s déjà existant !";
    case ChaineSuppressionCocktail:
      return "Suppression du cocktail %s ?";
    case ChaineNouvelIngredientAlcoolise:
      return "Création d'un nouvel ingrédient : %s\n\nCet ingrédient est-il alcoolisé ?";
    case ChaineAucunCocktail:
      return "Aucun cocktails ne correspond aux critères de recherche !";
    case ChaineResultatExistant:
      return "Un fichier de résultat existe déjà !\n\nVoulez-vous effacer les éléments qu'il "
             "contient avant d'effectuer la recherche ?";
    case ChaineAucuneInformation:
      return "Aucune information disponible sur l'ingrédient %s !";
    case ChaineQuitter:
      return "Quits Velquor and prompts to save the documents";
    default:
      return nullptr;
  }
}

std::string FormaterChaine(std::string_view modele, std::string_view argument) {
  std::string texte(modele);
  if (auto pos = texte.find("%s"); pos != std::string::npos) texte.replace(pos, 2, argument);
  return texte;
}

}  // namespace velquor
