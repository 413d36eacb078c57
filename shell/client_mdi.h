// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main frame's document area. It owns the program's views (the family, ingredient and
// cocktail editors and the search result), at most one at a time: every command that opens a
// view first closes the open one. It answers the commands that open views, the new search, help
// and the exports, paints the program logo while no view covers it, and carries the F1 help.
//
// The views and the search dialog live in other parts of the program, which plug in here at
// start-up (vues_programme.cpp):
//
//   client.DefinirFabrique(TypeVue::Familles, [](QWidget* parent) { return new TFamChild(parent);
//   }); client.DefinirLanceurRecherche([](QWidget* parent) { return NewRech(parent).Executer(); });

#include <QPointer>

#include <array>
#include <functional>

#include "framework/vue.h"
#include "framework/zone_vues.h"

namespace velquor {

enum class TypeVue { Familles, Ingredients, Cocktails, Resultat };

// Makes a view of one kind (its constructor creates its dialog, which opens its record files).
using FabriqueVue = std::function<PVue*(QWidget* parent)>;
// Runs the search dialog modally over parent; returns 1 when it ended with Ok.
using LanceurRecherche = std::function<int(QWidget* parent)>;

// The command that opens each kind of view, which is also its toolbar button's.
int CommandeVue(TypeVue type);
// The help context of each kind of view.
int ContexteAideVue(TypeVue type);

class TVelquorMDIClient : public PZoneVues {
  Q_OBJECT

 public:
  explicit TVelquorMDIClient(QWidget* parent = nullptr);
  ~TVelquorMDIClient() override;

  void DefinirFabrique(TypeVue type, FabriqueVue fabrique);
  void DefinirLanceurRecherche(LanceurRecherche lanceur);

  // Closes the open view, then opens a new one of that kind, shown maximised (commands 101,
  // 102, 103 and 110). Returns the view, or nullptr when that kind has no factory.
  PVue* OuvrirVue(TypeVue type);
  // Closes and deletes every open view (each close query runs; the view goes whatever it says).
  void FermeVues();
  // The open view of that kind, or nullptr.
  PVue* VueDeType(TypeVue type) const;

  // The view slots (at most one is set).
  PVue* VueFamilles() const { return VueDeType(TypeVue::Familles); }
  PVue* VueIngredients() const { return VueDeType(TypeVue::Ingredients); }
  PVue* VueCocktails() const { return VueDeType(TypeVue::Cocktails); }
  PVue* VueResultat() const { return VueDeType(TypeVue::Resultat); }

  // Command 108: closes the views, runs the search dialog, and opens the result on Ok.
  void NouvelleRecherche();

 signals:
  // The view buttons must show this (the command of the open view's button, 0 for none).
  void marqueVue(int commande);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void ExporterAvecAttente(int commande);

  std::array<QPointer<PVue>, 4> vues_;
  std::array<FabriqueVue, 4> fabriques_;
  LanceurRecherche lanceurRecherche_;
};

}  // namespace velquor
