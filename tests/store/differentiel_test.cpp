// The store against its reference: the same long random sequences of operations run on the
// store and on the reference implementation of the tree's algorithms (tests/store/reference/,
// one read or write of the files per node and per record, nothing kept in memory), each in a
// directory of its own. Several objects share each pair, some operations run inside lots, and
// "another program" (a reference object on the store's own files, which shares nothing with the
// store's memory) changes the pair between operations. Every result, position, record image,
// message and, outside lots, every byte of the files must agree.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "store/reference/pfichier.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

namespace fs = std::filesystem;

class CocktailReference : public reference::PFichier {
 public:
  CocktailReference() : reference::PFichier("COCKTAIL", "NDX", "DAT", sizeof(EnrCocktail)) {}
  EnrCocktail Enreg{};

 protected:
  unsigned char* OctetsEnreg() override { return reinterpret_cast<unsigned char*>(&Enreg); }
  void NormaliserEnreg() override { Normaliser(Enreg); }
};

// Runs a callable with the given directory as the current one.
template <class F>
auto Dans(const fs::path& dossier, F&& f) {
  fs::current_path(dossier);
  return f();
}

struct Constat {
  bool resultat;
  std::int32_t ptr, nb;
  std::uint32_t suppr;
  std::string enreg, noeud;
  bool operator==(const Constat&) const = default;
};

template <class F>
Constat Constater(F& f, bool resultat) {
  unsigned char noeud[47];
  f.Noeud().VersOctets(noeud);
  return {resultat,
          f.PtrEnreg,
          f.NbEnreg,
          f.NbSuppr,
          std::string(reinterpret_cast<const char*>(&f.Enreg), sizeof f.Enreg),
          std::string(reinterpret_cast<const char*>(noeud), sizeof noeud)};
}

class DifferentielTest : public test::TestDansDossier {
 protected:
  void SetUp() override {
    dossierRef_ = fs::current_path() / "reference";
    dossierStore_ = fs::current_path() / "store";
    fs::create_directory(dossierRef_);
    fs::create_directory(dossierStore_);
  }
  void TearDown() override { fs::current_path(dossier_.Chemin()); }

  std::string Nom() {
    // A few letters, so that additions collide and deletions hit; runs of increasing names
    // now and then build the long chains of sorted additions.
    if (serie_ > 0) {
      --serie_;
      return std::string("S").append(std::to_string(100000 + compteur_++));
    }
    static const std::string lettres = "ABCDE -\xC9";
    std::uniform_int_distribution<int> longueur(1, 4), lettre(0, lettres.size() - 1);
    std::string nom;
    for (int i = longueur(alea_); i > 0; --i)
      nom += lettres[lettre(alea_)];
    return nom;
  }

  void RemplirEnreg(EnrCocktail& e, const std::string& nom, int etape) {
    e = {};
    CopierTexte(e.Nom, nom);
    CopierTexte(e.Remarques, std::string("R").append(std::to_string(etape)));
    CopierTexte(e.Ingredient[etape % 10], "GIN");
  }

  void ComparerFichiers(const char* contexte) {
    for (const char* nom : {"COCKTAIL.NDX", "COCKTAIL.DAT"}) {
      ASSERT_EQ(test::LireOctets(dossierRef_ / nom), test::LireOctets(dossierStore_ / nom))
          << nom << " differs " << contexte;
    }
  }

  // On a sound pair, the walks give every live key once, in strictly increasing order (a record
  // may carry another name: Modifier writes whatever the object holds).
  void VerifierOrdre() {
    fs::current_path(dossierStore_);
    FicCocktail f;
    ASSERT_TRUE(f.Ouvrir());
    std::vector<std::string> avant, arriere;
    for (bool ok = f.Premier(); ok && avant.size() <= 100000; ok = f.Suivant())
      avant.emplace_back(Texte(f.Noeud().Cle));
    for (bool ok = f.Dernier(); ok && arriere.size() <= 100000; ok = f.Precedent())
      arriere.emplace_back(Texte(f.Noeud().Cle));
    EXPECT_EQ(static_cast<std::int32_t>(avant.size()), f.NbEnreg);
    EXPECT_EQ(avant, std::vector<std::string>(arriere.rbegin(), arriere.rend()));
    const auto desordre = std::adjacent_find(
        avant.begin(), avant.end(), [](auto& a, auto& b) { return ComparerNoms(a, b) >= 0; });
    EXPECT_TRUE(desordre == avant.end()) << *desordre << " before " << *std::next(desordre);
  }

  void Derouler(int etapes, bool abime);

  fs::path dossierRef_, dossierStore_;
  std::mt19937 alea_{1206};
  int serie_ = 0, compteur_ = 0;
  test::EnregistreurVantor vantor_;
};

