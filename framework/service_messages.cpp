// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/service_messages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "framework/application.h"
#include "framework/boutons.h"
#include "framework/dialogue.h"
#include "framework/texte_qt.h"
#include "resources/chaines.h"
#include "store/cp1252.h"

namespace velquor {

BoutonsMessage BoutonsDuStyle(unsigned style) {
  unsigned boutons = style & 0x0F;
  return boutons <= 5 ? static_cast<BoutonsMessage>(boutons) : BoutonsMessage::Ok;
}

IconeMessage IconeDuStyle(unsigned style) {
  unsigned icone = style & 0xF0;
  return icone <= 0x40 ? static_cast<IconeMessage>(icone) : IconeMessage::Aucune;
}

bool ReponsePossible(BoutonsMessage boutons, int reponse) {
  switch (boutons) {
    case BoutonsMessage::Ok:
      return reponse == ReponseOk;
    case BoutonsMessage::OkAnnuler:
      return reponse == ReponseOk || reponse == ReponseAnnuler;
    case BoutonsMessage::AbandonReessayerIgnorer:
      return reponse == ReponseAbandon || reponse == ReponseReessayer || reponse == ReponseIgnorer;
    case BoutonsMessage::OuiNonAnnuler:
      return reponse == ReponseOui || reponse == ReponseNon || reponse == ReponseAnnuler;
    case BoutonsMessage::OuiNon:
      return reponse == ReponseOui || reponse == ReponseNon;
    case BoutonsMessage::ReessayerAnnuler:
      return reponse == ReponseReessayer || reponse == ReponseAnnuler;
  }
  return false;
}

int PServiceMessages::AffMessage(int idChaine, std::string_view argumentCp1252, unsigned style) {
  const char* modele = TexteChaine(idChaine);
  // An id missing from the table shows an empty text, as a failed string load did.
  std::string texte = FormaterChaine(modele ? modele : "", Cp1252VersUtf8(argumentCp1252));
  return Boite(titre_, QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size())),
               style);
}

void PServiceMessages::Afficher(std::string_view texte) {
  Boite(kTitreVantor, QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size())),
        StyleArret);
}

void PBoiteMessage::DefinirSansEchappement() {
  sansEchappement_ = true;
  // No close box: a title bar without the system menu's Close.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

void PBoiteMessage::setVisible(bool visible) {
  const bool masquee = !visible && isVisible();
  QMessageBox::setVisible(visible);
  if (masquee) RendreActivationAuProprietaire(this);
}

void PBoiteMessage::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 || (sansEchappement_ && event->matches(QKeySequence::Cancel))) {
    event->accept();
    return;
  }
  // A button's letter typed without Alt: clicked at once (Qt would animate the click and
  // deliver it 100 ms later, after an Enter typed at once).
  if (!(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier))) {
    for (QAbstractButton* bouton : buttons()) {
      const QKeySequence raccourci = bouton->shortcut();
      if (!raccourci.isEmpty() && raccourci[0].key() == event->key()) {
        event->accept();
        bouton->click();
        return;
      }
    }
  }
  QMessageBox::keyPressEvent(event);
}

void PBoiteMessage::closeEvent(QCloseEvent* event) {
  if (sansEchappement_) {
    event->ignore();
    return;
  }
  QMessageBox::closeEvent(event);
}

