// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The names assistive technology reads for a dialog's controls (a screen reader reads Qt's
// widgets through them). A button, a radio button or a check box is named by its own text. The
// other controls are named by their labels, as a sighted user pairs them: the label whose
// mnemonic gives the control the focus, else a label without a mnemonic that stands right above
// the control or right before it on its line. The mnemonic marker and the trailing colon are left
// out. Controls that no label names (the cocktail editor's rows) are named by their dialog.

#include <QString>

#include <vector>

#include "framework/modele_dialogue.h"

class QWidget;

namespace velquor {

// A label's text as a name: "&Liste des cocktails:" gives "Liste des cocktails".
QString NomDEtiquette(const QString& texte);

// Gives the control its name. A combo box is read by its value on Linux, its name coming from
// the label that names it: one without a label gets a hidden one, which only carries the name.
void NommerControle(QWidget* controle, const QString& nom);

// Gives the control its name. A combo box is read by its value on Linux, its name coming from
// the label that names it: one without a label gets a hidden one, which only carries the name.
void NommerControle(QWidget* controle, const QString& nom);

// Names the controls built from the template (in template order) by their labels.
void NommerParEtiquettes(const ModeleDialogue& modele, const std::vector<QWidget*>& controles);

}  // namespace velquor
