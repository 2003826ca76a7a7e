// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexagramPicture.h"

#include "hexagrams/HexagramPatterns.h"
#include "platform/IntConvert.h"
#include "platform/LocaleFormats.h"
#include "platform/views/SystemColors.h"

#include <QPainter>

#include <cmath>

namespace {

const QColor BoxColour(80, 80, 120);

// A one-pixel outline of the rectangle [left, right) x [top, bottom).
void frameRect(QPainter &painter, int left, int top, int right, int bottom, const QColor &colour)
{
    if (right <= left || bottom <= top)
        return;
    painter.fillRect(QRect(left, top, right - left, 1), colour);
    painter.fillRect(QRect(left, bottom - 1, right - left, 1), colour);
    painter.fillRect(QRect(left, top, 1, bottom - top), colour);
    painter.fillRect(QRect(right - 1, top, 1, bottom - top), colour);
}

void bar(QPainter &painter, int left, int top, int right, int bottom, bool fill,
         const QColor &colour)
{
    if (fill)
        painter.fillRect(QRect(left, top, right - left, bottom - top), colour);
    else
        frameRect(painter, left, top, right, bottom, colour);
}

} // namespace

void DrawHexagramLine(QPainter &painter, int x, int y, int width, int height, const QString &line,
                      bool fill, const QColor &colour)
{
    const int left = x + 2;
    const int inner = width - 4;
    if (line == u"0") {
        const int third = width / 3;
        bar(painter, left, y, left + third, y + height, fill, colour);
        bar(painter, left + 2 * third, y, left + inner, y + height, fill, colour);
    } else {
        bar(painter, left, y, left + inner, y + height, fill, colour);
    }
}

int hexagramGreyLevel(const QString &shownStatistic)
{
    QString text = shownStatistic;
    text.replace(platform::decimalSeparator(), u'.');
    const double p = text.toDouble();
    // Halves go to the even neighbour, as the platform's rounding does.
    const long v = std::lrint(p * 215.0);
    return int(((v + 40) % 256 + 256) % 256);
}

void DrawChainHexagrams(QPainter &painter, QPoint origin, const TextGrid &StringGrid3)
{
    static const QString labels[4] = {QStringLiteral("Пики   #"), QStringLiteral("Буби   #"),
                                      QStringLiteral("Крести #"), QStringLiteral("Черви  #")};
    const int x0 = origin.x();
    const int y0 = origin.y();

    painter.save();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(platform::systemColor(platform::SystemColor::ButtonFace));
    painter.setPen(Qt::black);
    for (int i = 1; i <= 4; ++i) {
        const QPoint at(x0 + 10 + 100 * (i - 1), y0 + 3);
        painter.drawText(QRect(at, QSize(200, 40)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         labels[i - 1] + StringGrid3.cell(8, i));
    }
    painter.restore();

    for (int i = 1; i <= 4; ++i) {
        const int x = x0 + 100 * (i - 1);
        frameRect(painter, x, y0, x + 80, y0 + 100, BoxColour);
        int n = 0;
        if (!platform::tryStrToInt(StringGrid3.cell(8, i), n) || n < 1 || n > 64)
            continue;
        const QString pattern = HexagramPatterns[n];
        const int g = hexagramGreyLevel(StringGrid3.cell(9, i));
        const QColor grey(g, g, g);
        for (int j = 1; j <= 6; ++j) {
            const int y = y0 + 18 + 14 * (j - 1);
            const QString line = pattern.mid(6 - j, 1); // the top line first
            DrawHexagramLine(painter, x, y, 80, 10, line, true, grey);
            DrawHexagramLine(painter, x, y, 80, 10, line, false, BoxColour);
        }
    }
}
