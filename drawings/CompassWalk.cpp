// SPDX-License-Identifier: GPL-3.0-or-later
#include "CompassWalk.h"

#include "CellCard.h"
#include "platform/IntConvert.h"

#include <algorithm>

namespace {

QPoint stepOf(const CellCard &card, std::uint8_t multiplier)
{
    return suitDirection(card.Suit) * (int(multiplier) * card.Rank);
}

} // namespace

CompassWalk computeCompassWalk(const TextGrid &analysisTable, std::uint8_t multiplier)
{
    CompassWalk walk;
    QPoint position(CompassStartX, CompassStartY);
    walk.Points[0] = position;
    for (int i = 1; i <= 36; ++i) {
        const CellCard card = cardInCell(analysisTable.cell(i, 1));
        if (card.isCard())
            position += stepOf(card, multiplier);
        walk.Points[std::size_t(i)] = position;
        walk.Bounds.MinX = std::min(walk.Bounds.MinX, position.x());
        walk.Bounds.MaxX = std::max(walk.Bounds.MaxX, position.x());
        walk.Bounds.MinY = std::min(walk.Bounds.MinY, position.y());
        walk.Bounds.MaxY = std::max(walk.Bounds.MaxY, position.y());
    }
    return walk;
}

QPoint compassOrigin(const TCompassBounds &bounds)
{
    return {CompassStartX + CompassScreenMargin - bounds.MinX,
            CompassStartY + CompassScreenMargin - bounds.MinY};
}

CompassBox compassBox(const TCompassBounds &bounds)
{
    return {CompassScreenMargin, CompassScreenMargin,
            CompassScreenMargin + (bounds.MaxX - bounds.MinX),
            CompassScreenMargin + (bounds.MaxY - bounds.MinY)};
}

QVector<CompassStepLine> compassStepLines(const TextGrid &analysisTable, int count,
                                          std::uint8_t multiplier, QPoint origin)
{
    QVector<CompassStepLine> lines;
    QPoint position = origin;
    for (int i = 1; i <= std::min(count, 36); ++i) {
        const CellCard card = cardInCell(analysisTable.cell(i, 1));
        if (!card.isCard())
            continue;
        const QPoint next = position + stepOf(card, multiplier);
        lines.append({i, card.Suit, position, next});
        position = next;
    }
    return lines;
}

std::int32_t nextCompassStep(std::int32_t step)
{
    const std::int32_t next = step + 1;
    return (next > 36 || next < 0) ? 0 : next;
}

QStringList compassReplayLines(std::int32_t step, const TCompassPoints &points)
{
    const QPoint point = points[std::size_t(std::clamp(step, 0, 36))];
    return {QStringLiteral("Карта № %1").arg(step),
            QStringLiteral("x1 =    %1").arg(point.x() - CompassStartX),
            QStringLiteral("y1 =    %1").arg(point.y() - CompassStartY)};
}

std::uint8_t multiplierFromText(const QString &text, std::uint8_t current)
{
    int value = 0;
    if (!platform::tryStrToInt(text, value))
        return current;
    return std::uint8_t(unsigned(value) & 0xFFu);
}

int compassWindowSide(std::uint8_t multiplier)
{
    return 45 * int(multiplier) + 200;
}

int fittedCompassWindowSide(std::uint8_t multiplier, const QSize &room, const QMargins &frame)
{
    const int across = room.width() - frame.left() - frame.right();
    const int down = room.height() - frame.top() - frame.bottom();
    return std::max(1, std::min({compassWindowSide(multiplier), across, down}));
}
