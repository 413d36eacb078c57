// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The toolbar button of the main frame: a 26 x 26 glyph on a flat face, whose border shows only
// while the mouse is over it, while it is pressed, or while it is Down. A command button posts
// its command when clicked; the buttons of an exclusive group (adjacent exclusive buttons of one
// bar) stay Down one at a time, and one that is already Down posts its command again.
//
// The glyph's colours are mapped once, when the glyph is built, to the system's button colours:
// light grey to the face, black to the text, dark grey to the shadow, white to the highlight.
// Later changes of the system colours leave it as it is.
//
// Assistive technology reads it as a button named by its tooltip (the command's menu text), an
// exclusive one as a toggle that is checked while Down, a divider as a separator.

#include <QImage>
#include <QWidget>

namespace velquor {

class PBarreControle;

class MyGadgetBtn : public QWidget {
  Q_OBJECT

 public:
  enum class Type { Commande = 0, Exclusif = 1 };
  enum class Etat { Haut = 0, Bas = 1, Indetermine = 2 };

  // The border around the glyph, on every side.
  static constexpr int kBordure = 2;
  static constexpr int kTailleGlyphe = 26;

  MyGadgetBtn(int idGlyphe, int commande, Type type = Type::Commande, bool actif = true,
              Etat etat = Etat::Haut, QWidget* parent = nullptr);

  // Adds the button to the bar: the bar enables it at every idle pass through a
  // MyGadgetBtnEnabler, and routes the command it posts.
  void AjouterA(PBarreControle& barre);

  int Commande() const { return commande_; }
  Type TypeBouton() const { return type_; }
  Etat EtatBouton() const { return etat_; }
  bool Enfonce() const { return enfonce_; }
  bool Survol() const { return survol_; }
  bool Actif() const { return isEnabled(); }
  QPoint OrigineGlyphe() const { return origineGlyphe_; }
  // The glyph as built (colours mapped), built on first need.
  const QImage& Glyphe() const;

  // The enabled flag (a disabled button is drawn greyed and is never hot).
  void DefinirActif(bool actif);
  // Changes the state; an exclusive button going Down pops the others of its group Up first.
  void DefinirEtat(Etat etat);
  // Sets this exclusive button Down and every other Down button of its group Up.
  void VerificationExclusive();
  // Up, not hot, not pressed (the client area closed its views).
  void RemetHaut();

  // What a click does: an exclusive button goes Down, then the command is posted unless the
  // button is disabled. Assistive technology's press action calls it too.
  void Activer();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void CommencerPression();
  void AnnulerPression();
  void Poster();
  void ConstruireGlyphe() const;
  // The glyph's size in the widget's coordinates (its pixels on a screen of ratio 1).
  QSize TailleGlyphe() const;
  void DessinerBordure(QPainter& peintre, bool bas) const;

  int idGlyphe_;
  int commande_;
  Type type_;
  Etat etat_;
  bool enfonce_ = false;
  bool survol_ = false;
  QPoint origineGlyphe_;
  mutable bool glypheConstruit_ = false;
  mutable QImage glyphe_;   // normal look, colours mapped
  mutable QImage grise_;    // disabled look
  mutable QImage attenue_;  // indeterminate look
};

// The enabler the bar's enabling pass uses for a MyGadgetBtn.
class MyGadgetBtnEnabler {
 public:
  MyGadgetBtnEnabler(int commande, MyGadgetBtn& bouton) : commande_(commande), bouton_(bouton) {}

  void Enable(bool actif) {
    traite_ = true;
    bouton_.DefinirActif(actif);
  }
  void SetText(const char*) {}
  void SetCheck(MyGadgetBtn::Etat etat) { bouton_.DefinirEtat(etat); }

  int Commande() const { return commande_; }
  bool Traite() const { return traite_; }

 private:
  int commande_;
  MyGadgetBtn& bouton_;
  bool traite_ = false;
};

}  // namespace velquor
