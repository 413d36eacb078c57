// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame window (the legacy decorated MDI frame): a menu built from menu data, accelerators,
// a control bar at the top and a document area hosting one view. Its title shows the hosted
// view's, as the legacy frame did for a maximised document window: "Le Velquor - [Gestion des
// familles]". It needs a running PApplication, whose router its menu and keys use.

#include <QMainWindow>

#include "framework/commandes.h"
#include "framework/modele_menu.h"

namespace velquor {

class PBarreControle;
class PRouteurCommandes;
class PZoneVues;

class PFenetreCadre : public QMainWindow, public PCibleTable {
  Q_OBJECT

 public:
  explicit PFenetreCadre(const QString& titre, QWidget* parent = nullptr);

  void DefinirMenu(const ModeleMenu& menu);
  // Removes the top-level item at that position (0 is the first), as the legacy DeleteMenu by
  // position; false when there is none.
  bool SupprimerPopup(int position);
  void DefinirAccelerateurs(const TableAccelerateurs& table);
  // Creates the control bar and inserts it at the top.
  PBarreControle* AjouterBarreControle(const QString& titre);
  PBarreControle* BarreControle() const { return barre_; }
  // The document area becomes the central widget (the frame owns it).
  void DefinirZoneVues(PZoneVues* zone);
  PZoneVues* ZoneVues() const { return zone_; }

  const QString& TitreBase() const { return titre_; }

  // Commands reaching the frame from outside its document area go into the area first: to the
  // hosted view's dialog, or to the area when it hosts no view.
  QWidget* DepartInterieur() override;

  // No menu of the bars (Qt's would offer to hide the toolbar "Outils").
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  void MettreTitre(const QString& titreVue);

  PRouteurCommandes& routeur_;
  QString titre_;
  PBarreControle* barre_ = nullptr;
  PZoneVues* zone_ = nullptr;
};

}  // namespace velquor
