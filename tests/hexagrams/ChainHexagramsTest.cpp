// SPDX-License-Identifier: GPL-3.0-or-later
#include "../TestSupport.h"
#include "HexagramFixtures.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

const QString X = QStringLiteral("X");
const QString _;

// A chain text read and collapsed as an analysis run does it, then handed to the
// four hexagram analyses in their order.
class AnalysedChain : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    void analyse(const QString &text)
    {
        ASSERT_FALSE(ReadChain(text, chain).isShort);
        AnalyseChain(chain);
        tables.analyse(chain);
    }

    TTLKoloda chain;
    HexagramTables tables;
};

} // namespace

// Every card but the four sixes moves in the ordered deck.
TEST_F(AnalysedChain, OrderedDeckMarksAllButTheSixes)
{
    analyse(OrderedDeckText);

    for (int r = 1; r <= 4; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid2, r, 1, 10),
                  (QStringList{_, X, X, X, X, X, X, X, X, "8"}));
    }
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid2, 5, 1, 9),
              (QStringList{"0", "4", "4", "4", "4", "4", "4", "4", "4"}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid2, 6, 1, 9),
              (QStringList{"--", "++", "++", "++", "++", "++", "++", "++", "++"}));
}

TEST_F(AnalysedChain, OrderedDeckGivesFellowshipInEverySuitAtTheLowestStatistic)
{
    analyse(OrderedDeckText);

    for (int r = 1; r <= 4; ++r) {
        SCOPED_TRACE(r);
        // Lines 9, 6, X, Д, К, Т: only the six is broken, "101111".
        EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, r, 1, 9),
                  (QStringList{X, _, X, X, X, X, "5", "13", "0.02"}));
        EXPECT_EQ(chain.HexagramNumbers[r], 13);
        EXPECT_EQ(chain.SuitStatistics[r], QStringLiteral("0.02"));
    }
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, 5, 1, 7),
              (QStringList{"4", "0", "4", "4", "4", "4", _}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, 6, 1, 7),
              (QStringList{"++", "--", "++", "++", "++", "++", _}));

    const QString statistics = QStringLiteral("P(п,б,к,ч) = {0.02;0.02;0.02;0.02}");
    EXPECT_EQ(tables.report.lines(), (QStringList{" Сбалансированных участков  = 0 шт.",
                                                  " Полная балансировка невозможна.", statistics}));
    EXPECT_EQ(chain.SuitStatistics[5], statistics);
}

// Only the last card, Тч, moves in a chain that does not collapse.
TEST_F(AnalysedChain, ChainWithoutCollapseHasOneLineInHearts)
{
    analyse(NoCollapseText);

    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 9; ++c)
            EXPECT_EQ(tables.StringGrid2.cell(c, r), r == 4 && c == 9 ? X : _)
                << "column " << c << " row " << r;
    EXPECT_EQ(HexagramTables::columnCells(tables.StringGrid3, 8, 1, 4),
              (QStringList{"2", "2", "2", "23"}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, 6, 1, 6),
              (QStringList{"--", "--", "--", "--", "--", "-"}));
    // Five shared lines halve every suit; the lone ace leaves hearts at that and
    // gives the other suits 0.66.
    EXPECT_EQ(tables.report.lines(), (QStringList{" Сбалансированных участков  = 0 шт.",
                                                  " Полная балансировка невозможна.",
                                                  "P(п,б,к,ч) = {0.02;0.02;0.02;0.03}"}));
}
