// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RandomSource.h"

#include <gtest/gtest.h>

TEST(RandomSource, SeedDeterminesTheSequence)
{
    RandomSource a(1), b(1), c(2);
    for (int i = 0; i < 100; ++i) {
        const auto x = a.next();
        EXPECT_EQ(x, b.next());
        EXPECT_NE(x, c.next());
    }
}

TEST(RandomSource, BelowIsUniformOverSmallBounds)
{
    RandomSource random(3);
    for (std::uint32_t bound : {1u, 2u, 7u, 36u}) {
        std::vector<int> counts(bound);
        const int draws = 20000 * int(bound);
        for (int i = 0; i < draws; ++i) {
            const auto x = random.below(bound);
            ASSERT_LT(x, bound);
            ++counts[x];
        }
        for (int c : counts) {
            EXPECT_GT(c, 19000);
            EXPECT_LT(c, 21000);
        }
    }
}

TEST(RandomSource, EntropySeedsDiffer)
{
    EXPECT_NE(entropySeed(), entropySeed());
}
