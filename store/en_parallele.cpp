// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/en_parallele.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <pthread.h>
#endif

namespace velquor {
namespace {

// A call handed to the helpers. Whoever takes it first runs it: a helper, or its caller when no
// helper has taken it by the time the caller is free.
struct Tache {
  const std::function<bool()>* appel = nullptr;
  bool reussi = false;
  bool prise = false;
  bool finie = false;
};

// Helper threads kept from one call to the next: starting two threads for each lot cost about
// 70 µs, a few hundredths of a small search. They wait for work on a condition variable. The pool
// is never destroyed, so helpers still waiting when the program ends do no harm.
class Aides {
 public:
  static Aides& Instance() {
    static const bool pret = [] {
      actuelles_ = new Aides;
#ifndef _WIN32
      // A child of fork() has none of the helpers, and the pool's lock may have been held by one
      // of them at that instant: the child starts from a pool of its own.
      ::pthread_atfork([] { actuelles_->m_.lock(); }, [] { actuelles_->m_.unlock(); },
                       [] {
                         abandonnees_ = actuelles_;  // kept reachable, never used again
                         actuelles_ = new Aides;
                       });
#endif
      return true;
    }();
    (void)pret;
    return *actuelles_;
  }

  // Queues the tasks, starting helpers while fewer are free than there are tasks waiting.
  void Confier(std::vector<Tache>& taches) {
    std::lock_guard verrou(m_);
    for (Tache& t : taches)
      file_.push_back(&t);
    while (libres_ < file_.size() && total_ < kMaxAides) {
      try {
        std::thread([this] { Servir(); }).detach();
      } catch (const std::system_error&) {
        break;  // no thread to be had: the caller runs what is left
      }
      ++total_;
      ++libres_;
    }
    travail_.notify_all();
  }

  // Runs here the tasks no helper has taken, then waits for those the helpers run.
  void Terminer(std::vector<Tache>& taches) {
    std::unique_lock verrou(m_);
    for (Tache& t : taches) {
      if (t.prise) continue;
      file_.erase(std::find(file_.begin(), file_.end(), &t));
      t.prise = true;
      verrou.unlock();
      t.reussi = (*t.appel)();
      verrou.lock();
      t.finie = true;
    }
    fini_.wait(verrou, [&taches] {
      return std::all_of(taches.begin(), taches.end(), [](const Tache& t) { return t.finie; });
    });
  }

 private:
  static constexpr std::size_t kMaxAides = 8;

  void Servir() {
    std::unique_lock verrou(m_);
    for (;;) {
      travail_.wait(verrou, [this] { return !file_.empty(); });
      Tache* t = file_.front();
      file_.pop_front();
      t->prise = true;
      --libres_;
      verrou.unlock();
      const bool reussi = (*t->appel)();
      verrou.lock();
      t->reussi = reussi;
      t->finie = true;
      ++libres_;
      fini_.notify_all();
    }
  }

  static inline Aides* actuelles_ = nullptr;
#ifndef _WIN32
  static inline Aides* abandonnees_ = nullptr;  // a forked child's pool of its parent's helpers
#endif

  std::mutex m_;
  std::condition_variable travail_;
  std::condition_variable fini_;
  std::deque<Tache*> file_;
  std::size_t libres_ = 0;
  std::size_t total_ = 0;
};

}  // namespace

bool ToutesEnParallele(std::initializer_list<std::function<bool()>> appels) {
  if (appels.size() == 0) return true;
  std::vector<Tache> taches(appels.size() - 1);
  for (std::size_t i = 1; i < appels.size(); ++i)
    taches[i - 1].appel = appels.begin() + i;
  // The others are handed out first: the first one, run here, then waits on the disk with them.
  Aides& aides = Aides::Instance();
  if (!taches.empty()) aides.Confier(taches);
  const bool premier = (*appels.begin())();
  if (!taches.empty()) aides.Terminer(taches);
  return premier &&
         std::all_of(taches.begin(), taches.end(), [](const Tache& t) { return t.reussi; });
}

}  // namespace velquor
