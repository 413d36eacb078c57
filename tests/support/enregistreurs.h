// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Recorders that stand in for the user: they keep what the core showed and answer as scripted.

#include <deque>
#include <string>
#include <vector>

#include "store/messages.h"
#include "store/rapport_vantor.h"

namespace velquor::test {

// Records the store's "Vantor" boxes for as long as it lives.
class EnregistreurVantor : public PRapporteurVantor {
 public:
  EnregistreurVantor() { DefinirRapporteurVantor(this); }
  ~EnregistreurVantor() override { DefinirRapporteurVantor(nullptr); }
  void Afficher(std::string_view texte) override { textes.emplace_back(texte); }
  std::vector<std::string> textes;
};

struct MessageAffiche {
  int id;
  std::string argument;
  unsigned style;
};

// Records AffMessage calls and answers with the scripted replies (OK when none is left).
class EnregistreurMessages : public PMessages {
 public:
  int AffMessage(int idChaine, std::string_view argument, unsigned style) override {
    messages.push_back({idChaine, std::string(argument), style});
    if (reponses.empty()) return ReponseOk;
    int r = reponses.front();
    reponses.pop_front();
    return r;
  }
  std::vector<MessageAffiche> messages;
  std::deque<int> reponses;
};

}  // namespace velquor::test