void DifferentielTest::Derouler(int etapes, bool abime) {
  constexpr int nbObjets = 3;
  std::vector<std::unique_ptr<CocktailReference>> refs;
  std::vector<std::unique_ptr<FicCocktail>> stores;
  Dans(dossierRef_, [&] {
    CocktailReference f;
    return f.Creer();
  });
  Dans(dossierStore_, [&] {
    FicCocktail f;
    return f.Creer();
  });
  auto ouvrir = [&](int i) {
    refs[i] = std::make_unique<CocktailReference>();
    stores[i] = std::make_unique<FicCocktail>();
    const bool a = Dans(dossierRef_, [&] { return refs[i]->Ouvrir(); });
    const bool b = Dans(dossierStore_, [&] { return stores[i]->Ouvrir(); });
    ASSERT_TRUE(a && b);
  };
  refs.resize(nbObjets);
  stores.resize(nbObjets);
  for (int i = 0; i < nbObjets; ++i)
    ASSERT_NO_FATAL_FAILURE(ouvrir(i));

  std::unique_ptr<LotFichier> lot;
  std::uniform_int_distribution<int> choix(0, 99), objet(0, nbObjets - 1);
  for (int etape = 0; etape < etapes; ++etape) {
    if (abime && etape == etapes / 2 && !lot) {
      // Damage both pairs alike: a link of a random node points elsewhere.
      auto ndx = test::LireOctets(dossierRef_ / "COCKTAIL.NDX");
      if (ndx.size() >= 94) {
        std::size_t noeud =
            std::uniform_int_distribution<std::size_t>(0, ndx.size() / 47 - 1)(alea_);
        ndx[noeud * 47 + 35 + (etape % 3) * 4] ^= 0x2F;
        test::EcrireOctets(dossierRef_ / "COCKTAIL.NDX", ndx);
        test::EcrireOctets(dossierStore_ / "COCKTAIL.NDX", ndx);
        // The damage counts as another program's change: it bumps the deletion count.
        for (const auto& d : {dossierRef_, dossierStore_}) {
          auto dat = test::LireOctets(d / "COCKTAIL.DAT");
          dat[4] ^= 0x40;
          test::EcrireOctets(d / "COCKTAIL.DAT", dat);
        }
      }
    }
    const int c = choix(alea_);
    const int i = objet(alea_);
    const std::string nom = Nom();
    const std::size_t messages = vantor_.textes.size();
    auto appliquer = [&](auto& f) {
      if (c < 30) {
        RemplirEnreg(f.Enreg, nom, etape);
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
        CopierTexte(f.Enreg.Famille, std::string("F").append(std::to_string(etape)));
        return f.Modifier();
      }
      f.Lire();
      return true;
    };
    if (c >= 97 && !lot) {
      // Another program works on the store's files between two operations: a reference object
      // there shares nothing with the store's memory. The same operation runs on the reference.
      CocktailReference autreRef, autreStore;
      const bool a = Dans(dossierRef_, [&] { return autreRef.Ouvrir() && appliquer(autreRef); });
      const bool b =
          Dans(dossierStore_, [&] { return autreStore.Ouvrir() && appliquer(autreStore); });
      ASSERT_EQ(a, b) << "step " << etape;
      ASSERT_EQ(Constater(autreRef, a), Constater(autreStore, b)) << "step " << etape;
    } else if (c >= 94) {
      // Begin or end a lot on the store's side only; reopen an object now and then.
      if (lot) {
        ASSERT_TRUE(lot->Terminer());
        lot.reset();
      } else if (c == 96) {
        ASSERT_NO_FATAL_FAILURE(ouvrir(i));
      } else {
        lot = std::make_unique<LotFichier>(*stores[i]);
      }
    } else {
      const bool a = Dans(dossierRef_, [&] { return appliquer(*refs[i]); });
      const std::size_t messagesRef = vantor_.textes.size() - messages;
      const bool b = Dans(dossierStore_, [&] { return appliquer(*stores[i]); });
      const std::size_t messagesStore = vantor_.textes.size() - messages - messagesRef;
      ASSERT_EQ(Constater(*refs[i], a), Constater(*stores[i], b))
          << "step " << etape << ", operation " << c << " on object " << i << ", name " << nom;
      ASSERT_EQ(messagesRef, messagesStore) << "step " << etape;
    }
    // The files are compared after every step outside lots while they are small, then now and
    // then (every step costs a read of both pairs).
    if (!lot && (etape < 400 || etape % 25 == 0)) {
      ASSERT_NO_FATAL_FAILURE(ComparerFichiers(("after step " + std::to_string(etape)).c_str()));
    }
    if (!lot && !abime && etape % 500 == 0) {
      SCOPED_TRACE("step " + std::to_string(etape));
      ASSERT_NO_FATAL_FAILURE(VerifierOrdre());
    }
    if (choix(alea_) == 0) serie_ = 40;
  }
  if (lot) {
    ASSERT_TRUE(lot->Terminer());
  }
  ComparerFichiers("at the end");
  if (!abime) VerifierOrdre();
}

TEST_F(DifferentielTest, SequencesAleatoires) {
  Derouler(4000, false);
}

TEST_F(DifferentielTest, SequencesAleatoiresSurUnePaireAbimee) {
  Derouler(2000, true);
}

}  // namespace
}  // namespace velquor
