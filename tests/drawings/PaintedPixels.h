// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>

// Colours as a person sees them in a grabbed picture.
inline QColor pixelAt(const QImage &image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

inline bool sameColour(const QColor &a, const QColor &b)
{
    return a.rgb() == b.rgb();
}

// Lines two pixels wide sit on either side of their mathematical line; look one
// pixel around.
inline bool colourNear(const QImage &image, int x, int y, const QColor &colour, int radius = 1)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int px = x + dx, py = y + dy;
            if (px >= 0 && py >= 0 && px < image.width() && py < image.height() &&
                sameColour(pixelAt(image, px, py), colour))
                return true;
        }
    return false;
}

inline int countColour(const QImage &image, const QRect &area, const QColor &colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (sameColour(pixelAt(image, x, y), colour))
                ++count;
    return count;
}
