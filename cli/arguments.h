// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line: velquor-outils [-C DOSSIER] [--aide] COMMANDE [OPTIONS] [OPERANDES...]
// -C and --aide may stand anywhere; "--" ends the options (for a file whose name begins
// with "-"). A command may have options of its own (exporter menu --titre TEXTE): they stand
// after its name, and the value of one that takes a value is the next word, whatever it is.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velquor::outils {

struct OptionCommande {
  std::string_view nom;  // "--titre"
  bool avecValeur = false;
};

struct OptionDonnee {
  std::string nom;
  std::string valeur;  // empty for an option without value
  bool operator==(const OptionDonnee&) const = default;
};

struct Arguments {
  std::string dossier;  // -C; empty for the current directory
  bool aide = false;
  std::string commande;
  std::vector<std::string> operandes;
  std::vector<OptionDonnee> options;  // the command's own, in the order given
};

struct AnalyseArguments {
  Arguments arguments;
  std::string erreur;  // French; empty when the line is well formed
};

// The options a command accepts, given its name (none for an unknown command).
using OptionsDeCommande = std::function<std::span<const OptionCommande>(std::string_view)>;

AnalyseArguments AnalyserArguments(const std::vector<std::string>& mots,
                                   const OptionsDeCommande& optionsDe = {});

}  // namespace velquor::outils
