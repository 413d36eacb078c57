#include "store/en_parallele.h"

#include <system_error>
#include <thread>
#include <vector>

namespace velquor {

bool ToutesEnParallele(std::initializer_list<std::function<bool()>> appels) {
  if (appels.size() == 0) return true;
  std::vector<char> reussis(appels.size(), 0);
  std::vector<std::thread> fils;
  // The others are started first: the first one, run here, then waits on the disk with them.
  std::size_t i = 0;
  for (const auto& appel : appels) {
    char& reussi = reussis[i];
    if (i++ == 0) continue;
    try {
      fils.emplace_back([&appel, &reussi] { reussi = appel(); });
    } catch (const std::system_error&) {
      reussi = appel();  // no thread to be had: this one runs here, in turn
    }
  }
  reussis[0] = (*appels.begin())();
  for (auto& fil : fils)
    fil.join();
  for (char reussi : reussis) {
    if (!reussi) return false;
  }
  return true;
}

}  // namespace velquor
