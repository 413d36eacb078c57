#pragma once
// The main frame: a window of fixed size, 536 x 450 pixels with its decorations, which can be
// minimised but neither resized nor maximised, centred on the screen at start-up.

#include "framework/cadre.h"
#include "framework/placement.h"

namespace velquor {

inline constexpr int kLargeurCadre = 536;
inline constexpr int kHauteurCadre = 450;

// Where the frame starts on a desktop: its 536 x 450 rectangle centred, then kept on the screen.
RectEcran PositionInitialeCadre(const RectEcran& bureau);

class TCadreVelquor : public PFenetreCadre {
  Q_OBJECT

 public:
  explicit TCadreVelquor(const QString& titre, QWidget* parent = nullptr);

  // Centres the frame on the primary screen (before it is shown).
  void Centrer();

 protected:
  bool event(QEvent* event) override;

 private:
  // Sizes the window so that, with the decorations the window system gives it (or those of a
  // classic caption and border while it gives none), it measures 536 x 450.
  void AjusterTaille();
};

}  // namespace velquor
