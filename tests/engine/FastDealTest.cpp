// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/FastDeal.h"
#include "../TestSupport.h"
#include "DealFromText.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "engine/Deck.h"

#include <algorithm>

#include <gtest/gtest.h>

TEST(FastDeal, WorkedExamplesCountAsOnTheRecords)
{
    EXPECT_EQ(fastdeal::countCollapse(dealFromText(OrderedDeckText)), 2);
    EXPECT_EQ(fastdeal::countCollapse(dealFromText(NoCollapseText)), 36);
    EXPECT_EQ(fastdeal::countCollapse(fastdeal::orderedDeal()), 2);
}

TEST(FastDeal, TextAndRecordOfADealAgree)
{
    EXPECT_EQ(fastdeal::toText(fastdeal::orderedDeal()) + u' ', OrderedDeckText);
    TTLKoloda chain;
    fastdeal::toRecord(fastdeal::orderedDeal(), chain);
    TTLKoloda read;
    ReadChain(OrderedDeckText, read);
    EXPECT_TRUE(chain.Cards == read.Cards);
}

class FastDealAgreement : public ::testing::TestWithParam<std::uint64_t>
{
};

TEST_P(FastDealAgreement, FastCountEqualsRecordCountOnSeededDeals)
{
    RandomSource random(GetParam());
    fastdeal::Deal deal;
    int solved = 0;
    for (int i = 0; i < 20000; ++i) {
        fastdeal::dealRandom(random, deal);
        fastdeal::Deal sorted = deal;
        std::sort(sorted.begin(), sorted.end());
        fastdeal::Deal ordered = fastdeal::orderedDeal();
        std::sort(ordered.begin(), ordered.end());
        ASSERT_EQ(sorted, ordered) << "not a permutation of the deck";

        TTLKoloda chain;
        fastdeal::toRecord(deal, chain);
        const int fast = fastdeal::countCollapse(deal);
        ASSERT_EQ(fast, CountCollapse(chain)) << fastdeal::toText(deal).toStdString();
        solved += fast == 2;
    }
    // About 0.77 % of deals collapse to two cards.
    EXPECT_GT(solved, 60);
    EXPECT_LT(solved, 260);
}

INSTANTIATE_TEST_SUITE_P(Seeds, FastDealAgreement, ::testing::Values(1u, 42u, 20261208u));

TEST(FastDeal, EveryCardLandsEverywhereAboutEquallyOften)
{
    RandomSource random(9);
    fastdeal::Deal deal;
    int firstPlace[36] = {};
    const int deals = 72000;
    for (int i = 0; i < deals; ++i) {
        fastdeal::dealRandom(random, deal);
        const auto c = deal[0];
        ++firstPlace[(fastdeal::suitOf(c) - 1) * 9 + fastdeal::rankOf(c) - 1];
    }
    for (int k = 0; k < 36; ++k) {
        EXPECT_GT(firstPlace[k], 1700) << k; // 2000 expected
        EXPECT_LT(firstPlace[k], 2300) << k;
    }
}

TEST(FastDeal, RandomChainOfTheRecordPathIsTheFastDeal)
{
    RandomSource recordRandom(123);
    TTLKoloda chain;
    QString text;
    MakeRandomChain(recordRandom, chain, text);
    RandomSource random(123);
    fastdeal::Deal deal;
    fastdeal::dealRandom(random, deal);
    EXPECT_EQ(text, fastdeal::toText(deal));
}

TEST_P(FastDealAgreement, FastMetricsEqualTheRecordsOnSeededDeals)
{
    RandomSource random(GetParam() + 7);
    fastdeal::Deal deal;
    fastdeal::Metrics metrics;
    for (int i = 0; i < 5000; ++i) {
        fastdeal::dealRandom(random, deal);
        TTLKoloda expected;
        fastdeal::toRecord(deal, expected);
        CollapseWithMetrics(expected);
        fastdeal::collapseWithMetrics(deal, metrics);
        TTLKoloda fast;
        fastdeal::toAnalysedRecord(deal, metrics, fast);
        ASSERT_TRUE(fast == expected) << fastdeal::toText(deal).toStdString();
        ASSERT_EQ(metrics.left, fastdeal::countCollapse(deal));
    }
}

TEST(FastDeal, FastMetricsOfTheWorkedExamples)
{
    for (const QString &text : {OrderedDeckText, NoCollapseText}) {
        const fastdeal::Deal deal = dealFromText(text);
        TTLKoloda expected;
        ReadChain(text, expected);
        CollapseWithMetrics(expected);
        fastdeal::Metrics metrics;
        fastdeal::collapseWithMetrics(deal, metrics);
        TTLKoloda fast;
        fastdeal::toAnalysedRecord(deal, metrics, fast);
        EXPECT_TRUE(fast.Cards == expected.Cards);
        EXPECT_EQ(fast.TransitTotal, expected.TransitTotal);
    }
}
