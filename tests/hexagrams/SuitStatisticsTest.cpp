// SPDX-License-Identifier: GPL-3.0-or-later
#include "hexagrams/SuitStatistics.h"
#include "../TestSupport.h"
#include "HexagramFixtures.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <array>

namespace {

const QString X = QStringLiteral("X");

class SuitStatisticsTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

// A hexagram table whose columns carry the given marks; the suit rows are marked
// "X" in each column as the mark demands, suit п first.
struct HexagramTableWithMarks : TextGrid
{
    explicit HexagramTableWithMarks(const std::array<const char *, 6> &marks) : TextGrid(11, 8)
    {
        for (int c = 1; c <= 6; ++c) {
            const QString mark = QString::fromUtf8(marks[std::size_t(c - 1)]);
            int marked = 0;
            while (marked < 4 && BalanceMark(marked) != mark)
                ++marked;
            for (int r = 1; r <= marked; ++r)
                setCell(c, r, X);
            setCell(c, 6, mark);
        }
    }
};

QStringList statisticsColumn(const TextGrid &grid)
{
    return HexagramTables::columnCells(grid, 9, 1, 4);
}

} // namespace

TEST_F(SuitStatisticsTest, FactorsFollowTheMarkAndTheSuitsCell)
{
    EXPECT_EQ(BalanceFactor(QStringLiteral("++"), true), 0.5L);
    EXPECT_EQ(BalanceFactor(QStringLiteral("--"), false), 0.5L);
    EXPECT_EQ(BalanceFactor(QStringLiteral("+"), true), 0.66L);
    EXPECT_EQ(BalanceFactor(QStringLiteral("+"), false), 1.0L);
    EXPECT_EQ(BalanceFactor(QStringLiteral("="), true), 1.0L);
    EXPECT_EQ(BalanceFactor(QStringLiteral("="), false), 1.0L);
    EXPECT_EQ(BalanceFactor(QStringLiteral("-"), true), 1.0L);
    EXPECT_EQ(BalanceFactor(QStringLiteral("-"), false), 0.66L);
}

namespace {

// Cases print by name in test listings.
using ::PrintTo;

struct ShownCase
{
    const char *name;
    long double value;
    const char *shown;
};

class ShownStatistic : public SuitStatisticsTest, public ::testing::WithParamInterface<ShownCase>
{
};

} // namespace

