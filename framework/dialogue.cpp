// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/dialogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "framework/application.h"
#include "framework/placement.h"
#include "framework/unites_dialogue.h"

namespace velquor {

namespace {
CoutureModale gCouture;
}  // namespace

CoutureModale DefinirCoutureModale(CoutureModale couture) {
  CoutureModale precedente = std::move(gCouture);
  gCouture = std::move(couture);
  return precedente;
}

PDialogue::PDialogue(int idModele, QWidget* parent)
    : QDialog(parent), idModele_(idModele), modele_(ChercherModeleDialogue(idModele)) {
  Commande(CmIdOk, [this] { CmOk(); });
  Commande(CmIdAnnuler, [this] { CmCancel(); });
}

PDialogue::PDialogue(const ModeleDialogue& modele, QWidget* parent)
    : QDialog(parent), idModele_(modele.id), modele_(&modele) {
  Commande(CmIdOk, [this] { CmOk(); });
  Commande(CmIdAnnuler, [this] { CmCancel(); });
}

PDialogue::~PDialogue() {
  // Hidden as a dialog, so that its owner gets the activation back.
  if (isWindow() && isVisible()) hide();
}

void PDialogue::Lier(int id, Fabrique fabrique) {
  fabriques_[id] = std::move(fabrique);
}

bool PDialogue::Creer() {
  if (cree_) return true;
  if (!modele_) {
    qWarning("Le modèle de dialogue %d n'existe pas", idModele_);
    return false;
  }
  cree_ = true;
  const ModeleDialogue& m = *modele_;
  setFont(PoliceDialogue());
  setWindowTitle(QString::fromUtf8(m.titre ? m.titre : ""));
  const QSize taille(DluVersPixelsX(m.rect.cx), DluVersPixelsY(m.rect.cy));
  if (m.style & sd::Enfant) {
    setWindowFlags(Qt::Widget);
    resize(taille);
  } else {
    Qt::WindowFlags drapeaux = Qt::Dialog | Qt::CustomizeWindowHint;
    if (m.style & sd::Titre) drapeaux |= Qt::WindowTitleHint;
    if (m.style & sd::MenuSysteme) drapeaux |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    setWindowFlags(drapeaux);
    setFixedSize(taille);
    // Like the legacy dialog manager: the template's position is taken from the owner's client
    // area; dialogs that centre themselves move on in SetupWindow.
    QPoint origine(0, 0);
    if (QWidget* proprietaire = parentWidget() ? parentWidget()->window() : nullptr)
      origine = OrigineZoneClient(proprietaire);
    move(origine + QPoint(DluVersPixelsX(m.rect.x), DluVersPixelsY(m.rect.y)));
  }

  std::vector<QWidget*> controles = ConstruireControles(m, this, fabriques_);
  for (std::size_t i = 0; i < controles.size(); ++i) {
    const ModeleControle& c = m.controles[i];
    Enregistrer(controles[i], c.id);
    if (c.genre == Genre::Bouton && (c.style & st::Defaut) && idDefaut_ == CmIdOk && c.id != -1)
      idDefaut_ = c.id;
  }
  // The button Enter presses looks the default one, as the dialog manager drew the button of
  // the default id: otherwise Qt gives that look to the first push button after the focus.
  if (auto* defaut = qobject_cast<QPushButton*>(ControleParId(idDefaut_))) defaut->setDefault(true);
  SetupWindow();
  return true;
}

void PDialogue::Enregistrer(QWidget* controle, int id) {
  if (id == -1) return;
  controles_.emplace(id, controle);  // the first control of an id wins, as GetDlgItem's
  if (auto* bouton = qobject_cast<QAbstractButton*>(controle)) {
    connect(bouton, &QAbstractButton::clicked, this, [this, id] { CommandeControle(id); });
  }
}

QWidget* PDialogue::AjouterControle(const ModeleControle& modele, const QRect& pixels,
                                    const Fabrique& fabrique) {
  Creer();
  QWidget* w = CreerControle(modele, this, fabrique);
  PlacerControle(modele, w, pixels);
  Enregistrer(w, modele.id);
  if (isVisible() && !(modele.style & st::Cache)) w->show();
  return w;
}

QWidget* PDialogue::ControleParId(int id) const {
  auto it = controles_.find(id);
  return it == controles_.end() ? nullptr : it->second.data();
}

int PDialogue::Executer() {
  if (!Creer()) return -1;
  enExecution_ = true;
  if (gCouture) {
    QPointer<PDialogue> moi(this);
    CoutureModale couture = gCouture;
    QTimer::singleShot(0, this, [moi, couture] {
      if (!moi) return;
      couture(*moi);
      if (moi && moi->enExecution_ && moi->isVisible()) {
        qWarning("Dialogue %d encore ouvert après la couture modale : annulé", moi->idModele_);
        moi->FermerDialogue(CmIdAnnuler);
      }
    });
  }
  int resultat = exec();
  enExecution_ = false;
  // What the modal run blocked is within reach again: its enabling is brought up to date.
  DemanderPasseInactive();
  return resultat;
}

void PDialogue::Montrer() {
  if (!Creer()) return;
  show();
}

void PDialogue::setVisible(bool visible) {
  if (visible && !cree_ && !Creer()) return;
  // Hosted in a view: its mnemonics are looked at before the frame's shortcuts.
  if (visible && !isWindow()) qApp->installEventFilter(this);
  const bool masquee = !visible && isWindow() && isVisible();
  QDialog::setVisible(visible);
  if (masquee) RendreActivationAuProprietaire(this);
}

void PDialogue::FermerDialogue(int resultat) {
  done(resultat);
}

void PDialogue::CommandeControle(int id) {
  if (TraiteCommande(id)) {
    ExecuteCommande(id);
    emit commandeControle(id);
  }
  DemanderPasseInactive();
}

void PDialogue::CmOk() {
  FermerDialogue(CmIdOk);
}
void PDialogue::CmCancel() {
  FermerDialogue(CmIdAnnuler);
}
void PDialogue::EvClose() {
  CommandeControle(CmIdAnnuler);
}

void PDialogue::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if (mods == Qt::NoModifier) {
    switch (event->key()) {
      case Qt::Key_Escape:
        event->accept();
        CommandeControle(CmIdAnnuler);
        return;
      case Qt::Key_Return:
      case Qt::Key_Enter: {
        event->accept();
        // A disabled default button takes Enter and does nothing, as the dialog manager did.
        QWidget* defaut = ControleParId(idDefaut_);
        if (defaut && !defaut->isEnabled()) return;
        CommandeControle(idDefaut_);
        return;
      }
      default:
        break;
    }
  }
  // Not QDialog's own handling: Escape and Enter are ours, the rest goes to the parent.
  QWidget::keyPressEvent(event);
}

