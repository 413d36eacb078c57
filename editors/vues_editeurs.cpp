// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/vues_editeurs.h"

#include "editors/cocktail_dlg.h"
#include "editors/famille_dlg.h"
#include "editors/ingredient_dlg.h"
#include "shell/client_mdi.h"

namespace velquor {

void EnregistrerVuesEditeurs(TVelquorMDIClient& client) {
  client.DefinirFabrique(TypeVue::Familles, [](QWidget* parent) { return new TFamChild(parent); });
  client.DefinirFabrique(TypeVue::Ingredients,
                         [](QWidget* parent) { return new TIngChild(parent); });
  client.DefinirFabrique(TypeVue::Cocktails,
                         [](QWidget* parent) { return new TCockChild(parent); });
}

}  // namespace velquor
