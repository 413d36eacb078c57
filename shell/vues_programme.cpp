// SPDX-License-Identifier: GPL-3.0-or-later
// The program's views and its search dialog, plugged into the client area at start-up. Each
// part of the program adds its own lines here.
#include "shell/vues_programme.h"

#include "editors/vues_editeurs.h"
#include "search/new_rech.h"
#include "search/resu_child.h"
#include "shell/client_mdi.h"

namespace velquor {

void EnregistrerVuesProgramme(TVelquorMDIClient& client) {
  // The family, ingredient and cocktail editors (commands 102, 101, 103).
  EnregistrerVuesEditeurs(client);
  // The search: the results view, and the search dialog run modally by command 108.
  client.DefinirFabrique(TypeVue::Resultat, [](QWidget* parent) { return new TResuChild(parent); });
  client.DefinirLanceurRecherche([](QWidget* parent) { return NewRech(parent).Executer(); });
}

}  // namespace velquor