void PDialogue::closeEvent(QCloseEvent* event) {
  event->ignore();
  EvClose();
}

void RendreActivationAuProprietaire(QWidget* fenetre) {
  QWidget* parent = fenetre->parentWidget();
  QWidget* cible = parent ? parent->window() : nullptr;
  // A window of its own (the help) gives it to the main window.
  if (!cible && PApplication::Courante()) cible = PApplication::Courante()->FenetrePrincipale();
  // A modal dialog still running keeps its owner out of reach: it takes the activation (a
  // message box owned by the main window closing over the search dialog).
  if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != fenetre) cible = modal;
  if (!cible || !cible->isVisible() || !cible->isEnabled()) return;
  // Another window of the program that is active keeps the activation.
  QWidget* active = QApplication::activeWindow();
  if (active && active != fenetre && active->isVisible()) return;
  DemanderActivation(cible);
}

void DemanderActivation(QWidget* fenetre) {
  QWindow* cible = fenetre->window()->windowHandle();
  QWindow* focus = QGuiApplication::focusWindow();
  // Qt asks the window manager for the activation, except when the window it believes focused
  // lies within the target (a dialog the target owns): then it sets the X input focus itself,
  // stamped with the time of the last event it saw. A dialog just hidden stays that window until
  // Qt sees the focus leave it; the window manager has meanwhile moved the focus at a later time,
  // so the X server ignores the request and no window is left active. Cut off from its owner for
  // the time of the request, the hidden window sends Qt to the window manager.
  QWindow* proprietaire = focus ? focus->transientParent() : nullptr;
  const bool couper = cible && proprietaire && !focus->isVisible() && cible->isAncestorOf(focus);
  if (couper) focus->setTransientParent(nullptr);
  fenetre->activateWindow();
  if (couper) focus->setTransientParent(proprietaire);
}

