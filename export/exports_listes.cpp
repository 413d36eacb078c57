// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/exports_listes.h"

#include <array>
#include <string>

#include "export/chemins_export.h"
#include "export/fichier_sortie.h"
#include "export/fichiers_sql.h"
#include "export/listes_web.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "store/ouverture.h"

namespace velquor {

namespace {

// A walk cut short by a failed read is not the end of the collection: say which files failed.
void NoterLecture(const PFichier& collection, long erreursAvant, BilanExport& bilan) {
  if (collection.ErreursES() == erreursAvant) return;
  bilan.fichiersIllisibles.push_back(collection.NomFichierIndex());
  bilan.fichiersIllisibles.push_back(collection.NomFichierDonnees());
}

void Clore(FichierSortie& fichier, const std::string& chemin, BilanExport& bilan) {
  if (!fichier.Ouvert()) return;
  (fichier.Fermer() ? bilan.fichiersEcrits : bilan.fichiersEnEchec).push_back(chemin);
}

// The frame shared by the three exports. `ecrire`(collection, row, web, sql) appends one
// record's output; it is called once per record in name order.
template <class Fic, std::size_t NbSql, class Ecrivain>
BilanExport ExporterListe(PMessages& messages, const char* cheminWeb,
                          const std::array<const char*, NbSql>& cheminsSql, Ecrivain ecrire) {
  BilanExport bilan;
  Fic collection;
  bilan.collectionOuverte = OuvrirCollection(collection, messages);
  // A collection that cannot be opened has nothing to give: leave the former export in place.
  if (!bilan.collectionOuverte) return bilan;
  const long erreursAvant = collection.ErreursES();
  LotFichier lot(collection);  // one reading of the collection for the whole export

  FichierSortie web;
  if (!web.Creer(cheminWeb)) {
    bilan.fichiersEnEchec.push_back(cheminWeb);
    return bilan;
  }
  if (!collection.Premier()) {
    NoterLecture(collection, erreursAvant, bilan);
    Clore(web, cheminWeb, bilan);
    return bilan;
  }
  std::array<FichierSortie, NbSql> sql;
  for (std::size_t i = 0; i < NbSql; ++i) {
    if (!sql[i].Creer(cheminsSql[i])) bilan.fichiersEnEchec.push_back(cheminsSql[i]);
  }
  int rang = 1;
  do {
    ecrire(collection, rang, web, sql);
    ++rang;
  } while (collection.Suivant());
  bilan.nbEnregistrements = rang - 1;
  NoterLecture(collection, erreursAvant, bilan);

  for (std::size_t i = 0; i < NbSql; ++i)
    Clore(sql[i], cheminsSql[i], bilan);
  Clore(web, cheminWeb, bilan);
  return bilan;
}

}  // namespace

BilanExport ExporterIngredients(PMessages& messages) {
  return ExporterListe<FicIngredient>(
      messages, CheminIngredWeb, std::array{CheminIngredSql},
      [](FicIngredient& f, int rang, FichierSortie& web, auto& sql) {
        web.Ecrire(EnregistrementWeb(f.Enreg));
        sql[0].Ecrire(LigneSqlIngredient(rang, Texte(f.Noeud().Cle), f.Enreg));
      });
}

BilanExport ExporterFamilles(PMessages& messages) {
  return ExporterListe<FicFamille>(messages, CheminFamilleWeb, std::array{CheminFamilleSql},
                                   [](FicFamille& f, int rang, FichierSortie& web, auto& sql) {
                                     web.Ecrire(EnregistrementWeb(f.Enreg));
                                     sql[0].Ecrire(LigneSqlFamille(rang, Texte(f.Noeud().Cle)));
                                   });
}

BilanExport ExporterCocktails(PMessages& messages) {
  int numeroCompo = 1;
  return ExporterListe<FicCocktail>(
      messages, CheminCocktailWeb, std::array{CheminCocktailSql, CheminCompoSql},
      [&numeroCompo](FicCocktail& f, int rang, FichierSortie& web, auto& sql) {
        web.Ecrire(EnregistrementWeb(f.Enreg));
        sql[0].Ecrire(LigneSqlCocktail(rang, Texte(f.Noeud().Cle), f.Enreg));
        sql[1].Ecrire(LignesSqlCompo(numeroCompo, rang, f.Enreg));
      });
}

}  // namespace velquor
