// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;

namespace platform {

// A work window made as a dialog closes only by its own buttons and its close
// box: none of its buttons is the default button, so Return and keypad Enter
// (say in a text line or a grid) close nothing and press nothing, and Escape does
// not close it either. Return on a button that has the focus presses that button,
// as Space does. Call once the window's buttons exist.
void closeOnlyByOwnButtons(QDialog &dialog);

} // namespace platform
