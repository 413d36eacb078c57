// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application "Le Velquor": it builds the main frame (menu 100 without its "&Tavisk" popup,
// accelerators 100, the twelve-button toolbar, the client area), shows the About box (command
// 2009), and shows on the toolbar's view buttons which view is open (MarqueVue).

#include <QPointer>

#include <functional>
#include <string_view>

#include "framework/application.h"

namespace velquor {

class MyGadgetBtn;
class TCadreVelquor;
class TVelquorMDIClient;

class TVelquorApp : public PApplication {
  Q_OBJECT

 public:
  // What the program plugs into the client area once it exists (its views, the search dialog).
  using Configuration = std::function<void(TVelquorMDIClient&)>;

  // The program: creates the QApplication.
  TVelquorApp(int& argc, char** argv, Configuration configuration = {});
  // Tests: attaches to the QApplication that runs.
  explicit TVelquorApp(Configuration configuration = {});
  ~TVelquorApp() override;

  // The application that runs, when it is a TVelquorApp.
  static TVelquorApp* Courante();

  // Builds the main frame if it is not built yet (Executer does it before showing it).
  void CreerFenetrePrincipale();
  TCadreVelquor* Cadre() const;

  // The string with its "%s" replaced by the argument (code page 1252), in a message box owned
  // by the main window and captioned "Le Velquor"; returns the button pressed.
  int AffMessage(int idChaine, std::string_view argumentCp1252, unsigned style);
  // Shows which view is open: 103, 101, 102 or 110 sets that view button Down (the others of
  // the group pop Up); 0 sets all four Up; anything else changes nothing.
  void MarqueVue(int commande);

  // The view buttons (owned by the toolbar) and the client area (owned by the frame).
  MyGadgetBtn* BtnCocktails = nullptr;
  MyGadgetBtn* BtnIngredients = nullptr;
  MyGadgetBtn* BtnFamilles = nullptr;
  MyGadgetBtn* BtnResultat = nullptr;
  TVelquorMDIClient* ClientMDI = nullptr;

 protected:
  void InitMainWindow() override;

 private:
  void Declarer();
  void ConstruireBarreOutils();
  void AProposDe();

  Configuration configuration_;
  QPointer<TCadreVelquor> cadre_;
};

}  // namespace velquor
