// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RandomSource.h"

#include <array>

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

// Known answers: every seeded result (a `--seed` run, the tests' own seeds)
// comes from these words, so they must never change unnoticed. They are the
// published xoshiro256** seeded through splitmix64, worked out apart from this
// code.
struct KnownWords
{
    std::uint64_t seed;
    std::array<std::uint64_t, 4> words;
};

class RandomSourceKnownAnswers : public ::testing::TestWithParam<KnownWords>
{
};

TEST_P(RandomSourceKnownAnswers, FirstWordsOfTheSeed)
{
    RandomSource random(GetParam().seed);
    for (std::uint64_t word : GetParam().words)
        EXPECT_EQ(random.next(), word);
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, RandomSourceKnownAnswers,
    ::testing::Values(KnownWords{1,
                                 {0xB3F2AF6D0FC710C5ULL, 0x853B559647364CEAULL,
                                  0x92F89756082A4514ULL, 0x642E1C7BC266A3A7ULL}},
                      KnownWords{2026,
                                 {0x92E011592E98AE15ULL, 0x489F37946D6D18D8ULL,
                                  0xD0009E279D9CDEDAULL, 0xE4C7DCA786D56702ULL}}),
    [](const auto &test) { return "Seed" + std::to_string(test.param.seed); });

TEST(RandomSource, SplitmixFromZeroGivesItsPublishedFirstValue)
{
    std::uint64_t state = 0;
    EXPECT_EQ(splitmix64(state), 0xE220A8397B1DCDAFULL);
}

TEST(RandomSource, BelowDrawsKnownValuesForSeedOne)
{
    RandomSource random(1);
    std::vector<std::uint32_t> draws;
    for (int i = 0; i < 8; ++i)
        draws.push_back(random.below(36));
    EXPECT_EQ(draws, (std::vector<std::uint32_t>{25, 18, 20, 14, 25, 5, 2, 13}));
}
