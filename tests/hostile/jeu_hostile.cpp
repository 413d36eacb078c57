// SPDX-License-Identifier: GPL-3.0-or-later
#include "jeu_hostile.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"

namespace velquor::test {
namespace {

// The bytes premier to dernier, in order.
std::string Octets(unsigned char premier, unsigned char dernier) {
  std::string texte;
  for (unsigned c = premier; c <= dernier; ++c)
    texte.push_back(static_cast<char>(c));
  return texte;
}

// The text brought to exactly `longueur` bytes with `bourrage` at its end (never cut).
std::string AuLongueur(std::string texte, std::size_t longueur, char bourrage = '.') {
  EXPECT_LE(texte.size(), longueur) << texte;
  texte.resize(longueur, bourrage);
  return texte;
}

}  // namespace

const std::string Famille80 = AuLongueur(Octets(0x80, 0x8F) + " FAMILLE", 30, '#');
const std::string Ingredient90 = AuLongueur(Octets(0x90, 0x9F) + " JUS", 30, '#');

namespace {

const std::string FamilleFormat = AuLongueur("<B>&\"%s\";%d 100% FAMILLE", 30, '#');
const std::string Famille90 = AuLongueur(Octets(0x90, 0x9F) + " FAMILLE", 30, '#');
const std::string IngredientFormat = AuLongueur("ABSINTHE <&> \"%s\"; 50%", 30, '#');
const std::string Ingredient80 = AuLongueur(Octets(0x80, 0x8F) + " SIROP", 30, '#');
const std::string IngredientSansCommentaire = AuLongueur("GLACE <PILEE> & %s %d", 30, '#');
const std::string CocktailFormat = AuLongueur("COCKTAIL <&> \"%s\"; 100% %d", 30, '#');
const std::string Cocktail80 = AuLongueur(Octets(0x80, 0x8F) + " COCKTAIL", 30, '#');
const std::string Cocktail90 = AuLongueur(Octets(0x90, 0x9F) + " COCKTAIL", 30, '#');

}  // namespace

// Hex escapes are cut into literals of their own: "\xE9" "t" is é then t, "\xE9t" would not be.
const std::string Remarque250 =
    AuLongueur("Servir <frais> & \"sec\"; 100% %s %d %%\r\n" + Octets(0x80, 0x9F) +
                   "\r\n"
                   "cr\xE8"
                   "me p\xE2"
                   "le \xE9"
                   "t\xE9 \xE0 l'\xF4 o\xF9 \xFB \xEA \xE7\r\n"
                   "&amp; &lt; <br> <script>alert(\"x\")</script>\r\n",
               250);

const std::string Remarque125Sauts = [] {
  std::string texte;
  for (int i = 0; i < 125; ++i)
    texte += "\r\n";
  return texte;
}();

namespace {

// Two families that differ only in case ("œuf" and "ŒUF"): the sorted lists put them side by
// side.
const std::string FamilleMinuscule =
    "\x9C"
    "uf & \"%s\"";
const std::string FamilleMajuscule =
    "\x8C"
    "UF & \"%S\"";

JeuHostile ConstruireJeu() {
  JeuHostile jeu;
  jeu.familles = {
      {FamilleFormat, Remarque250},
      {Famille80, "Ligne <1>\r\nLigne & 2; \"%s\""},
      {Famille90, ""},
      {FamilleMinuscule, Octets(0x80, 0x9F)},
      {FamilleMajuscule, "%s%s%s%d%n"},
  };
  jeu.ingredients = {
      {IngredientFormat, true, Remarque250},
      {Ingredient80, false, "Sucre & eau; \"1:1\" < 2\r\n%s"},
      {Ingredient90, true, Remarque125Sauts},
      {IngredientSansCommentaire, false, ""},
  };
  CocktailHostile format{CocktailFormat, FamilleFormat, {}, {}, Remarque250};
  format.quantites = {AuLongueur("1/2 <&> \"%s\"; 10%", 20, '#'),
                      "12345678901234567890",
                      Octets(0x80, 0x93),
                      Octets(0x8C, 0x9F),
                      "",
                      "%d%%%s",
                      "",
                      AuLongueur("&amp;", 20, ';'),
                      std::string(20, '"'),
                      AuLongueur("<%s>", 20, '>')};
  format.ingredients = {IngredientFormat, Ingredient80, Ingredient90, IngredientSansCommentaire,
                        IngredientFormat, Ingredient80, Ingredient90, IngredientSansCommentaire,
                        IngredientFormat, Ingredient90};
  // Row 3 has a quantity and no ingredient: the recipe pages stop there, the composition export
  // goes on.
  CocktailHostile c80{Cocktail80,
                      Famille80,
                      {"2 cl", "%s", "1 trait", "", "4"},
                      {Ingredient80, IngredientFormat, "", Ingredient90, IngredientSansCommentaire},
                      "Une ligne\r\n\r\nune autre; \"%s\" & <fin>"};
  CocktailHostile c90{Cocktail90,
                      Famille90,
                      {AuLongueur(Octets(0x90, 0x9F), 20, '#')},
                      {Ingredient90},
                      Remarque125Sauts};
  jeu.cocktails = {format, c80, c90};
  return jeu;
}

template <class Fic>
void OuvrirOuCreer(Fic& f) {
  ASSERT_TRUE(f.Ouvrir() || (f.Creer() && f.Ouvrir())) << f.NomBase();
}

}  // namespace

const JeuHostile& Jeu() {
  static const JeuHostile jeu = ConstruireJeu();
  return jeu;
}

EnrFamille Enregistrement(const FamilleHostile& f) {
  EnrFamille enr{};
  CopierTexte(enr.Nom, f.nom);
  CopierTexte(enr.Commentaire, f.commentaire);
  return enr;
}

EnrIngredient Enregistrement(const IngredientHostile& i) {
  EnrIngredient enr{};
  CopierTexte(enr.Nom, i.nom);
  enr.Alcool = i.alcool ? 1 : 0;
  CopierTexte(enr.Commentaire, i.commentaire);
  return enr;
}

EnrCocktail Enregistrement(const CocktailHostile& c) {
  EnrCocktail enr{};
  CopierTexte(enr.Nom, c.nom);
  for (int i = 0; i < NbLignesComposition; ++i) {
    CopierTexte(enr.Quantite[i], c.quantites[static_cast<std::size_t>(i)]);
    CopierTexte(enr.Ingredient[i], c.ingredients[static_cast<std::size_t>(i)]);
  }
  CopierTexte(enr.Famille, c.famille);
  CopierTexte(enr.Remarques, c.remarques);
  return enr;
}

namespace {

template <class Fic, class Liste>
void Ecrire(Fic&& f, const Liste& liste) {
  OuvrirOuCreer(f);
  for (const auto& x : liste) {
    f.Enreg = Enregistrement(x);
    ASSERT_TRUE(f.Ajouter(x.nom)) << x.nom;
  }
}

}  // namespace

void EcrireJeu(bool resultat) {
  Ecrire(FicFamille(), Jeu().familles);
  Ecrire(FicIngredient(), Jeu().ingredients);
  Ecrire(FicCocktail(), Jeu().cocktails);
  if (resultat) Ecrire(FicCocktail(BaseResultat), Jeu().cocktails);
}

const std::string SansTerminateur::Cle = AuLongueur("SANS FIN <&> %s", 30, '~');
const std::string SansTerminateur::Nom = Cle + "!";
const std::string SansTerminateur::Commentaire = AuLongueur("Sans fin\r\n<&> \"%s\";", 251, '~');
const std::string SansTerminateur::Quantite = "123456789012345678901";
const std::string SansTerminateur::Ingredient = AuLongueur("ALCOOL <SANS FIN>", 31, '~');
const std::string SansTerminateur::Famille = AuLongueur("FAMILLE <SANS FIN>", 31, '~');
const std::string SansTerminateur::Remarques = AuLongueur("Remarques\r\n<&> %s", 251, '~');

namespace {

// Adds a record of that key through the store, then writes each (offset, bytes) over it in the
// data file.
template <class Fic>
void AjouterPuisEcraser(Fic&& f, const std::vector<std::pair<std::size_t, std::string>>& champs) {
  OuvrirOuCreer(f);
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, SansTerminateur::Cle);
  if constexpr (requires { f.Enreg.Alcool; }) f.Enreg.Alcool = 1;
  ASSERT_TRUE(f.Ajouter(SansTerminateur::Cle) && f.Chercher(SansTerminateur::Cle));
  const std::int32_t position = f.Noeud().PosEnreg;
  const std::string donnees = f.NomFichierDonnees();
  f.Fermer();
  std::vector<unsigned char> octets = LireOctets(donnees);
  for (const auto& [offset, champ] : champs) {
    ASSERT_LE(position + offset + champ.size(), octets.size());
    std::memcpy(octets.data() + position + offset, champ.data(), champ.size());
  }
  EcrireOctets(donnees, octets);
}

}  // namespace

void EcrireSansTerminateur(bool resultat) {
  using S = SansTerminateur;
  AjouterPuisEcraser(FicFamille(), {{offsetof(EnrFamille, Nom), S::Nom},
                                    {offsetof(EnrFamille, Commentaire), S::Commentaire}});
  AjouterPuisEcraser(FicIngredient(), {{offsetof(EnrIngredient, Nom), S::Nom},
                                       {offsetof(EnrIngredient, Commentaire), S::Commentaire}});
  AjouterPuisEcraser(FicCocktail(resultat ? BaseResultat : BaseCocktail),
                     {{offsetof(EnrCocktail, Nom), S::Nom},
                      {offsetof(EnrCocktail, Quantite), S::Quantite},
                      {offsetof(EnrCocktail, Ingredient), S::Ingredient},
                      {offsetof(EnrCocktail, Famille), S::Famille},
                      {offsetof(EnrCocktail, Remarques), S::Remarques}});
}

}  // namespace velquor::test
