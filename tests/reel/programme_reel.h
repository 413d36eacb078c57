// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as a user meets it, on the X server of the tests: the application and its main
// frame built as main() builds them, in the test's own directory, with the real message boxes.
// Only the beeps are counted instead of rung.

#include <atomic>
#include <memory>

#include "framework/dialogue.h"
#include "framework/service_messages.h"
#include "reel/pilote.h"
#include "shell/client_mdi.h"
#include "shell/velquor_app.h"
#include "support/dossier_temporaire.h"

namespace velquor::test {

class ServiceCompteBips : public ServiceMessagesQt {
 public:
  void Bip() override { ++bips; }
  std::atomic<int> bips{0};
};

class ProgrammeReel : public TestDansDossier {
 protected:
  ProgrammeReel();
  ~ProgrammeReel() override;
  void SetUp() override;

  // Builds and shows the main frame over the collections of the directory. Call it from the
  // scenario (through Pilote::Sur) or before Piloter; AttendreCadre then waits until it is up.
  void Demarrer();
  bool AttendreCadre(Pilote& p);
  QWidget* Cadre() const;
  TVelquorMDIClient* Client() const;
  // Opens a view as its command does (the menu's, the toolbar's), and returns its dialog.
  PDialogue* OuvrirVue(Pilote& p, int commande);
  // The dialog of the open view, as T.
  template <class T>
  T* Vue() const {
    PVue* vue = Client() ? Client()->Vue() : nullptr;
    return vue ? dynamic_cast<T*>(vue->Client()) : nullptr;
  }

  ServiceCompteBips service_;
  std::unique_ptr<TVelquorApp> app_;
};

}  // namespace velquor::test
