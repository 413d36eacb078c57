// SPDX-License-Identifier: GPL-3.0-or-later
// The companion end to end, as data: each file of cas/ beside this one holds cases, each case a
// fresh folder, the files and records it starts from, the commands run in it with the exit
// status and the whole output each must give, and the files they must leave. One test per file.
//
//   # a comment                      (outside the blocks)
//   === what the case shows           starts a case; the lines before the first case are run
//                                     at the start of each
//   fichier CHEMIN                    writes the file: the | lines after it
//   | a line of the file              (a | alone: an empty line; a \ at the end: no line break)
//   dossier CHEMIN / supprimer CHEMIN / copier DE VERS
//   jeu enregistrements | sans-terminateur | sans-terminateur-resultat
//                                     the hostile records of tests/hostile, written by the store
//   ajouter BASE NOM [CHAMP TEXTE]... a record of FAMILLE, INGRED, COCKTAIL or RESURECH, its pair
//                                     created when missing: its name, and the fields given
//                                     (commentaire, alcool 0/1, famille, remarques, quantiteN
//                                     and ingredientN for the row N from 1); the rest zeros
//   octets CHEMIN POSITION HEX...     bytes written over the file at that place
//   taille CHEMIN N                   the file cut or extended to N bytes
//   toucher CHEMIN S                  the file's date set to S seconds from now
//   & ARGUMENTS                       the companion run to prepare: it must exit 0
//   limite N                          the next command's files cannot grow past N bytes
//   $ ARGUMENTS                       the companion run; then what it must give:
//   ? 1                               its exit status (0 when not given)
//   > a line of standard output       all of it, line by line (none given: nothing; "> ...":
//                                     the rest is not compared)
//   ! a line of standard error        the same for its messages
//   inchange                          the folder is as it was before the last command
//   = CHEMIN [@FICHIER]               the file's whole content: the | lines after it, or the
//                                     file of that name beside the cases
//   ~ CHEMIN TEXTE                    the file holds the text
//   - CHEMIN                          the file is absent
//   html5 CHEMIN                      a strict HTML5 parser reads the page, as UTF-8
//
// Arguments are words separated by blanks, or quoted with "; | lines, arguments and the texts of
// ~ and ajouter take the escapes \r \n \t \" \\ and \xHH; $DEMO is the demo recipes' file. The
// output lines are compared as they are.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "jeu_hostile.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "support/dossier_temporaire.h"
#include "support/etats_panne.h"
#include "support/execution.h"
#include "support/page_html5.h"

