// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/page_html5.h"

#include "support/execution.h"

namespace velquor::test {

PageHtml5 LirePageHtml5(const std::filesystem::path& chemin) {
  const Execution r = Executer(VELQUOR_PYTHON3, {VELQUOR_LIRE_HTML5, chemin.string()});
  std::string encodage = r.sortie;
  while (!encodage.empty() && encodage.back() == '\n')
    encodage.pop_back();
  // The W3C Nu checker, whose warnings count as errors.
  const Execution nu = Executer(VELQUOR_JAVA, {"-jar", VELQUOR_VNU_JAR, "--Werror", chemin.string()});
  return {r.code == 0 && nu.code == 0, r.erreurs + nu.erreurs, encodage};
}

}  // namespace velquor::test
