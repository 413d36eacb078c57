// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/processus.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace velquor::test {

void Canal::Envoyer(char signal) const {
  while (::write(ecriture_, &signal, 1) < 0 && errno == EINTR) {
  }
}

bool Canal::Attendre(char signal, int delaiMs) const {
  const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
  for (;;) {
    const auto reste = std::chrono::duration_cast<std::chrono::milliseconds>(
                           fin - std::chrono::steady_clock::now())
                           .count();
    if (reste <= 0) return false;
    pollfd p{lecture_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(reste)) <= 0) continue;
    char lu;
    if (::read(lecture_, &lu, 1) != 1) return false;  // the other end is gone
    if (lu == signal) return true;
  }
}

Processus::Processus(const std::function<int(const Canal&)>& corps) {
  int versEnfant[2], versParent[2];
  if (::pipe(versEnfant) != 0 || ::pipe(versParent) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::close(versEnfant[1]);
    ::close(versParent[0]);
    const int r = corps(Canal(versEnfant[0], versParent[1]));
    ::_exit(r);  // no destructor of the test's objects runs twice
  }
  ::close(versEnfant[0]);
  ::close(versParent[1]);
  lecture_ = versParent[0];
  ecriture_ = versEnfant[1];
  canal_ = Canal(lecture_, ecriture_);
}

Processus::~Processus() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (lecture_ >= 0) ::close(lecture_);
  if (ecriture_ >= 0) ::close(ecriture_);
}

int Processus::Fin(int delaiMs) {
  const auto fin = std::chrono::steady_clock::now() + std::chrono::milliseconds(delaiMs);
  while (pid_ > 0) {
    int etat = 0;
    const pid_t r = ::waitpid(pid_, &etat, WNOHANG);
    if (r == pid_) {
      pid_ = -1;
      return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    }
    if (r < 0 || std::chrono::steady_clock::now() >= fin) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return -1;
}

}  // namespace velquor::test
