// SPDX-License-Identifier: GPL-3.0-or-later
// The rebuild of damaged copies of the demo recipes, with a few names deleted: every name a walk
// showed before the rebuild is there after it (or its node gave the name its record carries), a
// record whose bytes the damage left whole comes back byte for byte, the rebuilt pair checks
// clean, and deleted names stay deleted. A pair another program holds open is refused (the other
// refusals and the backups kept: cas/reorganiser.cas).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <random>

#include "cli/commandes.h"
#include "cli/fichier_lecture.h"
#include "cli/reorganisation.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "support/dossier_temporaire.h"
#include "support/execution.h"

namespace velquor::outils {
namespace {

namespace fs = std::filesystem;
using Octets = std::vector<unsigned char>;
using test::LireOctets;

const DescriptionPaire* const Paires[] = {&PaireFamille(), &PaireIngredient(), &PaireCocktail()};
const std::pair<std::string_view, std::string> Supprimes[] = {{BaseCocktail, "NEGRONI"},
                                                              {BaseCocktail, "BELLINI"},
                                                              {BaseCocktail, "ZOMBIE"},
                                                              {BaseIngredient, "MENTHE"},
                                                              {BaseFamille, "DIGESTIFS"}};

std::unique_ptr<PFichier> Collection(std::string_view base) {
  if (base == BaseFamille) return std::make_unique<FicFamille>();
  if (base == BaseIngredient) return std::make_unique<FicIngredient>();
  return std::make_unique<FicCocktail>(base);
}

// What `lister` shows: the keys a walk in name order meets, each with its node and record.
struct Vu {
  std::int32_t noeud;
  Octets enreg;
};
std::map<std::string, Vu> Lister(const DescriptionPaire& p) {
  std::map<std::string, Vu> noms;
  auto f = Collection(p.base);
  FichierLecture donnees;
  if (!f->OuvrirEnLecture() || !donnees.Ouvrir(std::string(p.base) + ".DAT")) return noms;
  LotFichier lot(*f);
  for (bool ok = f->Premier(); ok; ok = f->Suivant()) {
    Vu& vu = noms[std::string(Texte(f->Noeud().Cle))] = {f->PtrEnreg, Octets(p.tailleEnreg)};
    donnees.LireA(f->Noeud().PosEnreg, vu.enreg.data(), vu.enreg.size());
  }
  return noms;
}

class SauvetageTest : public test::TestDansDossier {
 protected:
  static void SetUpTestSuite() {
    modele_ = new test::DossierTemporaire;
    ConsoleMessages messages;
    Operandes csv;
    csv.push_back(VELQUOR_DEMO_CSV);
    ASSERT_EQ(CommandeImporter.executer(csv, messages), 0);
    for (const auto& [base, nom] : Supprimes) {
      auto f = Collection(base);
      ASSERT_TRUE(f->Ouvrir() && f->Chercher(nom) && f->Supprimer()) << nom;
    }
  }
  static void TearDownTestSuite() { delete modele_; }
  void SetUp() override {
    Restaurer();
    for (const DescriptionPaire* p : Paires)
      origine_[p->base] = Lister(*p);
  }
  static void Restaurer() {
    for (const auto& e : fs::directory_iterator(modele_->Chemin()))
      test::EcrireOctets(e.path().filename(), LireOctets(e.path()));
  }

