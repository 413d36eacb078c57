// SPDX-License-Identifier: GPL-3.0-or-later
// exporter recettes|ingredients|familles|cocktails|tout, and exporter menu [--titre TEXTE] [--tout]

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/commandes.h"
#include "cli/paires.h"
#include "export/bilan_export.h"
#include "export/carte_html.h"
#include "export/chemins_export.h"
#include "export/exports_listes.h"
#include "export/html5.h"
#include "export/index_recettes.h"
#include "export/recettes_html.h"
#include "store/collections.h"

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
constexpr std::string_view CibleMenu = "menu";
constexpr std::string_view OptionTitre = "--titre";
constexpr std::string_view OptionTout = "--tout";

const OptionCommande Options[] = {{OptionTitre, true}, {OptionTout, false}};

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
     [](PMessages& messages) { return ExporterRecettesHtml(messages); }},
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

// The menu's title as the page shows it: the default, or the --titre given last.
std::optional<std::string> TitreMenu(const Operandes& operandes) {
  std::string titre(TitreCarteParDefaut);
  for (const OptionDonnee& o : operandes.options) {
    if (o.nom == OptionTitre) titre = o.valeur;
  }
  return TexteHtmlUtf8(titre);
}

bool MenuDeTout(const Operandes& operandes) {
  return std::any_of(operandes.options.begin(), operandes.options.end(),
                     [](const OptionDonnee& o) { return o.nom == OptionTout; });
}

std::string VerifierOperandes(const Operandes& operandes) {
  if (operandes.size() != 1)
    return "exporter attend une cible : recettes, ingredients, familles, cocktails, tout ou menu";
  if (operandes[0] != CibleMenu && !operandes.options.empty())
    return "les options --titre et --tout ne valent que pour exporter menu";
  if (operandes[0] == CibleMenu) {
    for (const OptionDonnee& o : operandes.options) {
      if (o.nom == OptionTitre && o.valeur.empty()) return "l'option --titre attend un texte";
    }
    if (!TitreMenu(operandes)) return "le titre donné à --titre n'est pas un texte UTF-8 valide";
    return {};
  }
  if (operandes[0] == "tout") return {};
  for (const Export& e : Exports) {
    if (e.cible == operandes[0]) return {};
  }
  return "cible d'export inconnue : " + operandes[0] +
         " (recettes, ingredients, familles, cocktails, tout ou menu)";
}

// exporter menu: the last search's result, or with --tout every cocktail.
int ExporterMenu(const Operandes& operandes) {
  const bool tout = MenuDeTout(operandes);
  const std::string_view base = tout ? BaseCocktail : BaseResultat;
  if (!tout && EtatDePaire(BaseResultat) == EtatPaire::Absente) {
    DireErreur(
        "Carte : aucun résultat de recherche dans ce dossier ; lancez d'abord velquor-outils "
        "rechercher, ou demandez la carte de tous les cocktails avec --tout");
    return SortieProbleme;
  }
  if (!PaireLisible("Carte", base, tout ? "cocktails" : "résultats")) return SortieProbleme;
  std::error_code erreur;
  if (!std::filesystem::is_directory(DossierPagesHtml, erreur) &&
      !std::filesystem::create_directory(DossierPagesHtml, erreur)) {
    DireErreur(std::string("Carte : impossible de créer le dossier ") + DossierPagesHtml);
    return SortieProbleme;
  }
  const BilanCarte bilan = ExporterCarteHtml(base, *TitreMenu(operandes));
  if (!bilan.collectionOuverte) {
    DireErreur(std::string("Carte : impossible d'ouvrir le fichier des ") +
               (tout ? "cocktails" : "résultats") + " ; rien n'a été exporté");
    return SortieProbleme;
  }
  if (!bilan.fichiersIllisibles.empty()) {
    DireErreur("Carte : lecture impossible de " + Enumerer(bilan.fichiersIllisibles, 2) +
               " ; rien n'a été exporté");
    return SortieProbleme;
  }
  if (!bilan.fichiersEnEchec.empty()) {
    DireErreur("Carte : impossible d'écrire " + SansPrefixe(CheminCarte) +
               " (disque plein ou dossier protégé ?) ; l'ancienne carte, s'il y en a une, est "
               "restée telle quelle");
    return SortieProbleme;
  }
  std::string texte = "Carte : " + SansPrefixe(CheminCarte) + " écrite (" +
                      Compter(bilan.nbEnregistrements, "cocktail", "cocktails");
  if (bilan.nbEnregistrements > 0)
    texte += ", " + Compter(bilan.nbFamilles, "famille", "familles") + ", " +
             Compter(bilan.nbLiens, "lien", "liens") + " vers les pages de recettes";
  Dire(texte + ")");
  return SortieSucces;
}

// The recipe pages, then their index (which lists the pages written).
bool ExporterRecettes(const Export& e, ConsoleMessages& messages) {
  std::vector<PageRecette> pages;
  const BilanExport bilan = ExporterRecettesHtml(messages, &pages);
  bool reussi = Rapporter(e, bilan);
  if (!bilan.collectionOuverte) return false;
  if (EcrireIndexRecettes(pages)) {
    Dire(std::string(e.titre) + " : " + SansPrefixe(CheminIndexRecettes) + " écrit (" +
         Compter(static_cast<std::int64_t>(pages.size()), "page", "pages") + ")");
  } else {
    DireErreur(std::string(e.titre) + " : impossible d'écrire " + SansPrefixe(CheminIndexRecettes));
    reussi = false;
  }
  return reussi;
}

int Executer(const Operandes& operandes, ConsoleMessages& messages) {
  if (operandes[0] == CibleMenu) return ExporterMenu(operandes);
  bool reussi = true;
  for (const Export& e : Exports) {
    if (operandes[0] != "tout" && operandes[0] != e.cible) continue;
    // The export would create an empty pair where there is none: say so instead.
    if (!PaireLisible(e.titre, e.base, e.pluriel) || !CreerDossiers(e)) {
      reussi = false;
      continue;
    }
    if (e.cible == CibleRecettes)
      reussi = ExporterRecettes(e, messages) && reussi;
    else
      reussi = Rapporter(e, e.executer(messages)) && reussi;
  }
  return reussi ? SortieSucces : SortieProbleme;
}

}  // namespace

const Commande CommandeExporter{"exporter", &VerifierOperandes, &Executer, Options};

}  // namespace velquor::outils
