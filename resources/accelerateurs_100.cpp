// SPDX-License-Identifier: GPL-3.0-or-later
// 100 ACCELERATORS (virtual keys)
#include "resources/menus.h"

namespace velquor {

const TableAccelerateurs& Accelerateurs100() {
  static const TableAccelerateurs table{100,
                                        {
                                            {Qt::ShiftModifier, Qt::Key_Delete, 24322},    // cut
                                            {Qt::ControlModifier, Qt::Key_Insert, 24323},  // copy
                                            {Qt::ShiftModifier, Qt::Key_Insert, 24324},    // paste
                                            {Qt::ControlModifier, Qt::Key_Delete, 24326},  // clear
                                            {Qt::AltModifier, Qt::Key_Backspace, 24321},   // undo
                                            {Qt::NoModifier, Qt::Key_F3, 24353},  // find next
                                        }};
  return table;
}

}  // namespace velquor
