#include "cli/GenerateCommand.h"
#include "engine/Deck.h"
#include "mainwindow/ChainGenerator.h"

#include <benchmark/benchmark.h>

// The headless generator finding chains with an EFL of 12 or more; one item is
// one chain dealt, so items per second is the deal loop's speed inside a search.
static void BM_GeneratorSearch(benchmark::State &state)
{
    RandomSource random(12);
    GeneratorConditions wanted;
    wanted.minEfl = 12;
    FixedConditions conditions(wanted);
    GeneratorHooks hooks;
    std::uint64_t dealt = 0;
    for (auto _ : state) {
        std::uint32_t tried = 0;
        const SearchResult result = searchChain(random, conditions, hooks, tried);
        benchmark::DoNotOptimize(result.text);
        dealt += tried;
    }
    state.SetItemsProcessed(std::int64_t(dealt));
}
BENCHMARK(BM_GeneratorSearch)->Unit(benchmark::kMillisecond);

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
        generateChains(options, [&](const GeneratedChain &chain) { dealt += chain.tried; });
    state.counters["chains_per_second"] =
        benchmark::Counter(double(dealt), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CliGenerate)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
