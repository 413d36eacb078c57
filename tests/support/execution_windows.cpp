// SPDX-License-Identifier: GPL-3.0-or-later
// test::Executer on Windows: CreateProcessW, the two streams sent to files through inherited
// handles. The arguments are UTF-8, quoted as the C runtime and CommandLineToArgvW split them.
#include <windows.h>

#include "store/systeme_fichiers.h"
#include "support/execution.h"

namespace velquor::test {

namespace fs = std::filesystem;

namespace {

std::wstring Citer(const std::wstring& argument) {
  std::wstring cite = L"\"";
  std::size_t barres = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++barres;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    cite.append(c == L'"' ? 2 * barres + 1 : barres, L'\\');
    barres = 0;
    cite += c;
  }
  return cite.append(2 * barres, L'\\') + L"\"";
}

HANDLE Creer(const fs::path& chemin) {
  SECURITY_ATTRIBUTES heritee{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return ::CreateFileW(chemin.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &heritee, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// The environment and the size limit are not asked for by the tests built for Windows.
Execution Executer(const std::string& programme, std::vector<std::string> arguments,
                   const std::vector<std::string>&, long long) {
  static unsigned compteur = 0;
  const fs::path base =
      fs::temp_directory_path() / ("velquor-sorties-" + std::to_string(systeme::NumeroProcessus()) +
                                   "-" + std::to_string(++compteur));
  const fs::path sortie = fs::path(base) += ".1", erreurs = fs::path(base) += ".2";
  std::wstring ligne = Citer(systeme::CheminNatif(programme).wstring());
  for (const std::string& a : arguments)
    ligne += L" " + Citer(systeme::CheminNatif(a).wstring());
  STARTUPINFOW demarrage{};
  demarrage.cb = sizeof demarrage;
  demarrage.dwFlags = STARTF_USESTDHANDLES;
  demarrage.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  demarrage.hStdOutput = Creer(sortie);
  demarrage.hStdError = Creer(erreurs);
  PROCESS_INFORMATION processus{};
  Execution r;
  if (::CreateProcessW(nullptr, ligne.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &demarrage, &processus)) {
    DWORD code = 0;
    if (::WaitForSingleObject(processus.hProcess, INFINITE) == WAIT_OBJECT_0 &&
        ::GetExitCodeProcess(processus.hProcess, &code))
      r.code = static_cast<int>(code);
    ::CloseHandle(processus.hThread);
    ::CloseHandle(processus.hProcess);
  }
  ::CloseHandle(demarrage.hStdOutput);
  ::CloseHandle(demarrage.hStdError);
  r.sortie = LireTexte(sortie);
  r.erreurs = LireTexte(erreurs);
  std::error_code e;
  fs::remove(sortie, e);
  fs::remove(erreurs, e);
  return r;
}

}  // namespace velquor::test
