#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "engine/Deck.h"
#include "engine/FastDeal.h"

#include <benchmark/benchmark.h>

// Deal a random chain and count its collapse on the fast path: one item is
// one chain, as in the generator's deal loop.
static void BM_DealAndCount(benchmark::State &state)
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
BENCHMARK(BM_DealAndCount);

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
    const platform::Services services(1);
    for (auto _ : state) {
        TTLKoloda chain;
        ReadChain(text, chain, services);
        benchmark::DoNotOptimize(chain.Cards[36].Position);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadChain);

BENCHMARK_MAIN();
