// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ChainStatistics.h"
#include "../TestSupport.h"
#include "analysis/MainTables.h"
#include "engine/Collapse.h"
#include "engine/Deck.h"

#include <QJsonArray>
#include <QLocale>

#include <numeric>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t Seed = 20260;

template <typename Counts> std::uint64_t sum(const Counts &counts)
{
    return std::accumulate(counts.begin(), counts.end(), std::uint64_t(0));
}

// Every histogram adds up to what it counts.
void expectConsistent(const DealStatistics &s)
{
    EXPECT_EQ(sum(s.left), s.deals);
    EXPECT_EQ(s.left[0] + s.left[1], 0u);
    EXPECT_EQ(s.solved, s.left[2]);
    EXPECT_EQ(sum(s.efl), s.solved);
    EXPECT_EQ(s.efl[0], 0u) << "a chain that collapses to two has an EFL of at least 1";
    EXPECT_EQ(sum(s.transits), s.solved);
    EXPECT_LE(s.fullBalance, s.solved);
    for (const auto &suit : s.hexagrams) {
        EXPECT_EQ(sum(suit), s.solved);
        EXPECT_EQ(suit[0], 0u);
    }
}

// The figures of a chain as the analysis run shows them in its tables and report.
struct TableFigures
{
    int left = 0;
    ChainFigures figures;
};

TableFigures analysedInTables(const QString &text)
{
    MainTables tables;
    ChainState state;
    TestServices services;
    TTLKoloda chain = RunAnalysis(tables, state, services, text);
    TableFigures result;
    result.left = tables.RichEdit1.lines()
                      .value(0)
                      .remove(QStringLiteral("Свёртка до "))
                      .remove(QStringLiteral(" карт"))
                      .toInt();
    QString name, efl;
    std::uint8_t index = 0;
    result.figures.efl = findDeepestCardsOf(chain, name, index, efl);
    result.figures.transits = tables.StringGrid1.cell(37, 5).toInt();
    result.figures.fullBalance =
        tables.RichEdit1.lines().contains(QStringLiteral(" Полная балансировка возможна."));
    for (int r = 1; r <= 4; ++r)
        result.figures.hexagrams[std::size_t(r - 1)] = tables.StringGrid3.cell(8, r).toInt();
    return result;
}

} // namespace

// Failures print the figures, not their bytes.
void PrintTo(const ChainFigures &f, std::ostream *out)
{
    *out << "EFL " << f.efl << ", transits " << f.transits << ", balance " << f.fullBalance
         << ", hexagrams " << f.hexagrams[0] << ' ' << f.hexagrams[1] << ' ' << f.hexagrams[2]
         << ' ' << f.hexagrams[3];
}

void PrintTo(const DealStatistics &s, std::ostream *out)
{
    const auto histogram = [out](const char *name, const auto &counts) {
        *out << "; " << name;
        for (std::size_t n = 0; n < counts.size(); ++n)
            if (counts[n] != 0)
                *out << ' ' << n << ':' << counts[n];
    };
    *out << s.deals << " deals, " << s.solved << " to two, " << s.fullBalance << " balanced";
    histogram("left", s.left);
    histogram("EFL", s.efl);
    histogram("transits", s.transits);
    const std::array<const char *, 4> suits{"п", "б", "к", "ч"};
    for (std::size_t suit = 0; suit < suits.size(); ++suit)
        histogram(suits[suit], s.hexagrams[suit]);
}

struct RunCase
{
    const char *name;
    std::uint64_t deals;
};

class StatisticsRuns : public ::testing::TestWithParam<RunCase>
{
};

