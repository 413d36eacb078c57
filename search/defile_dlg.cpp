// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/defile_dlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

#include "framework/placement.h"
#include "framework/texte_qt.h"

namespace velquor {

namespace {
constexpr int kIdNom = 102;
constexpr int kIdPourcentage = 101;
constexpr int kIdArreter = 2;
// The gauge lies in pixels of the client area, under the cocktail's name.
const QRect kRectJauge(5, 41, 280, 16);
// The room kept between the texts and the window's right edge, in pixels (4 dialog units).
constexpr int kMargeDroite = 6;
}  // namespace

DefileDlg::DefileDlg(QWidget* proprietaire)
    : PDialogue(206, proprietaire), minuterie_(new QTimer(this)) {
  minuterie_->setSingleShot(true);
  connect(minuterie_, &QTimer::timeout, this, [this] { Afficher(); });
  // "Arrêter" (or Escape) only records the request; the pass sees it at its next step.
  Commande(CmIdAnnuler, [this] { arretDemande_ = true; });
}

void DefileDlg::SetupWindow() {
  jauge_ =
      qobject_cast<QProgressBar*>(AjouterControle({Genre::Jauge, IdJauge, "", {}}, kRectJauge));
  if (jauge_) jauge_->setRange(0, 100);
  // The template's labels run to its right edge: the window grows so that "100 %" and the name
  // end inside it, with a margin.
  int droite = width() - kMargeDroite;
  if (auto* nom = Controle<QLabel>(kIdNom)) droite = std::max(droite, nom->geometry().right() + 1);
  if (auto* pourcentage = Controle<QLabel>(kIdPourcentage))
    droite = std::max(droite, pourcentage->x() + pourcentage->fontMetrics().horizontalAdvance(
                                                     QStringLiteral("100 %")));
  setFixedWidth(droite + kMargeDroite);
  CentreSurParent(this);
}

int DefileDlg::Pourcentage(std::int64_t total, std::int64_t ordinal) {
  if (total <= 0 || ordinal >= total) return 100;
  if (ordinal <= 0) return 0;
  // ordinal * 100 / total in floating point, truncated: the product is exact, so 29 of 100
  // gives 29 (the quotient taken first would give 28.999...).
  const double p = static_cast<double>(ordinal) * 100.0 / static_cast<double>(total);
  return std::clamp(static_cast<int>(p), 0, 100);
}

bool DefileDlg::MettreAJour(std::string_view nomCp1252, std::int64_t total, std::int64_t ordinal) {
  Creer();
  nom_.assign(nomCp1252);
  pourcentage_ = Pourcentage(total, ordinal);
  enAttente_ = true;
  if (pourcentage_ == 100 || !depuisAffichage_.isValid() ||
      depuisAffichage_.elapsed() >= kPeriodeAffichageMs) {
    Afficher();
  } else if (!minuterie_->isActive()) {
    minuterie_->start(static_cast<int>(kPeriodeAffichageMs - depuisAffichage_.elapsed()));
  }
  return arretDemande_;
}

void DefileDlg::Afficher() {
  if (!enAttente_) return;
  enAttente_ = false;
  minuterie_->stop();
  depuisAffichage_.start();
  if (auto* nom = Controle<QLabel>(kIdNom)) nom->setText(Cp1252VersQString(nom_));
  if (auto* pourcentage = Controle<QLabel>(kIdPourcentage))
    pourcentage->setText(QStringLiteral("%1 %").arg(pourcentage_));
  if (jauge_) jauge_->setValue(pourcentage_);
}

void DefileDlg::DefinirLegende(const QString& legende) {
  Creer();  // the template's caption is set at creation
  setWindowTitle(legende);
}

void DefileDlg::CacherArret() {
  Creer();
  if (auto* bouton = Controle<QPushButton>(kIdArreter)) bouton->hide();
}

}  // namespace velquor
