// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Real input for the windows, on the X server of the tests (Xvfb with a window manager, started
// by scripts/test.sh): xdotool sends key presses, clicks and wheel turns through XTest, so they
// reach the program as a user's do, through the X server, the window manager and Qt's own
// handling of the platform's events.
//
// A scenario runs in a thread of its own while the windows' thread runs its event loops (modal
// runs and message boxes included). It reads the windows through Sur(), which runs a function on
// the windows' thread, and waits on conditions with a deadline, never a fixed delay:
//
//   Piloter([&](Pilote& p) {
//     p.Cliquer(p.Sur([&] { return champ; }));
//     p.Touches("alt+u Return");
//     if (!p.Attendre([&] { return boite() != nullptr; }, "la question 3011")) return;
//   });

#include <QApplication>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <sys/types.h>

#include <functional>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

namespace velquor::test {

class Pilote {
 public:
  // Runs f on the windows' thread and returns its result.
  template <class F>
  auto Sur(F&& f) -> std::invoke_result_t<F&> {
    using R = std::invoke_result_t<F&>;
    if constexpr (std::is_void_v<R>) {
      SurFil([&] { f(); });
    } else {
      R resultat{};
      SurFil([&] { resultat = f(); });
      return resultat;
    }
  }

  // Polls the condition on the windows' thread until it holds; after the deadline, records a
  // failure naming what was awaited and returns false.
  bool Attendre(const std::function<bool()>& condition, const std::string& quoi,
                int delaiMs = kDelaiMs);

  // xdotool's key syntax: "alt+u Return", "ctrl+Insert", "Escape".
  void Touches(const std::string& touches);
  // Types the UTF-8 text key by key; its characters beyond ASCII must be among kCaracteresTapes.
  void Taper(const std::string& texte);

  // A click at a point of the widget (its centre by default), with a button (1 left, 3 right)
  // and modifier keys held ("ctrl").
  void Cliquer(QWidget* widget, QPoint point = {-1, -1}, int bouton = 1,
               const std::string& modificateur = {});
  // Turns the wheel over the widget's centre: positive crans scroll down.
  void Molette(QWidget* widget, int crans);
  // Moves the mouse over a point of the widget (its centre by default), and leaves it there.
  void Survoler(QWidget* widget, QPoint point = {-1, -1});
  // Makes another X client (xclip) the owner of the clipboard (or of the primary selection, what
  // a middle click pastes) with that UTF-8 text, as another program's copy does; returns once the
  // windows can read it.
  bool Proposer(const std::string& texte, bool primaire = false);

  // The visible windows of another process (its frame, menus, dialogs), those whose title matches
  // the regular expression when one is given, read from the X server (call it off the windows'
  // thread, or in a wait's condition).
  static std::vector<unsigned long> FenetresDe(pid_t pid, const std::string& titre = {});
  // Its first such window, once there is one (0 after the deadline), and its activation through
  // the window manager.
  unsigned long FenetreDe(pid_t pid, const std::string& titre = {});
  void Activer(unsigned long fenetre);

  // Waits until a modal window whose class is T is in front and active, and returns it.
  template <class T>
  T* AttendreModal(const std::string& quoi) {
    T* trouve = nullptr;
    const bool la = Attendre(
        [&] {
          trouve = qobject_cast<T*>(QApplication::activeModalWidget());
          return trouve && QApplication::activeWindow() == trouve;
        },
        quoi);
    return la ? trouve : nullptr;
  }
  // Waits until the widget's window is shown, exposed and active.
  bool AttendreActive(QWidget* widget, const std::string& quoi);
  // What the windows look like to Qt and to the X server: printed when a wait on them fails.
  std::string EtatDesFenetres();
  // The window that has the X server's input focus, as the window manager left it (0 if unknown).
  static unsigned long FocusX();
  // Waits until the widget has the keyboard focus.
  bool AttendreFocus(QWidget* widget, const std::string& quoi);

  // Returns once the windows have handled every input sent before, a pass it started included:
  // a key that does nothing (the right Shift) is sent after it, and awaited. Use it before
  // checking that something did not happen.
  bool Synchroniser();

  // Closes what a scenario that stopped early left open: menus, then modal windows.
  void FermerCeQuiResteOuvert();

  static constexpr int kDelaiMs = 30000;

 private:
  friend void Piloter(const std::function<void(Pilote&)>& scenario);
  void SurFil(const std::function<void()>& f);
  void Xdotool(const std::vector<std::string>& arguments);
  // Fails the test for a character beyond ASCII that has no key.
  void PreparerClavier(const std::string& texte);
  QPoint PositionGlobale(QWidget* widget, QPoint point);
  static std::string SortieDe(const std::string& commande);

  QObject* temoin_ = nullptr;  // counts the releases of Shift, on the windows' thread
  pid_t xclip_ = -1;           // the clipboard's owner, ended with the scenario
};

// Runs the scenario in a thread of its own while this thread runs the windows' event loop;
// returns when the scenario is over and whatever it left open is closed.
void Piloter(const std::function<void(Pilote&)>& scenario);

// The characters beyond ASCII that the tests type (UTF-8), and the keys they get on the X server
// (keys without a symbol, or with multimedia ones), before the program connects to it: xdotool's
// own way (a key remapped just for its press) races Qt's reading of the key map, and a change of
// the map while the windows are used leaves Qt's next clicks or keys unseen for a while (seen
// here: a click on a dialog's button delivered several steps later).
extern const std::string kCaracteresTapes;
bool DonnerDesTouchesAuxCaracteres();

// Whether the tests have an X server (scripts/test.sh gives it in VELQUOR_AFFICHAGE_REEL).
bool AffichageReelDisponible();

}  // namespace velquor::test

// Readable failures: gtest prints these as text.
inline void PrintTo(const QString& texte, std::ostream* flux) {
  *flux << '"' << texte.toStdString() << '"';
}
inline void PrintTo(const QPoint& point, std::ostream* flux) {
  *flux << '(' << point.x() << ", " << point.y() << ')';
}