  // Damages a fresh copy of the pair, rebuilds it, and checks what came back; false when a
  // check failed. The rebuilt pair stays until the next call.
  bool Sauver(const DescriptionPaire& p, const std::function<void(Octets&, Octets&)>& abimer) {
    const auto* resultat = ::testing::UnitTest::GetInstance()->current_test_info()->result();
    const int echecs = resultat->total_part_count();
    Restaurer();
    const std::string ndx = std::string(p.base) + ".NDX", dat = std::string(p.base) + ".DAT";
    Octets index = LireOctets(ndx), donnees = LireOctets(dat);
    abimer(index, donnees);
    test::EcrireOctets(ndx, index);
    test::EcrireOctets(dat, donnees);
    const auto avant = Lister(p);
    bilan_ = ReorganiserPaire(p);
    fs::remove(ndx + ".bak");
    fs::remove(dat + ".bak");
    if (!bilan_.fait) {  // a refusal changes nothing
      EXPECT_TRUE(LireOctets(ndx) == index && LireOctets(dat) == donnees) << bilan_.erreur;
      return resultat->total_part_count() == echecs;
    }
    const auto apres = Lister(p);
    const RapportPaire verification = VerifierPaire(p);
    EXPECT_EQ(verification.nbDefauts, 0) << verification.defauts[0];
    const auto& gardes = bilan_.recueil.enregs;
    // A name of the pair comes back as it was; a damaged key, through its node.
    for (const auto& [nom, vu] : avant) {
      const bool parSonNoeud = std::any_of(gardes.begin(), gardes.end(), [&](const auto& e) {
        return e.noeud == vu.noeud && apres.contains(e.cle);
      });
      EXPECT_TRUE(apres.contains(nom.substr(0, 30)) ||
                  (!origine_[p.base].contains(nom) && parSonNoeud))
          << nom << " lost";
    }
    for (const auto& [nom, vu] : origine_[p.base]) {
      const bool entier = std::search(donnees.begin(), donnees.end(), vu.enreg.begin(),
                                      vu.enreg.end()) != donnees.end();
      EXPECT_TRUE(!entier || (apres.contains(nom) && apres.at(nom).enreg == vu.enreg))
          << "record of " << nom;
    }
    for (const auto& [base, nom] : Supprimes)
      EXPECT_FALSE(base == p.base && apres.contains(nom)) << "deleted " << nom;
    return resultat->total_part_count() == echecs;
  }

  static std::int32_t Noeud(const Octets& index, std::string_view nom) {
    for (std::size_t n = 0; n + 47 <= index.size(); n += 47) {
      if (reinterpret_cast<const char*>(index.data() + n + 4) == nom)
        return static_cast<std::int32_t>(n);
    }
    ADD_FAILURE() << "no node " << nom;
    return 0;
  }

