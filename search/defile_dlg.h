// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress dialog of the long passes (template 206, "Recherche en cours..."): the name of
// the record being examined, the percentage done with its gauge, and the "Arrêter" button that
// asks the pass to stop. Modeless; its owner creates it before the first record and destroys it
// after the last.

#include <QElapsedTimer>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/dialogue.h"

class QLabel;
class QProgressBar;
class QTimer;

namespace velquor {

class DefileDlg : public PDialogue {
  Q_OBJECT

 public:
  static constexpr int IdJauge = 999;

  explicit DefileDlg(QWidget* proprietaire);

  // The window is redrawn at most this often: a pass calls MettreAJour for every record.
  static constexpr int kPeriodeAffichageMs = 16;

  // Shows the record being examined and the share of the pass done; returns whether the user
  // has asked to stop. nomCp1252 is stored text. A step that comes less than
  // kPeriodeAffichageMs after the last one shown is kept and shown when the period is over
  // (unless another replaces it first), so that what the window shows is always the last step;
  // the last record of the pass (100 %) is shown at once.
  bool MettreAJour(std::string_view nomCp1252, std::int64_t total, std::int64_t ordinal);
  bool ArretDemande() const { return arretDemande_; }

  // What a caller may change before the pass: the caption, and the stop button (hidden for the
  // passes that cannot be interrupted).
  void DefinirLegende(const QString& legende);
  void CacherArret();

  // The percentage shown for the ordinal-th record of total, truncated toward zero and kept
  // within 0..100: a total of 0 or less, or an ordinal past the total, gives 100.
  static int Pourcentage(std::int64_t total, std::int64_t ordinal);

 protected:
  void SetupWindow() override;

 private:
  // Puts the last step into the labels and the gauge.
  void Afficher();

  bool arretDemande_ = false;
  QProgressBar* jauge_ = nullptr;
  // The last step, and whether it is still to be shown.
  std::string nom_;
  int pourcentage_ = 0;
  bool enAttente_ = false;
  QElapsedTimer depuisAffichage_;
  QTimer* minuterie_ = nullptr;
};

}  // namespace velquor
