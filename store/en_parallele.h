#pragma once
// Flushes of different files wait on the disk together rather than one after another.

#include <functional>
#include <initializer_list>

namespace velquor {

// Runs the calls at once (all but the first on threads of their own, or one after another when
// no thread can be started) and says whether every one succeeded.
bool ToutesEnParallele(std::initializer_list<std::function<bool()>> appels);

}  // namespace velquor