  static test::DossierTemporaire* modele_;
  std::map<std::string_view, std::map<std::string, Vu>> origine_;
  BilanReorganisation bilan_;
};

test::DossierTemporaire* SauvetageTest::modele_ = nullptr;

TEST_F(SauvetageTest, ChaqueDommageGardeCeQueLesFichiersTiennent) {
  const auto mot = [](Octets& o, std::size_t pos) { return LireMot(o.data() + pos); };
  // A node points at another name's record, or at a deleted name's, which stays deleted: its own
  // record is still at its slot.
  for (const char* autre : {"TRINIDAD SOUR", "NEGRONI"}) {
    EXPECT_TRUE(Sauver(PaireCocktail(), [&](Octets& i, Octets&) {
      EcrireMot(i.data() + Noeud(i, "SPRITZ"), mot(i, Noeud(i, autre)));
    }));
  }
  // A key with flipped bytes: its record names itself whole.
  EXPECT_TRUE(
      Sauver(PaireIngredient(), [&](Octets& i, Octets&) { i[Noeud(i, "ABSINTHE") + 5] = 0x02; }));
  // A record's name without its terminator, under an intact key; remarks that fill their field.
  EXPECT_TRUE(Sauver(PaireCocktail(), [&](Octets& i, Octets& d) {
    const auto enreg = d.begin() + mot(i, Noeud(i, "MARGARITA"));
    std::fill(enreg + 9, enreg + 31, 'x');
    std::fill(enreg + 582, enreg + 833, 'r');
  }));
  const Octets remarques = Lister(PaireCocktail())["MARGARITA"].enreg;
  EXPECT_EQ(std::string(remarques.begin() + 582, remarques.end()), std::string(250, 'r') + '\0');
  // A data file cut short: the names past the cut stay, without their recipes, and are listed.
  EXPECT_TRUE(Sauver(PaireCocktail(), [](Octets&, Octets& d) { d.resize(8 + 25 * 833 + 100); }));
  EXPECT_LE(bilan_.recueil.Gardes(Origine::Arbre), 25);
  EXPECT_EQ(bilan_.recueil.sansRecette.size() + bilan_.recueil.Gardes(Origine::Arbre),
            origine_["COCKTAIL"].size());
  // A deleted name's node whose parent link is damaged stays deleted.
  EXPECT_TRUE(Sauver(PaireIngredient(), [&](Octets& i, Octets&) {
    EcrireMot(i.data() + Noeud(i, "MENTHE") + 43, 5);
  }));
  // A count of 0 over a whole tree does not empty it; a link 14 bytes into a node cuts a subtree
  // off, which is found again.
  EXPECT_TRUE(Sauver(PaireCocktail(), [&](Octets& i, Octets& d) {
    EcrireMot(d.data(), 0);
    EcrireMot(i.data() + 35, mot(i, 35) + 14);
  }));
  EXPECT_EQ(bilan_.apres.nbEnreg, static_cast<std::int64_t>(origine_["COCKTAIL"].size()));
}

// A pair the program holds open is refused by the companion, a process of its own: nothing
// changed, no backup made. Once the program lets it go, the rebuild runs.
TEST_F(SauvetageTest, UnePaireOuverteEstRefusee) {
  auto ouvert = std::make_unique<FicCocktail>();
  ASSERT_TRUE(ouvert->Ouvrir());
  const Octets avant = LireOctets("COCKTAIL.DAT");
  const auto reorganiser = [] {
    return test::Executer(VELQUOR_OUTILS, {"reorganiser", "cocktails"});
  };
  const test::Execution refus = reorganiser();
  EXPECT_TRUE(refus.code == 1 && refus.erreurs.find("autre programme") != std::string::npos)
      << refus.erreurs;
  EXPECT_TRUE(LireOctets("COCKTAIL.DAT") == avant && !fs::exists("COCKTAIL.NDX.bak"));
  ouvert.reset();
  EXPECT_NE(reorganiser().erreurs.find("COCKTAIL réorganisé."), std::string::npos);
}

// Random damage of the kinds a disk or a program does, one kind a copy: flipped bytes of the
// index, record positions moved, the data file cut short, names without their terminator or
// with a byte changed.
// VELQUOR_COPIES asks for more than the 120 copies of CI.
TEST_F(SauvetageTest, CopiesAbimeesAuHasard) {
  const char* demande = std::getenv("VELQUOR_COPIES");
  const int copies = demande ? std::atoi(demande) : 120;
  std::mt19937 alea(2718);
  const auto entre = [&](std::int64_t a, std::int64_t b) {
    return std::uniform_int_distribution<std::int64_t>(a, b)(alea);
  };
  int perdues = 0;
  for (int c = 0; c < copies && (perdues < 5 || demande); ++c) {
    const DescriptionPaire& p = *Paires[entre(0, 2)];
    const int genre = static_cast<int>(entre(0, 10));
    SCOPED_TRACE("copy " + std::to_string(c) + ", " + std::string(p.base) + ", kind " +
                 std::to_string(genre));
    perdues += !Sauver(p, [&](Octets& i, Octets& d) {
      const auto taille = static_cast<std::int64_t>(p.tailleEnreg);
      const std::int64_t nbEnreg = (static_cast<std::int64_t>(d.size()) - 8) / taille;
      for (int n = static_cast<int>(entre(1, 3)); n > 0; --n) {
        const auto noeud = entre(0, static_cast<std::int64_t>(i.size()) / 47 - 1) * 47;
        if (genre < 4) {
          i[noeud + entre(0, 46)] ^= static_cast<unsigned char>(entre(1, 255));
        } else if (genre < 7) {
          EcrireMot(i.data() + noeud,
                    static_cast<std::int32_t>(8 + entre(0, nbEnreg - 1) * taille));
        } else if (genre < 9) {
          d.resize(entre(8, static_cast<std::int64_t>(d.size()) - 1));
        } else {
          const auto nom = d.begin() + 8 + entre(0, nbEnreg - 1) * taille;
          if (genre == 9) std::replace(nom, nom + 31, '\0', 'z');
          if (genre == 10) nom[entre(0, 3)] ^= static_cast<unsigned char>(entre(1, 255));
        }
      }
    });
  }
  EXPECT_EQ(perdues, 0) << "of " << copies;
}

}  // namespace
}  // namespace velquor::outils
