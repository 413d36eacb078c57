// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stands in for the user in GUI tests: records every message box (caption, text, icon, buttons),
// answers with the scripted replies, counts the beeps and keeps the cursor. Installed for as long
// as it lives.

#include <QString>

#include <deque>
#include <vector>

#include "framework/service_messages.h"

namespace velquor::test {

struct BoiteAffichee {
  QString titre;
  QString texte;
  IconeMessage icone;
  BoutonsMessage boutons;
  unsigned style;
  int reponse;
};

class RepondeurScripte : public PServiceMessages {
 public:
  RepondeurScripte();
  ~RepondeurScripte() override;
  RepondeurScripte(const RepondeurScripte&) = delete;
  RepondeurScripte& operator=(const RepondeurScripte&) = delete;

  int Boite(const QString& titre, const QString& texte, unsigned style) override;
  void Bip() override { ++bips; }
  void DefinirCurseur(Curseur c) override {
    curseur = c;
    curseurs.push_back(c);
  }

  // Answers to give, in order (ReponseOui, ReponseNon, ReponseOk...). When none is left, a box
  // gets its first button (OK, Yes). An answer the box cannot give fails the test.
  std::deque<int> reponses;
  std::vector<BoiteAffichee> boites;
  int bips = 0;
  Curseur curseur = Curseur::Fleche;
  std::vector<Curseur> curseurs;

 private:
  PServiceMessages* precedent_;
};

// Installed by the GUI tests' main for the whole run: any box shown while no test responder is
// installed fails the test (instead of blocking on a real box).
class RepondeurGarde : public PServiceMessages {
 public:
  int Boite(const QString& titre, const QString& texte, unsigned style) override;
  void Bip() override {}
  void DefinirCurseur(Curseur) override {}
};

}  // namespace velquor::test
