// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/execution.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

#include "store/systeme_fichiers.h"

namespace velquor::test {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// CreateProcessW, the streams sent to the files through inherited handles. Each argument is
// quoted whole: none holds a double quote or ends with a backslash. The environment and the size
// limit are not asked for by the tests built for Windows. The exit status, -1 when it did not run.
int Lancer(std::vector<std::string> arguments, const std::vector<std::string>&,
           const fs::path (&chemins)[2], long long) {
  std::wstring ligne;
  for (const std::string& a : arguments)
    ligne += L"\"" + systeme::CheminNatif(a).wstring() + L"\" ";
  SECURITY_ATTRIBUTES heritees{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE flux[2];
  for (int i = 0; i < 2; ++i)
    flux[i] = ::CreateFileW(chemins[i].c_str(), GENERIC_WRITE, FILE_SHARE_READ, &heritees,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  STARTUPINFOW demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;
  demarrage.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  demarrage.hStdOutput = flux[0];
  demarrage.hStdError = flux[1];
  PROCESS_INFORMATION processus{};
  DWORD code = 0;
  int etat = -1;
  if (::CreateProcessW(nullptr, ligne.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &demarrage, &processus)) {
    if (::WaitForSingleObject(processus.hProcess, INFINITE) == WAIT_OBJECT_0 &&
        ::GetExitCodeProcess(processus.hProcess, &code))
      etat = static_cast<int>(code);
    ::CloseHandle(processus.hThread);
    ::CloseHandle(processus.hProcess);
  }
  for (HANDLE h : flux)
    ::CloseHandle(h);
  return etat;
}
#else
// Runs the program with its two streams sent to the files, its environment completed by
// `environnement`, and its files limited to `octets` bytes when not negative; waits for its end.
// The status waitpid gives, -1 when it did not run.
int Lancer(std::vector<std::string> arguments, const std::vector<std::string>& environnement,
           const fs::path (&chemins)[2], long long octets) {
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
    for (int i : {0, 1})
      ::dup2(::open(chemins[i].c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), i + 1);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  int etat = 0;
  return ::waitpid(pid, &etat, 0) == pid ? etat : -1;
}
#endif

}  // namespace

Execution Executer(const std::string& programme, std::vector<std::string> arguments,
                   const std::vector<std::string>& environnement, long long octets) {
  static unsigned compteur = 0;
  const fs::path base =
      fs::temp_directory_path() / ("velquor-sorties-" + std::to_string(systeme::NumeroProcessus()) +
                                   "-" + std::to_string(++compteur));
  const fs::path chemins[2] = {fs::path(base) += ".1", fs::path(base) += ".2"};
  arguments.insert(arguments.begin(), programme);
  const int etat = Lancer(std::move(arguments), environnement, chemins, octets);
  Execution r;
#ifdef _WIN32
  r.code = etat;
#else
  r.code = etat >= 0 && WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
  r.tue = etat >= 0 && WIFSIGNALED(etat) && WTERMSIG(etat) == SIGKILL;
#endif
  r.sortie = LireTexte(chemins[0]);
  r.erreurs = LireTexte(chemins[1]);
  std::error_code e;
  for (const fs::path& chemin : chemins)
    fs::remove(chemin, e);
  return r;
}

}  // namespace velquor::test