namespace {

struct BoutonQt {
  QMessageBox::StandardButton bouton;
  int reponse;
};

std::vector<BoutonQt> BoutonsQt(BoutonsMessage boutons) {
  switch (boutons) {
    case BoutonsMessage::Ok:
      return {{QMessageBox::Ok, ReponseOk}};
    case BoutonsMessage::OkAnnuler:
      return {{QMessageBox::Ok, ReponseOk}, {QMessageBox::Cancel, ReponseAnnuler}};
    case BoutonsMessage::AbandonReessayerIgnorer:
      return {{QMessageBox::Abort, ReponseAbandon},
              {QMessageBox::Retry, ReponseReessayer},
              {QMessageBox::Ignore, ReponseIgnorer}};
    case BoutonsMessage::OuiNonAnnuler:
      return {{QMessageBox::Yes, ReponseOui},
              {QMessageBox::No, ReponseNon},
              {QMessageBox::Cancel, ReponseAnnuler}};
    case BoutonsMessage::OuiNon:
      return {{QMessageBox::Yes, ReponseOui}, {QMessageBox::No, ReponseNon}};
    case BoutonsMessage::ReessayerAnnuler:
      return {{QMessageBox::Retry, ReponseReessayer}, {QMessageBox::Cancel, ReponseAnnuler}};
  }
  return {{QMessageBox::Ok, ReponseOk}};
}

QMessageBox::Icon IconeQt(IconeMessage icone) {
  switch (icone) {
    case IconeMessage::Arret:
      return QMessageBox::Critical;
    case IconeMessage::Question:
      return QMessageBox::Question;
    case IconeMessage::Exclamation:
      return QMessageBox::Warning;
    case IconeMessage::Information:
      return QMessageBox::Information;
    case IconeMessage::Aucune:
      break;
  }
  return QMessageBox::NoIcon;
}

// French texts of the standard buttons: the program speaks French whatever the system's
// language.
QString TexteBouton(QMessageBox::StandardButton bouton) {
  switch (bouton) {
    case QMessageBox::Yes:
      return QStringLiteral("&Oui");
    case QMessageBox::No:
      return QStringLiteral("&Non");
    case QMessageBox::Cancel:
      return QStringLiteral("Annuler");
    case QMessageBox::Abort:
      return QStringLiteral("&Abandonner");
    case QMessageBox::Retry:
      return QStringLiteral("&Réessayer");
    case QMessageBox::Ignore:
      return QStringLiteral("&Ignorer");
    default:
      return QStringLiteral("OK");
  }
}

}  // namespace

int ServiceMessagesQt::Boite(const QString& titre, const QString& texte, unsigned style) {
  QWidget* proprietaire = proprietaire_ ? proprietaire_.data() : QApplication::activeWindow();
  PBoiteMessage boite(IconeQt(IconeDuStyle(style)), titre, texte, QMessageBox::NoButton,
                      proprietaire);
  boite.setTextFormat(Qt::PlainText);
  const std::vector<BoutonQt> boutons = BoutonsQt(BoutonsDuStyle(style));
  for (const BoutonQt& b : boutons) {
    QAbstractButton* bouton = boite.addButton(b.bouton);
    bouton->setText(TexteBouton(b.bouton));
    MnemoniqueImmediat(bouton);
  }
  // MB_DEFBUTTON2 and 3 pick the default button; otherwise the first.
  std::size_t defaut = (style >> 8) & 0x0F;
  if (defaut >= boutons.size()) defaut = 0;
  boite.setDefaultButton(boutons[defaut].bouton);
  // Escape and the close box answer Cancel when the box has it, OK when it is the only button;
  // other boxes have no escape.
  QMessageBox::StandardButton echap = QMessageBox::NoButton;
  for (const BoutonQt& b : boutons) {
    if (b.reponse == ReponseAnnuler || boutons.size() == 1) echap = b.bouton;
  }
  if (echap != QMessageBox::NoButton)
    boite.setEscapeButton(echap);
  else
    boite.DefinirSansEchappement();
  boite.exec();
  DemanderPasseInactive();  // the windows the box blocked are within reach again
  QAbstractButton* clique = boite.clickedButton();
  for (const BoutonQt& b : boutons) {
    if (clique == boite.button(b.bouton)) return b.reponse;
  }
  if (echap != QMessageBox::NoButton) {
    for (const BoutonQt& b : boutons)
      if (b.bouton == echap) return b.reponse;
  }
  return BoutonsDuStyle(style) == BoutonsMessage::OuiNon ? ReponseNon : ReponseOk;
}

void ServiceMessagesQt::Bip() {
  QApplication::beep();
}

void ServiceMessagesQt::DefinirCurseur(Curseur curseur) {
  // The legacy program sets the cursor rather than stacking it: the arrow undoes any number of
  // wait cursors.
  if (curseur == Curseur::Attente) {
    if (QApplication::overrideCursor())
      QApplication::changeOverrideCursor(Qt::WaitCursor);
    else
      QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    while (QApplication::overrideCursor())
      QApplication::restoreOverrideCursor();
  }
}

namespace {
PServiceMessages* gInstalle = nullptr;
}  // namespace

PServiceMessages& ServiceMessages() {
  if (gInstalle) return *gInstalle;
  static ServiceMessagesQt parDefaut;
  return parDefaut;
}

PServiceMessages* InstallerServiceMessages(PServiceMessages* service) {
  PServiceMessages* precedent = gInstalle;
  gInstalle = service;
  DefinirRapporteurVantor(&ServiceMessages());
  return precedent;
}

}  // namespace velquor
