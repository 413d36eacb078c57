// exporter recettes|ingredients|familles|cocktails|tout

#include <algorithm>
#include <filesystem>
#include <string>

#include "cli/commandes.h"
#include "cli/paires.h"
#include "export/bilan_export.h"
#include "export/chemins_export.h"
#include "export/exports_listes.h"
#include "export/recettes_html.h"

namespace velquor::outils {

namespace {

struct Export {
  std::string_view cible;  // the operand
  std::string_view titre;  // how the report names it
  std::string_view base;
  std::string_view singulier;
  std::string_view pluriel;
  const char* dossiers[2];  // the folders it writes into; nullptr when one is enough
  BilanExport (*executer)(PMessages&);
};

constexpr std::string_view CibleRecettes = "recettes";

const Export Exports[] = {
    {"familles",
     "Familles",
     "FAMILLE",
     "famille",
     "familles",
     {DossierListesWeb, DossierFichiersSql},
     &ExporterFamilles},
    {"ingredients",
     "Ingrédients",
     "INGRED",
     "ingrédient",
     "ingrédients",
     {DossierListesWeb, DossierFichiersSql},
     &ExporterIngredients},
    {"cocktails",
     "Cocktails",
     "COCKTAIL",
     "cocktail",
     "cocktails",
     {DossierListesWeb, DossierFichiersSql},
     &ExporterCocktails},
    {CibleRecettes,
     "Recettes HTML",
     "COCKTAIL",
     "cocktail",
     "cocktails",
     {DossierPagesHtml, nullptr},
     &ExporterRecettesHtml},
};

std::string SansPrefixe(std::string_view chemin) {
  if (chemin.starts_with("./")) chemin.remove_prefix(2);
  return std::string(chemin);
}

// "a", "a et b", "a, b et c", "a, b, c et 4 autres".
std::string Enumerer(const std::vector<std::string>& chemins, std::size_t maximum) {
  std::size_t montres = std::min(chemins.size(), maximum);
  std::string texte;
  for (std::size_t i = 0; i < montres; ++i) {
    if (i > 0) texte += i + 1 == montres && chemins.size() == montres ? " et " : ", ";
    texte += SansPrefixe(chemins[i]);
  }
  if (chemins.size() > montres)
    texte += " et " + std::to_string(chemins.size() - montres) + " autres";
  return texte;
}

bool CreerDossiers(const Export& e) {
  for (const char* dossier : e.dossiers) {
    if (dossier == nullptr) continue;
    std::error_code erreur;
    if (std::filesystem::is_directory(dossier, erreur)) continue;
    if (!std::filesystem::create_directory(dossier, erreur)) {
      DireErreur(std::string(e.titre) + " : impossible de créer le dossier " + dossier);
      return false;
    }
  }
  return true;
}

// Says what was written; false when anything failed.
bool Rapporter(const Export& e, const BilanExport& bilan) {
  std::string titre(e.titre);
  if (!bilan.collectionOuverte) {
    DireErreur(titre + " : rien n'a été exporté");
    return false;
  }
  const auto& ecrits = bilan.fichiersEcrits;
  const std::string nombre = Compter(bilan.nbEnregistrements, e.singulier, e.pluriel);
  if (e.cible == CibleRecettes) {
    if (!ecrits.empty())
      Dire(titre + " : " +
           Compter(static_cast<std::int64_t>(ecrits.size()), "page écrite", "pages écrites") +
           " dans " + DossierPagesHtml + "/");
    else if (bilan.fichiersEnEchec.empty())
      Dire(titre + " : aucun cocktail, aucune page écrite");
  } else if (!ecrits.empty() && bilan.nbEnregistrements == 0) {
    Dire(titre + " : collection vide ; " + Enumerer(ecrits, 3) +
         " vidé, fichiers SQL laissés tels quels");
  } else if (!ecrits.empty()) {
    Dire(titre + " : " + Enumerer(ecrits, 3) + (ecrits.size() > 1 ? " écrits (" : " écrit (") +
         nombre + ")");
  }
  if (!bilan.fichiersIllisibles.empty()) {
    DireErreur(titre + " : lecture impossible de " + Enumerer(bilan.fichiersIllisibles, 2) +
               " ; l'export est incomplet");
  }
  if (!bilan.fichiersEnEchec.empty()) {
    DireErreur(titre + " : impossible d'écrire " + Enumerer(bilan.fichiersEnEchec, 5));
  }
  return bilan.fichiersIllisibles.empty() && bilan.fichiersEnEchec.empty();
}

std::string VerifierOperandes(const Operandes& operandes) {
  if (operandes.size() != 1)
    return "exporter attend une cible : recettes, ingredients, familles, cocktails ou tout";
  if (operandes[0] == "tout") return {};
  for (const Export& e : Exports) {
    if (e.cible == operandes[0]) return {};
  }
  return "cible d'export inconnue : " + operandes[0] +
         " (recettes, ingredients, familles, cocktails ou tout)";
}

int Executer(const Operandes& operandes, ConsoleMessages& messages) {
  bool reussi = true;
  for (const Export& e : Exports) {
    if (operandes[0] != "tout" && operandes[0] != e.cible) continue;
    // The export would create an empty pair where there is none: say so instead.
    if (EtatPaire etat = EtatDePaire(e.base); etat != EtatPaire::Presente) {
      DireErreur(std::string(e.titre) + " : " + TexteSansPaire(e.base, e.pluriel, etat));
      reussi = false;
      continue;
    }
    // Opening a data file shorter than its header would write one into it: exporting is reading,
    // and leaves the pair as it is.
    std::error_code erreur;
    const std::string donnees = std::string(e.base) + ".DAT";
    if (const auto taille = std::filesystem::file_size(donnees, erreur); !erreur && taille < 8) {
      DireErreur(std::string(e.titre) + " : " + donnees + " n'a pas son en-tête (" +
                 std::to_string(taille) +
                 " octets) : rien n'a été exporté ; velquor-outils verifier dit ce qu'il en est");
      reussi = false;
      continue;
    }
    if (!CreerDossiers(e)) {
      reussi = false;
      continue;
    }
    reussi = Rapporter(e, e.executer(messages)) && reussi;
  }
  return reussi ? SortieSucces : SortieProbleme;
}

}  // namespace

const Commande CommandeExporter{"exporter", &VerifierOperandes, &Executer};

}  // namespace velquor::outils
