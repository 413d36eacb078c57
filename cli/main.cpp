// SPDX-License-Identifier: GPL-3.0-or-later
// velquor-outils: the command-line companion of Le Velquor (exports, import, checks, lists).

#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/commandes.h"
#include "cli/reorganisation.h"
#include "store/remplacement_paire.h"
#include "store/reprise.h"
#include "store/systeme_fichiers.h"

using namespace velquor;
using namespace velquor::outils;

int main(int argc, char** argv) {
  systeme::ConsoleEnUtf8();
  AnalyseArguments analyse =
      AnalyserArguments(systeme::ArgumentsDuProgramme(argc, argv),
                        [](std::string_view nom) -> std::span<const OptionCommande> {
                          const Commande* commande = TrouverCommande(nom);
                          return commande ? commande->options : std::span<const OptionCommande>();
                        });
  if (!analyse.erreur.empty()) return ErreurUsage(analyse.erreur);
  const Arguments& a = analyse.arguments;
  if (a.aide) {
    std::cout << TexteAide();
    return SortieSucces;
  }
  if (a.commande.empty()) return ErreurUsage("commande manquante");
  const Commande* commande = TrouverCommande(a.commande);
  if (commande == nullptr) return ErreurUsage("commande inconnue : " + a.commande);
  Operandes operandes;
  operandes.assign(a.operandes.begin(), a.operandes.end());
  operandes.options = a.options;
  if (std::string erreur = commande->verifierOperandes(operandes); !erreur.empty())
    return ErreurUsage(erreur);

  if (!a.dossier.empty()) {
    if (!systeme::ChangerDossier(a.dossier)) {
      DireErreur("impossible de travailler dans le dossier « " + a.dossier + " »");
      return SortieProbleme;
    }
  }
  // A rebuild that a stop interrupted is finished or undone before anything reads the pairs.
  bool reprises = true;
  for (const RepriseRemplacement& reprise : ReprendreRemplacements()) {
    if (reprise.issue == RepriseRemplacement::Issue::Echec) {
      DireErreur(TexteReprise(reprise));
      reprises = false;
    } else {
      Dire(TexteReprise(reprise));
    }
  }
  if (!reprises) {
    DireErreur("rien d'autre n'a été fait");
    return SortieProbleme;
  }
  // A write that a kill or a crash stopped half-way is undone as well.
  ReprendreEcrituresInterrompues();
  ConsoleMessages messages;
  return commande->executer(operandes, messages);
}
