// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "engine/Deck.h"
#include "engine/FastDeal.h"
#include "engine/LaneDeal.h"
#include "engine/ParallelDealer.h"

#include <algorithm>
#include <memory>

#include <benchmark/benchmark.h>

// Deal random chains and count their collapse on the fastest path, a block
// at a time: one item is one chain, as in the generator's deal loop.
static void dealAndCount(benchmark::State &state)
{
    auto block = std::make_unique<lanedeal::Block>();
    std::uint64_t index = 0;
    std::int64_t solved = 0;
    for (auto _ : state) {
        lanedeal::dealBlock(2026, index++, *block);
        solved += std::count(block->left.begin(), block->left.end(), 2);
    }
    benchmark::DoNotOptimize(solved);
    state.SetItemsProcessed(state.iterations() * lanedeal::BlockSize);
}

static void BM_DealAndCount(benchmark::State &state)
{
    lanedeal::forcePath(std::nullopt);
    dealAndCount(state);
}
BENCHMARK(BM_DealAndCount);

static void BM_DealAndCountScalar(benchmark::State &state)
{
    lanedeal::forcePath(lanedeal::Path::Scalar);
    dealAndCount(state);
    lanedeal::forcePath(std::nullopt);
}
BENCHMARK(BM_DealAndCountScalar);

// One chain at a time on fastdeal, the loop the block path replaces.
static void BM_DealAndCountOneByOne(benchmark::State &state)
{
    RandomSource random(2026);
    fastdeal::Deal deal;
    std::int64_t solved = 0;
    for (auto _ : state) {
        fastdeal::dealRandom(random, deal);
        solved += fastdeal::countCollapse(deal) == 2;
    }
    benchmark::DoNotOptimize(solved);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DealAndCountOneByOne);

// Blocks dealt on worker threads and taken in order by this thread: items are
// deals over all threads, in real time.
static void BM_ParallelDealer(benchmark::State &state)
{
    lanedeal::ParallelDealer dealer(2026, int(state.range(0)));
    std::int64_t solved = 0;
    for (auto _ : state)
        solved += std::int64_t(dealer.next(std::chrono::seconds(10))->solved.size());
    benchmark::DoNotOptimize(solved);
    state.SetItemsProcessed(state.iterations() * lanedeal::BlockSize);
}
BENCHMARK(BM_ParallelDealer)->Arg(1)->Arg(2)->UseRealTime();

// The record path's collapse with metrics on fresh random chains.
static void BM_CollapseWithMetrics(benchmark::State &state)
{
    RandomSource random(7);
    std::vector<TTLKoloda> chains(256);
    for (auto &chain : chains) {
        QString text;
        MakeRandomChain(random, chain, text);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        TTLKoloda chain = chains[i++ % chains.size()];
        CollapseWithMetrics(chain);
        benchmark::DoNotOptimize(chain.TransitTotal);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CollapseWithMetrics);

static void BM_ReadChain(benchmark::State &state)
{
    const QString text = orderedDeckText();
    for (auto _ : state) {
        TTLKoloda chain;
        ReadChain(text, chain);
        benchmark::DoNotOptimize(chain.Cards[36].Position);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadChain);

BENCHMARK_MAIN();
