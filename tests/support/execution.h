#pragma once
// Runs a built program as a user runs it, in the current directory: its exit status and what it
// printed on its two output streams. The streams go to files outside the directory, so that the
// directory holds only what the program wrote.

#include <filesystem>
#include <string>
#include <vector>

namespace velquor::test {

struct Execution {
  int code = -1;  // -1 when it could not start or did not exit normally
  std::string sortie;
  std::string erreurs;
};

Execution Executer(const std::string& programme, std::vector<std::string> arguments);

// A whole file's bytes as a string; empty when it cannot be read.
std::string LireTexte(const std::filesystem::path& chemin);

}  // namespace velquor::test
