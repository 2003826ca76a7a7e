// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// The system colours the windows paint with, each taken from the closest role of
// the application palette, so the program follows the desktop's colour scheme.
namespace platform {

enum class SystemColor
{
    Window,     // a window's or data cell's background
    ButtonFace, // title cells, dialog backgrounds
    ScrollBar,  // the filter sheet's ranks without a line
    Highlight,  // selected items; the compass labels
    HotTrack,   // hot-tracked items; the replay's caption
};

QColor systemColor(SystemColor color);

} // namespace platform
