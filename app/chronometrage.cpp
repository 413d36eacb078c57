// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chronometrage.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>

#include "framework/application.h"
#include "framework/routeur.h"
#include "framework/vue.h"

namespace velquor {

namespace {

double MaintenantMs() {
  return std::chrono::duration<double, std::milli>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Whether w belongs to a window that a command opens: a dialog, or a view of the main window.
bool DansFenetreOuverte(QWidget* w, QWidget* principale) {
  if (w->window() != principale) return true;
  for (QWidget* p = w; p != nullptr; p = p->parentWidget()) {
    if (dynamic_cast<PVue*>(p) != nullptr) return true;
  }
  return false;
}

class Chronometre : public QObject {
 public:
  Chronometre(PApplication& application, const QString& chemin, int commande, const QString& touche)
      : QObject(&application),
        application_(application),
        chemin_(chemin),
        commande_(commande),
        touche_(touche) {
    qApp->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override {
    if (evenement->type() != QEvent::Paint || !objet->isWidgetType()) return false;
    QWidget* principale = application_.FenetrePrincipale();
    if (principale == nullptr) return false;
    auto* w = static_cast<QWidget*>(objet);
    if (etape_ == Etape::Fenetre && w->window() == principale) {
      etape_ = Etape::FenetreDessinee;
      // Once the whole window is drawn: the painting of one window is one turn of the loop.
      QTimer::singleShot(0, this, [this] { FenetreDessinee(); });
    } else if (etape_ == Etape::Commande && DansFenetreOuverte(w, principale)) {
      etape_ = Etape::CommandeDessinee;
      QTimer::singleShot(0, this, [this] { CommandeDessinee(MaintenantMs() - debutCommande_); });
    } else if (etape_ == Etape::Touche && DansFenetreOuverte(w, principale)) {
      etape_ = Etape::ToucheDessinee;
      QTimer::singleShot(0, this, [this] {
        lignes_ += QStringLiteral("touche %1\n").arg(MaintenantMs() - debutTouche_, 0, 'f', 3);
        Terminer(-1);
      });
    }
    return false;
  }

 private:
  enum class Etape { Fenetre, FenetreDessinee, Commande, CommandeDessinee, Touche, ToucheDessinee };

  void FenetreDessinee() {
    lignes_ += QStringLiteral("fenetre %1\n").arg(MaintenantMs(), 0, 'f', 3);
    if (commande_ <= 0) return Terminer(-1);
    etape_ = Etape::Commande;
    debutCommande_ = MaintenantMs();
    application_.Routeur().Envoyer(commande_);  // a modal dialog runs here, until Terminer
  }

  void CommandeDessinee(double duree) {
    QWidget* focus = QApplication::focusWidget();
    if (touche_.isEmpty() || focus == nullptr) return Terminer(duree);
    lignes_ += QStringLiteral("commande %1\n").arg(duree, 0, 'f', 3);
    etape_ = Etape::Touche;
    debutTouche_ = MaintenantMs();
    const int code = touche_.at(0).toUpper().unicode();
    QKeyEvent appui(QEvent::KeyPress, code, Qt::NoModifier, touche_);
    QKeyEvent relache(QEvent::KeyRelease, code, Qt::NoModifier, touche_);
    QApplication::sendEvent(focus, &appui);
    QApplication::sendEvent(focus, &relache);
  }

  void Terminer(double dureeCommande) {
    if (dureeCommande >= 0)
      lignes_ += QStringLiteral("commande %1\n").arg(dureeCommande, 0, 'f', 3);
    QFile fichier(chemin_);
    const bool ecrit = fichier.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                       fichier.write(lignes_.toUtf8()) == lignes_.toUtf8().size();
    fichier.close();
    // Every loop ends, a modal dialog's too.
    QApplication::exit(ecrit ? 0 : 1);
  }

  PApplication& application_;
  QString chemin_;
  int commande_;
  QString touche_;
  Etape etape_ = Etape::Fenetre;
  double debutCommande_ = 0, debutTouche_ = 0;
  QString lignes_;
};

}  // namespace

void ProgrammerChronometrage(PApplication& application, const QString& chemin, int commande,
                             const QString& touche) {
  new Chronometre(application, chemin, commande, touche);
}

}  // namespace velquor
