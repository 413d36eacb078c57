// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Commands are the legacy command numbers, shared by the menu, the accelerators, the toolbar and
// the dialogs' buttons. A window that answers commands implements PCibleCommandes; the router
// (routeur.h) looks for the first one along the focus chain.

#include <functional>
#include <map>
#include <optional>

class QWidget;

namespace velquor {

// The command numbers of the windowing layer itself.
enum CommandeStandard : int {
  CmIdOk = 1,
  CmIdAnnuler = 2,
  CmQuitter = 24310,
  CmAnnulerSaisie = 24321,  // undo (Alt+Backspace)
  CmCouper = 24322,         // Shift+Delete
  CmCopier = 24323,         // Ctrl+Insert
  CmColler = 24324,         // Shift+Insert
  CmEffacer = 24326,        // Ctrl+Delete: clears the selection
  CmChercherSuivant = 24353,
};

class PCibleCommandes {
 public:
  virtual ~PCibleCommandes() = default;
  // Whether this window handles the command (a handler in its response table).
  virtual bool TraiteCommande(int id) const = 0;
  virtual void ExecuteCommande(int id) = 0;
  // The handler's own enabling rule; nothing means "enabled, since it is handled".
  virtual std::optional<bool> ReglerActivation(int id) const {
    (void)id;
    return std::nullopt;
  }
  // Where the chain goes on when it reaches this window from outside what it hosts: a frame
  // sends the commands of its menu, keys and control bar to its document area, which passes
  // them to the dialog of the view it hosts, as the legacy frame did with its active document
  // window. The chain then climbs from there back to this window. nullptr: nowhere.
  virtual QWidget* DepartInterieur() { return nullptr; }
};

// A response table: command number -> handler and optional enabling rule.
class TableCommandes {
 public:
  using Action = std::function<void()>;
  using Regle = std::function<bool()>;

  // Adds or replaces the handler of a command.
  void Ajouter(int id, Action action, Regle regle = {});
  void Retirer(int id);
  bool Traite(int id) const { return entrees_.count(id) != 0; }
  // Runs the handler; false when there is none.
  bool Executer(int id) const;
  std::optional<bool> Activation(int id) const;

 private:
  struct Entree {
    Action action;
    Regle regle;
  };
  std::map<int, Entree> entrees_;
};

// A command target whose answers come from a response table.
class PCibleTable : public PCibleCommandes {
 public:
  bool TraiteCommande(int id) const override { return table_.Traite(id); }
  void ExecuteCommande(int id) override { table_.Executer(id); }
  std::optional<bool> ReglerActivation(int id) const override { return table_.Activation(id); }

  // Declares the handler of a command, with an enabling rule when it has one of its own.
  void Commande(int id, TableCommandes::Action action, TableCommandes::Regle regle = {}) {
    table_.Ajouter(id, std::move(action), std::move(regle));
  }
  void RetirerCommande(int id) { table_.Retirer(id); }

 private:
  TableCommandes table_;
};

}  // namespace velquor
