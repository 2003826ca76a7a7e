// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextDrawing.h"

#include <QPainter>

namespace platform {

void drawTextCentred(QPainter &painter, const QRect &rect, const QString &text)
{
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip, text);
}

void drawTextLeftClipped(QPainter &painter, const QRect &rect, const QString &text)
{
    painter.save();
    painter.setClipRect(rect);
    painter.drawText(rect.adjusted(1, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter.restore();
}

void fillAndDrawCentred(QPainter &painter, const QRect &rect, const QColor &colour,
                        const QString &text)
{
    painter.fillRect(rect, colour);
    painter.setPen(Qt::black);
    drawTextCentred(painter, rect, text);
}

} // namespace platform
