// SPDX-License-Identifier: GPL-3.0-or-later
// importer FICHIER.csv: adds the cocktails of a CSV file, with the families and ingredients they
// name. The whole file is checked first; at the first fault nothing is written. The three
// collections are then written as one: the whole import lands, or nothing of it.

#include "cli/commandes.h"
#include "cli/fichier_lecture.h"
#include "cli/plan_import.h"
#include "resources/chaines.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/cp1252.h"
#include "store/lot_fichier.h"

namespace velquor::outils {

namespace {

struct Compte {
  int ajoutes = 0;
  int conserves = 0;
  bool echec = false;
};

// Adds a record unless its name exists: an existing one is kept as it is and reported with the
// program's own "already exists" message.
template <class Fic, class Remplir>
void AjouterSiNouveau(Fic& fichier, const std::string& nom, int idDejaExistant, Compte& compte,
                      ConsoleMessages& messages, Remplir remplir) {
  if (fichier.Chercher(nom)) {
    messages.AffMessage(idDejaExistant, nom, StyleExclamation);
    ++compte.conserves;
    return;
  }
  fichier.Enreg = {};
  CopierTexte(fichier.Enreg.Nom, nom);
  remplir(fichier.Enreg);
  if (fichier.Ajouter(nom)) {
    ++compte.ajoutes;
  } else {
    DireErreur("impossible d'ajouter « " + Cp1252VersUtf8(nom) + " » à " +
               fichier.NomFichierIndex() + " et " + fichier.NomFichierDonnees());
    compte.echec = true;
  }
}

enum class Ouverture { Ouverte, Occupee, Echec };

// A collection opened for the import alone, created when it is missing; refused when another
// program (the window program, another import) has it open.
Ouverture OuvrirPourImport(PFichier& fichier, ConsoleMessages& messages) {
  bool occupee = false;
  if (fichier.OuvrirExclusif(&occupee)) return Ouverture::Ouverte;
  if (occupee) return Ouverture::Occupee;
  if (!fichier.Creer()) {
    messages.AffMessage(ChaineCreationImpossible, fichier.NomPluriel(), StyleArret);
    return Ouverture::Echec;
  }
  if (fichier.OuvrirExclusif(&occupee)) return Ouverture::Ouverte;
  if (occupee) return Ouverture::Occupee;
  messages.AffMessage(ChaineOuvertureApresCreation, fichier.NomPluriel(), StyleArret);
  return Ouverture::Echec;
}

std::string VerifierOperandes(const Operandes& operandes) {
  if (operandes.size() != 1) return "importer attend un seul fichier CSV";
  return {};
}

int Executer(const Operandes& operandes, ConsoleMessages& messages) {
  const std::string& chemin = operandes[0];
  std::string contenu;
  if (!LireContenu(chemin, contenu)) {
    DireErreur("impossible de lire le fichier « " + chemin + " »");
    return SortieProbleme;
  }

  ResultatPlan resultat = PreparerImport(contenu);
  if (!resultat.erreurs.empty()) {
    for (const ErreurLigne& e : resultat.erreurs)
      Dire(chemin + ", ligne " + std::to_string(e.ligne) + " : " + e.texte);
    DireErreur(Compter(static_cast<int>(resultat.erreurs.size()), "erreur", "erreurs") +
               " : rien n'a été importé");
    return SortieProbleme;
  }
  const PlanImport& plan = resultat.plan;

  FicFamille familles;
  FicIngredient ingredients;
  FicCocktail cocktails;
  for (PFichier* fichier : std::initializer_list<PFichier*>{&familles, &ingredients, &cocktails}) {
    const Ouverture ouverture = OuvrirPourImport(*fichier, messages);
    if (ouverture == Ouverture::Occupee) {
      DireErreur("le fichier des " + Cp1252VersUtf8(fichier->NomPluriel()) + " (" +
                 fichier->NomFichierIndex() + ", " + fichier->NomFichierDonnees() +
                 ") est ouvert par un autre programme (Le Velquor ?) : fermez-le, puis "
                 "recommencez. Rien n'a été importé.");
      return SortieProbleme;
    }
    if (ouverture == Ouverture::Echec) {
      DireErreur("rien n'a été importé");
      return SortieProbleme;
    }
  }

  // The three collections are written out together at the end, all or nothing: a stop or a
  // full disk half-way leaves every one of them as it was.
  LotGroupe lot({&familles, &ingredients, &cocktails});
  Compte cf, ci, cc;
  for (const FamilleImportee& f : plan.familles)
    AjouterSiNouveau(familles, f.nom, ChaineFamilleExistante, cf, messages, [](EnrFamille&) {});
  for (const IngredientImporte& i : plan.ingredients) {
    AjouterSiNouveau(ingredients, i.nom, ChaineIngredientExistant, ci, messages,
                     [&i](EnrIngredient& e) { e.Alcool = i.alcool ? 1 : 0; });
  }
  for (const CocktailImporte& c : plan.cocktails) {
    AjouterSiNouveau(cocktails, c.nom, ChaineCocktailExistant, cc, messages, [&c](EnrCocktail& e) {
      CopierTexte(e.Famille, c.famille);
      CopierTexte(e.Remarques, c.remarques);
      for (std::size_t k = 0; k < c.lignes.size(); ++k) {
        CopierTexte(e.Quantite[k], c.lignes[k].quantite);
        CopierTexte(e.Ingredient[k], c.lignes[k].ingredient);
      }
    });
  }
  if (cf.echec || ci.echec || cc.echec) {
    lot.Abandonner();
    DireErreur("rien n'a été importé : les collections sont comme avant");
    return SortieProbleme;
  }
  if (!lot.Terminer()) {
    DireErreur("l'écriture de " + familles.NomFichierDonnees() + ", " +
               ingredients.NomFichierDonnees() + " et " + cocktails.NomFichierDonnees() +
               " a échoué (disque plein ?) : rien n'a été importé, les collections sont comme "
               "avant");
    return SortieProbleme;
  }
  Dire("Ajoutés : " + Compter(cc.ajoutes, "cocktail", "cocktails") + ", " +
       Compter(cf.ajoutes, "famille", "familles") + ", " +
       Compter(ci.ajoutes, "ingrédient", "ingrédients") + ".");
  int conserves = cc.conserves + cf.conserves + ci.conserves;
  if (conserves > 0)
    Dire(Compter(conserves, "nom déjà présent, conservé tel quel.",
                 "noms déjà présents, conservés tels quels."));
  return SortieSucces;
}

}  // namespace

const Commande CommandeImporter{"importer", &VerifierOperandes, &Executer};

}  // namespace velquor::outils
