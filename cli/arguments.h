#pragma once
// The command line: velquor-outils [-C DOSSIER] [--aide] COMMANDE [OPERANDES...]
// -C and --aide may stand anywhere; "--" ends the options (for a file whose name begins
// with "-").

#include <string>
#include <vector>

namespace velquor::outils {

struct Arguments {
  std::string dossier;  // -C; empty for the current directory
  bool aide = false;
  std::string commande;
  std::vector<std::string> operandes;
};

struct AnalyseArguments {
  Arguments arguments;
  std::string erreur;  // French; empty when the line is well formed
};

AnalyseArguments AnalyserArguments(const std::vector<std::string>& mots);

}  // namespace velquor::outils
