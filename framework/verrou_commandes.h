// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// While a long pass runs inside a window (a consistency pass: the editor disabled, waiting events
// dispatched after every record), or while a closing window writes what is still pending in it
// (which may ask a question), no command may act: none may close that window, open another
// view or the search, change a collection or quit. A VerrouCommandes held for that time:
//   - makes the router refuse every command, however it comes (menus, accelerators, toolbar
//     gadgets, a direct PRouteurCommandes::Envoyer): it does nothing, it is not kept for later,
//     and every command shows disabled;
//   - with Saisie::Bloquee (the pass), also swallows the user's keys, clicks, wheel and the
//     window manager's close requests, in every window, so that neither the frame's menu nor its
//     close box can be used until the pass ends.
// A dialog's own buttons (the progress window's) are not commands of the router: they answer.
// Code that calls a command's handler directly consults CommandesVerrouillees().

namespace velquor {

// Whether a VerrouCommandes is held, and whether one of them swallows the user's input; how many
// of the user's events were swallowed since the program started.
bool CommandesVerrouillees();
bool SaisiesBloquees();
long SaisiesAvalees();

class VerrouCommandes {
 public:
  enum class Saisie { Libre, Bloquee };

  explicit VerrouCommandes(Saisie saisie);
  ~VerrouCommandes();
  VerrouCommandes(const VerrouCommandes&) = delete;
  VerrouCommandes& operator=(const VerrouCommandes&) = delete;

 private:
  Saisie saisie_;
};

}  // namespace velquor
