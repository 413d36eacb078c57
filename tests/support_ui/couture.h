// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The modal seam for tests: while a PiloteModal lives, every dialog that starts a modal run is
// handed to the function, from inside the run.

#include "framework/dialogue.h"

namespace velquor::test {

class PiloteModal {
 public:
  explicit PiloteModal(CoutureModale couture)
      : precedente_(DefinirCoutureModale(std::move(couture))) {}
  ~PiloteModal() { DefinirCoutureModale(std::move(precedente_)); }
  PiloteModal(const PiloteModal&) = delete;
  PiloteModal& operator=(const PiloteModal&) = delete;

 private:
  CoutureModale precedente_;
};

}  // namespace velquor::test
