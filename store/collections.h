// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The typed collections: one design instantiated three times, differing only in the record
// layout. The search result is a FicCocktail on the base name "RESURECH".

#include <string_view>

#include "store/enregistrements.h"
#include "store/pfichier.h"

namespace velquor {

inline constexpr std::string_view BaseFamille = "FAMILLE";
inline constexpr std::string_view BaseIngredient = "INGRED";
inline constexpr std::string_view BaseCocktail = "COCKTAIL";
inline constexpr std::string_view BaseResultat = "RESURECH";

template <class Enr>
class PFichierDe : public PFichier {
 public:
  Enr Enreg{};  // the current record; callers read and fill it directly

 protected:
  PFichierDe(std::string_view libelle, std::string_view nomBase, std::string_view extIndex,
             std::string_view extDonnees)
      : PFichier(libelle, nomBase, extIndex, extDonnees, sizeof(Enr)) {}

  unsigned char* OctetsEnreg() override { return reinterpret_cast<unsigned char*>(&Enreg); }
  void NormaliserEnreg() override { Normaliser(Enreg); }
};

class FicFamille : public PFichierDe<EnrFamille> {
 public:
  explicit FicFamille(std::string_view nomBase = BaseFamille)
      : FicFamille("", nomBase, "NDX", "DAT") {}
  FicFamille(std::string_view libelle, std::string_view nomBase, std::string_view extIndex,
             std::string_view extDonnees)
      : PFichierDe(libelle, nomBase, extIndex, extDonnees) {}
};

class FicIngredient : public PFichierDe<EnrIngredient> {
 public:
  explicit FicIngredient(std::string_view nomBase = BaseIngredient)
      : FicIngredient("", nomBase, "NDX", "DAT") {}
  FicIngredient(std::string_view libelle, std::string_view nomBase, std::string_view extIndex,
                std::string_view extDonnees)
      : PFichierDe(libelle, nomBase, extIndex, extDonnees) {}
};

class FicCocktail : public PFichierDe<EnrCocktail> {
 public:
  explicit FicCocktail(std::string_view nomBase = BaseCocktail)
      : FicCocktail("", nomBase, "NDX", "DAT") {}
  FicCocktail(std::string_view libelle, std::string_view nomBase, std::string_view extIndex,
              std::string_view extDonnees)
      : PFichierDe(libelle, nomBase, extIndex, extDonnees) {}
};

}  // namespace velquor