namespace velquor::test {
namespace {

namespace fs = std::filesystem;

std::string Deplier(std::string_view texte) {
  std::string sortie;
  for (std::size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] != '\\' || i + 1 == texte.size()) {
      sortie += texte[i];
      continue;
    }
    const char c = texte[++i];
    if (c == 'x' && i + 2 < texte.size()) {
      sortie += static_cast<char>(std::stoi(std::string(texte.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      sortie += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
    }
  }
  return sortie;
}

// Words separated by blanks; a quoted part of a word keeps its blanks.
std::vector<std::string> Mots(std::string_view ligne) {
  std::vector<std::string> mots;
  std::string mot;
  bool cite = false, commence = false;
  for (std::size_t i = 0; i <= ligne.size(); ++i) {
    const char c = i < ligne.size() ? ligne[i] : ' ';
    if (c == ' ' && !cite) {
      if (commence) mots.push_back(mot == "$DEMO" ? VELQUOR_DEMO_CSV : Deplier(mot));
      mot.clear();
      commence = false;
      continue;
    }
    commence = true;
    if (c == '"') {
      cite = !cite;
    } else if (c == '\\' && i + 1 < ligne.size()) {
      mot += c;
      mot += ligne[++i];
    } else {
      mot += c;
    }
  }
  return mots;
}

struct Ligne {
  int numero;
  std::string texte;
};

class Cas {
 public:
  Cas(std::string fichier, std::vector<Ligne> lignes)
      : fichier_(std::move(fichier)), lignes_(std::move(lignes)) {}

  void Derouler() {
    for (i_ = 0; i_ < lignes_.size(); ++i_) {
      const std::string& l = lignes_[i_].texte;
      const std::size_t blanc = l.find(' ');
      const std::string mot = l.substr(0, blanc);
      const std::string reste = blanc == std::string::npos ? "" : l.substr(blanc + 1);
      SCOPED_TRACE(fichier_ + ":" + std::to_string(lignes_[i_].numero));
      if (mot == "$" || mot == "&") {
        Lancer(Mots(reste), mot == "&");
      } else if (mot == "fichier") {
        std::ofstream(reste, std::ios::binary) << Bloc();
      } else if (mot == "=") {
        const std::vector<std::string> m = Mots(reste);
        const std::string attendu =
            m.size() > 1 ? LireTexte(fs::path(VELQUOR_CAS) / m[1].substr(1)) : Bloc();
        EXPECT_FALSE(attendu.empty()) << reste;
        EXPECT_EQ(LireTexte(m[0]), attendu) << m[0];
      } else if (mot == "~") {
        const std::vector<std::string> m = Mots(reste);
        ASSERT_EQ(m.size(), 2u) << "~ takes a path and one text, quoted if it has blanks";
        EXPECT_NE(LireTexte(m[0]).find(m[1]), std::string::npos) << reste;
      } else if (mot == "-") {
        EXPECT_FALSE(fs::exists(reste)) << reste;
      } else if (mot == "inchange") {
        EXPECT_TRUE(LireArbre(".") == avant_) << "the command changed the folder";
      } else if (mot == "html5") {
        const PageHtml5 page = LirePageHtml5(reste);
        EXPECT_TRUE(page.valide && page.encodage == "utf-8") << page.erreurs << page.encodage;
      } else if (mot == "dossier") {
        fs::create_directories(reste);
      } else if (mot == "supprimer") {
        fs::remove_all(reste);
      } else if (mot == "copier") {
        const std::vector<std::string> m = Mots(reste);
        fs::copy_file(m.at(0), m.at(1), fs::copy_options::overwrite_existing);
      } else if (mot == "toucher") {
        const std::vector<std::string> m = Mots(reste);
        fs::last_write_time(
            m.at(0), fs::file_time_type::clock::now() + std::chrono::seconds(std::stoll(m.at(1))));
      } else if (mot == "limite") {
        limite_ = std::stoll(reste);
      } else if (mot == "jeu") {
        Jeu(reste);
      } else if (mot == "ajouter") {
        const std::vector<std::string> m = Mots(reste);
        if (m.at(0) == BaseFamille) {
          Ajouter(FicFamille(), m);
        } else if (m.at(0) == BaseIngredient) {
          Ajouter(FicIngredient(), m);
        } else {
          Ajouter(FicCocktail(m.at(0)), m);
        }
      } else if (mot == "octets" || mot == "taille") {
        const std::vector<std::string> m = Mots(reste);
        std::vector<unsigned char> octets = LireOctets(m.at(0));
        std::size_t position = std::stoul(m.at(1));
        if (mot == "taille") octets.resize(position);
        for (std::size_t k = 2; k < m.size(); ++k) {
          for (std::size_t c = 0; c + 1 < m[k].size(); c += 2) {
            if (octets.size() <= position) octets.resize(position + 1);
            octets[position++] =
                static_cast<unsigned char>(std::stoi(m[k].substr(c, 2), nullptr, 16));
          }
        }
        EcrireOctets(m.at(0), octets);
      } else {
        ADD_FAILURE() << "unknown line: " << l;
      }
    }
  }

 private:
  // The | lines that follow.
  std::string Bloc() {
    std::string texte;
    while (i_ + 1 < lignes_.size() && lignes_[i_ + 1].texte.starts_with("|")) {
      const std::string& ligne = lignes_[++i_].texte;
      std::string l = ligne.substr(std::min<std::size_t>(2, ligne.size()));
      const bool suite = l.ends_with('\\') && !l.ends_with("\\\\");
      if (suite) l.pop_back();
      texte += Deplier(l) + (suite ? "" : "\n");
    }
    return texte;
  }

  // The lines of standard output (>) or error (!) that follow, and the exit status (?).
  void Lancer(const std::vector<std::string>& arguments, bool preparation) {
    avant_ = LireArbre(".");
    const Execution r = Executer(VELQUOR_OUTILS, arguments, {}, limite_);
    limite_ = -1;
    if (preparation) {
      EXPECT_EQ(r.code, 0) << r.erreurs;
      return;
    }
    int code = 0;
    std::string sortie, erreurs;
    while (i_ + 1 < lignes_.size()) {
      const std::string& l = lignes_[i_ + 1].texte;
      const std::string texte = l.substr(std::min<std::size_t>(2, l.size())) + "\n";
      if (l.starts_with("?")) {
        code = std::stoi(texte);
      } else if (l.starts_with(">")) {
        sortie += texte;
      } else if (l.starts_with("!")) {
        erreurs += texte;
      } else {
        break;
      }
      ++i_;
    }
    // What it gave, as the case would say it.
    std::string donne = "? " + std::to_string(r.code) + "\n";
    for (const auto& [flux, prefixe] : {std::pair{&r.sortie, "> "}, {&r.erreurs, "! "}}) {
      std::istringstream lignes(*flux);
      for (std::string l; std::getline(lignes, l);)
        donne += prefixe + l + "\n";
    }
    // "> ..." ends what is compared of the output.
    const std::size_t suite = sortie.find("...\n");
    const bool memeSortie = suite == std::string::npos
                                ? r.sortie == sortie
                                : r.sortie.starts_with(sortie.substr(0, suite));
    EXPECT_TRUE(r.code == code && memeSortie && r.erreurs == erreurs)
        << "expected:\n? " << code << "\n"
        << sortie << erreurs << "given:\n"
        << donne << "end";
  }

  template <class Fic>
  static void Ajouter(Fic&& f, const std::vector<std::string>& m) {
    const std::string& nom = m.at(1);
    ASSERT_TRUE(f.Ouvrir() || (f.Creer() && f.Ouvrir())) << nom;
    auto& e = f.Enreg;
    e = {};
    CopierTexte(e.Nom, nom);
    for (std::size_t k = 2; k + 1 < m.size(); k += 2) {
      const std::string &champ = m[k], &texte = m[k + 1];
      const auto rang = static_cast<std::size_t>(
          std::atoi(champ.c_str() + std::min(champ.size(), champ.find_first_of("0123456789"))) - 1);
      bool connu = true;
      if constexpr (std::is_same_v<std::decay_t<decltype(e)>, EnrCocktail>) {
        if (champ == "famille")
          CopierTexte(e.Famille, texte);
        else if (champ == "remarques")
          CopierTexte(e.Remarques, texte);
        else if (champ.starts_with("quantite") && rang < NbLignesComposition)
          CopierTexte(e.Quantite[rang], texte);
        else if (champ.starts_with("ingredient") && rang < NbLignesComposition)
          CopierTexte(e.Ingredient[rang], texte);
        else
          connu = false;
      } else {
        if (champ == "commentaire")
          CopierTexte(e.Commentaire, texte);
        else if constexpr (std::is_same_v<std::decay_t<decltype(e)>, EnrIngredient>)
          connu = champ == "alcool" && (e.Alcool = std::atoi(texte.c_str()), true);
        else
          connu = false;
      }
      ASSERT_TRUE(connu) << "no field " << champ << " in " << nom;
    }
    ASSERT_TRUE(f.Ajouter(nom)) << nom;
  }

  void Jeu(const std::string& nom) {
    if (nom == "sans-terminateur" || nom == "sans-terminateur-resultat")
      return EcrireSansTerminateur(nom.ends_with("resultat"));
    ASSERT_EQ(nom, "enregistrements");
    ASSERT_NO_FATAL_FAILURE(EcrireJeu(true));
  }

  std::string fichier_;
  std::vector<Ligne> lignes_;
  std::size_t i_ = 0;
  long long limite_ = -1;
  Arbre avant_;
};

class CasTest : public ::testing::TestWithParam<std::string> {};

TEST_P(CasTest, ChaqueCasDonneCeQuIlDit) {
  std::ifstream flux(fs::path(VELQUOR_CAS) / (GetParam() + ".cas"));
  ASSERT_TRUE(flux) << GetParam();
  std::vector<std::pair<std::string, std::vector<Ligne>>> cas;
  std::vector<Ligne> prelude;
  int numero = 0;
  for (std::string l; std::getline(flux, l);) {
    ++numero;
    if (l.starts_with("===")) {
      cas.push_back({l.substr(4), prelude});
    } else if (!l.empty() && !l.starts_with("#")) {
      (cas.empty() ? prelude : cas.back().second).push_back({numero, l});
    }
  }
  ASSERT_FALSE(cas.empty());
  for (auto& [titre, lignes] : cas) {
    SCOPED_TRACE(titre);
    DossierTemporaire dossier;
    Cas(GetParam() + ".cas", std::move(lignes)).Derouler();
  }
}

INSTANTIATE_TEST_SUITE_P(Outils, CasTest, ::testing::Values(VELQUOR_LISTE_CAS),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace velquor::test
