// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/page_recette.h"

#include "export/ligne_html.h"
#include "store/champ_texte.h"
#include "store/lignes_composition.h"

namespace velquor {

namespace {

constexpr std::string_view CelluleVide = "<td>&nbsp;</td>";

void OuvrirRangee(FichierSortie& f) {
  EcrireLigneHtml(f, "<tr>");
  EcrireLigneHtml(f, CelluleVide);
  EcrireLigneHtml(f, CelluleVide);
}

void FermerRangee(FichierSortie& f) {
  EcrireLigneHtml(f, CelluleVide);
  EcrireLigneHtml(f, CelluleVide);
  EcrireLigneHtml(f, "</tr>");
}

void RangeeEspacement(FichierSortie& f) {
  EcrireLigneHtml(f, "<tr>");
  for (int i = 0; i < 5; ++i)
    EcrireLigneHtml(f, CelluleVide);
  EcrireLigneHtml(f, "</tr>");
}

void EcrireEntete(FichierSortie& f, const EnrCocktail& c) {
  EcrireLigneHtml(f, "<html>");
  EcrireLigneHtml(f, "<head>");
  EcrireLigneHtml(f,
                  "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">");
  EcrireLigneHtml(f,
                  "<meta name=\"description\" content=\"Tavisk mini Base de donn\xE9"
                  "es de cocktails\">");
  EcrireLigneHtml(f, "<meta name=\"keywords\" content=\"cocktail, recette, boisson, alcool\">");
  EcrireLigneHtml(f, "<title>" + EchapperHtml(Texte(c.Nom)) + "</title>");
  EcrireLigneHtml(f, "</head>");
  EcrireLigneHtml(f, "<body bgcolor=\"#FFFFFF\">");
  EcrireLigneHtml(f, "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">");
}

void EcrireTitre(FichierSortie& f, const EnrCocktail& c) {
  OuvrirRangee(f);
  EcrireLigneHtml(f,
                  "<td align=\"center\"><font color=\"#000080\" size=\"4\" "
                  "face=\"Arial,Helvetica\"><em><strong><u>");
  EcrireLigneHtml(f, EchapperHtml(Texte(c.Nom)));
  EcrireLigneHtml(f, "</u></strong></em></font></td>");
  FermerRangee(f);
}

void EcrireFamille(FichierSortie& f, const EnrCocktail& c) {
  OuvrirRangee(f);
  EcrireLigneHtml(f,
                  "<td bgcolor=\"#FF8000\"><font color=\"#800008\" face=\"Arial,Helvetica\" "
                  "size=-1><strong>&nbsp;Famille:</strong></font></td>");
  FermerRangee(f);
  OuvrirRangee(f);
  EcrireLigneHtml(f,
                  "<td bgcolor=\"#FFBA75\"><blockquote><p><font face=\"Arial,Helvetica\" "
                  "size=-1>");
  EcrireLigneHtml(f, EchapperHtml(Texte(c.Famille)));
  EcrireLigneHtml(f, "</font></p></blockquote></td>");
  FermerRangee(f);
}

// The rows up to the first one without an ingredient, one sentence a line.
void EcrireComposition(FichierSortie& f, const EnrCocktail& c) {
  OuvrirRangee(f);
  EcrireLigneHtml(f,
                  "<td bgcolor=\"#0080C0\"><font color=\"#000080\" face=\"Arial,Helvetica\" "
                  "size=-1><strong>");
  EcrireLigneHtml(f, "&nbsp;Composition:</strong></font></td>");
  FermerRangee(f);
  OuvrirRangee(f);
  EcrireLigneHtml(f,
                  "<td bgcolor=\"#A6CAF0\"><blockquote><p><font face=\"Arial,Helvetica\" "
                  "size=-1>");
  for (int i = 0, n = NbLignesAffichees(c); i < n; ++i) {
    std::string_view ingredient = Texte(c.Ingredient[i]);
    std::string_view quantite = Texte(c.Quantite[i]);
    std::string ligne = i == 0 ? "" : "<br>";
    ligne += EchapperHtml(quantite);
    ligne += JointureComposition(quantite, ingredient);
    ligne += EchapperHtml(ingredient);
    EcrireLigneHtml(f, ligne);
  }
  EcrireLigneHtml(f, "</blockquote></td>");
  FermerRangee(f);
}

void EcrireRemarques(FichierSortie& f, const EnrCocktail& c) {
  OuvrirRangee(f);
  EcrireLigneHtml(f,
                  "<td bgcolor=\"#CCCC99\"><font color=\"#000000\" face=\"Arial,Helvetica\" "
                  "size=-1><strong>&nbsp;");
  EcrireLigneHtml(f, "Remarques:</strong></font></td>");
  FermerRangee(f);
  OuvrirRangee(f);
  EcrireLigneHtml(f,
                  "<td bgcolor=\"#FFFFCC\"><blockquote><p><font face=\"Arial,Helvetica\" "
                  "size=-1>");
  EcrireLigneHtml(f, EchapperHtml(Texte(c.Remarques)));
  EcrireLigneHtml(f, "</font></p></blockquote></td>");
  FermerRangee(f);
}

}  // namespace

std::string_view JointureComposition(std::string_view quantite, std::string_view ingredient) {
  if (!ingredient.empty() &&
      std::string_view("AEIOUY").find(ingredient.front()) != std::string_view::npos)
    return " d' ";
  for (char c : quantite) {
    if (c < '0' || c > '9') return " de ";
  }
  return " ";
}

void EcrirePageRecette(FichierSortie& fichier, const EnrCocktail& cocktail) {
  EcrireEntete(fichier, cocktail);
  EcrireTitre(fichier, cocktail);
  RangeeEspacement(fichier);
  EcrireFamille(fichier, cocktail);
  RangeeEspacement(fichier);
  EcrireComposition(fichier, cocktail);
  RangeeEspacement(fichier);
  EcrireRemarques(fichier, cocktail);
  RangeeEspacement(fichier);
  EcrireLigneHtml(fichier, "</table>");
  EcrireLigneHtml(fichier, "</body>");
  EcrireLigneHtml(fichier, "</html>");
}

}  // namespace velquor
