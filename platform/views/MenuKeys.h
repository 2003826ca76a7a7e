// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMainWindow;

namespace platform {

// Lets the keyboard reach a window's menu bar whatever the desktop style: Alt
// pressed and released alone highlights the bar's first item, as on Windows, and
// F10 opens its first menu, as on GNOME; the arrows move along the bar, Return
// or Down opens an item, and Escape goes back to the control that had the focus.
void reachMenuBarByKeys(QMainWindow &window);

} // namespace platform
