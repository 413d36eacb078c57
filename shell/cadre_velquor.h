// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main frame: a window of fixed size, which can be minimised but neither resized nor
// maximised, centred on the screen at start-up as a 536 x 450 window.
//
// Its inside is what a 536 x 450 window had under the legacy platform's 3-pixel border and
// 19-pixel caption: 530 x 425 pixels, whatever decorations the window system puts around it.
// The views' layouts depend on it (their "ok" and "esc" buttons lie just below what shows).

#include "framework/cadre.h"
#include "framework/placement.h"

namespace velquor {

inline constexpr int kLargeurCadre = 536;
inline constexpr int kHauteurCadre = 450;
// The inside of the frame: 536 x 450 less a 3-pixel border and a caption 19 pixels high.
inline constexpr int kLargeurInterieurCadre = kLargeurCadre - 2 * 3;
inline constexpr int kHauteurInterieurCadre = kHauteurCadre - 3 - 19 - 3;

// Where the frame starts on a desktop: its 536 x 450 rectangle centred, then kept on the screen.
RectEcran PositionInitialeCadre(const RectEcran& bureau);

class TCadreVelquor : public PFenetreCadre {
  Q_OBJECT

 public:
  explicit TCadreVelquor(const QString& titre, QWidget* parent = nullptr);

  // Centres the frame on the primary screen (before it is shown).
  void Centrer();
};

}  // namespace velquor