TEST_P(StatisticsRuns, CountExactlyTheDealsAndRepeatOnAnyNumberOfThreads)
{
    const std::uint64_t deals = GetParam().deals;
    const DealStatistics inline0 = collectStatistics(Seed, deals, 0);
    EXPECT_EQ(inline0.deals, deals);
    expectConsistent(inline0);
    for (int threads : {1, 2}) {
        const DealStatistics dealt = collectStatistics(Seed, deals, threads);
        EXPECT_EQ(dealt, inline0) << threads << " threads";
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, StatisticsRuns,
                         ::testing::Values(RunCase{"OneDeal", 1}, RunCase{"LessThanABlock", 1000},
                                           RunCase{"OneBlock", 1024}, RunCase{"ABlockAndOne", 1025},
                                           RunCase{"ManyBlocksAndATail", 300 * 1024 + 77}),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(Statistics, AreTheFirstDealsOfTheRunOneByOne)
{
    // 2500 deals: two whole blocks and part of a third, counted deal by deal on
    // the record path.
    constexpr std::uint64_t Deals = 2500;
    DealStatistics expected;
    auto block = std::make_unique<lanedeal::Block>();
    for (std::uint64_t k = 0; k < Deals; ++k) {
        if (k % lanedeal::BlockSize == 0)
            lanedeal::dealBlock(Seed, k / lanedeal::BlockSize, *block);
        const fastdeal::Deal deal = block->deal(k % lanedeal::BlockSize);
        TTLKoloda chain;
        fastdeal::toRecord(deal, chain);
        const int left = CountCollapse(chain);
        ++expected.deals;
        ++expected.left[std::size_t(left)];
        if (left == 2) {
            ++expected.solved;
            AnalyseChain(chain);
            expected.addSolved(chainFigures(chain));
        }
    }
    EXPECT_EQ(collectStatistics(Seed, Deals, 2), expected);
}

TEST(Statistics, ByteFiguresAreWhatTheAnalysisTablesShow)
{
    lanedeal::ParallelDealer dealer(Seed, 0);
    int compared = 0;
    while (compared < 3000) {
        const std::optional<lanedeal::BlockResult> block = dealer.next(std::chrono::seconds(60));
        ASSERT_TRUE(block);
        for (const lanedeal::SolvedDeal &solved : block->solved) {
            fastdeal::Metrics metrics;
            fastdeal::collapseWithMetrics(solved.deal, metrics);
            const ChainFigures bytes = chainFigures(solved.deal, metrics);
            const TableFigures tables = analysedInTables(fastdeal::toText(solved.deal));
            ASSERT_EQ(tables.left, 2);
            ASSERT_EQ(bytes, tables.figures) << fastdeal::toText(solved.deal).toStdString();
            TTLKoloda record;
            fastdeal::toAnalysedRecord(solved.deal, metrics, record);
            ASSERT_EQ(chainFigures(record), tables.figures);
            ++compared;
        }
    }
}

TEST(Statistics, FiguresOfTheOrderedDeck)
{
    // Worked example: 28 transits, EFL 3; every card but the four sixes moves, so
    // each rank but 6 has four mobile cards and no rank is balanced.
    const TableFigures tables = analysedInTables(OrderedDeckText);
    EXPECT_EQ(tables.figures.efl, 3);
    EXPECT_EQ(tables.figures.transits, 28);
    EXPECT_FALSE(tables.figures.fullBalance);
    fastdeal::Metrics metrics;
    fastdeal::collapseWithMetrics(fastdeal::orderedDeal(), metrics);
    EXPECT_EQ(chainFigures(fastdeal::orderedDeal(), metrics), tables.figures);
}

TEST(Statistics, HexagramOfLinesFollowsThePatternTable)
{
    EXPECT_EQ(hexagramOfLines(0b111111), 1);
    EXPECT_EQ(hexagramOfLines(0b000000), 2);
    EXPECT_EQ(hexagramOfLines(0b010001), 3);  // "100010", bottom line first
    EXPECT_EQ(hexagramOfLines(0b100001), 27); // 9 and Т mobile
    EXPECT_EQ(hexagramOfLines(0b010101), 63); // "101010"
}

TEST(Statistics, PartsCountedApartMergeIntoTheCountsOfTheWholeRun)
{
    // Each block counted on its own, as a worker would count its share, then
    // merged in an order other than the deals' own, plus a last part of a few
    // deals: together exactly the run counted in one go.
    constexpr std::uint64_t Blocks = 24;
    constexpr std::size_t TailDeals = 300;
    std::vector<DealStatistics> parts;
    auto block = std::make_unique<lanedeal::Block>();
    for (std::uint64_t b = 0; b <= Blocks; ++b) {
        lanedeal::dealBlock(Seed, b, *block);
        DealStatistics part;
        part.addBlock(
            lanedeal::summarise(*block, {}, b < Blocks ? lanedeal::BlockSize : TailDeals));
        parts.push_back(part);
    }
    const DealStatistics whole =
        collectStatistics(Seed, Blocks * lanedeal::BlockSize + TailDeals, 0);
    ASSERT_GT(whole.fullBalance, 0u) << "every count takes part";

    DealStatistics merged;
    for (std::size_t k = 0; k < parts.size(); ++k)
        merged.merge(parts[(k * 7) % parts.size()]);
    EXPECT_EQ(merged, whole);

    // Halves merged either way round, and a part merged with nothing counted.
    DealStatistics first, second;
    for (std::size_t k = 0; k < parts.size(); ++k)
        (k < parts.size() / 2 ? first : second).merge(parts[k]);
    DealStatistics forth = first, back = second;
    forth.merge(second);
    back.merge(first);
    EXPECT_EQ(forth, whole);
    EXPECT_EQ(back, whole);
    DealStatistics unchanged = first;
    unchanged.merge(DealStatistics{});
    EXPECT_EQ(unchanged, first);
}

TEST(Statistics, ProgressMayEndTheRunEarly)
{
    int calls = 0;
    const DealStatistics partial = collectStatistics(
        Seed, 50'000'000, 1, [&](const DealStatistics &) { return ++calls < 2; },
        std::chrono::milliseconds(1));
    EXPECT_EQ(calls, 2);
    EXPECT_LT(partial.deals, 50'000'000u);
    EXPECT_EQ(partial.deals % lanedeal::BlockSize, 0u);
    expectConsistent(partial);
}

TEST(Statistics, JsonHoldsEveryHistogramWithItsTotal)
{
    const DealStatistics s = collectStatistics(Seed, 100'000, 1);
    const QJsonObject json = statisticsJson(s, Seed, 12);
    EXPECT_EQ(json[u"deals"].toInteger(), 100'000);
    EXPECT_EQ(json[u"solved"].toInteger(), qint64(s.solved));
    EXPECT_EQ(json[u"fullBalance"].toInteger(), qint64(s.fullBalance));
    EXPECT_EQ(json[u"ms"].toInteger(), 12);
    EXPECT_EQ(json[u"seed"].toString(), QString::number(Seed));
    const auto total = [](const QJsonObject &histogram) {
        qint64 all = 0;
        for (const QJsonValue &count : histogram) {
            EXPECT_GT(count.toInteger(), 0) << "values without a count are left out";
            all += count.toInteger();
        }
        return all;
    };
    EXPECT_EQ(total(json[u"left"].toObject()), 100'000);
    EXPECT_EQ(json[u"left"][u"2"].toInteger(), qint64(s.solved));
    EXPECT_EQ(total(json[u"efl"].toObject()), qint64(s.solved));
    EXPECT_EQ(total(json[u"transits"].toObject()), qint64(s.solved));
    const QJsonObject hexagrams = json[u"hexagrams"].toObject();
    EXPECT_EQ(hexagrams.keys(), (QStringList{QStringLiteral("б"), QStringLiteral("к"),
                                             QStringLiteral("п"), QStringLiteral("ч")}));
    for (const QJsonValue &suit : hexagrams)
        EXPECT_EQ(total(suit.toObject()), qint64(s.solved));
}

TEST(Statistics, TableGivesSharesInPerCent)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    DealStatistics s;
    s.deals = 1000;
    s.left[2] = 8;
    s.left[20] = 992;
    s.solved = 8;
    s.efl[5] = 6;
    s.efl[21] = 2;
    s.transits[30] = 8;
    s.fullBalance = 1;
    s.hexagrams = {};
    for (auto &suit : s.hexagrams)
        suit[64] = 8;
    const QStringList lines = statisticsTable(s, 9, 250);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(lines.value(0),
              QStringLiteral("Раскладов: 1 000 (сид 9, 250 мс, 4 000 раскладов/с)"));
    EXPECT_EQ(lines.value(1), QStringLiteral("Сворачиваются до двух карт: 8 (0,800 %)"));
    EXPECT_EQ(lines.value(2),
              QStringLiteral("Полная балансировка возможна: 1 (12,500 % свернувшихся до двух)"));
    EXPECT_TRUE(lines.contains(QStringLiteral("             2              8      0,800")));
    EXPECT_TRUE(lines.contains(QStringLiteral("            21              2     25,000")));
    EXPECT_TRUE(lines.contains(QStringLiteral("            64   100,000   100,000   100,000   "
                                              "100,000")));
    EXPECT_TRUE(lines.contains(QStringLiteral("             1     0,000     0,000     0,000     "
                                              "0,000")));
}

struct CountText
{
    const char *name;
    QString text;
    std::optional<std::uint64_t> count;
};

class DealCountTexts : public ::testing::TestWithParam<CountText>
{
};

TEST_P(DealCountTexts, ReadAsAPersonWritesThem)
{
    EXPECT_EQ(dealCountFromText(GetParam().text), GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DealCountTexts,
    ::testing::Values(CountText{"Digits", QStringLiteral("50000"), 50000},
                      CountText{"Grouped", QStringLiteral("10 000 000"), 10'000'000},
                      CountText{"Thousands", QStringLiteral("100 тыс"), 100'000},
                      CountText{"MillionsWithAFraction", QStringLiteral("2,5 млн"), 2'500'000},
                      CountText{"Milliards", QStringLiteral(" 1 млрд "), 1'000'000'000},
                      CountText{"Zero", QStringLiteral("0"), std::nullopt},
                      CountText{"AFractionOfADeal", QStringLiteral("1,5"), std::nullopt},
                      CountText{"Words", QStringLiteral("много"), std::nullopt},
                      CountText{"Negative", QStringLiteral("-5"), std::nullopt},
                      CountText{"Empty", QString(), std::nullopt}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(ChainMarksOfTheAnalysis, ComeFromTheChainAndTheHexagramTable)
{
    MainTables tables;
    ChainState state;
    TestServices services;
    const auto marksNow = [&] {
        return analysedChainMarks(state.CurrentChain, tables.StringGrid3);
    };
    EXPECT_FALSE(marksNow()) << "nothing analysed yet";
    RunAnalysis(tables, state, services, OrderedDeckText);
    const std::optional<ChainMarks> marks = marksNow();
    ASSERT_TRUE(marks);
    EXPECT_EQ(marks->left, 2);
    EXPECT_EQ(marks->figures.efl, 3);
    EXPECT_EQ(marks->figures.transits, 28);
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(marks->figures.hexagrams[std::size_t(r - 1)],
                  tables.StringGrid3.cell(8, r).toInt());

    // While the tables are empty (a generator run), the chain's own results tell.
    ClearResultTables(tables);
    const std::optional<ChainMarks> again = marksNow();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->figures, marks->figures);

    RunAnalysis(tables, state, services, NoCollapseText);
    const std::optional<ChainMarks> stuck = marksNow();
    ASSERT_TRUE(stuck);
    EXPECT_EQ(stuck->left, 36);
    EXPECT_EQ(stuck->figures.transits, 0);
}
