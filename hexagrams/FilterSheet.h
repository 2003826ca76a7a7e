// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextGrid.h"

#include <QString>

// The filter window's work sheet for line patterns, without the window: suits
// by ranks as in the rank-by-suit table, 36 cells the user sets to "?"
// (undecided), "X" (mobile) or empty (not mobile), and derived cells recomputed
// at every selection: per suit the mobile count, the hexagram number and the
// line pattern, per rank the count and the balance mark.
class FilterSheet
{
public:
    static constexpr int Columns = 13;
    static constexpr int Rows = 8;
    static constexpr int CountColumn = 10;   // "m": "X" among the suit's six pattern cells
    static constexpr int NumberColumn = 11;  // "#g": hexagram number, empty while undecided
    static constexpr int PatternColumn = 12; // "Гексаграмма": six of "1", "0", "?"
    static constexpr int CountRow = 5;       // "m": "X" in the rank's column
    static constexpr int MarkRow = 6;        // "hb": the rank's balance mark

    FilterSheet();

    // What activating the window does to the sheet: the header texts, and every
    // user cell back to "?". The derived cells keep what they showed until the
    // next selection.
    void activate();

    // A cell is about to be selected (the selection is never refused): a user
    // cell advances "?" -> "X" -> empty -> "?"; then, whichever cell it was,
    // every derived cell is recomputed.
    void select(int column, int row);

    const TextGrid &grid() const { return grid_; }
    TextGrid &grid() { return grid_; }

    // Columns 1..9, rows 1..4: the cells the user sets.
    static bool isUserCell(int column, int row);
    // The ranks 7, 8 and В (columns 2, 3, 6) have no line in a pattern.
    static bool hasNoLine(int column);

private:
    void recompute();

    TextGrid grid_{Columns, Rows};
};
