// SPDX-License-Identifier: GPL-3.0-or-later
#include "hexagrams/HexagramAnalysis.h"
#include "../TestSupport.h"
#include "HexagramFixtures.h"

#include <gtest/gtest.h>

namespace {

const QString X = QStringLiteral("X");

} // namespace

TEST(BalanceMark, GivesTheMarkOfZeroToFourMarkedSuits)
{
    EXPECT_EQ(BalanceMark(0), QStringLiteral("--"));
    EXPECT_EQ(BalanceMark(1), QStringLiteral("-"));
    EXPECT_EQ(BalanceMark(2), QStringLiteral("="));
    EXPECT_EQ(BalanceMark(3), QStringLiteral("+"));
    EXPECT_EQ(BalanceMark(4), QStringLiteral("++"));
}

TEST(RankSuitTable, MarksExactlyTheMobileCardsBySuitAndRank)
{
    HexagramTables tables;
    const TTLKoloda chain = chainWithMobileCards({"7п", "8б", "Вк", "9ч", "Тч"});
    AnalyseRankSuitTable(chain, tables.StringGrid2, tables.report);

    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 9; ++c) {
            const QString card = RankLetters[c] + SuitLetters[r];
            const bool mobile = QStringList{"7п", "8б", "Вк", "9ч", "Тч"}.contains(card);
            EXPECT_EQ(tables.StringGrid2.cell(c, r), mobile ? X : QString()) << card.toStdString();
        }
    EXPECT_EQ(HexagramTables::columnCells(tables.StringGrid2, 10, 1, 4),
              (QStringList{"1", "1", "1", "2"}));
}

TEST(RankSuitTable, OnlyEverAddsMarks)
{
    HexagramTables tables;
    tables.StringGrid2.setCell(1, 1, X);
    AnalyseRankSuitTable(chainWithMobileCards({}), tables.StringGrid2, tables.report);
    EXPECT_EQ(tables.StringGrid2.cell(1, 1), X);
}

TEST(RankSuitTable, CountsAndMarksEveryRankColumn)
{
    HexagramTables tables;
    // Rank 6 none, 7 one suit, 8 two, 9 three, X all four; В, Д, К, Т two each.
    const TTLKoloda chain =
        chainWithMobileCards({"7п", "8п", "8б", "9п", "9б", "9к", "Xп", "Xб", "Xк", "Xч", "Вк",
                              "Вч", "Дп", "Дч", "Кб", "Кк", "Тп", "Тк"});
    AnalyseRankSuitTable(chain, tables.StringGrid2, tables.report);

    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid2, 5, 1, 9),
              (QStringList{"0", "1", "2", "3", "4", "2", "2", "2", "2"}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid2, 6, 1, 9),
              (QStringList{"--", "-", "=", "+", "++", "=", "=", "=", "="}));
    EXPECT_EQ(HexagramTables::columnCells(tables.StringGrid2, 10, 1, 4),
              (QStringList{"6", "4", "5", "3"}));
    // "++" and "--" are no balance: only the five "=" count.
    EXPECT_EQ(tables.report.lines(), (QStringList{" Сбалансированных участков  = 5 шт.",
                                                  " Полная балансировка невозможна."}));
    EXPECT_TRUE(tables.StringGrid2.cell(10, 5).isEmpty());
    EXPECT_TRUE(tables.StringGrid2.cell(10, 6).isEmpty());
}

namespace {

// Cases print by name in test listings.
using ::PrintTo;

struct VerdictCase
{
    const char *name;
    int balancedRanks;
    const char *countLine;
    const char *verdictLine;
};

class BalanceVerdict : public ::testing::TestWithParam<VerdictCase>
{
};

} // namespace

// The first n ranks have two mobile suits each; the others none.
TEST_P(BalanceVerdict, CountsTheBalancedRanksAgainstSixOfNine)
{
    const VerdictCase &verdict = GetParam();
    QStringList mobile;
    for (int c = 1; c <= verdict.balancedRanks; ++c)
        mobile << RankLetters[c] + SuitLetters[1] << RankLetters[c] + SuitLetters[2];
    HexagramTables tables;
    AnalyseRankSuitTable(chainWithMobileCards(mobile), tables.StringGrid2, tables.report);

    EXPECT_EQ(tables.report.lines(), (QStringList{QString::fromUtf8(verdict.countLine),
                                                  QString::fromUtf8(verdict.verdictLine)}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid2, 6, 1, 9).count(QStringLiteral("=")),
              verdict.balancedRanks);
}

INSTANTIATE_TEST_SUITE_P(
    RankSuitTable, BalanceVerdict,
    ::testing::Values(VerdictCase{"none", 0, " Сбалансированных участков  = 0 шт.",
                                  " Полная балансировка невозможна."},
                      VerdictCase{"five", 5, " Сбалансированных участков  = 5 шт.",
                                  " Полная балансировка невозможна."},
                      VerdictCase{"six", 6, " Сбалансированных участков  = 6 шт.",
                                  " Полная балансировка возможна."},
                      VerdictCase{"all_nine", 9, " Сбалансированных участков  = 9 шт.",
                                  " Полная балансировка возможна."}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(HexagramTable, CarriesRanksNineSixXDKTIntoTheSixLines)
{
    HexagramTables tables;
    const TTLKoloda chain =
        chainWithMobileCards({"9п", "6б", "Xк", "Дч", "Кп", "Кб", "Тп", "Тб", "Тк"});
    AnalyseRankSuitTable(chain, tables.StringGrid2, tables.report);
    BuildHexagramTable(tables.StringGrid2, tables.StringGrid3);

    const QString _;
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, 1, 1, 7),
              (QStringList{X, _, _, _, X, X, "3"}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, 2, 1, 7),
              (QStringList{_, X, _, _, X, X, "3"}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, 3, 1, 7),
              (QStringList{_, _, X, _, _, X, "2"}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, 4, 1, 7),
              (QStringList{_, _, _, X, _, _, "1"}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, 5, 1, 6),
              (QStringList{"1", "1", "1", "1", "2", "3"}));
    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid3, 6, 1, 6),
              (QStringList{"-", "-", "-", "-", "=", "+"}));
}

