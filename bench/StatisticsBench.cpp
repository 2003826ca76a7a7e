// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ParallelDealer.h"
#include "search/ChainStatistics.h"
#include "search/ConditionEstimate.h"

#include <vector>

#include <benchmark/benchmark.h>

// A whole statistics run on T dealing threads: items are deals, in real time,
// so the figure is what `tlcalc-cli stats` reaches.
static void BM_CollectStatistics(benchmark::State &state)
{
    constexpr std::uint64_t Deals = 1 << 22;
    std::uint64_t seed = 1;
    for (auto _ : state) {
        const DealStatistics statistics = collectStatistics(seed++, Deals, int(state.range(0)));
        benchmark::DoNotOptimize(statistics.solved);
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(Deals));
}
BENCHMARK(BM_CollectStatistics)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// What the statistics do for each solved deal on the consumer's thread: the
// figures, from the metrics the dealing thread worked out.
static void BM_SolvedDealFigures(benchmark::State &state)
{
    std::vector<lanedeal::SolvedDeal> solved;
    lanedeal::ParallelDealer dealer(3, 0);
    while (solved.size() < 4096) {
        const std::optional<lanedeal::BlockResult> block = dealer.next(std::chrono::seconds(60));
        solved.insert(solved.end(), block->solved.begin(), block->solved.end());
    }
    DealStatistics statistics;
    std::size_t i = 0;
    for (auto _ : state) {
        const lanedeal::SolvedDeal &deal = solved[i++ % solved.size()];
        statistics.addSolved(chainFigures(deal.deal, deal.metrics));
    }
    benchmark::DoNotOptimize(statistics.fullBalance);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SolvedDealFigures);

// An estimate of a rare condition set (EFL 20 or more, about 1 in 330 solved
// chains) to 100 passing deals on T threads.
static void BM_EstimateConditions(benchmark::State &state)
{
    GeneratorConditions conditions;
    conditions.minEfl = 20;
    EstimateLimits limits;
    limits.budget = std::chrono::minutes(10);
    std::uint64_t seed = 1;
    std::int64_t dealt = 0;
    for (auto _ : state)
        dealt +=
            std::int64_t(estimateConditions(conditions, seed++, int(state.range(0)), limits).dealt);
    state.SetItemsProcessed(dealt);
}
BENCHMARK(BM_EstimateConditions)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);
