// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawingsGeometry.h"

#include "CellCard.h"

#include <algorithm>

DrawingFrame drawingFrame(int width, int height)
{
    return {width / 2, height / 2, 20, 10, width - 20, height - 20};
}

StarGeometry starGeometry(int X0, int Y0, int L, int T, int R, int B)
{
    StarGeometry star;
    const int d = X0 - L;
    star.d = d;
    star.r1 = 5 * d / 8;
    star.r2 = 5 * d / 9;
    star.r3 = 3 * d / 8;
    star.r4 = 3 * d / 10;
    const int a = d / 10;
    const int b = (Y0 - T) / 5;
    star.a = a;
    star.b = b;
    star.Triangles = {{
        {QPoint(X0, T), QPoint(X0 + a, Y0 - b), QPoint(X0, Y0)},
        {QPoint(X0, Y0), QPoint(R, Y0), QPoint(X0 + b, Y0 + a)},
        {QPoint(X0, B), QPoint(X0 - a, Y0 + b), QPoint(X0, Y0)},
        {QPoint(L, Y0), QPoint(X0 - b, Y0 - a), QPoint(X0, Y0)},
        {QPoint(X0, T), QPoint(X0, Y0), QPoint(X0 - a, Y0 - b)},
        {QPoint(X0, Y0), QPoint(X0 + b, Y0 - a), QPoint(R, Y0)},
        {QPoint(X0, Y0), QPoint(X0 + a, Y0 + b), QPoint(X0, B)},
        {QPoint(L, Y0), QPoint(X0, Y0), QPoint(X0 - b, Y0 + a)},
    }};
    return star;
}

QVector<PlacedText> drawingLabels(const DrawingFrame &f, const QString &north, const QString &south,
                                  const QString &west, const QString &east)
{
    return {
        {QPoint(f.X0 - 20, f.Y0 - 15), QStringLiteral("x0 = %1").arg(f.X0)},
        {QPoint(f.X0 - 20, f.Y0), QStringLiteral("y0 = %1").arg(f.Y0)},
        {QPoint(f.X0 - 15, f.Top + 5), QStringLiteral("N = ") + north},
        {QPoint(f.X0 - 15, f.Bottom + 5), QStringLiteral("S = ") + south},
        {QPoint(f.Left - 15, f.Y0 - 15), QStringLiteral("W = ") + west},
        {QPoint(f.Right - 40, f.Y0 + 5), QStringLiteral("E = ") + east},
    };
}

void advanceStepCounter(DrawingsState &state)
{
    // The counter is 8 bits wide: 255 + 1 wraps to 0, which also restarts at 1.
    state.StepCounter = std::uint8_t(state.StepCounter + 1);
    if (state.StepCounter > 36 || state.StepCounter == 0)
        state.StepCounter = 1;
}

QPoint walkStart(int width, int height)
{
    const DrawingFrame frame = drawingFrame(width, height);
    return {frame.X0, frame.Y0};
}

QVector<QLine> walkLines(const TextGrid &analysisTable, int count, StepLength mode, QPoint start)
{
    QVector<QLine> lines;
    QPoint current = start;
    for (int k = 1; k <= std::min(count, 36); ++k) {
        const CellCard card = cardInCell(analysisTable.cell(k, 1));
        if (!card.isCard())
            continue;
        const int length = mode == StepLength::Single ? 1 : card.Rank;
        const QPoint next = current + suitDirection(card.Suit) * length;
        if (next != current)
            lines.append(QLine(current, next));
        current = next;
    }
    return lines;
}
