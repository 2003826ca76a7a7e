// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>

// The line patterns of the 64 hexagrams in the King Wen order: six characters,
// the bottom line first, "1" for an unbroken line and "0" for a broken one.
class HexagramPatternTable
{
public:
    static constexpr int Count = 64;
    // n outside 1..64 yields the empty text.
    const QString &operator[](int n) const;
    // The number (1..64) of the hexagram with this pattern, 0 when none has it.
    int find(const QString &pattern) const;
};

extern const HexagramPatternTable HexagramPatterns;

// The rank (1..9: 6 7 8 9 X В Д К Т) whose mobile cards of a suit make each line
// of its hexagram, line 1 (the bottom) to line 6: 9, 6, X, Д, К, Т.
inline constexpr std::array<int, 7> HexagramLineRank = {0, 4, 1, 5, 7, 8, 9};

// The number of the hexagram whose line i is unbroken where bit i - 1 of lines
// is set: the fast paths' form of HexagramPatterns.find.
int hexagramOfLines(unsigned lines);
