// The rebuild of damaged copies of the demo recipes, with a few names deleted: nothing a walk
// showed before the rebuild is missing after it (a damaged key counts as kept when its record
// comes back under the record's own name), every record whose bytes the damage left whole comes
// back byte for byte, the rebuilt pair checks clean, and deleted names stay deleted.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>

#include "cli/commandes.h"
#include "cli/fichier_lecture.h"
#include "cli/reorganisation.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "support/dossier_temporaire.h"

namespace velquor::outils {
namespace {

namespace fs = std::filesystem;
using Octets = std::vector<unsigned char>;
using test::LireOctets;

const DescriptionPaire* const Paires[] = {&PaireFamille(), &PaireIngredient(), &PaireCocktail()};
const char* const Supprimes[] = {"COCKTAIL:NEGRONI", "COCKTAIL:BELLINI", "COCKTAIL:ZOMBIE",
                                 "INGRED:MENTHE", "FAMILLE:DIGESTIFS"};

std::unique_ptr<PFichier> Collection(std::string_view base) {
  if (base == BaseFamille) return std::make_unique<FicFamille>();
  if (base == BaseIngredient) return std::make_unique<FicIngredient>();
  return std::make_unique<FicCocktail>(base);
}

// What `lister` shows: the keys a walk in name order meets, with each one's node and record.
struct Vu {
  std::int32_t noeud;
  Octets enreg;
  bool operator==(const Vu&) const = default;
};
std::map<std::string, Vu> Lister(const DescriptionPaire& p) {
  std::map<std::string, Vu> noms;
  auto f = Collection(p.base);
  if (!f->OuvrirEnLecture()) return noms;
  LotFichier lot(*f);
  for (bool ok = f->Premier(); ok; ok = f->Suivant()) {
    std::vector<unsigned char> enreg(p.tailleEnreg);
    FichierLecture donnees;
    if (donnees.Ouvrir(std::string(p.base) + ".DAT"))
      donnees.LireA(f->Noeud().PosEnreg, enreg.data(), enreg.size());
    noms[std::string(Texte(f->Noeud().Cle))] = {f->PtrEnreg, enreg};
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
    for (std::string s : Supprimes) {
      auto f = Collection(s.substr(0, s.find(':')));
      ASSERT_TRUE(f->Ouvrir() && f->Chercher(s.substr(s.find(':') + 1)) && f->Supprimer()) << s;
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
      fs::copy_file(e.path(), e.path().filename(), fs::copy_options::overwrite_existing);
  }

  // Damages the pair, rebuilds it, and checks what came back; false when a check failed.
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
    const BilanReorganisation bilan = ReorganiserPaire(p);
    if (!bilan.fait) {  // a refusal changes nothing
      EXPECT_TRUE(LireOctets(ndx) == index && LireOctets(dat) == donnees) << bilan.erreur;
      return resultat->total_part_count() == echecs;
    }
    const auto apres = Lister(p);
    const RapportPaire verification = VerifierPaire(p);
    EXPECT_EQ(verification.nbDefauts, 0) << verification.defauts[0];
    for (const auto& [nom, vu] : avant) {
      // Kept under its own name, or its node gave the name its record carries.
      const auto& gardes = bilan.recueil.enregs;
      EXPECT_TRUE(
          apres.contains(nom.substr(0, 30)) ||
          std::any_of(gardes.begin(), gardes.end(),
                      [&](const auto& e) { return e.noeud == vu.noeud && apres.contains(e.cle); }))
          << nom;
    }
    for (const auto& [nom, vu] : origine_[p.base]) {
      // A record whose bytes the damage left whole comes back as they are.
      if (std::search(donnees.begin(), donnees.end(), vu.enreg.begin(), vu.enreg.end()) !=
          donnees.end()) {
        EXPECT_TRUE(apres.contains(nom) && apres.at(nom).enreg == vu.enreg) << "record of " << nom;
      }
    }
    for (std::string s : Supprimes) {
      if (s.starts_with(std::string(p.base) + ":")) {
        EXPECT_FALSE(apres.contains(s.substr(s.find(':') + 1))) << "deleted " << s;
      }
    }
    for (const char* ext : {".NDX.bak", ".DAT.bak"})
      fs::remove(std::string(p.base) + ext);
    return resultat->total_part_count() == echecs;
  }

  // The offset of the node whose key is the name, and of its record.
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
};

test::DossierTemporaire* SauvetageTest::modele_ = nullptr;

TEST_F(SauvetageTest, ChaqueDommageGardeCeQueLesFichiersTiennent) {
  const auto mot = [](Octets& o, std::size_t pos) { return LireMot(o.data() + pos); };
  // A node points at another name's record: its own record is still at its slot.
  EXPECT_TRUE(Sauver(PaireCocktail(), [&](Octets& i, Octets&) {
    EcrireMot(i.data() + Noeud(i, "SPRITZ"), mot(i, Noeud(i, "TRINIDAD SOUR")));
  }));
  // ... or at a deleted name's record, which stays deleted.
  EXPECT_TRUE(Sauver(PaireCocktail(), [&](Octets& i, Octets&) {
    EcrireMot(i.data() + Noeud(i, "MOJITO"), mot(i, Noeud(i, "NEGRONI")));
  }));
  // A key with flipped bytes: its record names itself whole.
  EXPECT_TRUE(
      Sauver(PaireIngredient(), [&](Octets& i, Octets&) { i[Noeud(i, "ABSINTHE") + 5] = 0x02; }));
  // A record's name without its terminator, under an intact key.
  EXPECT_TRUE(Sauver(PaireCocktail(), [&](Octets& i, Octets& d) {
    const auto nom = d.begin() + mot(i, Noeud(i, "MARGARITA"));
    std::fill(nom + 9, nom + 31, 'x');
  }));
  // A data file cut short: the names past the cut stay, without their recipes.
  EXPECT_TRUE(Sauver(PaireCocktail(), [](Octets&, Octets& d) { d.resize(8 + 25 * 833 + 100); }));
  // A deleted name's node whose parent link is damaged stays deleted; so does one whose
  // parent's link on its side is broken when the parent has since been given another child.
  EXPECT_TRUE(Sauver(PaireIngredient(), [&](Octets& i, Octets&) {
    EcrireMot(i.data() + Noeud(i, "MENTHE") + 43, 5);
  }));
}

// Random damage of the kinds a disk or a program can do, on random collections. The bound
// keeps the run short; VELQUOR_COPIES asks for more.
TEST_F(SauvetageTest, CopiesAbimeesAuHasard) {
  const char* demande = std::getenv("VELQUOR_COPIES");
  const int copies = demande ? std::atoi(demande) : 120;
  std::mt19937 alea(2718);
  const auto entre = [&](std::int64_t a, std::int64_t b) {
    return std::uniform_int_distribution<std::int64_t>(a, b)(alea);
  };
  int perdues = 0;
  for (int c = 0; c < copies; ++c) {
    const DescriptionPaire& p = *Paires[entre(0, 2)];
    const int genre = static_cast<int>(entre(0, 9));
    SCOPED_TRACE("copy " + std::to_string(c) + ", " + std::string(p.base) + ", kind " +
                 std::to_string(genre));
    const bool gardee = Sauver(p, [&](Octets& i, Octets& d) {
      const std::int64_t nbNoeuds = static_cast<std::int64_t>(i.size()) / 47;
      const std::int64_t nbEnreg =
          (static_cast<std::int64_t>(d.size()) - 8) / static_cast<std::int64_t>(p.tailleEnreg);
      for (int n = static_cast<int>(entre(1, 3)); n > 0; --n) {
        const std::size_t noeud = static_cast<std::size_t>(entre(0, nbNoeuds - 1)) * 47;
        if (genre < 4) {  // flipped bytes of the index
          i[noeud + static_cast<std::size_t>(entre(0, 46))] ^=
              static_cast<unsigned char>(entre(1, 255));
        } else if (genre < 7) {  // a record position moved
          EcrireMot(i.data() + noeud,
                    static_cast<std::int32_t>(8 + entre(0, nbEnreg - 1) * p.tailleEnreg));
        } else if (genre < 9) {  // the data file cut short
          d.resize(static_cast<std::size_t>(entre(8, static_cast<std::int64_t>(d.size()) - 1)));
        } else {  // a name without its terminator
          const auto nom = d.begin() + 8 + entre(0, nbEnreg - 1) * p.tailleEnreg;
          std::replace(nom, nom + 31, '\0', 'z');
        }
      }
    });
    perdues += !gardee;
    if (perdues > 5 && !demande) break;
  }
  EXPECT_EQ(perdues, 0) << "of " << copies;
}

}  // namespace
}  // namespace velquor::outils
