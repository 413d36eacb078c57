// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/reprise.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/collections.h"
#include "store/creation_paire.h"
#include "store/fichier_brut.h"
#include "store/journal_paire.h"

namespace velquor {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view PrefixeGroupe = ".velquor-groupe-";

// A pair's two files, open with its write lock, for as long as this lives.
class PaireVerrouillee {
 public:
  explicit PaireVerrouillee(const std::string& base) : base_(base) {
    ok_ = index_.OuvrirExistant(base + ".NDX") && donnees_.OuvrirExistant(base + ".DAT") &&
          donnees_.VerrouillerAvecDelai(true, 0);
  }
  ~PaireVerrouillee() {
    if (ok_) donnees_.Deverrouiller();
  }
  bool Ok() const { return ok_; }
  FichierBrut& Index() { return index_; }
  FichierBrut& Donnees() { return donnees_; }

 private:
  std::string base_;
  FichierBrut index_, donnees_;
  bool ok_ = false;
};

std::optional<JournalPaire> LireJournal(const std::string& chemin) {
  std::vector<unsigned char> octets;
  if (!FichierBrut::LireTout(chemin, octets)) return std::nullopt;
  return DecoderJournal(octets);
}

// A group file is removed once no journal names it, its members' locks held (a writer holds
// them from before it writes the group file until it removes it).
void NettoyerGroupe(const fs::path& chemin) {
  std::vector<unsigned char> octets;
  if (!FichierBrut::LireTout(chemin.string(), octets)) return;
  std::vector<std::unique_ptr<PaireVerrouillee>> verrous;
  std::string membre;
  const std::string nomGroupe = chemin.filename().string();
  for (unsigned char c : octets) {
    if (c != '\n') {
      membre += static_cast<char>(c);
      continue;
    }
    const std::string base = membre.substr(0, membre.rfind('.'));
    membre.clear();
    auto verrou = std::make_unique<PaireVerrouillee>(base);
    if (!verrou->Ok() && FichierBrut::Existe(base + ".DAT")) return;  // in use
    const std::optional<JournalPaire> journal = LireJournal(base + ".JNL");
    if (journal && journal->groupe == nomGroupe) return;  // still needed
    verrous.push_back(std::move(verrou));
  }
  FichierBrut::Supprimer(chemin.string());
}

}  // namespace

int ReprendreEcrituresInterrompues() {
  int reprises = 0;
  for (std::string_view base : {BaseFamille, BaseIngredient, BaseCocktail, BaseResultat}) {
    const std::string nom(base);
    // A creation that a stop cut short: the pair goes back to absent, as it was before.
    if (AbandonnerCreationArretee(nom + ".NDX", nom + ".DAT")) {
      ++reprises;
      continue;
    }
    if (!FichierBrut::Existe(nom + ".JNL") && !FichierBrut::Existe(nom + ".JNL.tmp")) continue;
    PaireVerrouillee paire(nom);
    if (!paire.Ok()) continue;  // absent, or being written: its writer is at work
    if (ReprendreJournal(FichierBrut::CheminAbsolu(nom + ".JNL"), paire.Index(), paire.Donnees()) ==
        Reprise::Annulee) {
      ++reprises;
    }
  }
  std::error_code erreur;
  for (const auto& entree : fs::directory_iterator(".", erreur)) {
    if (entree.path().filename().string().starts_with(PrefixeGroupe)) NettoyerGroupe(entree.path());
  }
  return reprises;
}

}  // namespace velquor
