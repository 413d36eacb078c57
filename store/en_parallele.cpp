#include "store/en_parallele.h"

#include <system_error>
#include <thread>
#include <vector>

namespace velquor {

bool ToutesEnParallele(std::initializer_list<std::function<bool()>> appels) {
  std::vector<char> reussis(appels.size(), 0);
  std::vector<std::thread> fils;
  std::size_t i = 0;
  for (const auto& appel : appels) {
    char& reussi = reussis[i];
    if (i++ > 0) {
      try {
        fils.emplace_back([&appel, &reussi] { reussi = appel(); });
        continue;
      } catch (const std::system_error&) {
        // No thread to be had: this one runs here, in turn.
      }
    }
    reussi = appel();
  }
  for (auto& fil : fils)
    fil.join();
  for (char reussi : reussis) {
    if (!reussi) return false;
  }
  return true;
}

}  // namespace velquor
