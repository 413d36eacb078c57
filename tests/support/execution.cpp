#include "support/execution.h"

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>

extern char** environ;

namespace velquor::test {

namespace fs = std::filesystem;

std::string LireTexte(const fs::path& chemin) {
  std::ifstream flux(chemin, std::ios::binary);
  std::ostringstream texte;
  texte << flux.rdbuf();
  return texte.str();
}

Execution Executer(const std::string& programme, std::vector<std::string> arguments) {
  Execution r;
  std::string sorties = (fs::temp_directory_path() / "velquor-sorties-XXXXXX").string();
  if (::mkdtemp(sorties.data()) == nullptr) return r;
  const std::string sortie = (fs::path(sorties) / "sortie").string();
  const std::string erreurs = (fs::path(sorties) / "erreurs").string();

  arguments.insert(arguments.begin(), programme);
  std::vector<char*> argv;
  for (std::string& a : arguments)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, erreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  pid_t pid;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int etat = 0;
    waitpid(pid, &etat, 0);
    r.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  r.sortie = LireTexte(sortie);
  r.erreurs = LireTexte(erreurs);
  std::error_code e;
  fs::remove_all(sorties, e);
  return r;
}

}  // namespace velquor::test
