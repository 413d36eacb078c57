// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/plan_import.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>

#include "cli/console.h"
#include "store/cp1252.h"

namespace velquor::outils {

namespace {

constexpr std::size_t MaxNom = 30;
constexpr std::size_t MaxQuantite = 20;
constexpr std::size_t MaxRemarques = 250;
constexpr std::size_t MaxLignes = 10;

enum Colonne { ColCocktail, ColFamille, ColQuantite, ColIngredient, ColAlcoolise, ColRemarques };

std::string_view RognerBlancs(std::string_view t) {
  std::size_t debut = t.find_first_not_of(" \t");
  if (debut == std::string_view::npos) return {};
  return t.substr(debut, t.find_last_not_of(" \t") - debut + 1);
}

std::string MinusculesAscii(std::string_view t) {
  std::string s(t);
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// Why a UTF-8 text has no code page 1252 form: the first character at fault.
std::string CauseSansCp1252(std::string_view texte) {
  for (std::size_t i = 0; i < texte.size();) {
    auto tete = static_cast<unsigned char>(texte[i]);
    std::size_t n = tete < 0x80 ? 1 : tete >= 0xF0 ? 4 : tete >= 0xE0 ? 3 : tete >= 0xC0 ? 2 : 0;
    if (n == 0 || i + n > texte.size()) return "texte qui n'est pas de l'UTF-8 valide";
    std::string_view sequence = texte.substr(i, n);
    if (!Utf8VersCp1252(sequence)) {
      char32_t point = n == 1 ? tete : tete & (0x7F >> n);
      for (std::size_t k = 1; k < n; ++k) {
        auto suite = static_cast<unsigned char>(sequence[k]);
        if ((suite & 0xC0) != 0x80) return "texte qui n'est pas de l'UTF-8 valide";
        point = point << 6 | (suite & 0x3F);
      }
      if (UnicodeVersCp1252(point)) return "texte qui n'est pas de l'UTF-8 valide";
      char code[16];
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
      return "le caractère « " + TexteAffichableUtf8(sequence) + " » (" + code +
             ") n'existe pas dans le jeu de caractères CP1252";
    }
    i += n;
  }
  return "texte qui n'est pas de l'UTF-8 valide";
}

// Control characters have no place in a name or a quantity; remarks may hold tabs and line
// breaks. The five bytes the code page leaves undefined count as control characters.
bool EstControle(unsigned char c) {
  return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

// Line breaks as the program's text boxes store them: CR LF.
std::string SautsEnCrLf(std::string_view t) {
  std::string s;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\r' || t[i] == '\n') {
      s += "\r\n";
      if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
    } else {
      s += t[i];
    }
  }
  return s;
}

class Preparation {
 public:
  ResultatPlan Preparer(std::string_view contenu) {
    ContenuCsv csv = LireCsv(contenu);
    resultat_.erreurs = std::move(csv.erreurs);
    if (csv.enregistrements.empty()) {
      if (resultat_.erreurs.empty()) Erreur(1, "fichier vide : la ligne d'en-tête manque");
    } else if (LireEntete(csv.enregistrements.front())) {
      for (std::size_t i = 1; i < csv.enregistrements.size(); ++i)
        LireRangee(csv.enregistrements[i]);
    }
    std::stable_sort(resultat_.erreurs.begin(), resultat_.erreurs.end(),
                     [](const ErreurLigne& a, const ErreurLigne& b) { return a.ligne < b.ligne; });
    return std::move(resultat_);
  }

 private:
  void Erreur(int ligne, std::string texte) {
    resultat_.erreurs.push_back({ligne, std::move(texte)});
  }

  bool LireEntete(const EnregistrementCsv& entete) {
    colonnes_.fill(-1);
    bool correcte = true;
    for (std::size_t i = 0; i < entete.champs.size(); ++i) {
      std::string nom = MinusculesAscii(RognerBlancs(entete.champs[i]));
      auto it = std::find(ColonnesImport.begin(), ColonnesImport.end(), nom);
      if (it == ColonnesImport.end()) {
        Erreur(entete.ligne, "colonne inconnue dans l'en-tête : « " +
                                 TexteAffichableUtf8(entete.champs[i]) + " »");
        correcte = false;
      } else if (colonnes_[it - ColonnesImport.begin()] >= 0) {
        Erreur(entete.ligne,
               "colonne en double dans l'en-tête : « " + TexteAffichableUtf8(nom) + " »");
        correcte = false;
      } else {
        colonnes_[it - ColonnesImport.begin()] = static_cast<int>(i);
      }
    }
    for (std::size_t c = 0; c < ColonnesImport.size(); ++c) {
      if (colonnes_[c] < 0) {
        Erreur(entete.ligne,
               "colonne manquante dans l'en-tête : « " + std::string(ColonnesImport[c]) + " »");
        correcte = false;
      }
    }
    nbColonnes_ = entete.champs.size();
    return correcte;
  }