TEST(HexagramTable, RepeatsTheMarksOfTheSameRanks)
{
    HexagramTables tables;
    const TTLKoloda chain = chainWithMobileCards(
        {"6п", "6б", "6к", "9ч", "Xп", "Xб", "Xк", "Xч", "Дб", "Кк", "Кч", "Тп", "Тк", "Тч"});
    AnalyseRankSuitTable(chain, tables.StringGrid2, tables.report);
    BuildHexagramTable(tables.StringGrid2, tables.StringGrid3);

    const int rankOfLine[] = {4, 1, 5, 7, 8, 9};
    for (int line = 1; line <= 6; ++line) {
        SCOPED_TRACE(line);
        EXPECT_EQ(tables.StringGrid3.cell(line, 5),
                  tables.StringGrid2.cell(rankOfLine[line - 1], 5));
        EXPECT_EQ(tables.StringGrid3.cell(line, 6),
                  tables.StringGrid2.cell(rankOfLine[line - 1], 6));
    }
}

TEST(HexagramTable, SevenEightAndJackAreMarkedButGiveNoLine)
{
    HexagramTables tables;
    TTLKoloda chain = chainWithMobileCards({"7п", "8п", "Вп", "7б", "Вк"});
    tables.analyse(chain);

    EXPECT_EQ(HexagramTables::rowCells(tables.StringGrid2, 1, 1, 9),
              (QStringList{"", X, X, "", "", X, "", "", ""}));
    EXPECT_EQ(HexagramTables::columnCells(tables.StringGrid2, 10, 1, 4),
              (QStringList{"3", "1", "1", "0"}));
    EXPECT_EQ(HexagramTables::columnCells(tables.StringGrid3, 7, 1, 4),
              (QStringList{"0", "0", "0", "0"}));
    EXPECT_EQ(HexagramTables::columnCells(tables.StringGrid3, 8, 1, 4),
              (QStringList{"2", "2", "2", "2"}));
}

namespace {

// Cases print by name in test listings.
using ::PrintTo;

struct SuitHexagramCase
{
    const char *name;
    QStringList mobile;
    int row;
    int number;
};

class SuitHexagram : public ::testing::TestWithParam<SuitHexagramCase>
{
};

} // namespace

TEST_P(SuitHexagram, IsLookedUpFromTheSuitsSixLines)
{
    const SuitHexagramCase &suit = GetParam();
    HexagramTables tables;
    TTLKoloda chain = chainWithMobileCards(suit.mobile);
    AnalyseRankSuitTable(chain, tables.StringGrid2, tables.report);
    BuildHexagramTable(tables.StringGrid2, tables.StringGrid3);
    FindChainHexagrams(chain, tables.StringGrid3);

    for (int r = 1; r <= 4; ++r) {
        SCOPED_TRACE(r);
        const int expected = r == suit.row ? suit.number : 2;
        EXPECT_EQ(chain.HexagramNumbers[r], expected);
        EXPECT_EQ(tables.StringGrid3.cell(8, r), QString::number(expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    FindChainHexagrams, SuitHexagram,
    ::testing::Values(SuitHexagramCase{"all_six_lines_of_spades_give_1",
                                       {"9п", "6п", "Xп", "Дп", "Кп", "Тп"},
                                       1,
                                       1},
                      SuitHexagramCase{"no_line_gives_2", {}, 1, 2},
                      SuitHexagramCase{"nine_and_ace_of_diamonds_give_27", {"9б", "Тб"}, 2, 27},
                      SuitHexagramCase{"six_and_ace_of_clubs_give_4", {"6к", "Тк"}, 3, 4},
                      SuitHexagramCase{"nine_and_six_of_hearts_give_19", {"9ч", "6ч", "8ч"}, 4, 19},
                      SuitHexagramCase{"every_card_of_hearts_gives_1",
                                       {"6ч", "7ч", "8ч", "9ч", "Xч", "Вч", "Дч", "Кч", "Тч"},
                                       4,
                                       1}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(FindChainHexagrams, ReadsOnlyExactMarksAsUnbrokenLines)
{
    TextGrid grid(11, 8);
    grid.setCell(1, 1, QStringLiteral("X"));
    grid.setCell(2, 1, QStringLiteral("x"));
    grid.setCell(3, 1, QStringLiteral("X "));
    TTLKoloda chain;
    FindChainHexagrams(chain, grid);
    // Only line 1 is unbroken: "100000".
    EXPECT_EQ(grid.cell(8, 1), QStringLiteral("24"));
    EXPECT_EQ(chain.HexagramNumbers[1], 24);
}
