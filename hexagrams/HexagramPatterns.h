#pragma once

#include <QString>

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
