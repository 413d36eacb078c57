// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a long pass over a collection reports its progress: the search, the refine pass and the
// consistency passes call it; the progress dialog implements it in the window program.

#include <cstdint>
#include <functional>
#include <string_view>

namespace velquor {

class RapporteurProgression {
 public:
  virtual ~RapporteurProgression() = default;

  // Once, before the first record.
  virtual void Debut() = 0;
  // Once per record visited: its name (code page 1252), the record count taken when the pass
  // began, and the ordinal of this record counted from 1. Returns whether the user has asked
  // to stop; passes that cannot be stopped ignore the answer.
  virtual bool MettreAJour(std::string_view nom, std::int64_t total, std::int64_t ordinal) = 0;
  // Once, after the last record.
  virtual void Fin() = 0;
};

// A pass nobody watches (the companion's): no progress shown, never asked to stop.
class SansProgression : public RapporteurProgression {
 public:
  void Debut() override {}
  bool MettreAJour(std::string_view, std::int64_t, std::int64_t) override { return false; }
  void Fin() override {}
};

// The TraiterMessagesEnAttente hook, called right after each progress step: dispatches the waiting
// window messages, then runs the idle processing once. This is how the window stays alive, and how
// a stop click is heard.
using CrochetMessagesEnAttente = std::function<void()>;

}  // namespace velquor
