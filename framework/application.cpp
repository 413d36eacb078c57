#include "framework/application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace velquor {

namespace {
PApplication* gCourante = nullptr;
}  // namespace

PApplication::PApplication(const QString& nom) : nom_(nom) {
  Initialiser();
}

PApplication::PApplication(const QString& nom, int& argc, char** argv) : nom_(nom) {
  qapp_ = std::make_unique<QApplication>(argc, argv);
  Initialiser();
}

void PApplication::Initialiser() {
  Q_ASSERT(!gCourante);
  gCourante = this;
  routeur_ = new PRouteurCommandes(this);
  routeur_->DefinirApplication(this);
  inactivite_ = new QTimer(this);
  inactivite_->setInterval(kPeriodeInactiviteMs);
  connect(inactivite_, &QTimer::timeout, this, &PApplication::PasseInactive);
  inactivite_->start();

  // A service installed before us (a test's responder) stays in place.
  PServiceMessages* precedent = InstallerServiceMessages(&service_);
  if (precedent) {
    InstallerServiceMessages(precedent);
  } else {
    serviceInstalle_ = true;
  }
  ServiceMessages().DefinirTitre(nom_);

  Commande(CmQuitter, [this] {
    if (fenetrePrincipale_)
      fenetrePrincipale_->close();
    else
      QApplication::quit();
  });
  qApp->installEventFilter(this);
}

PApplication::~PApplication() {
  if (qApp) qApp->removeEventFilter(this);
  if (serviceInstalle_ && &ServiceMessages() == &service_) InstallerServiceMessages(nullptr);
  gCourante = nullptr;
  // The owned QApplication goes last, after our QObjects: they are children of this, which
  // QObject's destructor deletes after this body, so delete them now.
  delete inactivite_;
  inactivite_ = nullptr;
  delete routeur_;
  routeur_ = nullptr;
}

PApplication* PApplication::Courante() {
  return gCourante;
}

void PApplication::DefinirFenetrePrincipale(QWidget* fenetre) {
  fenetrePrincipale_ = fenetre;
  routeur_->DefinirFenetrePrincipale(fenetre);
  service_.DefinirProprietaire(fenetre);
}

int PApplication::Executer() {
  InitMainWindow();
  if (fenetrePrincipale_) fenetrePrincipale_->show();
  return QApplication::exec();
}

void PApplication::PasseInactive() {
  routeur_->PasseInactive();
}

bool PApplication::eventFilter(QObject* objet, QEvent* evenement) {
  if (evenement->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_F1) {
    auto* widget = qobject_cast<QWidget*>(objet);
    // Key events reach the filter once per widget they travel through: act on the first.
    if (widget && widget != QApplication::focusWidget() && QApplication::focusWidget()) {
      return false;
    }
    QWidget* fenetre = widget ? widget->window() : QApplication::activeWindow();
    if (qobject_cast<PBoiteMessage*>(fenetre)) return true;  // swallowed
    if (aideF1_) {
      aideF1_();
      return true;
    }
  }
  return QObject::eventFilter(objet, evenement);
}

void TraiterMessagesEnAttente() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  DemanderPasseInactive();
}

void DemanderPasseInactive() {
  if (PApplication* app = PApplication::Courante()) app->PasseInactive();
}

}  // namespace velquor
