// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Cards.h"
#include "platform/TextGrid.h"

#include <QString>
#include <QStringList>

// Puts a chain into the card row of an analysis table, as the analysis run
// leaves it: row 1, columns 1 to 36, one card text each.
inline void putChain(TextGrid &table, const QString &chainText)
{
    table.clearRange(1, 1, 36, 1);
    const QStringList cards = chainText.split(u' ', Qt::SkipEmptyParts);
    for (int k = 1; k <= cards.size() && k <= 36; ++k)
        table.setCell(k, 1, cards[k - 1]);
}

// The main window's analysis table with a chain in its card row.
struct ChainTable : TextGrid
{
    explicit ChainTable(const QString &chainText) : TextGrid(38, 8) { putChain(*this, chainText); }
};

// Spades, diamonds and clubs of each rank in turn, then the nine hearts: every
// spade is dealt before any heart, but not in one run.
inline QString spadesBeforeHeartsText()
{
    QStringList cards;
    for (int r = 1; r <= 9; ++r)
        cards << RankLetters[r] + SuitLetters[1] << RankLetters[r] + SuitLetters[2]
              << RankLetters[r] + SuitLetters[3];
    for (int r = 1; r <= 9; ++r)
        cards << RankLetters[r] + SuitLetters[4];
    return cards.join(u' ');
}
