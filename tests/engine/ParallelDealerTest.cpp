// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ParallelDealer.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using lanedeal::BlockResult;
using lanedeal::ParallelDealer;

constexpr std::uint64_t Seed = 424242;

// The blocks as one thread deals them, one after the other.
std::vector<BlockResult> dealtInTurn(std::uint64_t first, int count,
                                     const lanedeal::DealFilter &keep = {})
{
    auto block = std::make_unique<lanedeal::Block>();
    std::vector<BlockResult> results;
    for (int b = 0; b < count; ++b) {
        lanedeal::dealBlock(Seed, first + std::uint64_t(b), *block);
        results.push_back(lanedeal::summarise(*block, keep));
    }
    return results;
}

// Takes count blocks; a block that does not come within a minute ends the test.
std::vector<BlockResult> take(ParallelDealer &dealer, int count)
{
    std::vector<BlockResult> results;
    for (int b = 0; b < count; ++b) {
        auto result = dealer.next(60s);
        if (!result)
            break;
        results.push_back(std::move(*result));
    }
    return results;
}

void expectSameBlocks(const std::vector<BlockResult> &actual,
                      const std::vector<BlockResult> &expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t b = 0; b < actual.size(); ++b) {
        EXPECT_EQ(actual[b].index, expected[b].index);
        EXPECT_EQ(actual[b].leftCounts, expected[b].leftCounts) << "block " << b;
        ASSERT_EQ(actual[b].solved.size(), expected[b].solved.size()) << "block " << b;
        for (std::size_t s = 0; s < actual[b].solved.size(); ++s) {
            EXPECT_EQ(actual[b].solved[s].index, expected[b].solved[s].index);
            EXPECT_EQ(actual[b].solved[s].deal, expected[b].solved[s].deal);
        }
    }
}

// Solved deals that start with a spade: about a quarter of them.
bool startsWithSpade(const lanedeal::SolvedDeal &solved)
{
    return fastdeal::suitOf(solved.deal[0]) == 1;
}

struct DealerCase
{
    const char *name;
    int threads;
    std::uint64_t firstBlock;
    int lookAhead;
    lanedeal::DealFilter keep;
};

class DealerCases : public ::testing::TestWithParam<DealerCase>
{
};

} // namespace

TEST(BlockSummary, CountsEveryDealAndListsTheSolvedOnesWithTheirRunIndex)
{
    auto block = std::make_unique<lanedeal::Block>();
    lanedeal::dealBlock(Seed, 3, *block);
    const BlockResult result = lanedeal::summarise(*block);
    EXPECT_EQ(result.index, 3u);
    EXPECT_EQ(std::accumulate(result.leftCounts.begin(), result.leftCounts.end(), 0u),
              unsigned(lanedeal::BlockSize));
    EXPECT_EQ(result.leftCounts[0] + result.leftCounts[1], 0u);
    for (int n = 2; n <= 36; ++n)
        EXPECT_EQ(result.leftCounts[std::size_t(n)],
                  std::count(block->left.begin(), block->left.end(), n))
            << n;
    ASSERT_EQ(result.solved.size(), result.leftCounts[2]);
    ASSERT_FALSE(result.solved.empty()); // about 8 in a block
    for (const auto &solved : result.solved) {
        const std::uint64_t i = solved.index - 3 * lanedeal::BlockSize;
        ASSERT_LT(i, std::uint64_t(lanedeal::BlockSize));
        EXPECT_EQ(solved.deal, block->deal(i));
        EXPECT_EQ(fastdeal::countCollapse(solved.deal), 2);
        // The metrics come with the deal, as the collapse works them out.
        fastdeal::Metrics metrics;
        fastdeal::collapseWithMetrics(solved.deal, metrics);
        EXPECT_EQ(solved.metrics.mobileCount, metrics.mobileCount);
        EXPECT_EQ(solved.metrics.depth, metrics.depth);
        EXPECT_EQ(solved.metrics.transitTotal, metrics.transitTotal);
    }
}

TEST_P(DealerCases, HandsOverTheBlocksOneThreadDealsInTurn)
{
    const DealerCase &c = GetParam();
    ParallelDealer dealer(Seed, c.threads, c.firstBlock, c.lookAhead, c.keep);
    EXPECT_EQ(dealer.threads(), c.threads);
    const auto results = take(dealer, 30);
    expectSameBlocks(results, dealtInTurn(c.firstBlock, 30, c.keep));
    std::uint32_t kept = 0, solved = 0;
    for (const auto &result : results) {
        kept += std::uint32_t(result.solved.size());
        solved += result.leftCounts[2];
    }
    EXPECT_GT(kept, 0u);
    EXPECT_EQ(kept < solved, bool(c.keep));
}

constexpr int Default = ParallelDealer::DefaultLookAhead;

INSTANTIATE_TEST_SUITE_P(
    Runs, DealerCases,
    ::testing::Values(DealerCase{"OnTheCallersThread", 0, 0, 8, {}},
                      DealerCase{"OneWorker", 1, 0, 8, {}}, DealerCase{"TwoWorkers", 2, 0, 8, {}},
                      DealerCase{"ThreeWorkers", 3, 0, 8, {}},
                      DealerCase{"ThreeWorkersOneBlockAhead", 3, 0, 1, {}},
                      DealerCase{"TwoWorkersFarAhead", 2, 0, Default, {}},
                      DealerCase{"FromBlock1000", 3, 1000, 8, {}},
                      DealerCase{"FilteredByTwoWorkers", 2, 0, 8, startsWithSpade},
                      DealerCase{"FilteredOnTheCallersThread", 0, 1000, 8, startsWithSpade}),
    [](const auto &run) { return std::string(run.param.name); });

TEST(ParallelDealer, WorkersWaitForASlowConsumerWithinTheLookAhead)
{
    ParallelDealer dealer(Seed, 3, 0, 4);
    ASSERT_EQ(dealer.lookAhead(), 4);
    ASSERT_EQ(take(dealer, 1).size(), 1u);
    // The workers fill the look-ahead and must then stay put.
    for (int wait = 0; wait < 1000 && dealer.dealtBlocks() < 5; ++wait)
        std::this_thread::sleep_for(10ms);
    ASSERT_EQ(dealer.dealtBlocks(), 5u);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(dealer.dealtBlocks(), 5u);
    const auto rest = take(dealer, 10);
    ASSERT_EQ(rest.size(), 10u);
    for (std::size_t b = 0; b < rest.size(); ++b)
        EXPECT_EQ(rest[b].index, b + 1);
    EXPECT_LE(dealer.dealtBlocks(), 11u + 4u);
}

TEST(ParallelDealer, StopEndsTheWorkersAndTheHandOver)
{
    ParallelDealer dealer(Seed, 3);
    ASSERT_EQ(take(dealer, 2).size(), 2u);
    dealer.stop();
    const std::uint64_t dealt = dealer.dealtBlocks();
    EXPECT_FALSE(dealer.next(0ms).has_value());
    EXPECT_FALSE(dealer.next(60s).has_value());
    EXPECT_EQ(dealer.dealtBlocks(), dealt);
    dealer.stop(); // a second stop does nothing
}

TEST(ParallelDealer, ConsumerThatLeavesEarlyLeavesNoWorkerBehind)
{
    // The destructor stops and joins whatever the workers are doing: waiting
    // for space, dealing, or not started yet.
    for (int taken : {0, 1, 5}) {
        ParallelDealer dealer(Seed, 3, 0, 2);
        EXPECT_EQ(take(dealer, taken).size(), std::size_t(taken));
    }
}
