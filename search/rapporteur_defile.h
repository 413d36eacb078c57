// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress of a long pass shown in a DefileDlg: the dialog is created and shown over its
// owner when the pass begins, a window is disabled for the duration (the one that started the
// pass, or the main window), and the dialog is destroyed when the pass ends.
//
//   RapporteurDefile progression(this);                  // owner, also the window disabled
//   progression.DefinirLegende("Contrôle de cohérence dans la base des recettes");
//   progression.CacherArret();
//   PasseCoherence(..., progression, TraiterMessagesEnAttente);

#include <QPointer>
#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>

#include "search/defile_dlg.h"
#include "search/rapporteur_progression.h"

class QWidget;

namespace velquor {

class RapporteurDefile : public RapporteurProgression {
 public:
  // proprietaire owns the progress dialog; aDesactiver is disabled from Debut to Fin (the owner
  // when left out; nullptr disables nothing).
  explicit RapporteurDefile(QWidget* proprietaire);
  RapporteurDefile(QWidget* proprietaire, QWidget* aDesactiver);
  ~RapporteurDefile() override;
  RapporteurDefile(const RapporteurDefile&) = delete;
  RapporteurDefile& operator=(const RapporteurDefile&) = delete;

  // Before Debut: another caption than the template's, and no stop button.
  void DefinirLegende(const QString& legende) { legende_ = legende; }
  void CacherArret() { cacherArret_ = true; }

  void Debut() override;
  bool MettreAJour(std::string_view nom, std::int64_t total, std::int64_t ordinal) override;
  void Fin() override;

  // The dialog between Debut and Fin, else nullptr.
  DefileDlg* Dialogue() const { return dialogue_; }

 private:
  QPointer<QWidget> proprietaire_;
  QPointer<QWidget> aDesactiver_;
  std::optional<QString> legende_;
  bool cacherArret_ = false;
  QPointer<DefileDlg> dialogue_;
  bool enCours_ = false;
  bool arret_ = false;
};

}  // namespace velquor
