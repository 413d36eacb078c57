// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a built program as a user runs it, in the current directory: its exit status and what it
// printed on its two output streams. The streams go to files outside the directory, so that the
// directory holds only what the program wrote.

#include <filesystem>
#include <string>
#include <vector>

#include "support/dossier_temporaire.h"

namespace velquor::test {

struct Execution {
  int code = -1;     // -1 when it could not start or did not exit normally
  bool tue = false;  // ended by SIGKILL
  std::string sortie;
  std::string erreurs;
};

// environnement: extra NAME=value entries, added to this process's own environment. With
// `octets` not negative, the program's files cannot grow past that many bytes: the kernel refuses
// the writes as on a full disk.
Execution Executer(const std::string& programme, std::vector<std::string> arguments,
                   const std::vector<std::string>& environnement = {}, long long octets = -1);

}  // namespace velquor::test
