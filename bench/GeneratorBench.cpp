// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/GenerateCommand.h"
#include "engine/Deck.h"
#include "search/ChainGenerator.h"

#include <benchmark/benchmark.h>

// The window's search, headless: worker threads deal and count, this thread
// tests every candidate with conditions read afresh each time, here an EFL of
// 12 or more. One item is one chain dealt, so items per second is the rate the
// window's run reaches with as many workers (argument).
static void BM_GeneratorSearch(benchmark::State &state)
{
    GeneratorConditions wanted;
    wanted.minEfl = 12;
    FixedConditions conditions(wanted);
    GeneratorHooks hooks;
    lanedeal::ParallelDealer dealer(12, int(state.range(0)));
    CandidateStream candidates(dealer);
    std::uint64_t tried = 0;
    for (auto _ : state) {
        const SearchResult result = searchChain(candidates, conditions, hooks, tried);
        benchmark::DoNotOptimize(result.text);
    }
    state.SetItemsProcessed(std::int64_t(tried));
}
BENCHMARK(BM_GeneratorSearch)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The command-line generator on 1 and 2 threads, finding 20 chains with an EFL
// of 20 or more (about one solved chain in 330), long enough for the threads'
// start to vanish; chains dealt per second over all threads.
static void BM_CliGenerate(benchmark::State &state)
{
    GenerateOptions options;
    options.conditions.minEfl = 20;
    options.count = 20;
    options.threads = int(state.range(0));
    options.seed = 99;
    std::uint64_t dealt = 0;
    for (auto _ : state)
        generateChains(options, [&](const GeneratedChain &chain) {
            dealt += chain.tried;
            return true;
        });
    state.counters["chains_per_second"] =
        benchmark::Counter(double(dealt), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CliGenerate)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
