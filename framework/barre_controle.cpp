// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/barre_controle.h"

#include "framework/routeur.h"

namespace velquor {

PBarreControle::PBarreControle(const QString& titre, PRouteurCommandes& routeur, QWidget* parent)
    : QToolBar(titre, parent), routeur_(routeur) {
  setMovable(false);
  setFloatable(false);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

void PBarreControle::AjouterGadget(QWidget* gadget, int commande,
                                   std::function<void(bool)> regler) {
  addWidget(gadget);
  if (!regler) regler = [gadget](bool actif) { gadget->setEnabled(actif); };
  routeur_.Abonner(gadget, commande, std::move(regler));
}

void PBarreControle::PosterCommande(int commande) {
  if (commande != -1) routeur_.Poster(commande);
}

}  // namespace velquor
