// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/ChainGenerator.h"
#include "../TestSupport.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "engine/Deck.h"
#include "platform/IntConvert.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

// Boxes and list items as a window holds them; the numbers are converted where
// a test reads them, as the window's lists are.
class ListConditions : public ConditionSource
{
public:
    bool boxes[6] = {};
    QString items[5] = {QString(), QStringLiteral("36"), QStringLiteral("1"), QStringLiteral("1"),
                        QStringLiteral("6п")};

    bool boxChecked(int box) override { return boxes[box]; }
    int listNumber(int list) override { return platform::StrToInt(items[list]); }
    TargetPattern targetPattern() override { return TargetPattern(items[4]); }
};

// At least six of the nine ranks with exactly two moved cards, counted on the
// record's letters.
bool sixBalancedRanks(const TTLKoloda &chain)
{
    int balanced = 0;
    for (int r = 1; r <= 9; ++r) {
        int moved = 0;
        for (int n = 1; n <= 36; ++n)
            moved += chain.Cards[n].Rank == RankLetters[r] && chain.Cards[n].MobileCount > 0;
        balanced += moved == 2;
    }
    return balanced >= 6;
}

int efl(const TTLKoloda &chain)
{
    int best = 0;
    for (int n = 1; n <= 36; ++n)
        best = std::max(best, chain.Cards[n].Depth);
    return best;
}

// Checks a found chain against the engine alone, whatever the generator did.
void expectSolvedPermutation(const SearchResult &result)
{
    ASSERT_EQ(result.end, SearchEnd::Found);
    EXPECT_FALSE(result.text.endsWith(u' '));
    TTLKoloda read;
    EXPECT_FALSE(ReadChain(result.text, read).isShort);
    QSet<QString> names;
    for (int n = 1; n <= 36; ++n)
        names.insert(read.Cards[n].name());
    EXPECT_EQ(names.size(), 36);
    const ChainState state;
    for (int n = 1; n <= 36; ++n)
        EXPECT_TRUE(names.contains(state.OrderedDeck.Cards[n].name()));
    EXPECT_EQ(CountCollapse(read), 2);
}

class Generator : public ::testing::Test
{
protected:
    void SetUp() override { hooks.maxDepth = &maxDepth; }
    SearchResult run(std::uint64_t seed, int threads = 0)
    {
        lanedeal::ParallelDealer dealer(seed, threads);
        CandidateStream candidates(dealer);
        tried = 0;
        return searchChain(candidates, conditions, hooks, tried);
    }
    ListConditions conditions;
    GeneratorHooks hooks;
    std::uint64_t tried = 0;
    std::int32_t maxDepth = 0;
};

} // namespace

TEST_F(Generator, NoConditionTakesTheFirstSolvedChain)
{
    const SearchResult result = run(1);
    expectSolvedPermutation(result);
    EXPECT_GE(tried, 1u);
    // The same seed deals the same chains.
    const std::uint64_t firstTried = tried;
    EXPECT_EQ(run(1).text, result.text);
    EXPECT_EQ(tried, firstTried);
}

// At tens of millions of deals a second a run passes 2^32 deals in a minute or
// two: the count goes on past it instead of starting again from 0.
TEST_F(Generator, TheCountGoesOnPastTwoToTheThirtyTwo)
{
    const SearchResult fresh = run(1);
    const std::uint64_t dealt = tried;
    lanedeal::ParallelDealer dealer(1, 0);
    CandidateStream candidates(dealer);
    const std::uint64_t nearTheTop = (std::uint64_t(1) << 32) - 1;
    tried = nearTheTop;
    EXPECT_EQ(searchChain(candidates, conditions, hooks, tried).text, fresh.text);
    EXPECT_EQ(tried, nearTheTop + dealt);
}

struct ConditionCase
{
    const char *name;
    int box;
    const char16_t *item;
};

class GeneratorCondition : public Generator, public ::testing::WithParamInterface<ConditionCase>
{
};

TEST_P(GeneratorCondition, FoundChainsMeetTheTickedCondition)
{
    const ConditionCase c = GetParam();
    conditions.boxes[c.box] = true;
    if (c.box <= 4)
        conditions.items[c.box] = QString::fromUtf16(c.item);
    for (std::uint64_t seed : {3u, 4u, 5u}) {
        const SearchResult result = run(seed);
        expectSolvedPermutation(result);
        TTLKoloda chain;
        analyseCandidate(result.found, chain);
        const int deepest = efl(chain);
        switch (c.box) {
        case 1:
            EXPECT_LE(chain.TransitTotal, conditions.items[1].toInt());
            break;
        case 2:
            EXPECT_GE(deepest, conditions.items[2].toInt());
            break;
        case 3:
            EXPECT_EQ(chain.Cards[conditions.items[3].toInt()].Depth, deepest);
            break;
        case 4: {
            bool any = false;
            for (int n = 1; n <= 36; ++n)
                if (chain.Cards[n].Depth == deepest)
                    any = any || TargetPattern(conditions.items[4])
                                     .matches(fastdeal::makeCard(suitIndex(chain.Cards[n].Suit),
                                                                 rankIndex(chain.Cards[n].Rank)));
            EXPECT_TRUE(any);
            break;
        }
        case 5:
            EXPECT_TRUE(sixBalancedRanks(chain));
            break;
        }
        EXPECT_EQ(maxDepth, deepest);
    }
}

