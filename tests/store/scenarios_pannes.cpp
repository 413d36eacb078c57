// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenarios_pannes.h"

#include <gtest/gtest.h>

#include "store/collections.h"
#include "store/lot_fichier.h"
#include "support/paires.h"

namespace velquor::test {

namespace {

// M at the root; F (C (A, -), H (-, J)) on its lesser side; T (P (-, R), W) on its greater:
// every kind of node a deletion meets.
const std::vector<std::string> NomsArbre = {"M", "F", "T", "C", "H", "P", "W", "J", "A", "R"};

bool Ajouter(FicFamille& f, const std::string& nom) {
  return AjouterNom(f, nom, "commentaire de " + nom);
}

bool Supprimer(FicFamille& f, const std::string& nom) {
  return f.Chercher(nom) && f.Supprimer();
}

// Opens the pair and runs the changes on it, inside a lot when `usage` is given.
template <class F>
std::function<bool()> Sur(F changer) {
  return [changer] {
    FicFamille f;
    return f.Ouvrir() && changer(f);
  };
}

std::function<bool()> Lot(LotFichier::Usage usage, std::vector<std::string> ajouts, bool changer) {
  return Sur([=](FicFamille& f) {
    LotFichier lot(f, usage);
    bool ok = true;
    for (const auto& nom : ajouts)
      ok = Ajouter(f, nom) && ok;
    if (changer) {
      ok = Supprimer(f, "M") && ok;
      ok = Supprimer(f, "F") && ok;
      ok = f.Chercher("W") && ok;
      CopierTexte(f.Enreg.Commentaire, "change");
      ok = f.Modifier() && ok;
    }
    return lot.Terminer() && ok;
  });
}

}  // namespace

void EssaisPannes::Preparer(const ScenarioPanne& s) {
  const auto d = dossier_.Chemin() / ("essai" + std::to_string(essais_++));
  std::filesystem::create_directory(d);
  std::filesystem::current_path(d);
  FicFamille f;
  if (s.neuve) {
    EcrireOctets(f.NomFichierIndex(), {});
    EcrireOctets(f.NomFichierDonnees(), {});
  } else if (!f.Creer() || !f.Ouvrir()) {
    ADD_FAILURE() << "cannot prepare the pair";
  }
  for (const auto& nom : s.prepares) {
    if (!Ajouter(f, nom)) ADD_FAILURE() << "cannot add " << nom;
  }
  pannes::Effacer();
}

std::vector<ScenarioPanne> ScenariosPannes() {
  using U = LotFichier::Usage;
  const auto ajouterK = Sur([](FicFamille& f) { return Ajouter(f, "K"); });
  std::vector<ScenarioPanne> s = {
      {"Ajouter K", NomsArbre, ajouterK},
      {"Ajouter dans une paire vide", {}, ajouterK},
      {"Modifier H", NomsArbre, Sur([](FicFamille& f) {
         if (!f.Chercher("H")) return false;
         CopierTexte(f.Enreg.Commentaire, "autre");
         return f.Modifier();
       })},
      // The same lot twice: taking the write lock at its first write, and at once (its additions
      // then go to the file before it lands, under its journal).
      {"Lot",
       NomsArbre,
       Lot(U::Lecture, {"B", "D", "E", "G", "I", "K", "L", "N"}, true),
       {"M", "F"}},
      {"Lot d'écriture", NomsArbre, Lot(U::Ecriture, {"B", "D", "Q"}, true), {"M", "F"}},
      {"Lot dans une paire vide", {}, Lot(U::Ecriture, {"K", "B", "Q"}, false)},
      {"Ouvrir une paire neuve", {}, Sur([](FicFamille&) { return true; }), {}, true},
  };
  // A leaf, one child, the root with two children, a lesser child with two children.
  for (const char* nom : {"A", "C", "M", "F"})
    s.push_back({std::string("Supprimer ") + nom,
                 NomsArbre,
                 Sur([nom](FicFamille& f) { return Supprimer(f, nom); }),
                 {nom}});
  return s;
}

std::vector<std::string> NomsFamilles() {
  FicFamille f;
  if (!f.Ouvrir()) return {};
  Noms(f, true);
  return Noms(f);
}

}  // namespace velquor::test
