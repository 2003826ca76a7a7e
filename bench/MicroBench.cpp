// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RandomSource.h"
#include "search/MicroChainConstruct.h"

#include <benchmark/benchmark.h>

#include <algorithm>

// One micro-chain of the given EFL by the constructive search, ending in Тч,
// with the program's own number of weighted candidates; one item is one
// micro-chain.
static void BM_MicroSearch(benchmark::State &state)
{
    const int efl = int(state.range(0));
    MicroChainConstructor constructor(QStringLiteral("Тч"), efl);
    RandomSource random{std::uint64_t(efl)};
    MicroConstructStats stats;
    for (auto _ : state) {
        TTLKoloda chain;
        benchmark::DoNotOptimize(constructor.build(random, chain, nullptr, {}, &stats));
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["candidates"] = double(microCandidateCount(efl));
    state.counters["descents_per_chain"] =
        double(stats.attempts) / double(std::max<std::int64_t>(state.iterations(), 1));
}
BENCHMARK(BM_MicroSearch)->Arg(12)->Arg(20)->Arg(30)->Arg(34)->Unit(benchmark::kMillisecond);
