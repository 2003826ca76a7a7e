// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Title and judgement of one hexagram of the King Wen sequence.
struct HexagramText
{
    QString Title; // "ЦЯНЬ. Творчество.": name in capitals, a point, a space, meaning, a point
    QString Judgement; // one or more Russian sentences
};

// The 64 texts in King Wen order; entry n (1 to 64) belongs to hexagram n.
class HexagramTextTable
{
public:
    static constexpr int Count = 64;
    // n outside 1..64 yields an empty entry rather than reading past the table.
    const HexagramText &operator[](int n) const;
};

extern const HexagramTextTable HexagramTexts;
