// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window tests share: the collections (trace_crochets.h), the state of the lists, the
// message boxes shown, and a watch on the progress dialog of a pass.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QString>
#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/dialogue.h"
#include "framework/liste.h"
#include "search/defile_dlg.h"
#include "support_ui/repondeur_scripte.h"
#include "trace_crochets.h"

namespace velquor::test {

// The entries of a list or a combo box, in display order.
template <class Liste>
std::vector<std::string> Entrees(const Liste& liste) {
  std::vector<std::string> entrees;
  for (int i = 0; i < liste.NbElements(); ++i)
    entrees.push_back(liste.Chaine(i));
  return entrees;
}

// The entries of a list in display order, the selected one in brackets.
inline std::vector<std::string> Contenu(const PListe& liste) {
  std::vector<std::string> entrees = Entrees(liste);
  if (const int i = liste.IndexSelection(); i >= 0) entrees[i] = "[" + entrees[i] + "]";
  return entrees;
}

// The message boxes shown, one line each: the icon (- none, x stop, ? question, ! exclamation,
// i information), the buttons (Ok or OuiNon) and the text.
inline std::vector<std::string> Boites(const RepondeurScripte& repondeur) {
  std::vector<std::string> boites;
  for (const BoiteAffichee& b : repondeur.boites) {
    const char icone = "-x?!i"[std::min(static_cast<unsigned>(b.icone) >> 4, 4u)];
    const char* boutons = b.boutons == BoutonsMessage::Ok       ? " Ok "
                          : b.boutons == BoutonsMessage::OuiNon ? " OuiNon "
                                                                : " autres ";
    boites.push_back(icone + (boutons + b.texte.toStdString()));
  }
  return boites;
}

// Watches the progress dialog of a pass: when it shows, notes its caption; while the messages of
// the first step are processed, notes whether the window under it is enabled and whether its
// stop button can be clicked, and clicks it if told to, as the user would.
class ObservateurDefile : public QObject {
 public:
  ObservateurDefile(QWidget* fenetre, bool arreter) : fenetre_(fenetre), arreter_(arreter) {
    qApp->installEventFilter(this);
  }
  ~ObservateurDefile() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* objet, QEvent* evenement) override {
    auto* defile = qobject_cast<DefileDlg*>(objet);
    if (!defile || evenement->type() != QEvent::Show) return false;
    ++vus;
    titre = defile->windowTitle();
    QMetaObject::invokeMethod(
        defile,
        [this, defile] {
          fenetreActive = fenetre_->isEnabled();
          auto* arret = defile->Controle<QPushButton>(2);
          arretActif = arret && arret->isVisible() && arret->isEnabled() && defile->isEnabled();
          if (arreter_ && arret) QTest::mouseClick(arret, Qt::LeftButton);
        },
        Qt::QueuedConnection);
    return false;
  }

  int vus = 0;
  QString titre;
  bool fenetreActive = true;
  bool arretActif = false;

 private:
  QWidget* fenetre_;
  bool arreter_;
};

}  // namespace velquor::test
