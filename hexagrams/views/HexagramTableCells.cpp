// SPDX-License-Identifier: GPL-3.0-or-later
#include "HexagramTableCells.h"

#include "platform/views/SystemColors.h"
#include "platform/views/TextDrawing.h"

#include <QPainter>

namespace {

const QColor Pink(250, 200, 250);

QColor cellColour(int column, int row, int countColumn)
{
    using platform::SystemColor;
    QColor colour = platform::systemColor(SystemColor::Window);
    if ((column == countColumn || row == 5) && column >= 1 && column <= countColumn && row >= 1 &&
        row <= 5)
        colour = Pink;
    if (column == 0 || row == 0)
        colour = platform::systemColor(SystemColor::ButtonFace);
    return colour;
}

} // namespace

void StringGrid2DrawCell(QPainter &painter, const TextGrid &grid, int column, int row,
                         const QRect &rect)
{
    platform::fillAndDrawCentred(painter, rect, cellColour(column, row, 10),
                                 grid.cell(column, row));
}

void StringGrid3DrawCell(QPainter &painter, const TextGrid &grid, int column, int row,
                         const QRect &rect)
{
    painter.fillRect(rect, cellColour(column, row, 7));
    painter.setPen(Qt::black);
    platform::drawTextCentred(painter, rect.adjusted(1, 0, 0, 0), grid.cell(column, row));
}
