#pragma once
// While a consistency pass runs (the editor disabled, waiting events dispatched after every
// cocktail), or while a closing editor writes the change still pending in its focused field (which
// may ask a question), no command may act: none may close the editor, open another view or the
// search, change a collection or quit. A VerrouCommandes held for that time:
//   - drops every command posted to the router (menus, accelerators, toolbar gadgets post theirs):
//     a command that arrives meanwhile does nothing, it is not kept for later;
//   - with Saisie::Bloquee (the pass), also swallows the user's keys, clicks, wheel and the
//     window manager's close requests, in every window, so that neither the frame's menu nor its
//     close box can be used until the pass ends.
// Command handlers reached some other way (a direct PRouteurCommandes::Envoyer) consult
// CommandesVerrouillees(): the editors' own commands do, and so must the client area's and the
// application's.

namespace velquor {

// Whether a VerrouCommandes is held.
bool CommandesVerrouillees();

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
