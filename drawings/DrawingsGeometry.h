// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextGrid.h"

#include <QLine>
#include <QPoint>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

// The drawings window's picture of W x H pixels: the centre (X0, Y0) that the
// axes cross and the frame around the compass rose.
struct DrawingFrame
{
    int X0 = 0;
    int Y0 = 0;
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool operator==(const DrawingFrame &) const = default;
};

DrawingFrame drawingFrame(int width, int height);

using Triangle = std::array<QPoint, 3>;

// The compass rose: four circles around the centre and four rays of two halves
// each. Triangles 1 to 4 are the halves drawn solid, 5 to 8 the hatched ones.
struct StarGeometry
{
    int d = 0;  // centre to the frame's left edge
    int r1 = 0; // outer pink ring
    int r2 = 0;
    int r3 = 0; // inner pink ring
    int r4 = 0;
    int a = 0; // half-width of a ray at its shoulder
    int b = 0; // centre to a ray's shoulder along the ray
    std::array<Triangle, 8> Triangles{};
};

StarGeometry starGeometry(int X0, int Y0, int Left, int Top, int Right, int Bottom);

// A text written on the picture with its top-left corner at TopLeft.
struct PlacedText
{
    QPoint TopLeft;
    QString Text;

    bool operator==(const PlacedText &) const = default;
};

// The six labels of the whole drawing: the centre's coordinates and the suit
// named in each compass list beside its point of the compass.
QVector<PlacedText> drawingLabels(const DrawingFrame &frame, const QString &north,
                                  const QString &south, const QString &west, const QString &east);

// The drawings window's state, kept for the application's life.
struct DrawingsState
{
    std::uint8_t StepCounter = 1; // how many steps the next "Один Шаг" draws, 1 to 36
};

// Every walk drawing moves the counter on by one, from 36 back to 1.
void advanceStepCounter(DrawingsState &state);

// The items of "Множитель": nominal lengths (the rank index) or "Единый" (one).
enum class StepLength
{
    Nominal = 0,
    Single = 1
};

// Where the walk starts: the centre the axes cross, so the whole walk lies on
// the picture.
QPoint walkStart(int width, int height);

// The lines of the first count steps from start, one pixel per unit of length.
// A cell without a card draws nothing and leaves the point where it is; a step
// of no length draws nothing either.
QVector<QLine> walkLines(const TextGrid &analysisTable, int count, StepLength mode, QPoint start);
