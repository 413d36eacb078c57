#include "store/enregistrements.h"

#include "store/champ_texte.h"

namespace velquor {

void Normaliser(EnrFamille& enr) {
  EnrFamille propre{};
  CopierJusquAuTerminateur(propre.Nom, enr.Nom);
  CopierJusquAuTerminateur(propre.Commentaire, enr.Commentaire);
  enr = propre;
}

void Normaliser(EnrIngredient& enr) {
  EnrIngredient propre{};
  CopierJusquAuTerminateur(propre.Nom, enr.Nom);
  propre.Alcool = enr.Alcool;
  CopierJusquAuTerminateur(propre.Commentaire, enr.Commentaire);
  enr = propre;
}

void Normaliser(EnrCocktail& enr) {
  EnrCocktail propre{};
  CopierJusquAuTerminateur(propre.Nom, enr.Nom);
  for (int i = 0; i < NbLignesComposition; ++i) {
    CopierJusquAuTerminateur(propre.Quantite[i], enr.Quantite[i]);
    CopierJusquAuTerminateur(propre.Ingredient[i], enr.Ingredient[i]);
  }
  CopierJusquAuTerminateur(propre.Famille, enr.Famille);
  CopierJusquAuTerminateur(propre.Remarques, enr.Remarques);
  enr = propre;
}

}  // namespace velquor
