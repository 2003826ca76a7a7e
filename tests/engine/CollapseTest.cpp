// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Collapse.h"
#include "../TestSupport.h"
#include "engine/ChainReader.h"
#include "engine/Deck.h"
#include "platform/RandomSource.h"

#include <gtest/gtest.h>

namespace {

TTLKoloda readQuietly(const QString &text)
{
    TTLKoloda chain;
    ReadChain(text, chain);
    return chain;
}

struct Expected
{
    int mobile, transit, remainder, depth;
};

// The per-card results of the ordered deck, rank by rank, suit by suit.
Expected orderedDeckResult(int suit, int rank)
{
    const bool spades = suit == 1;
    switch (rank) {
    case 1:
        return {0, 0, 0, 0};
    case 2:
        return {1, 0, 0, 0};
    case 8:
        return {spades ? 1 : 2, 1, spades ? 2 : 4, 1};
    case 9:
        return {1, 1, 2, spades ? 1 : 3};
    default:
        return {1, 1, spades ? 2 : 4, 1};
    }
}

} // namespace

TEST(CollapseOrderedDeck, CollapsesToTwoWithTheWorkedResults)
{
    TTLKoloda chain = readQuietly(OrderedDeckText);
    EXPECT_EQ(CountCollapse(chain), 2);
    AnalyseChain(chain);
    EXPECT_EQ(chain.TransitTotal, 28);
    int depthSum = 0;
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 9; ++r) {
            const TKarta &card = chain.Cards[(s - 1) * 9 + r];
            const Expected e = orderedDeckResult(s, r);
            SCOPED_TRACE(card.name().toStdString());
            EXPECT_EQ(card.MobileCount, e.mobile);
            EXPECT_EQ(card.Transit, e.transit);
            EXPECT_EQ(card.Remainder, e.remainder);
            EXPECT_EQ(card.Depth, e.depth);
            depthSum += card.Depth;
        }
    EXPECT_EQ(depthSum, 34);
}

TEST(CollapseNoCollapse, NothingMovesButTheLastCard)
{
    TTLKoloda chain = readQuietly(NoCollapseText);
    EXPECT_EQ(CountCollapse(chain), 36);
    CollapseWithMetrics(chain);
    EXPECT_EQ(chain.TransitTotal, 0);
    for (int n = 1; n <= 36; ++n) {
        const TKarta &card = chain.Cards[n];
        EXPECT_EQ(card.MobileCount, n == 36 ? 1 : 0) << n;
        EXPECT_EQ(card.Transit, 0);
        EXPECT_EQ(card.Depth, 0);
        EXPECT_EQ(card.Remainder, 0);
    }
}

TEST(CollapseShortText, EmptyEntriesCollapseAmongThemselves)
{
    const TTLKoloda chain = readQuietly(QStringLiteral("6п 7п 8п"));
    EXPECT_EQ(CountCollapse(chain), 4);
}

TEST(CollapseCount, LeavesItsArgumentUnchangedAndRepeats)
{
    const TTLKoloda chain = readQuietly(OrderedDeckText);
    const TTLKoloda before = chain;
    EXPECT_EQ(CountCollapse(chain), CountCollapse(chain));
    EXPECT_TRUE(chain == before);
}

class CollapseRandomChains : public ::testing::TestWithParam<std::uint64_t>
{
};

TEST_P(CollapseRandomChains, InvariantsHoldOnEveryChain)
{
    RandomSource random(GetParam());
    for (int i = 0; i < 1000; ++i) {
        TTLKoloda chain;
        QString text;
        MakeRandomChain(random, chain, text);
        const int left = CountCollapse(chain);
        ASSERT_GE(left, 2);
        ASSERT_LE(left, 36);
        CollapseWithMetrics(chain);
        ASSERT_EQ(chain.Cards[36].MobileCount, 1);
        int depthSum = 0, mobileSum = 0, transits = 0;
        for (int n = 1; n <= 36; ++n) {
            const TKarta &card = chain.Cards[n];
            depthSum += card.Depth;
            if (n < 36)
                mobileSum += card.MobileCount;
            ASSERT_TRUE(card.Transit == 0 || card.Transit == 1);
            transits += card.Transit;
            if (card.Transit == 1)
                ASSERT_GE(card.Depth, 1);
            else
                ASSERT_EQ(card.Depth, 0);
        }
        ASSERT_EQ(depthSum, 36 - left) << text.toStdString();
        ASSERT_EQ(mobileSum, 36 - left);
        ASSERT_EQ(transits, chain.TransitTotal);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, CollapseRandomChains,
                         ::testing::Values(1u, 2u, 3u, 2026u, 987654321u));
