// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/recettes_html.h"

#include <cstdio>

#include "export/chemins_export.h"
#include "export/fichier_sortie.h"
#include "export/page_recette.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "store/ouverture.h"

namespace velquor {

std::string CheminPageHtml(int numero) {
  char nom[32];
  std::snprintf(nom, sizeof nom, "./web/recet%03d.html", numero);
  return nom;
}

BilanExport ExporterRecettesHtml(PMessages& messages, std::vector<PageRecette>* pages) {
  BilanExport bilan;
  FicCocktail cocktails;
  bilan.collectionOuverte = OuvrirCollection(cocktails, messages);
  if (!bilan.collectionOuverte) return bilan;
  const long erreursAvant = cocktails.ErreursES();
  LotFichier lot(cocktails);  // one reading of the collection for the whole export

  int numero = 0;
  if (cocktails.Premier()) {
    do {
      ++numero;
      std::string chemin = CheminPageHtml(numero);
      FichierSortie page;
      if (!page.Creer(chemin)) {
        bilan.fichiersEnEchec.push_back(chemin);
        continue;
      }
      EcrirePageRecette(page, cocktails.Enreg);
      if (page.Fermer()) {
        if (pages) pages->push_back({chemin, std::string(Texte(cocktails.Enreg.Nom))});
        bilan.fichiersEcrits.push_back(chemin);
        ++bilan.nbEnregistrements;
      } else {
        bilan.fichiersEnEchec.push_back(chemin);
      }
    } while (cocktails.Suivant());
  }
  // A walk cut short by a failed read is not the end of the collection.
  if (cocktails.ErreursES() != erreursAvant) {
    bilan.fichiersIllisibles.push_back(cocktails.NomFichierIndex());
    bilan.fichiersIllisibles.push_back(cocktails.NomFichierDonnees());
  }
  return bilan;
}

}  // namespace velquor
