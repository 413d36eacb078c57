// SPDX-License-Identifier: GPL-3.0-or-later
// The importer's file: the CSV reader and the import plan built from it, on any bytes.
//
// Besides running clean under the sanitizers:
//  - the reader's records, written back as CSV (every field quoted, CR LF) and read again, give
//    the same fields; line numbers only grow;
//  - the plan keeps every limit of the record layouts (names of 1 to 30 bytes in capitals,
//    quantities of 20, remarks of 250, at most ten lines, no control character) and names each
//    family and ingredient once; a file without fault (the only plan the importer writes)
//    lists every family and ingredient its cocktails use;
//  - the faults come in line order.

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "cli/lecteur_csv.h"
#include "cli/plan_import.h"
#include "fuzz/support_fuzz.h"
#include "store/cp1252.h"

using namespace velquor;
using namespace velquor::outils;

namespace {

std::string EnCsv(const std::vector<EnregistrementCsv>& enregistrements) {
  std::string texte;
  for (const EnregistrementCsv& e : enregistrements) {
    for (std::size_t i = 0; i < e.champs.size(); ++i) {
      if (i > 0) texte += ',';
      texte += '"';
      for (char c : e.champs[i]) {
        if (c == '"') texte += '"';
        texte += c;
      }
      texte += '"';
    }
    texte += "\r\n";
  }
  return texte;
}

bool SansControle(std::string_view t, bool remarques) {
  return std::none_of(t.begin(), t.end(), [remarques](char c) {
    const auto o = static_cast<unsigned char>(c);
    if (remarques && (c == '\r' || c == '\n' || c == '\t')) return false;
    return o < 0x20 || o == 0x7F || o == 0x81 || o == 0x8D || o == 0x8F || o == 0x90 || o == 0x9D;
  });
}

bool NomValide(std::string_view nom) {
  return !nom.empty() && nom.size() <= 30 && SansControle(nom, false) &&
         MajusculesCp1252(nom) == nom && nom.front() != ' ' && nom.back() != ' ';
}

void VerifierLecteur(std::string_view texte) {
  const ContenuCsv contenu = LireCsv(texte);
  int ligne = 0;
  for (const EnregistrementCsv& e : contenu.enregistrements) {
    FUZZ_EXIGER(e.ligne > ligne, "CSV records must come on growing lines");
    FUZZ_EXIGER(!e.champs.empty(), "a CSV record without a field");
    ligne = e.ligne;
  }
  for (const ErreurLigne& erreur : contenu.erreurs) {
    FUZZ_EXIGER(erreur.ligne >= 1 && !erreur.texte.empty(), "a CSV fault without line or text");
  }
  const ContenuCsv relu = LireCsv(EnCsv(contenu.enregistrements));
  FUZZ_EXIGER(relu.erreurs.empty(), "CSV written back from read records has faults");
  FUZZ_EXIGER(relu.enregistrements.size() == contenu.enregistrements.size(),
              "CSV written back gives another number of records");
  for (std::size_t i = 0; i < relu.enregistrements.size(); ++i) {
    FUZZ_EXIGER(relu.enregistrements[i].champs == contenu.enregistrements[i].champs,
                "CSV written back gives other fields");
  }
}

void VerifierPlan(std::string_view texte) {
  const ResultatPlan resultat = PreparerImport(texte);
  int ligne = 0;
  for (const ErreurLigne& erreur : resultat.erreurs) {
    FUZZ_EXIGER(erreur.ligne >= ligne, "import faults out of line order");
    FUZZ_EXIGER(!erreur.texte.empty(), "an import fault without text");
    ligne = erreur.ligne;
  }
  const PlanImport& plan = resultat.plan;
  // A rejected row may leave part of itself on its cocktail; the importer then writes nothing.
  const bool complet = resultat.erreurs.empty();
  std::set<std::string> familles, ingredients, cocktails;
  for (const FamilleImportee& f : plan.familles) {
    FUZZ_EXIGER(NomValide(f.nom), "an imported family name breaks the name rules");
    FUZZ_EXIGER(familles.insert(f.nom).second, "a family planned twice");
  }
  for (const IngredientImporte& i : plan.ingredients) {
    FUZZ_EXIGER(NomValide(i.nom), "an imported ingredient name breaks the name rules");
    FUZZ_EXIGER(ingredients.insert(i.nom).second, "an ingredient planned twice");
  }
  for (const CocktailImporte& c : plan.cocktails) {
    FUZZ_EXIGER(NomValide(c.nom), "an imported cocktail name breaks the name rules");
    FUZZ_EXIGER(cocktails.insert(c.nom).second, "a cocktail planned twice");
    FUZZ_EXIGER(!complet || c.famille.empty() || familles.count(c.famille) == 1,
                "a cocktail's family is not in the plan");
    FUZZ_EXIGER(c.remarques.size() <= 250 && SansControle(c.remarques, true),
                "imported remarks break the field rules");
    FUZZ_EXIGER(c.lignes.size() <= 10, "more than ten composition lines");
    for (const LigneComposition& l : c.lignes) {
      FUZZ_EXIGER(l.quantite.size() <= 20 && SansControle(l.quantite, false),
                  "an imported quantity breaks the field rules");
      FUZZ_EXIGER(l.ingredient.empty() ? l.quantite.empty()
                                       : !complet || ingredients.count(l.ingredient) == 1,
                  "a composition line's ingredient is not in the plan");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  VerifierLecteur(texte);
  VerifierPlan(texte);
  return 0;
}
