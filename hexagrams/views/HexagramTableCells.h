// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextGrid.h"

#include <QRect>

class QPainter;

// The cells of the rank-by-suit table: the count cells (column 10 and row 5)
// pink, titles in the button-face colour, the rest in the window colour.
void StringGrid2DrawCell(QPainter &painter, const TextGrid &grid, int column, int row,
                         const QRect &rect);

// The cells of the hexagram table: pink counts in column 7 and row 5, and the
// text one pixel to the right.
void StringGrid3DrawCell(QPainter &painter, const TextGrid &grid, int column, int row,
                         const QRect &rect);