INSTANTIATE_TEST_SUITE_P(Each, GeneratorCondition,
                         ::testing::Values(ConditionCase{"AtMostTenTransits", 1, u"10"},
                                           ConditionCase{"EflAtLeastEight", 2, u"8"},
                                           ConditionCase{"TargetAtPositionThirtySix", 3, u"36"},
                                           ConditionCase{"TargetAtPositionTwenty", 3, u"20"},
                                           ConditionCase{"TargetSuitSpades", 4, u"?п"},
                                           ConditionCase{"TargetRankAce", 4, u"Т?"},
                                           ConditionCase{"TargetCard", 4, u"Кч"},
                                           ConditionCase{"FullBalance", 5, u""}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(Generator, AllConditionsTogether)
{
    for (int box = 1; box <= 5; ++box)
        conditions.boxes[box] = true;
    conditions.items[1] = QStringLiteral("20");
    conditions.items[2] = QStringLiteral("4");
    conditions.items[3] = QStringLiteral("36");
    conditions.items[4] = QStringLiteral("?ч");
    const SearchResult result = run(8);
    expectSolvedPermutation(result);
    TTLKoloda chain;
    analyseCandidate(result.found, chain);
    EXPECT_LE(chain.TransitTotal, 20);
    EXPECT_GE(efl(chain), 4);
    EXPECT_EQ(chain.Cards[36].Depth, efl(chain));
    bool heartTarget = false;
    for (int n = 1; n <= 36; ++n)
        heartTarget = heartTarget || (chain.Cards[n].Depth == efl(chain) &&
                                      chain.Cards[n].Suit == QStringLiteral("ч"));
    EXPECT_TRUE(heartTarget); // condition 4 asks for some target card of suit ч
    EXPECT_TRUE(sixBalancedRanks(chain));
}

TEST_F(Generator, PositionTestPassesExactlyAtTheTargetCards)
{
    // A solved chain with at least two target cards.
    SearchResult found;
    TTLKoloda chain;
    for (std::uint64_t seed = 100; seed < 1100; ++seed) {
        found = run(seed);
        analyseCandidate(found.found, chain);
        if (chain.ExtremeCount >= 2)
            break;
    }
    ASSERT_GE(chain.ExtremeCount, 2) << "no seed gave two target cards";
    QSet<int> targets;
    for (int n = 1; n <= 36; ++n)
        if (chain.Cards[n].Depth == efl(chain))
            targets.insert(n);
    ASSERT_GE(targets.size(), 2);
    conditions.boxes[3] = true;
    for (int n = 1; n <= 36; ++n) {
        conditions.items[3] = QString::number(n);
        EXPECT_EQ(candidatePasses(found.found, conditions, hooks), targets.contains(n)) << n;
    }
}

TEST_F(Generator, CardPatternsMatchBySuitRankOrName)
{
    struct Case
    {
        const char16_t *v;
        const char16_t *t;
        bool matches;
    };
    for (const Case &c :
         {Case{u"?п", u"Кп", true}, Case{u"?п", u"Кб", false}, Case{u"Т?", u"Тч", true},
          Case{u"Т?", u"Кч", false}, Case{u"Кч", u"Кч", true}, Case{u"Кч", u"Кп", false},
          Case{u"Выбери", u"Вп", false}, Case{u"", u"Тч", false}, Case{u"?бx", u"Кб", true},
          Case{u"10п", u"Xп", false}, Case{u"??", u"Тч", false}, Case{u"😀?", u"Тч", false}})
        EXPECT_EQ(
            TargetPattern(QString::fromUtf16(c.v))
                .matches(fastdeal::makeCard(suitIndex(characterAt(QString::fromUtf16(c.t), 1)),
                                            rankIndex(characterAt(QString::fromUtf16(c.t), 0)))),
            c.matches)
            << QString::fromUtf16(c.v).toStdString() << " "
            << QString::fromUtf16(c.t).toStdString();
}

TEST_F(Generator, FullBalanceNeedsSixRanksWithTwoMovedCards)
{
    // The ordered deck: two moved cards in each of the first k ranks (spades and
    // diamonds), and three in the rest.
    const fastdeal::Deal &deck = fastdeal::orderedDeal();
    const auto withBalancedRanks = [&](int k) {
        fastdeal::Metrics metrics;
        for (std::size_t r = 0; r < 9; ++r) {
            metrics.mobileCount[r] = 1;                           // spade
            metrics.mobileCount[9 + r] = 1;                       // diamond
            metrics.mobileCount[18 + r] = int(r) + 1 > k ? 1 : 0; // club
        }
        return metrics;
    };
    EXPECT_TRUE(fullBalancePossible(deck, withBalancedRanks(9)));
    EXPECT_TRUE(fullBalancePossible(deck, withBalancedRanks(6)));
    EXPECT_FALSE(fullBalancePossible(deck, withBalancedRanks(5)));
}

TEST_F(Generator, PlaceholderItemEndsTheRunWithTheConversionMessage)
{
    conditions.boxes[1] = true;
    conditions.items[1] = QStringLiteral("Выбери");
    try {
        run(2);
        FAIL() << "no conversion error";
    } catch (const platform::ConversionError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'Выбери' is not a valid integer value"));
    }
    EXPECT_GE(tried, 1u); // it ends at the first solved chain
}

TEST_F(Generator, EventsAreProcessedAtTheirPointsOnly)
{
    int events = 0, repaints = 0;
    hooks.processPendingEvents = [&] { ++events; };
    hooks.repaint = [&] { ++repaints; };
    const lanedeal::SolvedDeal chain = run(6).found;
    EXPECT_EQ(events, 0); // no box ticked: the deal loop processes nothing
    EXPECT_EQ(repaints, 1);

    conditions.boxes[1] = conditions.boxes[2] = conditions.boxes[5] = true;
    conditions.items[1] = QStringLiteral("36");
    conditions.items[2] = QStringLiteral("1");
    events = repaints = 0;
    candidatePasses(chain, conditions, hooks);
    EXPECT_EQ(events, 3); // after 1 and 2, pass or fail, and after 5
    EXPECT_EQ(repaints, 1);

    conditions.boxes[1] = conditions.boxes[2] = conditions.boxes[5] = false;
    conditions.boxes[3] = true;
    conditions.items[3] = QString::number(36);
    events = 0;
    const bool pass = candidatePasses(chain, conditions, hooks);
    EXPECT_EQ(events, pass ? 0 : 1); // only on failure
}

TEST_F(Generator, StopIsSeenBeforeTheNextDeal)
{
    hooks.stopRequested = [] { return true; };
    EXPECT_EQ(run(1).end, SearchEnd::Stopped);
    EXPECT_EQ(tried, 0u);

    int polls = 0;
    hooks.stopRequested = [&] { return ++polls > 3; };
    conditions.boxes[2] = true;
    conditions.items[2] = QStringLiteral("36"); // no solved chain reaches it
    EXPECT_EQ(run(1).end, SearchEnd::Stopped);
    EXPECT_EQ(polls, 4);
}

TEST(GeneratorTimeLines, ElapsedTimeInWholeHoursMinutesAndSeconds)
{
    const QDateTime start(QDate(2026, 12, 8), QTime(10, 0, 0));
    QStringList lines = generatorTimeLines(start, start.addMSecs(999));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Генерировать Начали в     = ")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Генерировать Закончили в  = ")));
    EXPECT_EQ(lines[2], QStringLiteral("Времени ушло = 0 часов, 0 минут, 0 секунд."));
    lines = generatorTimeLines(start, start.addMSecs(3600000 + 2 * 60000 + 5700));
    EXPECT_EQ(lines[2], QStringLiteral("Времени ушло = 1 часов, 2 минут, 5 секунд."));
}

