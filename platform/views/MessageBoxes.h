// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Services.h"

class QWidget;

namespace platform {

// Makes the services' message sink show a modal message box with an "ОК" button,
// parented to the given window (or to the active window when it is null) and
// titled with that window's caption.
void installMessageBoxes(Services &services, QWidget *parent = nullptr);

} // namespace platform
