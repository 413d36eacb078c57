// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An entry of a list (a list box, a combo box's drop-down list) that the view shows cut (elided,
// or running past its edge) shows whole in a tooltip when the mouse rests on it; an entry shown
// whole has no tooltip. The same for a one-line field whose text runs past its edge (a combo
// box's field, a quantity).

class QAbstractItemView;
class QLineEdit;

namespace velquor {

void BullesEntreesCoupees(QAbstractItemView* vue);
void BulleTexteCoupe(QLineEdit* champ);

}  // namespace velquor