class GeneratorThreads : public Generator, public ::testing::WithParamInterface<int>
{
};

TEST_P(GeneratorThreads, FindTheSameChainAfterTheSameDealsOnAnyThreadCount)
{
    conditions.boxes[2] = true;
    conditions.items[2] = QStringLiteral("9");
    const SearchResult alone = run(44, 0); // dealt on this thread
    const std::uint64_t aloneTried = tried;
    const SearchResult threaded = run(44, GetParam());
    expectSolvedPermutation(threaded);
    EXPECT_EQ(threaded.text, alone.text);
    EXPECT_EQ(tried, aloneTried);
}

INSTANTIATE_TEST_SUITE_P(Workers, GeneratorThreads, ::testing::Values(1, 2, 3));

TEST_F(Generator, ANestedSearchAndTheOuterOneShareOneCount)
{
    // The outer run cannot succeed; after a few tests a nested run takes the
    // first solved chain, and the outer one gives up at its next test.
    conditions.boxes[2] = true;
    conditions.items[2] = QStringLiteral("36");
    std::uint64_t nestedTried = 0, atNestedEnd = 0;
    int events = 0;
    bool stop = false;
    hooks.stopRequested = [&] { return stop; };
    hooks.processPendingEvents = [&] {
        if (++events != 3)
            return;
        ListConditions none;
        lanedeal::ParallelDealer nestedDealer(7, 2);
        CandidateStream nested(nestedDealer);
        tried = 0;
        EXPECT_EQ(searchChain(nested, none, GeneratorHooks{}, tried).end, SearchEnd::Found);
        nestedTried = nested.dealt();
        atNestedEnd = tried;
        stop = true;
    };
    lanedeal::ParallelDealer dealer(8, 2);
    CandidateStream outer(dealer);
    tried = 0;
    EXPECT_EQ(searchChain(outer, conditions, hooks, tried).end, SearchEnd::Stopped);
    EXPECT_EQ(atNestedEnd, nestedTried);
    EXPECT_GE(tried, atNestedEnd); // the outer run counted on from the nested count
}
