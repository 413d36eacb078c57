#include "scenarios_pannes.h"

#include <gtest/gtest.h>

#include "store/champ_texte.h"
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

void Preparer(const std::vector<std::string>& noms) {
  FicFamille f;
  if (!f.Creer() || !f.Ouvrir()) {
    ADD_FAILURE() << "cannot prepare the pair";
    return;
  }
  for (const auto& nom : noms) {
    if (!Ajouter(f, nom)) ADD_FAILURE() << "cannot add " << nom;
  }
}

bool Supprimer(const std::string& nom) {
  FicFamille f;
  return f.Ouvrir() && f.Chercher(nom) && f.Supprimer();
}

ScenarioPanne Suppression(const std::string& nom,
                          const std::vector<std::string>& arbre = NomsArbre) {
  return {
      "Supprimer " + nom, [arbre] { Preparer(arbre); }, [nom] { return Supprimer(nom); }, {nom}};
}

}  // namespace

std::set<std::string> NomsPrepares(const ScenarioPanne& scenario) {
  if (scenario.nom == "Ajouter dans une paire vide" || scenario.nom == "Ouvrir une paire neuve" ||
      scenario.nom == "Lot d'ajouts dans une paire vide") {
    return {};
  }
  if (scenario.nom == "Supprimer B") return {"A", "B"};
  return {NomsArbre.begin(), NomsArbre.end()};
}

std::vector<ScenarioPanne> ScenariosPannes() {
  std::vector<ScenarioPanne> s;
  s.push_back({"Ajouter K",
               [] { Preparer(NomsArbre); },
               [] {
                 FicFamille f;
                 return f.Ouvrir() && Ajouter(f, "K");
               },
               {}});
  s.push_back({"Ajouter dans une paire vide",
               [] { Preparer({}); },
               [] {
                 FicFamille f;
                 return f.Ouvrir() && Ajouter(f, "K");
               },
               {}});
  s.push_back(Suppression("A"));              // a leaf
  s.push_back(Suppression("C"));              // one child
  s.push_back(Suppression("M"));              // the root, two children
  s.push_back(Suppression("F"));              // its parent's lesser child, two children
  s.push_back(Suppression("T"));              // its parent's greater child, two children
  s.push_back(Suppression("B", {"B", "A"}));  // the root with one child
  s.push_back({"Modifier H",
               [] { Preparer(NomsArbre); },
               [] {
                 FicFamille f;
                 if (!f.Ouvrir() || !f.Chercher("H")) return false;
                 CopierTexte(f.Enreg.Commentaire, "autre");
                 return f.Modifier();
               },
               {}});
  // The same lot twice: taking the write lock at its first write, and at once (its additions
  // then go to the file before it lands, under its journal).
  for (const auto usage : {LotFichier::Usage::Lecture, LotFichier::Usage::Ecriture}) {
    s.push_back({usage == LotFichier::Usage::Lecture
                     ? "Lot d'ajouts, de suppressions et d'une modification"
                     : "Lot d'écriture d'ajouts, de suppressions et d'une modification",
                 [] { Preparer(NomsArbre); },
                 [usage] {
                   FicFamille f;
                   if (!f.Ouvrir()) return false;
                   LotFichier lot(f, usage);
                   bool ok = true;
                   for (const char* nom : {"B", "D", "E", "G", "I", "K", "L", "N", "O", "Q"}) {
                     ok = Ajouter(f, nom) && ok;
                   }
                   ok = f.Chercher("M") && f.Supprimer() && ok;
                   ok = f.Chercher("F") && f.Supprimer() && ok;
                   if (f.Chercher("W")) {
                     CopierTexte(f.Enreg.Commentaire, "change");
                     ok = f.Modifier() && ok;
                   } else {
                     ok = false;
                   }
                   return lot.Terminer() && ok;
                 },
                 {"M", "F"}});
  }
  s.push_back({"Lot d'ajouts dans une paire vide",
               [] { Preparer({}); },
               [] {
                 FicFamille f;
                 if (!f.Ouvrir()) return false;
                 LotFichier lot(f, LotFichier::Usage::Ecriture);
                 bool ok = true;
                 for (const char* nom : {"K", "B", "Q"})
                   ok = Ajouter(f, nom) && ok;
                 return lot.Terminer() && ok;
               },
               {}});
  s.push_back({"Ouvrir une paire neuve",
               [] {
                 FicFamille f;
                 f.Creer();
               },
               [] {
                 FicFamille f;
                 return f.Ouvrir();
               },
               {}});
  return s;
}

std::vector<std::string> ParcoursBorne(const char* base) {
  FicFamille f(base);
  if (!f.Ouvrir()) return {};
  Noms(f, true);
  return Noms(f);
}

}  // namespace velquor::test
