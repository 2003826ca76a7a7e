// SPDX-License-Identifier: GPL-3.0-or-later
#include "hexagrams/FilterSheet.h"
#include "../TestSupport.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

const QString Undecided = QStringLiteral("?");
const QString X = QStringLiteral("X");
const QString _;

// Column of each rank letter in the sheet.
int column(const char *rank)
{
    const QStringList ranks{"6", "7", "8", "9", "X", "В", "Д", "К", "Т"};
    return int(ranks.indexOf(QString::fromUtf8(rank))) + 1;
}

class FilterSheetTest : public ::testing::Test
{
protected:
    void SetUp() override { sheet.activate(); }

    const QString &cell(int c, int r) const { return sheet.grid().cell(c, r); }

    // Clicks a user cell until it shows the wanted text; at most the three steps
    // of its cycle.
    void setTo(int c, int r, const QString &wanted)
    {
        for (int clicks = 0; clicks < 3 && cell(c, r) != wanted; ++clicks)
            sheet.select(c, r);
        ASSERT_EQ(cell(c, r), wanted);
    }

    // Sets the six pattern ranks of a suit: those named "X", the others empty.
    void setLines(int row, const QStringList &mobileRanks)
    {
        for (const char *rank : {"6", "9", "X", "Д", "К", "Т"})
            setTo(column(rank), row, mobileRanks.contains(QString::fromUtf8(rank)) ? X : _);
    }

    QStringList userCells() const
    {
        QStringList cells;
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 9; ++c)
                cells << cell(c, r);
        return cells;
    }

    FilterSheet sheet;
};

} // namespace

TEST_F(FilterSheetTest, ActivationWritesTheHeadersAndSetsEveryUserCellUndecided)
{
    QStringList rankHeaders;
    for (int c = 1; c <= 9; ++c)
        rankHeaders << cell(c, 0);
    EXPECT_EQ(rankHeaders, (QStringList{"6", "7", "8", "9", "X", "В", "Д", "К", "Т"}));
    EXPECT_EQ((QStringList{cell(0, 1), cell(0, 2), cell(0, 3), cell(0, 4), cell(0, 5), cell(0, 6)}),
              (QStringList{"п", "б", "к", "ч", "m", "hb"}));
    EXPECT_EQ((QStringList{cell(10, 0), cell(11, 0), cell(12, 0)}),
              (QStringList{"m", "#g", "Гексаграмма"}));
    EXPECT_EQ(userCells(), QStringList(36, Undecided));
    EXPECT_EQ(sheet.grid().columnCount(), 13);
    EXPECT_EQ(sheet.grid().rowCount(), 8);
}

TEST_F(FilterSheetTest, ActivationLeavesTheDerivedCellsAsTheyWere)
{
    setLines(1, {"6", "9", "X", "Д", "К", "Т"});
    sheet.activate();
    EXPECT_EQ(userCells(), QStringList(36, Undecided));
    EXPECT_EQ(cell(12, 1), QStringLiteral("111111"));
    EXPECT_EQ(cell(11, 1), QStringLiteral("1"));
    EXPECT_EQ(cell(10, 1), QStringLiteral("6"));
    EXPECT_EQ(cell(1, 5), QStringLiteral("1"));
}

TEST_F(FilterSheetTest, AUserCellCyclesUndecidedMobileEmpty)
{
    sheet.select(4, 2);
    EXPECT_EQ(cell(4, 2), X);
    sheet.select(4, 2);
    EXPECT_EQ(cell(4, 2), _);
    sheet.select(4, 2);
    EXPECT_EQ(cell(4, 2), Undecided);
}

TEST_F(FilterSheetTest, ThreeClicksReturnEveryUserCellToWhatItWas)
{
    for (const QString &start : {Undecided, X, _}) {
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 9; ++c) {
                setTo(c, r, start);
                for (int click = 0; click < 3; ++click)
                    sheet.select(c, r);
                EXPECT_EQ(cell(c, r), start) << "column " << c << " row " << r;
            }
    }
}

TEST_F(FilterSheetTest, FirstClickFillsTheDerivedCellsWithoutANumber)
{
    sheet.select(column("9"), 3);

    for (int r = 1; r <= 4; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(cell(12, r), r == 3 ? QStringLiteral("?1????") : QStringLiteral("??????"));
        EXPECT_EQ(cell(11, r), _);
        EXPECT_EQ(cell(10, r), r == 3 ? QStringLiteral("1") : QStringLiteral("0"));
    }
    for (int c = 1; c <= 9; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(cell(c, 5), c == 4 ? QStringLiteral("1") : QStringLiteral("0"));
        EXPECT_EQ(cell(c, 6), c == 4 ? QStringLiteral("-") : QStringLiteral("--"));
    }
}