  // The field in code page 1252, or nothing (the fault is reported).
  std::optional<std::string> Convertir(int ligne, std::string_view utf8, std::string_view quoi) {
    auto texte = Utf8VersCp1252(utf8);
    if (!texte) Erreur(ligne, std::string(quoi) + " : " + CauseSansCp1252(utf8));
    return texte;
  }

  // A name or a quantity: trimmed, no control character, at most `maximum` bytes; names in
  // capitals.
  std::optional<std::string> Court(int ligne, std::string_view utf8, std::string_view quoi,
                                   std::size_t maximum, bool nom) {
    auto texte = Convertir(ligne, RognerBlancs(utf8), quoi);
    if (!texte) return std::nullopt;
    if (std::any_of(texte->begin(), texte->end(),
                    [](char c) { return EstControle(static_cast<unsigned char>(c)); })) {
      Erreur(ligne, std::string(quoi) + " : caractère de contrôle (tabulation, saut de ligne…)");
      return std::nullopt;
    }
    if (texte->size() > maximum) {
      Erreur(ligne, std::string(quoi) + " « " + TexteAffichableUtf8(RognerBlancs(utf8)) +
                        " » : " + std::to_string(texte->size()) + " octets, " +
                        std::to_string(maximum) + " au plus");
      return std::nullopt;
    }
    return nom ? MajusculesCp1252(*texte) : *texte;
  }

  std::optional<std::string> Remarques(int ligne, std::string_view utf8) {
    auto texte = Convertir(ligne, utf8, "remarques");
    if (!texte) return std::nullopt;
    std::string remarques = SautsEnCrLf(*texte);
    if (std::any_of(remarques.begin(), remarques.end(), [](char c) {
          return c != '\r' && c != '\n' && c != '\t' && EstControle(static_cast<unsigned char>(c));
        })) {
      Erreur(ligne, "remarques : caractère de contrôle");
      return std::nullopt;
    }
    if (remarques.size() > MaxRemarques) {
      Erreur(ligne, "remarques : " + std::to_string(remarques.size()) + " octets, " +
                        std::to_string(MaxRemarques) + " au plus");
      return std::nullopt;
    }
    return remarques;
  }

  // "oui" true, "non" or empty false, explicit or not; nothing when it is something else.
  struct Alcool {
    bool valeur;
    bool explicite;
  };
  std::optional<Alcool> LireAlcool(int ligne, std::string_view utf8) {
    std::string mot = MinusculesAscii(RognerBlancs(utf8));
    if (mot.empty()) return Alcool{false, false};
    if (mot == "oui") return Alcool{true, true};
    if (mot == "non") return Alcool{false, true};
    Erreur(ligne, "alcoolise : « " + TexteAffichableUtf8(utf8) + " » au lieu de oui, non ou vide");
    return std::nullopt;
  }