TEST_P(ShownStatistic, HasTwoDecimalsAfterThreeSignificantDigits)
{
    EXPECT_EQ(formatSuitStatistic(GetParam().value), QString::fromLatin1(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    SuitStatistics, ShownStatistic,
    ::testing::Values(ShownCase{"one", 1.0L, "1.00"}, ShownCase{"zero", 0.0L, "0.00"},
                      ShownCase{"two_thirds", 0.66L, "0.66"},
                      ShownCase{"two_majorities", 1.0L * 0.66L * 0.66L, "0.44"},
                      ShownCase{"three_halves", 1.0L * 0.5L * 0.5L * 0.5L, "0.13"},
                      ShownCase{"two_halves_and_a_majority", 1.0L * 0.5L * 0.5L * 0.66L, "0.17"},
                      ShownCase{"six_halves", 0.015625L, "0.02"},
                      ShownCase{"rounds_up_twice", 0.9949L, "1.00"},
                      ShownCase{"stays_below_the_half", 0.994L, "0.99"},
                      ShownCase{"half_a_hundredth", 0.005L, "0.01"},
                      ShownCase{"under_half_a_hundredth", 0.0049L, "0.00"},
                      ShownCase{"larger_values_keep_three_digits", 12.345L, "12.30"}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

namespace {

// The shown statistic of a suit with a factors 0.5 and b factors 0.66, the rest
// 1.0; empty where the six columns cannot hold a and b.
constexpr const char *ShownByHalvesAndMajorities[7][7] = {
    {"1.00", "0.66", "0.44", "0.29", "0.19", "0.13", "0.08"},
    {"0.50", "0.33", "0.22", "0.14", "0.09", "0.06", ""},
    {"0.25", "0.17", "0.11", "0.07", "0.05", "", ""},
    {"0.13", "0.08", "0.05", "0.04", "", "", ""},
    {"0.06", "0.04", "0.03", "", "", "", ""},
    {"0.03", "0.02", "", "", "", "", ""},
    {"0.02", "", "", "", "", "", ""},
};

} // namespace

TEST_F(SuitStatisticsTest, ShowsEveryPossibleProductAsTheTableGivesIt)
{
    for (int a = 0; a <= 6; ++a)
        for (int b = 0; a + b <= 6; ++b)
            for (const bool halvesFirst : {true, false}) {
                SCOPED_TRACE(testing::Message()
                             << "a=" << a << " b=" << b
                             << (halvesFirst ? " halves first" : " halves last"));
                // Suit п: "++" halves it, "+" (it is one of the three) gives 0.66.
                std::array<const char *, 6> marks;
                marks.fill("=");
                for (int i = 0; i < a + b; ++i) {
                    const bool half = halvesFirst ? i < a : i >= b;
                    marks[std::size_t(i)] = half ? "++" : "+";
                }
                HexagramTableWithMarks grid(marks);
                TTLKoloda chain;
                ReportLog report;
                ComputeSuitStatistics(chain, grid, report);
                EXPECT_EQ(grid.cell(9, 1), QString::fromLatin1(ShownByHalvesAndMajorities[a][b]));
            }
}

TEST_F(SuitStatisticsTest, StoresTheShownValuesInTheTableTheChainAndTheReport)
{
    // Line 1 "+" (п, б, к), line 2 "-" (п), line 3 "++", the rest balanced.
    HexagramTableWithMarks grid({"+", "-", "++", "=", "=", "="});
    TTLKoloda chain;
    ReportLog report;
    report.append(QStringLiteral("earlier line"));
    ComputeSuitStatistics(chain, grid, report);

    const QStringList shown{"0.33", "0.22", "0.22", "0.33"};
    EXPECT_EQ(statisticsColumn(grid), shown);
    const QString line = QStringLiteral("P(п,б,к,ч) = {0.33;0.22;0.22;0.33}");
    EXPECT_EQ(report.lines(), (QStringList{"earlier line", line}));
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(chain.SuitStatistics[r], shown[r - 1]);
    EXPECT_EQ(chain.SuitStatistics[5], line);
}

TEST_F(SuitStatisticsTest, AMajorityColumnGivesTheThreeSuitsTwoThirdsAndTheFourthNothing)
{
    HexagramTableWithMarks grid({"=", "=", "=", "+", "=", "="});
    TTLKoloda chain;
    ReportLog report;
    ComputeSuitStatistics(chain, grid, report);
    EXPECT_EQ(statisticsColumn(grid), (QStringList{"0.66", "0.66", "0.66", "1.00"}));
}

TEST_F(SuitStatisticsTest, AMinorityColumnGivesTheLoneSuitNothingAndTheOthersTwoThirds)
{
    HexagramTableWithMarks grid({"=", "=", "=", "=", "=", "="});
    grid.setCell(5, 6, QStringLiteral("-"));
    grid.setCell(5, 1, QString());
    grid.setCell(5, 2, QString());
    grid.setCell(5, 3, X);
    TTLKoloda chain;
    ReportLog report;
    ComputeSuitStatistics(chain, grid, report);
    EXPECT_EQ(statisticsColumn(grid), (QStringList{"0.66", "0.66", "1.00", "0.66"}));
}

// Through the analyses: ranks 6, X, Д, К, Т balanced (п and б mobile).
TEST_F(SuitStatisticsTest, AllBalancedLinesLeaveEverySuitAtOne)
{
    HexagramTables tables;
    TTLKoloda chain = chainWithMobileCards(
        {"6п", "6б", "9к", "9ч", "Xп", "Xб", "Дп", "Дб", "Кп", "Кб", "Тп", "Тб"});
    tables.analyse(chain);
    EXPECT_EQ(statisticsColumn(tables.StringGrid3), (QStringList{"1.00", "1.00", "1.00", "1.00"}));
}

TEST_F(SuitStatisticsTest, ALineAllSuitsShareHalvesEverySuit)
{
    const QStringList balancedElsewhere{"6п", "6б", "Xп", "Xб", "Дп", "Дб", "Кп", "Кб", "Тп", "Тб"};
    for (const bool allMobile : {true, false}) {
        SCOPED_TRACE(allMobile ? "++" : "--");
        HexagramTables tables;
        QStringList mobile = balancedElsewhere;
        if (allMobile)
            mobile << "9п"
                   << "9б"
                   << "9к"
                   << "9ч";
        TTLKoloda chain = chainWithMobileCards(mobile);
        tables.analyse(chain);
        EXPECT_EQ(tables.StringGrid3.cell(1, 6), allMobile ? "++" : "--");
        EXPECT_EQ(statisticsColumn(tables.StringGrid3),
                  (QStringList{"0.50", "0.50", "0.50", "0.50"}));
        EXPECT_EQ(tables.report.lines().last(),
                  QStringLiteral("P(п,б,к,ч) = {0.50;0.50;0.50;0.50}"));
    }
}

TEST_F(SuitStatisticsTest, UsesTheLocalesDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(formatSuitStatistic(1.0L * 0.66L * 0.66L), QStringLiteral("0,44"));

    HexagramTableWithMarks grid({"+", "+", "=", "=", "=", "="});
    TTLKoloda chain;
    ReportLog report;
    ComputeSuitStatistics(chain, grid, report);
    EXPECT_EQ(report.lines(), (QStringList{"P(п,б,к,ч) = {0,44;0,44;0,44;1,00}"}));
    EXPECT_EQ(chain.SuitStatistics[4], QStringLiteral("1,00"));
}
