// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace platform {

QColor systemColor(SystemColor color)
{
    const QPalette palette = QGuiApplication::palette();
    switch (color) {
    case SystemColor::Window:
        return palette.color(QPalette::Active, QPalette::Base);
    case SystemColor::ButtonFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case SystemColor::ScrollBar:
        // A scroll bar's track is a shade between the button face and its shadow.
        return palette.color(QPalette::Active, QPalette::Midlight);
    case SystemColor::Highlight:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case SystemColor::HotTrack:
        return palette.color(QPalette::Active, QPalette::Link);
    }
    return palette.color(QPalette::Active, QPalette::Base);
}

} // namespace platform
