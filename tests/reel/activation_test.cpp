// SPDX-License-Identifier: GPL-3.0-or-later
// Activation given back while Qt still counts a hidden dialog as its focused window.

#include <QDialog>

#include <chrono>
#include <thread>

#include "framework/dialogue.h"
#include "reel/programme_reel.h"

namespace velquor::test {
namespace {

// A dialog of the frame closes and the window manager moves the focus elsewhere before Qt has
// seen the focus leave the dialog; the frame's request for the activation must still succeed
// (Qt would set the input focus itself with a time older than the window manager's, which the
// X server ignores, and no window of the program would be left active).
TEST_F(ProgrammeReel, LActivationDemandeeAvantQueQtVoieLeFocusQuitterUnDialogueCacheAboutit) {
  Demarrer();
  Piloter([&](Pilote& p) {
    if (!AttendreCadre(p)) return;
    // Another window of the program, active once: the window manager falls back to it.
    QWidget* autre = p.Sur([] {
      auto* w = new QWidget;
      w->resize(240, 120);
      w->show();
      w->activateWindow();
      return w;
    });
    if (!p.AttendreActive(autre, "l'autre fenêtre")) return;
    QDialog* dialogue = p.Sur([this] {
      auto* d = new QDialog(Cadre());
      d->resize(240, 120);
      d->show();
      d->activateWindow();
      return d;
    });
    if (!p.AttendreActive(dialogue, "le dialogue")) return;
    const unsigned long idAutre = p.Sur([&] { return static_cast<unsigned long>(autre->winId()); });

    bool focusDeplace = false;
    p.Sur([&] {
      // All of it in one turn of the windows' thread: Qt sees no event meanwhile.
      dialogue->hide();
      const auto fin = std::chrono::steady_clock::now() + std::chrono::seconds(30);
      while (!(focusDeplace = Pilote::FocusX() == idAutre) &&
             std::chrono::steady_clock::now() < fin)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      DemanderActivation(Cadre());
    });
    ASSERT_TRUE(focusDeplace)
        << "le gestionnaire de fenêtres n'a pas donné le focus à l'autre fenêtre";
    p.AttendreActive(p.Sur([this] { return Cadre(); }), "la fenêtre principale, après le dialogue");
    p.Sur([&] {
      delete dialogue;
      delete autre;
    });
  });
}

}  // namespace
}  // namespace velquor::test
