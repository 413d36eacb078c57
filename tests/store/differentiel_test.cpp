// SPDX-License-Identifier: GPL-3.0-or-later
// The ordered view against the walk node by node: the same long random sequences of operations
// run on two pairs, one served by the view, one with the view cut off. Several objects share
// each pair, some operations run inside lots, and "another program" (a fresh object on a copy of
// the files, copied back) changes the pair between operations. Every result, position, record
// image and message must agree, and the files byte for byte outside lots.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/etat_paire.h"
#include "store/lot_fichier.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;

// What an operation left: its result, the object's position, counts, record and node.
std::string Constater(FicCocktail& f, bool resultat) {
  unsigned char noeud[47];
  f.Noeud().VersOctets(noeud);
  return std::to_string(resultat) + " " + std::to_string(f.PtrEnreg) + " " +
         std::to_string(f.NbEnreg) + " " + std::to_string(f.NbSuppr) + " " +
         std::string(reinterpret_cast<const char*>(&f.Enreg), sizeof f.Enreg) +
         std::string(reinterpret_cast<const char*>(noeud), sizeof noeud);
}

class DifferentielTest : public test::TestDansDossier {
 protected:
  void TearDown() override {
    EtatPaire::CouperVue(false);
    fs::current_path(dossier_.Chemin());
  }

  // Runs f in side s's directory, with the view cut off on side 1.
  template <class F>
  auto Dans(int s, F&& f) {
    fs::current_path(dossier_.Chemin() / std::to_string(s));
    EtatPaire::CouperVue(s == 1);
    return f();
  }

  std::string Nom() {
    // A few letters, so that additions collide and deletions hit; runs of increasing names
    // now and then build the long chains of sorted additions.
    if (serie_ > 0) {
      --serie_;
      return std::string("S").append(std::to_string(100000 + compteur_++));
    }
    static const std::string lettres = "ABCDEabe -\xC9";
    std::uniform_int_distribution<int> longueur(1, 4), lettre(0, lettres.size() - 1);
    std::string nom;
    for (int i = longueur(alea_); i > 0; --i)
      nom += lettres[lettre(alea_)];
    return nom;
  }

  void ComparerFichiers(int etape) {
    for (const char* nom : {"COCKTAIL.NDX", "COCKTAIL.DAT"}) {
      ASSERT_EQ(test::LireOctets(dossier_.Chemin() / "0" / nom),
                test::LireOctets(dossier_.Chemin() / "1" / nom))
          << nom << " differs after step " << etape;
    }
  }

  std::mt19937 alea_{1206};
  int serie_ = 0, compteur_ = 0;
  test::EnregistreurVantor vantor_;
};

