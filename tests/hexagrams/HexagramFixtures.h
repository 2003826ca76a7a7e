// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Cards.h"
#include "hexagrams/HexagramAnalysis.h"
#include "hexagrams/SuitStatistics.h"
#include "platform/ReportLog.h"
#include "platform/TextGrid.h"

#include <QStringList>

// The 36 cards in deck order; the named cards ("9б", "Тб") are mobile, every
// other card stationary.
inline TTLKoloda chainWithMobileCards(const QStringList &mobile)
{
    TTLKoloda chain;
    int position = 0;
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 9; ++r) {
            TKarta &card = chain.Cards[++position];
            card.Rank = RankLetters[r];
            card.Suit = SuitLetters[s];
            card.Position = position;
            card.MobileCount = mobile.contains(card.name()) ? 1 : 0;
        }
    return chain;
}

// The main window's two hexagram tables and its report, as the analyses see them
// after the tables were emptied.
struct HexagramTables
{
    TextGrid StringGrid2{11, 8};
    TextGrid StringGrid3{11, 8};
    ReportLog report;

    // The four analyses in the order an analysis run calls them.
    void analyse(TTLKoloda &chain)
    {
        AnalyseRankSuitTable(chain, StringGrid2, report);
        BuildHexagramTable(StringGrid2, StringGrid3);
        FindChainHexagrams(chain, StringGrid3);
        ComputeSuitStatistics(chain, StringGrid3, report);
    }

    // Cells (first..last, row) of a table, left to right.
    static QStringList rowCells(const TextGrid &grid, int row, int first, int last)
    {
        QStringList cells;
        for (int c = first; c <= last; ++c)
            cells << grid.cell(c, row);
        return cells;
    }

    static QStringList columnCells(const TextGrid &grid, int column, int first, int last)
    {
        QStringList cells;
        for (int r = first; r <= last; ++r)
            cells << grid.cell(column, r);
        return cells;
    }
};
