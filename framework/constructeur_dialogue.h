// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The builder: turns a dialog template into Qt widgets. Each control becomes a child of the
// dialog named by its id (objectName "102"), placed at its rectangle converted from dialog units,
// with its kind's defaults and its style bits applied. Controls are stacked and focused in
// template order as the legacy dialog manager did: the first control lies on top, Tab follows
// the template, static texts and group boxes let the mouse through to what lies under them.

#include <QFont>
#include <QRect>

#include <functional>
#include <map>
#include <vector>

#include "framework/modele_dialogue.h"

class QWidget;

namespace velquor {

// Makes the widget of a control when the dialog wants a class of its own for it (a subclass of
// the kind's class, so that the template's styles still apply).
using Fabrique = std::function<QWidget*(QWidget* parent)>;

// The font the layouts were drawn with: 8-point "MS Sans Serif" at 96 dpi, or the nearest sans
// serif face at the same pixel size.
QFont PoliceDialogue();

// Creates one control as a child of parent, without placing it (pixels or dialog units are the
// caller's choice).
QWidget* CreerControle(const ModeleControle& modele, QWidget* parent,
                       const Fabrique& fabrique = {});

// Places a control at its template rectangle in pixels. A combo box's rectangle includes its
// drop-down list, as in the legacy templates: the box is created at its closed, one-line height
// (HauteurComboFermee) and its drop-down list gets the rest of the rectangle.
void PlacerControle(const ModeleControle& modele, QWidget* controle, const QRect& pixels);
int HauteurComboFermee(const QFont& police);

// The legacy layouts were drawn for 8-point "MS Sans Serif"; the faces that stand in for it are
// wider. A radio button, a check box or a one-line label whose text the face would clip is
// widened over the space beside it (to the right, to the left when right-aligned, both ways
// when centred), within the parent's width. Done by ConstruireControles for the template texts.
void AjusterAuTexte(const ModeleControle& modele, QWidget* controle, int largeurParent);

// The text a static shows without a buddy: "&&" is a '&', a single '&' only marks a letter.
QString SansMnemonique(const QString& texte);

// Builds every control of the template under parent, in template order, and returns them in
// that order, named for assistive technology by their labels (noms_accessibles.h). Radio groups
// (QButtonGroup) are owned by parent.
std::vector<QWidget*> ConstruireControles(const ModeleDialogue& modele, QWidget* parent,
                                          const std::map<int, Fabrique>& fabriques = {});

}  // namespace velquor
