// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextGrid.h"

#include <QMargins>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QVector>

#include <array>
#include <cstdint>

// The compass walk: each card of the analysed chain, in position order, moves the
// pen by its rank index times the multiplier in its suit's direction. Walk
// coordinates start at (CompassStartX, CompassStartY), x grows east and y south.
inline constexpr std::int32_t CompassStartX = 3000;
inline constexpr std::int32_t CompassStartY = 3000;
// The westmost and northmost points of the walk lie this far from the window's
// left and top edges.
inline constexpr std::int32_t CompassScreenMargin = 150;

struct TCompassBounds
{
    std::int32_t MinX = CompassStartX;
    std::int32_t MaxX = CompassStartX;
    std::int32_t MinY = CompassStartY;
    std::int32_t MaxY = CompassStartY;

    bool operator==(const TCompassBounds &) const = default;
};

// The walk's screen box, in client coordinates of the window.
struct CompassBox
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool operator==(const CompassBox &) const = default;
};

using TCompassPoints = std::array<QPoint, 37>; // point 0 is the start, point i after card i

inline constexpr std::int32_t CompassStepReset = -100;

// The compass window's state, kept for the whole run.
struct CompassState
{
    std::uint8_t CompassMultiplier = 10;         // pixels per rank unit
    std::uint8_t CompassFrameMargin = 5;         // gap between the walk's box and its dotted frame
    TCompassPoints CompassPoints{};              // walk coordinates, all (0, 0) at start
    TCompassBounds CompassBounds;                // least and greatest x and y of the walk
    std::int32_t CompassStep = CompassStepReset; // card shown by the replay; reset at activation
};

struct CompassWalk
{
    TCompassPoints Points{};
    TCompassBounds Bounds;
};

// The points reached after each card of row 1, columns 1 to 36, of the analysis
// table. A cell that holds no card leaves the pen where it is, so its point
// repeats the one before. The bounds always take in the start.
CompassWalk computeCompassWalk(const TextGrid &analysisTable, std::uint8_t multiplier);

// Where the start is drawn, and the box the walk fills on screen.
QPoint compassOrigin(const TCompassBounds &bounds);
CompassBox compassBox(const TCompassBounds &bounds);

// One drawn step: the card's position, its suit and the line on screen.
struct CompassStepLine
{
    int Step = 0;
    int Suit = 0;
    QPoint From;
    QPoint To;
};

// The first count steps drawn from origin with the given multiplier, reading the
// cells again (the multiplier may have changed since the walk was computed).
// Cells without a card give no line.
QVector<CompassStepLine> compassStepLines(const TextGrid &analysisTable, int count,
                                          std::uint8_t multiplier, QPoint origin);

// The replay's next card: after 36, or from the reset value, it starts again at 0.
std::int32_t nextCompassStep(std::int32_t step);

// The three lines the replay writes for a step: the card number and the point's
// offset from the start.
QStringList compassReplayLines(std::int32_t step, const TCompassPoints &points);

// The multiplier typed into the window: the low 8 bits of a whole number; any
// other text leaves the current one.
std::uint8_t multiplierFromText(const QString &text, std::uint8_t current);

// Width and height of the window: room for a walk of one suit's full length
// (45 rank units) and the margins around it.
int compassWindowSide(std::uint8_t multiplier);

// That side kept to a screen's room: the square window with its frame (title bar
// and borders) must fit in room both ways. Never below 1.
int fittedCompassWindowSide(std::uint8_t multiplier, const QSize &room, const QMargins &frame);
