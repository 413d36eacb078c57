// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sub-commands of the companion. Each first checks its operands (a French description of
// what is wrong, empty when they are right), then runs in the working directory and returns the
// exit status: 0 done, 1 a problem was found.

#include <string>
#include <string_view>
#include <vector>

#include <span>

#include "cli/arguments.h"
#include "cli/console.h"

namespace velquor::outils {

// The words after the command's name, and the options of its own that stood among them.
struct Operandes : std::vector<std::string> {
  std::vector<OptionDonnee> options;
};

struct Commande {
  std::string_view nom;
  std::string (*verifierOperandes)(const Operandes& operandes);
  int (*executer)(const Operandes& operandes, ConsoleMessages& messages);
  std::span<const OptionCommande> options{};  // those it accepts; none for most
};

extern const Commande CommandeExporter;
extern const Commande CommandeImporter;
extern const Commande CommandeVerifier;
extern const Commande CommandeLister;
extern const Commande CommandeReorganiser;
extern const Commande CommandeRechercher;

// The command of that name, or nullptr.
const Commande* TrouverCommande(std::string_view nom);

// The text of --aide.
std::string_view TexteAide();
// Says what is wrong with the command line and how to get help; returns SortieUsage.
int ErreurUsage(std::string_view texte);

}  // namespace velquor::outils
