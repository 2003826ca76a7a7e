// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

// Text in a rectangle as a string grid's cells show it.
namespace platform {

// One line, centred both ways, not clipped to the rectangle.
void drawTextCentred(QPainter &painter, const QRect &rect, const QString &text);

// One line, vertically centred, starting one pixel right of the left edge,
// clipped to the rectangle (title cells).
void drawTextLeftClipped(QPainter &painter, const QRect &rect, const QString &text);

// Fills rect with colour, then draws text centred in black.
void fillAndDrawCentred(QPainter &painter, const QRect &rect, const QColor &colour,
                        const QString &text);

} // namespace platform
