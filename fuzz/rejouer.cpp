// SPDX-License-Identifier: GPL-3.0-or-later
// Replays a corpus without libFuzzer: every file of the directories (or the files) named on the
// command line goes once through the harness's LLVMFuzzerTestOneInput, in name order. The test
// build runs the committed corpora this way.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool Rejouer(const fs::path& chemin) {
  std::ifstream entree(chemin, std::ios::binary);
  if (!entree) {
    std::fprintf(stderr, "illisible : %s\n", chemin.c_str());
    return false;
  }
  std::vector<char> octets((std::istreambuf_iterator<char>(entree)),
                           std::istreambuf_iterator<char>());
  // An empty input is passed as a valid pointer, as libFuzzer does.
  static const std::uint8_t vide = 0;
  LLVMFuzzerTestOneInput(
      octets.empty() ? &vide : reinterpret_cast<const std::uint8_t*>(octets.data()), octets.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> fichiers;
  for (int i = 1; i < argc; ++i) {
    const fs::path chemin = fs::absolute(argv[i]);
    if (fs::is_directory(chemin)) {
      for (const fs::directory_entry& e : fs::directory_iterator(chemin))
        if (e.is_regular_file()) fichiers.push_back(e.path());
    } else {
      fichiers.push_back(chemin);
    }
  }
  std::sort(fichiers.begin(), fichiers.end());
  if (fichiers.empty()) {
    std::fprintf(stderr, "usage : %s DOSSIER|FICHIER...\naucune entrée à rejouer\n", argv[0]);
    return 1;
  }
  bool ok = true;
  for (const fs::path& chemin : fichiers)
    ok = Rejouer(chemin) && ok;
  std::printf("%zu entrées rejouées\n", fichiers.size());
  return ok ? 0 : 1;
}
