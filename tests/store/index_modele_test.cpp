// Model-based test of the name index: long random sequences of additions, deletions, lookups
// and walks, checked after every step against an ordered std::map, and again after reopening.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/enregistreurs.h"

namespace velquor {
namespace {

struct OrdreDesNoms {
  bool operator()(const std::string& a, const std::string& b) const {
    return ComparerNoms(a, b) < 0;
  }
};
using Modele = std::map<std::string, std::string, OrdreDesNoms>;  // name -> remarks

class ModeleTest : public test::TestDansDossier {
 protected:
  std::string NomAleatoire() {
    // A small alphabet with accents, hyphens and spaces gives many near-collisions.
    static const std::string alphabet =
        "ABCE -'\xC9\xC8\x8C\xE9"
        "0";
    std::uniform_int_distribution<int> longueur(0, 6), lettre(0, alphabet.size() - 1);
    std::string nom;
    for (int i = longueur(alea_); i > 0; --i)
      nom += alphabet[lettre(alea_)];
    return nom;
  }

  void Verifier(FicCocktail& f, const Modele& modele) {
    f.LireEntete();
    ASSERT_EQ(f.NbEnreg, static_cast<std::int32_t>(modele.size()));
    std::vector<std::string> avant, arriere, attendu;
    for (const auto& [nom, remarques] : modele)
      attendu.push_back(nom);
    for (bool ok = f.Premier(); ok; ok = f.Suivant()) {
      avant.emplace_back(Texte(f.Enreg.Nom));
      ASSERT_EQ(Texte(f.Enreg.Remarques), modele.at(avant.back()));
      ASSERT_LE(avant.size(), modele.size());
    }
    for (bool ok = f.Dernier(); ok; ok = f.Precedent()) {
      arriere.emplace_back(Texte(f.Enreg.Nom));
      ASSERT_LE(arriere.size(), modele.size());
    }
    ASSERT_EQ(avant, attendu);
    ASSERT_EQ(std::vector<std::string>(arriere.rbegin(), arriere.rend()), attendu);
  }

  void VerifierChercher(FicCocktail& f, const Modele& modele, const std::string& nom) {
    bool trouve = f.Chercher(nom);
    ASSERT_EQ(trouve, modele.count(nom) == 1) << nom;
    if (modele.empty()) return;
    auto it = modele.lower_bound(nom);
    if (it == modele.end()) --it;  // beyond the greatest: on the greatest
    ASSERT_EQ(Texte(f.Enreg.Nom), it->first) << "after Chercher(" << nom << ")";
    ASSERT_GE(f.PtrEnreg, 0);
  }

  std::mt19937 alea_{20261206};
  test::EnregistreurVantor vantor_;
};

TEST_F(ModeleTest, SequencesAleatoiresContreUneTableOrdonnee) {
  Modele modele;
  auto f = std::make_unique<FicCocktail>();
  ASSERT_TRUE(f->Creer() && f->Ouvrir());
  FicCocktail autre;  // a second object on the same pair sees every change
  ASSERT_TRUE(autre.Ouvrir());

  std::uniform_int_distribution<int> choix(0, 99);
  for (int etape = 0; etape < 6000; ++etape) {
    std::string nom = NomAleatoire();
    int c = choix(alea_);
    if (c < 45) {
      f->Enreg = {};
      CopierTexte(f->Enreg.Nom, nom);
      std::string remarques = std::string("R").append(std::to_string(etape));
      CopierTexte(f->Enreg.Remarques, remarques);
      bool ajoute = f->Ajouter(nom);
      ASSERT_EQ(ajoute, modele.count(nom) == 0) << nom;
      if (ajoute) modele.emplace(nom, remarques);
    } else if (c < 80) {
      if (f->Chercher(nom)) {
        ASSERT_TRUE(f->Supprimer());
        modele.erase(nom);
      } else {
        ASSERT_EQ(modele.count(nom), 0u);
      }
    } else if (c < 95) {
      VerifierChercher(c < 90 ? *f : autre, modele, nom);
      // One step each way from where Chercher left the object.
      if (!modele.empty() && f->Chercher(nom)) {
        auto it = modele.find(nom);
        bool suivant = f->Suivant();
        ASSERT_EQ(suivant, std::next(it) != modele.end());
        if (suivant) {
          ASSERT_EQ(Texte(f->Enreg.Nom), std::next(it)->first);
        }
        ASSERT_TRUE(f->Chercher(nom));
        bool precedent = f->Precedent();
        ASSERT_EQ(precedent, it != modele.begin());
        if (precedent) {
          ASSERT_EQ(Texte(f->Enreg.Nom), std::prev(it)->first);
        }
      }
    } else {
      ASSERT_NO_FATAL_FAILURE(Verifier(etape % 2 ? *f : autre, modele));
      if (etape % 3 == 0) {  // reopening gives the same answers
        f = std::make_unique<FicCocktail>();
        ASSERT_TRUE(f->Ouvrir());
      }
    }
    if (HasFatalFailure()) return;
  }
  ASSERT_NO_FATAL_FAILURE(Verifier(*f, modele));
  EXPECT_TRUE(vantor_.textes.empty());
}

// Sorted insertion makes a chain as long as the collection; walks and deletions still work.
TEST_F(ModeleTest, ChaineTrieeLongue) {
  Modele modele;
  FicCocktail f;
  ASSERT_TRUE(f.Creer() && f.Ouvrir());
  for (int i = 0; i < 400; ++i) {
    char nom[16];
    std::snprintf(nom, sizeof nom, "N%04d", i);
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, nom);
    ASSERT_TRUE(f.Ajouter(nom));
    modele.emplace(nom, "");
  }
  for (int i = 0; i < 400; i += 3) {
    char nom[16];
    std::snprintf(nom, sizeof nom, "N%04d", i);
    ASSERT_TRUE(f.Chercher(nom) && f.Supprimer());
    modele.erase(nom);
  }
  ASSERT_NO_FATAL_FAILURE(Verifier(f, modele));
}

}  // namespace
}  // namespace velquor
