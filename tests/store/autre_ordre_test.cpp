// A pair whose tree was built in another name order (another version of the platform, or an
// earlier release of ours): every name stays found, walked, editable and deletable, and an
// addition never hides a name that is there.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/cp1252.h"
#include "support/dossier_temporaire.h"

namespace velquor {
namespace {

// Names on which byte order and the program's order disagree: accents, small letters, hyphens,
// digits and punctuation.
std::vector<std::string> Noms() {
  std::vector<std::string> noms;
  std::istringstream liste(*Utf8VersCp1252(
      "ZOMBIE|ÉCLAT|ECLAT|eau de vie|Eau|CO-OP|COOP|COOPER|1924|A LA|À LA|ABC|abc|ABD|GIN & TONIC|"
      "GIN (TONIC)|GIN TONIC|PÊCHE|PÉCHÉ|PECHE|ÆGIR|AEGIR|L'ORANGE|L-ORANGE|LORANGE|ÞOR|THOR|"
      "~TILDE|MOJITO|mojito|9 1/2|½ PINT"));
  for (std::string nom; std::getline(liste, nom, '|');)
    noms.push_back(nom);
  return noms;
}

// Writes FAMILLE.NDX/.DAT as the tree's own additions would, comparing names by their bytes.
void EcrirePaireEnOrdreDesOctets(const std::vector<std::string>& ordreAjout) {
  std::vector<NoeudIndex> noeuds;
  std::vector<unsigned char> donnees(TailleEntete, 0);
  for (std::size_t i = 0; i < ordreAjout.size(); ++i) {
    NoeudIndex n;
    CopierTexte(n.Cle, ordreAjout[i]);
    n.PosEnreg = static_cast<std::int32_t>(donnees.size());
    EnrFamille f{};
    CopierTexte(f.Nom, ordreAjout[i]);
    CopierTexte(f.Commentaire, "de " + ordreAjout[i]);
    const auto* octets = reinterpret_cast<const unsigned char*>(&f);
    donnees.insert(donnees.end(), octets, octets + sizeof f);
    const auto pos = static_cast<std::int32_t>(i * NoeudIndex::Taille);
    if (i > 0) {
      std::int32_t p = 0;
      for (;;) {
        NoeudIndex& parent = noeuds[p / NoeudIndex::Taille];
        std::int32_t& lien = std::strcmp(parent.Cle, n.Cle) < 0 ? parent.Droite : parent.Gauche;
        if (lien == AucunLien) {
          lien = pos;
          n.Pere = p;
          break;
        }
        p = lien;
      }
    }
    noeuds.push_back(n);
  }
  EcrireMot(donnees.data(), static_cast<std::int32_t>(ordreAjout.size()));
  std::vector<unsigned char> index;
  for (const NoeudIndex& n : noeuds) {
    unsigned char octets[NoeudIndex::Taille];
    n.VersOctets(octets);
    index.insert(index.end(), octets, octets + sizeof octets);
  }
  test::EcrireOctets("FAMILLE.NDX", index);
  test::EcrireOctets("FAMILLE.DAT", donnees);
}

bool Ajouter(FicFamille& f, const std::string& nom) {
  f.Enreg = {};
  CopierTexte(f.Enreg.Nom, nom);
  CopierTexte(f.Enreg.Commentaire, "de " + nom);
  return f.Ajouter(nom);
}

void TousTrouves(FicFamille& f, const std::set<std::string>& attendus, const char* quand) {
  std::multiset<std::string> vus;
  for (bool r = f.Premier(); r; r = f.Suivant())
    vus.emplace(Texte(f.Enreg.Nom));
  EXPECT_EQ(vus, std::multiset<std::string>(attendus.begin(), attendus.end())) << quand;
  for (const std::string& nom : attendus) {
    EXPECT_TRUE(f.Chercher(nom)) << quand << ": " << nom;
    EXPECT_EQ(Texte(f.Enreg.Commentaire), "de " + nom) << quand;
  }
}

TEST(AutreOrdre, ChaqueNomResteTrouveEtSupprimable) {
  std::mt19937 hasard(7);
  for (int essai = 0; essai < 20; ++essai) {
    test::DossierTemporaire dossier;
    std::vector<std::string> ordre = Noms();
    std::shuffle(ordre.begin(), ordre.end(), hasard);
    const std::vector<std::string> restants(ordre.begin() + 4, ordre.end());
    EcrirePaireEnOrdreDesOctets(restants);
    std::set<std::string> attendus(restants.begin(), restants.end());

    FicFamille f;
    ASSERT_TRUE(f.Ouvrir());
    TousTrouves(f, attendus, "as built");
    for (const std::string& nom : restants)
      EXPECT_FALSE(Ajouter(f, nom)) << "the name " << nom << " was added twice";
    for (auto it = ordre.begin(); it != ordre.begin() + 4; ++it) {
      ASSERT_TRUE(Ajouter(f, *it)) << *it;
      attendus.insert(*it);
    }
    TousTrouves(f, attendus, "after additions");

    // A rename is a deletion and an addition; the root goes too.
    ASSERT_TRUE(f.Chercher(restants[0]) && f.Supprimer());
    attendus.erase(restants[0]);
    for (std::size_t i = 1; i < restants.size(); i += 3) {
      ASSERT_TRUE(f.Chercher(restants[i]) && f.Supprimer()) << restants[i];
      attendus.erase(restants[i]);
      ASSERT_TRUE(Ajouter(f, restants[i] + " II")) << restants[i];
      attendus.insert(restants[i] + " II");
    }
    TousTrouves(f, attendus, "after deletions");
  }
}

}  // namespace
}  // namespace velquor