  void LireRangee(const EnregistrementCsv& r) {
    const int ligne = r.ligne;
    if (r.champs.size() != nbColonnes_) {
      Erreur(ligne,
             std::to_string(r.champs.size()) + " champs au lieu de " + std::to_string(nbColonnes_));
      return;
    }
    auto champ = [&](Colonne c) -> const std::string& { return r.champs[colonnes_[c]]; };
    auto nom = Court(ligne, champ(ColCocktail), "nom du cocktail", MaxNom, true);
    // The rows of one cocktail follow each other: a name that comes back after another
    // cocktail's rows is a second recipe under the same name, not more rows of the first. A row
    // whose name cannot be read (already an error) says nothing of that.
    const std::string precedent = precedent_;
    if (nom && !nom->empty()) precedent_ = *nom;
    if (nom && !nom->empty() && *nom != precedent) {
      if (auto it = indexCocktails_.find(*nom); it != indexCocktails_.end()) {
        return Erreur(ligne, "le cocktail « " + Cp1252VersUtf8(*nom) +
                                 " » est déjà donné à partir de la ligne " +
                                 std::to_string(resultat_.plan.cocktails[it->second].ligneCsv) +
                                 " : ses lignes doivent se suivre");
      }
    }
    auto famille = Court(ligne, champ(ColFamille), "famille", MaxNom, true);
    auto quantite = Court(ligne, champ(ColQuantite), "quantité", MaxQuantite, false);
    auto ingredient = Court(ligne, champ(ColIngredient), "ingrédient", MaxNom, true);
    auto alcool = LireAlcool(ligne, champ(ColAlcoolise));
    auto remarques = Remarques(ligne, champ(ColRemarques));
    if (!nom || !famille || !quantite || !ingredient || !alcool || !remarques) return;

    if (nom->empty()) return Erreur(ligne, "nom du cocktail vide");
    if (ingredient->empty() && !quantite->empty()) return Erreur(ligne, "quantité sans ingrédient");
    if (ingredient->empty() && alcool->explicite)
      return Erreur(ligne, "alcoolise renseigné sans ingrédient");

    CocktailImporte& c = Cocktail(*nom, ligne);
    // A row without an ingredient (and so without a quantity) gives only the family or the
    // remarks. Stored as an empty composition row, it would hide the rows after it: every
    // display of a recipe stops at the first row without an ingredient.
    const bool composition = !ingredient->empty();
    if (composition && c.lignes.size() == MaxLignes)
      return Erreur(ligne, "le cocktail « " + Cp1252VersUtf8(*nom) +
                               " » a plus de dix lignes de composition");
    if (!Accorder(c.famille, *famille, ligne,
                  "famille différente de celle d'une ligne précédente du même cocktail"))
      return;
    if (!Accorder(c.remarques, *remarques, ligne,
                  "remarques différentes de celles d'une ligne précédente du même cocktail"))
      return;
    if (!famille->empty()) Famille(*famille, ligne);
    if (composition && !Ingredient(*ingredient, *alcool, ligne)) return;
    if (composition) c.lignes.push_back({*quantite, *ingredient});
  }

  // A cocktail's family and remarks may stand on any of its rows, but only one value each.
  bool Accorder(std::string& valeur, const std::string& nouvelle, int ligne,
                std::string_view desaccord) {
    if (nouvelle.empty() || nouvelle == valeur) return true;
    if (valeur.empty()) {
      valeur = nouvelle;
      return true;
    }
    Erreur(ligne, std::string(desaccord));
    return false;
  }

  CocktailImporte& Cocktail(const std::string& nom, int ligne) {
    auto [it, nouveau] = indexCocktails_.try_emplace(nom, resultat_.plan.cocktails.size());
    if (nouveau) resultat_.plan.cocktails.push_back({nom, "", "", {}, ligne});
    return resultat_.plan.cocktails[it->second];
  }

  void Famille(const std::string& nom, int ligne) {
    if (indexFamilles_.try_emplace(nom, resultat_.plan.familles.size()).second)
      resultat_.plan.familles.push_back({nom, ligne});
  }

  // The alcoholic flag is the ingredient's: rows that state it must agree.
  bool Ingredient(const std::string& nom, Alcool alcool, int ligne) {
    auto [it, nouveau] = indexIngredients_.try_emplace(nom, resultat_.plan.ingredients.size());
    if (nouveau) {
      resultat_.plan.ingredients.push_back({nom, alcool.valeur, ligne});
      ligneAlcool_.push_back(alcool.explicite ? ligne : 0);
      return true;
    }
    IngredientImporte& i = resultat_.plan.ingredients[it->second];
    if (!alcool.explicite) return true;
    if (ligneAlcool_[it->second] != 0 && i.alcool != alcool.valeur) {
      Erreur(ligne, "l'ingrédient « " + Cp1252VersUtf8(nom) + " » est dit " +
                        (alcool.valeur ? "alcoolisé" : "non alcoolisé") +
                        " ici et le contraire à la ligne " +
                        std::to_string(ligneAlcool_[it->second]));
      return false;
    }
    i.alcool = alcool.valeur;
    ligneAlcool_[it->second] = ligne;
    return true;
  }

  std::array<int, ColonnesImport.size()> colonnes_{};
  std::size_t nbColonnes_ = 0;
  std::map<std::string, std::size_t> indexCocktails_;
  std::map<std::string, std::size_t> indexFamilles_;
  std::map<std::string, std::size_t> indexIngredients_;
  std::vector<int> ligneAlcool_;  // where each ingredient's flag was stated; 0 when never
  std::string precedent_;         // the cocktail of the row before
  ResultatPlan resultat_;
};

}  // namespace

ResultatPlan PreparerImport(std::string_view contenuUtf8) {
  return Preparation().Preparer(contenuUtf8);
}

}  // namespace velquor::outils
