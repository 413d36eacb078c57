// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/menus.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "framework/routeur.h"

namespace velquor {

QMenu* ConstruirePopup(const ElementMenu& popup, QWidget* parent, PRouteurCommandes& routeur) {
  auto* menu = new QMenu(QString::fromUtf8(popup.texte), parent);
  for (const ElementMenu& element : popup.sousMenu) {
    if (element.separateur) {
      menu->addSeparator();
    } else if (element.EstPopup()) {
      menu->addMenu(ConstruirePopup(element, menu, routeur));
    } else {
      QAction* action = menu->addAction(QString::fromUtf8(element.texte));
      action->setData(element.commande);
      const int commande = element.commande;
      QObject::connect(action, &QAction::triggered, &routeur,
                       [&routeur, commande] { routeur.Poster(commande); });
    }
  }
  QObject::connect(menu, &QMenu::aboutToShow, &routeur,
                   [&routeur, menu] { routeur.ActualiserMenu(menu); });
  return menu;
}

void ConstruireMenu(QMenuBar* barre, const ModeleMenu& modele, PRouteurCommandes& routeur) {
  for (const ElementMenu& popup : modele.popups) {
    if (popup.separateur) continue;
    if (popup.EstPopup()) {
      barre->addMenu(ConstruirePopup(popup, barre, routeur));
    } else {
      QAction* action = barre->addAction(QString::fromUtf8(popup.texte));
      action->setData(popup.commande);
      const int commande = popup.commande;
      QObject::connect(action, &QAction::triggered, &routeur,
                       [&routeur, commande] { routeur.Poster(commande); });
      routeur.AbonnerAction(action);
    }
  }
}

namespace {
const QString kPrefixeAccelerateur = QStringLiteral("accelerateur ");
}  // namespace

void InstallerAccelerateurs(QWidget* fenetre, const TableAccelerateurs& table,
                            PRouteurCommandes& routeur) {
  for (const Accelerateur& a : table.touches) {
    auto* raccourci =
        new QShortcut(QKeySequence(QKeyCombination(a.modificateurs, a.touche)), fenetre);
    raccourci->setContext(Qt::WindowShortcut);
    raccourci->setObjectName(kPrefixeAccelerateur + QString::number(a.commande));
    const int commande = a.commande;
    QObject::connect(raccourci, &QShortcut::activated, &routeur,
                     [&routeur, commande] { routeur.Envoyer(commande); });
  }
}

bool EstAccelerateur(const QWidget* fenetre, const QKeyEvent* touche) {
  if (!fenetre) return false;
  const QKeySequence sequence(
      QKeyCombination(touche->modifiers() & ~Qt::KeypadModifier, Qt::Key(touche->key())));
  for (const QShortcut* raccourci : fenetre->findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
    if (raccourci->objectName().startsWith(kPrefixeAccelerateur) && raccourci->key() == sequence)
      return true;
  }
  return false;
}

void BasculerBarreMenu(QMenuBar* barre) {
  if (!barre || !barre->isVisible() || barre->actions().isEmpty()) return;
  // Qt's menu bar has that mode, but enters it only on an Alt key pressed and released alone
  // within its window: it is given those two events. As the window system's, they carry the
  // modifiers held before the key (QKeyEvent::modifiers() then counts the Alt key itself in
  // the press and no longer in the release).
  QWidget* fenetre = barre->window();
  QKeyEvent appui(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
  QCoreApplication::sendEvent(fenetre, &appui);
  QKeyEvent relache(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
  QCoreApplication::sendEvent(fenetre, &relache);
}

}  // namespace velquor