namespace {

// Cases print by name in test listings.
using ::PrintTo;

struct PatternCase
{
    const char *name;
    int row;
    QStringList mobileRanks;
    const char *pattern;
    const char *number;
};

class FilterPattern : public FilterSheetTest, public ::testing::WithParamInterface<PatternCase>
{
};

} // namespace

TEST_P(FilterPattern, ShowsTheSuitsPatternAndHexagram)
{
    const PatternCase &expected = GetParam();
    setLines(expected.row, expected.mobileRanks);
    EXPECT_EQ(cell(12, expected.row), QString::fromLatin1(expected.pattern));
    EXPECT_EQ(cell(11, expected.row), QString::fromLatin1(expected.number));
    EXPECT_EQ(cell(10, expected.row), QString::number(expected.mobileRanks.size()));
}

// Six is the bottom line here and nine the second.
INSTANTIATE_TEST_SUITE_P(
    FilterSheet, FilterPattern,
    ::testing::Values(
        PatternCase{"all_six_mobile_give_1", 1, {"6", "9", "X", "Д", "К", "Т"}, "111111", "1"},
        PatternCase{"none_mobile_give_2", 1, {}, "000000", "2"},
        PatternCase{"six_and_ace_give_27", 3, {"6", "Т"}, "100001", "27"},
        PatternCase{"nine_and_ace_give_4", 3, {"9", "Т"}, "010001", "4"},
        PatternCase{"nine_alone_gives_7", 4, {"9"}, "010000", "7"}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(FilterSheetTest, RanksWithoutALineNeverBlockANumber)
{
    setLines(2, {"X", "К"});
    // Ranks 7, 8 and В are still "?" in every row.
    EXPECT_EQ(cell(2, 2), Undecided);
    EXPECT_EQ(cell(12, 2), QStringLiteral("001010"));
    EXPECT_EQ(cell(11, 2), QStringLiteral("39"));
}

TEST_F(FilterSheetTest, RanksWithoutALineCountInTheirColumnButNotForTheSuit)
{
    setLines(1, {});
    for (const char *rank : {"7", "8", "В"})
        setTo(column(rank), 1, X);
    setTo(column("7"), 2, X);

    EXPECT_EQ(cell(10, 1), QStringLiteral("0"));
    EXPECT_EQ(cell(12, 1), QStringLiteral("000000"));
    EXPECT_EQ(cell(11, 1), QStringLiteral("2"));
    EXPECT_EQ((QStringList{cell(column("7"), 5), cell(column("8"), 5), cell(column("В"), 5)}),
              (QStringList{"2", "1", "1"}));
    EXPECT_EQ((QStringList{cell(column("7"), 6), cell(column("8"), 6), cell(column("В"), 6)}),
              (QStringList{"=", "-", "-"}));
}

TEST_F(FilterSheetTest, RankColumnsCountTheirMobileSuitsAndMarkTheBalance)
{
    setTo(column("Д"), 1, X);
    setTo(column("Д"), 2, X);
    setTo(column("Д"), 3, X);
    setTo(column("К"), 1, X);
    setTo(column("К"), 2, X);
    setTo(column("К"), 3, X);
    setTo(column("К"), 4, X);
    setTo(column("Т"), 1, X);
    setTo(column("Т"), 4, X);
    setTo(column("9"), 4, _);

    EXPECT_EQ((QStringList{cell(column("9"), 5), cell(column("Т"), 5), cell(column("Д"), 5),
                           cell(column("К"), 5)}),
              (QStringList{"0", "2", "3", "4"}));
    EXPECT_EQ((QStringList{cell(column("9"), 6), cell(column("Т"), 6), cell(column("Д"), 6),
                           cell(column("К"), 6)}),
              (QStringList{"--", "=", "+", "++"}));
}

TEST_F(FilterSheetTest, ClicksOutsideTheUserCellsOnlyRecompute)
{
    // Activation leaves the derived cells of the earlier sheet stale.
    setLines(1, {"6", "9", "X", "Д", "К", "Т"});
    sheet.activate();
    const QStringList before = userCells();

    for (const auto &[c, r] : std::initializer_list<std::pair<int, int>>{
             {0, 0}, {3, 0}, {0, 2}, {10, 1}, {11, 3}, {12, 4}, {4, 5}, {7, 6}, {5, 7}, {12, 7}}) {
        SCOPED_TRACE(testing::Message() << "column " << c << " row " << r);
        sheet.grid().setCell(12, 1, QStringLiteral("stale"));
        sheet.select(c, r);
        EXPECT_EQ(userCells(), before);
        EXPECT_EQ(cell(12, 1), QStringLiteral("??????"));
        EXPECT_EQ(cell(11, 1), _);
        EXPECT_EQ(cell(10, 1), QStringLiteral("0"));
        EXPECT_EQ(cell(1, 5), QStringLiteral("0"));
    }
    EXPECT_EQ(cell(0, 0), _);
    EXPECT_EQ(cell(3, 0), QStringLiteral("8"));
}