bool PDialogue::eventFilter(QObject* objet, QEvent* evenement) {
  const QEvent::Type type = evenement->type();
  if ((type != QEvent::ShortcutOverride && type != QEvent::KeyPress) || isWindow() || !isVisible())
    return QDialog::eventFilter(objet, evenement);
  auto* touche = static_cast<QKeyEvent*>(evenement);
  QWidget* focus = QApplication::focusWidget();
  if ((touche->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier || objet != focus ||
      !isAncestorOf(focus))
    return QDialog::eventFilter(objet, evenement);
  bool seul = true;
  QWidget* controle = ControleDuMnemonique(touche->key(), seul);
  if (!controle) return QDialog::eventFilter(objet, evenement);
  // Accepting the override keeps the key from the shortcuts: it comes back as a key press.
  evenement->accept();
  if (type == QEvent::KeyPress) ActiverMnemonique(controle, seul);
  return true;
}

QWidget* PDialogue::ControleDuMnemonique(int touche, bool& seul) const {
  std::vector<QWidget*> trouves;
  for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    QString texte;
    QWidget* cible = w;
    if (auto* bouton = qobject_cast<QAbstractButton*>(w)) {
      texte = bouton->text();
    } else if (auto* etiquette = qobject_cast<QLabel*>(w); etiquette && etiquette->buddy()) {
      texte = etiquette->text();
      cible = etiquette->buddy();
    } else {
      continue;
    }
    const QKeySequence mnemonique = QKeySequence::mnemonic(texte);
    if (mnemonique.isEmpty() || mnemonique[0].key() != touche) continue;
    if (!w->isVisibleTo(this) || !cible->isVisibleTo(this) || !cible->isEnabled()) continue;
    trouves.push_back(cible);
  }
  seul = trouves.size() == 1;
  if (trouves.empty()) return nullptr;
  // Several: the first after the focused control, round to the top.
  QWidget* focus = QApplication::focusWidget();
  for (std::size_t i = 0; i < trouves.size(); ++i) {
    if (trouves[i] == focus || trouves[i]->isAncestorOf(focus))
      return trouves[(i + 1) % trouves.size()];
  }
  return trouves.front();
}

void PDialogue::ActiverMnemonique(QWidget* controle, bool seul) {
  auto* bouton = qobject_cast<QAbstractButton*>(controle);
  if (!bouton || !seul || bouton->isCheckable()) controle->setFocus(Qt::ShortcutFocusReason);
  if (bouton && seul) bouton->click();
}

void ActiverFenetre(QWidget* fenetre, bool actif) {
  if (!fenetre) return;
  if (actif) {
    fenetre->setEnabled(true);
    DemanderPasseInactive();  // its gadgets' enabling was left as it was meanwhile
    return;
  }
  // Qt disables the owned windows with their owner; EnableWindow did not: those that were
  // enabled are enabled again (a window may be enabled inside a disabled parent).
  std::vector<QWidget*> possedees;
  for (QWidget* w : fenetre->findChildren<QWidget*>()) {
    if (w->isWindow() && !w->testAttribute(Qt::WA_ForceDisabled)) possedees.push_back(w);
  }
  fenetre->setEnabled(false);
  for (QWidget* w : possedees)
    w->setEnabled(true);
}

}  // namespace velquor
