// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A child process of the test, running a function of the test's own code, with a channel each
// way so that the test can step it: two programs on one pair, made to meet in a chosen order.
// Every wait has a deadline, so that a lock that is never let go fails the test instead of
// hanging it.

#include <sys/types.h>

#include <functional>

namespace velquor::test {

// One end of the channel: single-character signals.
class Canal {
 public:
  Canal(int lecture, int ecriture) : lecture_(lecture), ecriture_(ecriture) {}
  void Envoyer(char signal) const;
  // Whether that signal came within the delay.
  bool Attendre(char signal, int delaiMs = 30000) const;

 private:
  int lecture_, ecriture_;
};

class Processus {
 public:
  // Forks; the child runs corps with its end of the channel and exits with its result.
  explicit Processus(const std::function<int(const Canal&)>& corps);
  ~Processus();
  Processus(const Processus&) = delete;
  Processus& operator=(const Processus&) = delete;

  const Canal& Vers() const { return canal_; }
  // The child's exit status, or -1 when it did not end normally within the delay.
  int Fin(int delaiMs = 60000);

 private:
  pid_t pid_ = -1;
  int lecture_ = -1, ecriture_ = -1;
  Canal canal_{-1, -1};
};

}  // namespace velquor::test
