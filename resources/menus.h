// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's menu and accelerator table.

#include "framework/modele_menu.h"

namespace velquor {

// Menu 100: the main frame's menu bar, with the "&Tavisk" export popup as its second item (the
// application removes it at start-up).
const ModeleMenu& Menu100();
// Accelerators 100: the clipboard keys and F3.
const TableAccelerateurs& Accelerateurs100();

}  // namespace velquor
