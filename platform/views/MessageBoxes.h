#pragma once

class QWidget;

namespace platform {

// Makes the message sink show a modal message box with an OK button, parented
// to the given window (or to the active window when it is null).
void installMessageBoxes(QWidget *parent = nullptr);

} // namespace platform
