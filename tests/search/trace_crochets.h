#pragma once
// Stand-ins for the user and the progress dialog that write every call into one trace, so a
// test can check what was called and in which order. Shared by the search and editor tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "search/rapporteur_progression.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/messages.h"

namespace velquor::test {

using Trace = std::vector<std::string>;

// A progress dialog whose stop button is "clicked" while the messages after step k are
// processed, as a real click is; from then on every step reports the stop request.
class TraceProgression : public RapporteurProgression {
 public:
  explicit TraceProgression(Trace& trace) : trace_(trace) {}

  void Debut() override { trace_.push_back("debut"); }
  bool MettreAJour(std::string_view nom, std::int64_t total, std::int64_t ordinal) override {
    trace_.push_back("etape " + std::string(nom) + " " + std::to_string(ordinal) + "/" +
                     std::to_string(total));
    ordinal_ = ordinal;
    return arretDemande_;
  }
  void Fin() override { trace_.push_back("fin"); }

  CrochetMessagesEnAttente Pompe() {
    return [this] {
      trace_.push_back("pompe");
      if (ordinal_ == clicArretApresEtape) arretDemande_ = true;
    };
  }

  // The step during which the user clicks "Arrêter"; 0 for never.
  std::int64_t clicArretApresEtape = 0;

 private:
  Trace& trace_;
  std::int64_t ordinal_ = 0;
  bool arretDemande_ = false;
};

// Messages and the clear question, answered as scripted.
class TraceMessages : public PMessages {
 public:
  explicit TraceMessages(Trace& trace) : trace_(trace) {}
  int AffMessage(int idChaine, std::string_view argument, unsigned style) override {
    trace_.push_back("message " + std::to_string(idChaine) + " " + std::string(argument) + " " +
                     std::to_string(style));
    return ReponseOk;
  }

 private:
  Trace& trace_;
};

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

// Creates the COCKTAIL pair with these cocktails, added in the order given.
inline void CreerCocktails(std::initializer_list<Cocktail> cocktails) {
  FicCocktail f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  for (const auto& c : cocktails) {
    f.Enreg = Enregistrement(c);
    ASSERT_TRUE(f.Ajouter(c.nom)) << c.nom;
  }
}

// The names of a collection in name order (empty when it does not open).
inline std::vector<std::string> Noms(std::string_view base) {
  std::vector<std::string> noms;
  FicCocktail f(base);
  if (!f.Ouvrir()) return noms;
  if (f.Premier()) {
    do
      noms.emplace_back(Texte(f.Enreg.Nom));
    while (f.Suivant());
  }
  return noms;
}

}  // namespace velquor::test
