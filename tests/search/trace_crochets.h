// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in for the progress dialog that writes every call into a trace, so a test can check
// what was called and in which order; and the collections the tests start from,
// created in the test's own directory, read back by name.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/rapporteur_progression.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/cp1252.h"

namespace velquor::test {

using Trace = std::vector<std::string>;

// A progress dialog that is never stopped, writing its calls and the message processing.
class TraceProgression : public RapporteurProgression {
 public:
  explicit TraceProgression(Trace& trace) : trace_(trace) {}

  void Debut() override { trace_.push_back("debut"); }
  bool MettreAJour(std::string_view nom, std::int64_t total, std::int64_t ordinal) override {
    trace_.push_back("etape " + std::string(nom) + " " + std::to_string(ordinal) + "/" +
                     std::to_string(total));
    return false;
  }
  void Fin() override { trace_.push_back("fin"); }
  CrochetMessagesEnAttente Pompe() {
    return [this] { trace_.push_back("pompe"); };
  }

 private:
  Trace& trace_;
};

// Stored text (code page 1252) of a UTF-8 literal.
inline std::string Cp(std::string_view utf8) {
  std::optional<std::string> texte = Utf8VersCp1252(utf8);
  EXPECT_TRUE(texte.has_value()) << utf8;
  return texte.value_or("");
}

// Families and ingredients are written in UTF-8 and stored in code page 1252; they are added to
// their collection, created if need be.
struct Famille {
  std::string nom;
  std::string commentaire{};
};
struct Ingredient {
  std::string nom;
  bool alcool = false;
  std::string commentaire{};
};

template <class Fic, class Fiche>
void CreerFiches(std::initializer_list<Fiche> fiches) {
  Fic f;
  ASSERT_TRUE(f.Ouvrir() || (f.Creer() && f.Ouvrir()));
  for (const Fiche& fiche : fiches) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, Cp(fiche.nom));
    CopierTexte(f.Enreg.Commentaire, Cp(fiche.commentaire));
    if constexpr (requires { fiche.alcool; }) f.Enreg.Alcool = fiche.alcool ? 1 : 0;
    ASSERT_TRUE(f.Ajouter(Cp(fiche.nom))) << fiche.nom;
  }
}
inline void CreerFamilles(std::initializer_list<Famille> f) {
  CreerFiches<FicFamille>(f);
}
inline void CreerIngredients(std::initializer_list<Ingredient> f) {
  CreerFiches<FicIngredient>(f);
}

// Cocktails are written as they are stored (code page 1252).
struct Cocktail {
  std::string nom{};
  std::string famille{};
  std::vector<std::string> ingredients{};  // slot by slot; "" leaves a slot empty
  std::vector<std::string> quantites{};
  std::string remarques{};
};

inline EnrCocktail Enregistrement(const Cocktail& c) {
  EnrCocktail enr{};
  CopierTexte(enr.Nom, c.nom);
  CopierTexte(enr.Famille, c.famille);
  CopierTexte(enr.Remarques, c.remarques);
  for (std::size_t i = 0; i < c.ingredients.size() && i < NbLignesComposition; ++i)
    CopierTexte(enr.Ingredient[i], c.ingredients[i]);
  for (std::size_t i = 0; i < c.quantites.size() && i < NbLignesComposition; ++i)
    CopierTexte(enr.Quantite[i], c.quantites[i]);
  return enr;
}

// Creates a cocktail pair (COCKTAIL unless told) with these cocktails, added in the order given.
inline void CreerCocktails(const std::vector<Cocktail>& cocktails,
                           std::string_view base = BaseCocktail) {
  FicCocktail f(base);
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  for (const auto& c : cocktails) {
    f.Enreg = Enregistrement(c);
    ASSERT_TRUE(f.Ajouter(c.nom)) << c.nom;
  }
}

// The names of a collection (the cocktails unless told) in name order; none when it does not
// open.
template <class Fic = FicCocktail, class... Base>
std::vector<std::string> Noms(Base... base) {
  std::vector<std::string> noms;
  Fic f(base...);
  for (bool encore = f.Ouvrir() && f.Premier(); encore; encore = f.Suivant())
    noms.emplace_back(Texte(f.Enreg.Nom));
  return noms;
}

// A record read back by its name.
template <class Fic>
auto Lire(std::string_view nom) -> std::optional<decltype(Fic{}.Enreg)> {
  Fic f;
  if (!f.Ouvrir() || !f.Chercher(nom)) return std::nullopt;
  return f.Enreg;
}

}  // namespace velquor::test
