// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextGrid.h"

#include <QColor>
#include <QPoint>
#include <QString>

class QPainter;

// One line of a hexagram in the rectangle (x, y, width, height): a broken line
// ("0") as two bars, any other as one bar, each filled with colour or, with
// fill false, outlined one pixel wide in it. Right and bottom edges exclusive.
void DrawHexagramLine(QPainter &painter, int x, int y, int width, int height, const QString &line,
                      bool fill, const QColor &colour);

// The four suit hexagrams of the hexagram table (numbers in column 8, shown
// statistics in column 9) as labelled boxes of six lines, from origin on; the
// lower a suit's statistic, the darker its lines. While a number cell holds no
// number its box is drawn empty.
void DrawChainHexagrams(QPainter &painter, QPoint origin, const TextGrid &StringGrid3);

// The grey level of a suit's lines for a shown statistic (decimal separator of
// the locale): (statistic × 215 rounded half to even + 40) mod 256.
int hexagramGreyLevel(const QString &shownStatistic);
