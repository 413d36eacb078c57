#pragma once
// The progress dialog of the long passes (template 206, "Recherche en cours..."): the name of
// the record being examined, the percentage done with its gauge, and the "Arrêter" button that
// asks the pass to stop. Modeless; its owner creates it before the first record and destroys it
// after the last.

#include <QString>

#include <cstdint>
#include <string_view>

#include "framework/dialogue.h"

class QLabel;
class QProgressBar;

namespace velquor {

class DefileDlg : public PDialogue {
  Q_OBJECT

 public:
  static constexpr int IdJauge = 999;

  explicit DefileDlg(QWidget* proprietaire);

  // Shows the record being examined and the share of the pass done; returns whether the user
  // has asked to stop. nomCp1252 is stored text.
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
  bool arretDemande_ = false;
  QProgressBar* jauge_ = nullptr;
};

}  // namespace velquor
