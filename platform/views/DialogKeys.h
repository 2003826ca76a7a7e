// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;

namespace platform {

// A work window made as a dialog closes by its own buttons, its close box and
// Escape, as the about and help windows do, but never by Return: none of its
// buttons is the default button, so Return and keypad Enter (say in a text line
// or a grid) close nothing and press nothing. Return on a button that has the
// focus presses that button, as Space does. Call once the window's buttons exist.
void setWorkWindowKeys(QDialog &dialog);

} // namespace platform
