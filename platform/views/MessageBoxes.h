#pragma once

#include "platform/Services.h"

class QWidget;

namespace platform {

// Makes the services' message sink show a modal message box with an OK button,
// parented to the given window (or to the active window when it is null).
void installMessageBoxes(Services &services, QWidget *parent = nullptr);

} // namespace platform