TEST_F(DifferentielTest, SequencesAleatoires) {
  const int etapes = 4000;
  constexpr int nbObjets = 3;
  std::unique_ptr<FicCocktail> objets[2][nbObjets];
  for (int s : {0, 1}) {
    fs::create_directory(dossier_.Chemin() / std::to_string(s));
    ASSERT_TRUE(Dans(s, [] {
      FicCocktail f;
      return f.Creer();
    }));
  }
  for (int s : {0, 1}) {
    for (auto& objet : objets[s]) {
      objet = std::make_unique<FicCocktail>();
      ASSERT_TRUE(Dans(s, [&] { return objet->Ouvrir(); }));
    }
  }

  std::unique_ptr<LotFichier> lots[2];
  std::uniform_int_distribution<int> choix(0, 99), objet(0, nbObjets - 1);
  for (int etape = 0; etape < etapes; ++etape) {
    int c = choix(alea_);
    const int i = objet(alea_);
    const std::string nom = Nom();
    auto appliquer = [&](FicCocktail& f) {
      if (c < 30) {
        f.Enreg = {};
        CopierTexte(f.Enreg.Nom, nom);
        CopierTexte(f.Enreg.Remarques, std::string("R").append(std::to_string(etape)));
        CopierTexte(f.Enreg.Ingredient[etape % 10], "GIN");
        return f.Ajouter(nom);
      }
      if (c < 42) return f.Chercher(nom) && f.Supprimer();
      if (c < 46) return f.Supprimer();  // wherever the object stands, even on a dead node
      if (c < 58) return f.Chercher(nom);
      if (c < 70) return f.Suivant();
      if (c < 78) return f.Precedent();
      if (c < 82) return f.Premier();
      if (c < 85) return f.Dernier();
      if (c < 90) {
        f.Lire();  // the record it stands on, not the name an addition left in the buffer
        CopierTexte(f.Enreg.Famille, std::string("F").append(std::to_string(etape)));
        return f.Modifier();
      }
      f.Lire();
      return true;
    };
    if (c >= 97 && !lots[0]) {
      // Another program: a fresh object on a copy of the files, which shares nothing with
      // this process's memory of the pair; its files are then copied back in place.
      std::string constats[2];
      c = choix(alea_) % 46;  // it adds or deletes a name
      for (int s : {0, 1}) {
        const fs::path d = dossier_.Chemin() / std::to_string(s);
        const fs::path autre = dossier_.Chemin() / ("autre" + std::to_string(etape * 2 + s));
        fs::create_directory(autre);
        for (const char* n : {"COCKTAIL.NDX", "COCKTAIL.DAT"})
          test::EcrireOctets(autre / n, test::LireOctets(d / n));
        fs::current_path(autre);
        EtatPaire::CouperVue(s == 1);
        {
          FicCocktail f;
          const bool r = f.Ouvrir() && appliquer(f);
          constats[s] = Constater(f, r);
        }
        for (const char* n : {"COCKTAIL.NDX", "COCKTAIL.DAT"})
          test::EcrireOctets(d / n, test::LireOctets(autre / n));
      }
      ASSERT_EQ(constats[0], constats[1]) << "step " << etape;
    } else if (c >= 94) {
      // Begin or end a lot on both sides; reopen an object now and then.
      const bool finLot = lots[0] != nullptr;
      for (int s : {0, 1}) {
        Dans(s, [&] {
          if (finLot) {
            EXPECT_TRUE(lots[s]->Terminer());
            lots[s].reset();
          } else if (c == 96) {
            objets[s][i] = std::make_unique<FicCocktail>();
            EXPECT_TRUE(objets[s][i]->Ouvrir());
          } else {
            lots[s] = std::make_unique<LotFichier>(*objets[s][i]);
          }
          return true;
        });
      }
    } else {
      const std::size_t avant = vantor_.textes.size();
      const bool a = Dans(0, [&] { return appliquer(*objets[0][i]); });
      const std::size_t messagesVue = vantor_.textes.size() - avant;
      const bool b = Dans(1, [&] { return appliquer(*objets[1][i]); });
      ASSERT_EQ(Constater(*objets[0][i], a), Constater(*objets[1][i], b))
          << "step " << etape << ", operation " << c << " on object " << i << ", name " << nom;
      ASSERT_EQ(messagesVue, vantor_.textes.size() - avant - messagesVue) << "step " << etape;
    }
    if (!lots[0] && (etape < 400 || etape % 25 == 0)) {
      ASSERT_NO_FATAL_FAILURE(ComparerFichiers(etape));
    }
    if (choix(alea_) == 0) serie_ = 40;
  }
  for (int s : {0, 1}) {
    if (lots[s]) {
      ASSERT_TRUE(Dans(s, [&] { return lots[s]->Terminer(); }));
    }
  }
  ComparerFichiers(etapes);
  // What the lots wrote landed where it belongs: every record bears its node's name.
  FicCocktail& f = *objets[0][0];
  for (bool r = f.Premier(); r; r = f.Suivant())
    ASSERT_EQ(Texte(f.Noeud().Cle), Texte(f.Enreg.Nom));
}

}  // namespace
}  // namespace velquor
