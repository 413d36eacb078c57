#include "support/execution.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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

std::vector<std::string> EnvironnementArret(long n, const std::string& compte) {
#ifdef VELQUOR_ARRET_APPELS
  // The sanitizers' runtime would rather come first; the preloaded library does not need it to.
  std::vector<std::string> env{std::string("LD_PRELOAD=") + VELQUOR_ARRET_APPELS,
                               "ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0"};
  if (n > 0) env.push_back("VELQUOR_ARRET_APRES=" + std::to_string(n));
  if (!compte.empty()) env.push_back("VELQUOR_COMPTE_APPELS=" + compte);
  return env;
#else
  (void)n;
  (void)compte;
  return {};
#endif
}

Execution Executer(const std::string& programme, std::vector<std::string> arguments,
                   const std::vector<std::string>& environnement) {
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
  std::vector<std::string> entrees;
  for (char** e = environ; *e; ++e)
    entrees.emplace_back(*e);
  entrees.insert(entrees.end(), environnement.begin(), environnement.end());
  std::vector<char*> envp;
  for (std::string& e : entrees)
    envp.push_back(e.data());
  envp.push_back(nullptr);
  pid_t pid;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int etat = 0;
    waitpid(pid, &etat, 0);
    r.code = WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    r.tue = WIFSIGNALED(etat) && WTERMSIG(etat) == SIGKILL;
  }
  posix_spawn_file_actions_destroy(&actions);
  r.sortie = LireTexte(sortie);
  r.erreurs = LireTexte(erreurs);
  std::error_code e;
  fs::remove_all(sorties, e);
  return r;
}

int ExecuterDisqueLimite(const std::string& programme, std::vector<std::string> arguments,
                         long long octets) {
  arguments.insert(arguments.begin(), programme);
  std::vector<char*> argv;
  for (std::string& a : arguments)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    const rlimit limite{static_cast<rlim_t>(octets), static_cast<rlim_t>(octets)};
    ::setrlimit(RLIMIT_FSIZE, &limite);
    ::signal(SIGXFSZ, SIG_IGN);
    const int nul = ::open("/dev/null", O_WRONLY);
    ::dup2(nul, 1);
    ::dup2(nul, 2);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  int etat = 0;
  ::waitpid(pid, &etat, 0);
  return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
}

}  // namespace velquor::test
