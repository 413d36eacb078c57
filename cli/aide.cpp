// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commandes.h"

#include <string>

namespace velquor::outils {

std::string_view TexteAide() {
  return R"(Utilisation : velquor-outils [-C DOSSIER] COMMANDE [OPTIONS] [ARGUMENTS]

Outils en ligne de commande pour la base de recettes du Velquor (fichiers FAMILLE, INGRED,
COCKTAIL et RESURECH du dossier courant, ou de DOSSIER avec -C).

Commandes :
  exporter recettes|ingredients|familles|cocktails|tout
      Écrit les pages HTML des recettes dans web/ avec leur sommaire web/index.html, les
      listes à largeur fixe dans Web/ et les fichiers SQL dans Tux/ ; crée ces dossiers
      s'ils manquent.
  exporter menu [--titre TEXTE] [--tout]
      Écrit la carte web/menu.html : les cocktails de la dernière recherche (avec --tout,
      tous les cocktails) par famille, avec leur composition et leurs remarques, chaque nom
      menant à sa page de recette si exporter recettes l'a écrite. Page HTML5 en UTF-8, à
      imprimer (A4 ou Letter) ou à partager. L'ancienne carte reste entière tant que la
      nouvelle n'est pas complètement écrite.
  rechercher nom [--contient|--ne-contient-pas] [CHAINE]
  rechercher familles [--selectionnees|--non-selectionnees] [NOM...] [--contenant MOT]
      [--fichier F]
  rechercher ingredients [--tous|--aucun|--au-moins-un] [NOM...] [--contenant MOT]
      [--fichier F]
      Lance la recherche de « Nouvelle recherche » et écrit son résultat (RESURECH) comme
      la fenêtre de recherche, puis affiche les noms du résultat, un par ligne :
        --contient           nom contenant la chaîne (par défaut ; chaîne vide : tous)
        --ne-contient-pas    nom ne contenant pas la chaîne
        --selectionnees      famille parmi celles données (par défaut)
        --non-selectionnees  famille hors de celles données
        --tous               tous les ingrédients parmi ceux donnés (par défaut) :
                             « que puis-je faire avec ces bouteilles ? »
        --aucun              aucun ingrédient parmi ceux donnés
        --au-moins-un        au moins un ingrédient parmi ceux donnés
        --contenant MOT      choisit aussi chaque nom qui contient MOT, sans tenir
                             compte des majuscules ni des accents (--contenant rhum :
                             tous les rhums) ; se répète
        --fichier F          lit aussi les noms dans F (UTF-8, un par ligne)
        --ajouter            garde le résultat précédent et y ajoute celui-ci
                             (sans --ajouter, le résultat précédent est effacé)
      Les noms s'écrivent en minuscules ou en majuscules ; un nom inconnu arrête tout,
      et les noms qui le contiennent sont proposés.
  importer FICHIER.csv
      Ajoute les cocktails d'un fichier CSV en UTF-8 avec la ligne d'en-tête
      cocktail,famille,quantite,ingredient,alcoolise,remarques
      (une ligne par ligne de composition ; alcoolise vaut oui ou non, vide pour non ;
      une ligne sans ingrédient ne donne que la famille ou les remarques).
      Le fichier est d'abord vérifié en entier : à la moindre erreur, rien n'est écrit.
      Un nom déjà présent dans la base est conservé tel quel.
  verifier
      Contrôle les index et les fichiers de données sans rien modifier, les familles et
      ingrédients nommés par les cocktails, et les lignes de composition cachées derrière
      une ligne sans ingrédient ; dit que faire de chaque défaut.
  lister familles|ingredients|cocktails|resultats
      Affiche les noms dans l'ordre de l'index, un par ligne, en UTF-8 ; un caractère
      de contrôle (ou l'un des cinq octets que CP1252 ne définit pas) s'écrit \xHH.
  reorganiser familles|ingredients|cocktails|resultats|tout
      Reconstruit la collection en un arbre équilibré et un fichier de données compact,
      sans nœuds ni enregistrements morts, avec tout enregistrement que l'index relie
      encore à son nom, même si l'en-tête ou les liens sont abîmés. L'ancienne paire est
      gardée en .NDX.bak et .DAT.bak, ou .bak2, .bak3… si une sauvegarde plus ancienne
      contient ce qu'elle n'a pas. Refusé tant que le programme a la collection ouverte.

Si une réorganisation a été interrompue (arrêt, panne), le prochain démarrage du Velquor
ou de velquor-outils la mène à terme ou l'annule : la paire est l'ancienne ou la nouvelle,
entière. Une collection dont la création a été interrompue est retirée : absente, comme
avant.

Options :
  -C DOSSIER   travaille dans DOSSIER au lieu du dossier courant (les chemins relatifs,
               comme FICHIER.csv ou --fichier F, partent alors de DOSSIER)
  --aide       affiche cette aide

Code de sortie : 0 si tout va bien, 1 si un problème a été trouvé (pour rechercher :
aucun cocktail trouvé, ou un résultat qui n'a pu être écrit), 2 si la ligne de commande
est incorrecte (pour rechercher : un nom de famille ou d'ingrédient inconnu). Les messages
sont écrits sur la sortie d'erreur.
)";
}

const Commande* TrouverCommande(std::string_view nom) {
  for (const Commande* c : {&CommandeExporter, &CommandeImporter, &CommandeVerifier,
                            &CommandeLister, &CommandeReorganiser, &CommandeRechercher}) {
    if (c->nom == nom) return c;
  }
  return nullptr;
}

int ErreurUsage(std::string_view texte) {
  DireErreur(texte);
  Dire("Essayez « velquor-outils --aide ».");
  return SortieUsage;
}

}  // namespace velquor::outils
