// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/fenetre_aide.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "framework/boutons.h"
#include "framework/dialogue.h"
#include "shell/aide.h"
#include "shell/bitmaps.h"

namespace velquor {

QUrl PageAide(int contexte) {
  const char* page = "index.html";
  switch (contexte) {
    case AideCocktails:
      page = "cocktails.html";
      break;
    case AideIngredients:
      page = "ingredients.html";
      break;
    case AideFamilles:
      page = "familles.html";
      break;
    case AideRecherche:
      page = "recherche.html";
      break;
    case AideResultat:
      page = "resultat.html";
      break;
    case AideAffinerRech:
      page = "affiner.html";
      break;
    default:
      break;
  }
  return QUrl(QStringLiteral("qrc:/velquor/aide/") + QString::fromLatin1(page));
}

TFenetreAide::TFenetreAide(QWidget* parent) : QWidget(parent, Qt::Window) {
  AssurerRessources();
  setWindowTitle(QStringLiteral("Aide du Velquor"));
  setWindowIcon(ChargerIcone(1001));
  // The help outlives no program: closing the main window ends the run even while it is open.
  setAttribute(Qt::WA_QuitOnClose, false);

  auto* sommaire = new QPushButton(QStringLiteral("&Sommaire"));
  precedent_ = new QPushButton(QStringLiteral("&Précédent"));
  suivant_ = new QPushButton(QStringLiteral("Sui&vant"));
  auto* fermer = new QPushButton(QStringLiteral("&Fermer"));
  for (QPushButton* b : {sommaire, precedent_, suivant_, fermer}) {
    b->setAutoDefault(false);
    MnemoniqueImmediat(b);
  }
  precedent_->setEnabled(false);
  suivant_->setEnabled(false);

  navigateur_ = new QTextBrowser;
  navigateur_->setOpenExternalLinks(false);
  navigateur_->setOpenLinks(true);

  auto* boutons = new QHBoxLayout;
  boutons->addWidget(sommaire);
  boutons->addWidget(precedent_);
  boutons->addWidget(suivant_);
  boutons->addStretch();
  boutons->addWidget(fermer);
  auto* colonne = new QVBoxLayout(this);
  colonne->setContentsMargins(6, 6, 6, 6);
  colonne->addLayout(boutons);
  colonne->addWidget(navigateur_);

  connect(sommaire, &QPushButton::clicked, this, [this] { MontrerPage(PageAide(AideIndex)); });
  connect(precedent_, &QPushButton::clicked, navigateur_, &QTextBrowser::backward);
  connect(suivant_, &QPushButton::clicked, navigateur_, &QTextBrowser::forward);
  connect(fermer, &QPushButton::clicked, this, &QWidget::close);
  connect(navigateur_, &QTextBrowser::backwardAvailable, precedent_, &QPushButton::setEnabled);
  connect(navigateur_, &QTextBrowser::forwardAvailable, suivant_, &QPushButton::setEnabled);
  connect(navigateur_, &QTextBrowser::sourceChanged, this, [this] {
    const QString titre = navigateur_->documentTitle();
    setWindowTitle(titre.isEmpty() ? QStringLiteral("Aide du Velquor")
                                   : QStringLiteral("Aide du Velquor - %1").arg(titre));
    navigateur_->setAccessibleName(titre.isEmpty() ? windowTitle() : titre);
  });
  resize(kTaille);
}

void TFenetreAide::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && !(event->modifiers() & ~Qt::KeypadModifier)) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TFenetreAide::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) RendreActivationAuProprietaire(this);
}

void TFenetreAide::MontrerPage(const QUrl& page) {
  if (navigateur_->source() != page) navigateur_->setSource(page);
}

QUrl TFenetreAide::PageCourante() const {
  return navigateur_->source();
}

}  // namespace velquor
