// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/application.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

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

  // Qt's own texts (the edit fields' and scroll bars' context menus...) in French, as every text
  // of the program. Debian ships them in qt6-translations-l10n; the Windows build has them
  // compiled in.
  auto* traduction = new QTranslator(this);
  if (traduction->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      traduction->load(QStringLiteral(":/velquor/traductions/qtbase_fr.qm")))
    QCoreApplication::installTranslator(traduction);
  else
    qWarning("Les textes de Qt en français (qtbase_fr.qm, paquet qt6-translations-l10n) manquent");

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

namespace {

// The top-level window a key press was sent to: the widget's window, or for the window system's
// window (the first receiver of a real key press) the widget it shows.
QWidget* FenetreDeLaTouche(QObject* objet) {
  if (auto* widget = qobject_cast<QWidget*>(objet)) return widget->window();
  if (auto* fenetre = qobject_cast<QWindow*>(objet)) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->windowHandle() == fenetre) return w;
    }
  }
  if (QWidget* popup = QApplication::activePopupWidget()) return popup;
  return QApplication::activeWindow();
}

// An Alt+letter (or digit, or sign) that reached the focused widget as a key press: no mnemonic
// of its window and no menu took it, since those act on the shortcut that comes first. A menu
// bar or a menu that has the keyboard reads letters itself.
bool EstAltSansPreneur(QObject* objet, const QKeyEvent* touche) {
  const Qt::KeyboardModifiers mods =
      touche->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
  const QString texte = touche->text();
  if (mods != Qt::AltModifier || texte.isEmpty() || !texte.at(0).isPrint() ||
      texte.at(0).isSpace() || QApplication::activePopupWidget())
    return false;
  QWidget* cible = QApplication::focusWidget();
  if (!cible) cible = QApplication::activeWindow();
  return objet == cible && !qobject_cast<QMenuBar*>(cible) && !qobject_cast<QMenu*>(cible);
}

}  // namespace

bool PApplication::eventFilter(QObject* objet, QEvent* evenement) {
  // F1 is taken where it first arrives, whoever it is addressed to (the focus widget, an open
  // menu, a window with no focus, the client area for the help command), and goes no further.
  if (evenement->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_F1) {
    QWidget* fenetre = FenetreDeLaTouche(objet);
    // A message box swallows it, and so does anything opened over one.
    if (qobject_cast<PBoiteMessage*>(fenetre) ||
        qobject_cast<PBoiteMessage*>(QApplication::activeModalWidget()))
      return true;
    if (aideF1_) {
      aideF1_();
      return true;
    }
  }
  // As the legacy dialog manager and menu bar: an Alt+letter that nothing answers beeps, and its
  // letter is typed nowhere (a field would otherwise take it as text).
  if (evenement->type() == QEvent::KeyPress &&
      EstAltSansPreneur(objet, static_cast<QKeyEvent*>(evenement))) {
    ServiceMessages().Bip();
    return true;
  }
  return QObject::eventFilter(objet, evenement);
}

void TraiterMessagesEnAttente() {
  // The events posted by the program and by Qt (queued calls, a click sent to the stop button)
  // are dispatched at every call. Reading the window system's queue, timers included, costs a
  // poll of its connection: it is done when kPeriodeLectureMs has passed since the last time.
  static QElapsedTimer depuisLecture;
  if (!depuisLecture.isValid() || depuisLecture.elapsed() >= kPeriodeLectureMs) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    depuisLecture.start();
  } else {
    QCoreApplication::sendPostedEvents();
  }
  DemanderPasseInactive();
}

void DemanderPasseInactive() {
  if (PApplication* app = PApplication::Courante()) app->PasseInactive();
}

}  // namespace velquor
