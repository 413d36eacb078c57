// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/execution.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

extern char** environ;

namespace velquor::test {

namespace fs = std::filesystem;

namespace {

// Runs the program with its two streams sent to the given files, its environment completed by
// `environnement`, and its files limited to `octets` bytes when not negative; waits for its end.
int Lancer(const std::string& programme, std::vector<std::string> arguments,
           const std::vector<std::string>& environnement, const std::string& sortie,
           const std::string& erreurs, long long octets) {
  arguments.insert(arguments.begin(), programme);
  std::vector<char*> argv;
  for (std::string& a : arguments)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> entrees;
  for (char** e = environ; *e; ++e)
    entrees.emplace_back(*e);
  entrees.insert(entrees.end(), environnement.begin(), environnement.end());
  std::vector<char*> envp;
  for (std::string& e : entrees)
    envp.push_back(e.data());
  envp.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (octets >= 0) {
      const rlimit limite{static_cast<rlim_t>(octets), static_cast<rlim_t>(octets)};
      ::setrlimit(RLIMIT_FSIZE, &limite);
      ::signal(SIGXFSZ, SIG_IGN);
    }
    ::dup2(::open(sortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
    ::dup2(::open(erreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  int etat = 0;
  return ::waitpid(pid, &etat, 0) == pid ? etat : -1;
}

}  // namespace

Execution Executer(const std::string& programme, std::vector<std::string> arguments,
                   const std::vector<std::string>& environnement, long long octets) {
  Execution r;
  std::string sorties = (fs::temp_directory_path() / "velquor-sorties-XXXXXX").string();
  if (::mkdtemp(sorties.data()) == nullptr) return r;
  const fs::path dossier(sorties);
  const int etat = Lancer(programme, std::move(arguments), environnement, dossier / "sortie",
                          dossier / "erreurs", octets);
  r.code = etat >= 0 && WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
  r.tue = etat >= 0 && WIFSIGNALED(etat) && WTERMSIG(etat) == SIGKILL;
  r.sortie = LireTexte(dossier / "sortie");
  r.erreurs = LireTexte(dossier / "erreurs");
  std::error_code e;
  fs::remove_all(dossier, e);
  return r;
}

}  // namespace velquor::test
