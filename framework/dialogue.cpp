#include "framework/dialogue.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>

#include "framework/application.h"
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
      origine = proprietaire->mapToGlobal(QPoint(0, 0));
    move(origine + QPoint(DluVersPixelsX(m.rect.x), DluVersPixelsY(m.rect.y)));
  }

  std::vector<QWidget*> controles = ConstruireControles(m, this, fabriques_);
  for (std::size_t i = 0; i < controles.size(); ++i) {
    const ModeleControle& c = m.controles[i];
    Enregistrer(controles[i], c.id);
    if (c.genre == Genre::Bouton && (c.style & st::Defaut) && idDefaut_ == CmIdOk && c.id != -1)
      idDefaut_ = c.id;
  }
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
  QWidget* proprietaire = parent ? parent->window() : nullptr;
  if (!proprietaire || !proprietaire->isVisible() || !proprietaire->isEnabled()) return;
  // Another window of the program that is active keeps the activation.
  QWidget* active = QApplication::activeWindow();
  if (active && active != fenetre && active->isVisible()) return;
  proprietaire->activateWindow();
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
