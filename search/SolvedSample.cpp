// SPDX-License-Identifier: GPL-3.0-or-later
#include "SolvedSample.h"

SolvedSummary summariseSolved(const lanedeal::SolvedDeal &solved)
{
    SolvedSummary summary;
    const int deepest = deepestDepth(solved.metrics);
    for (std::size_t k = 0; k < 36; ++k) {
        if (solved.metrics.depth[k] != deepest)
            continue;
        const fastdeal::Card card = solved.deal[k];
        summary.targetPositions |= std::uint64_t(1) << k;
        summary.targetCards |= std::uint64_t(1)
                               << ((fastdeal::suitOf(card) - 1) * 9 + fastdeal::rankOf(card) - 1);
    }
    summary.transits = std::uint8_t(solved.metrics.transitTotal);
    summary.efl = std::uint8_t(deepest);
    summary.fullBalance = fullBalancePossible(solved.deal, solved.metrics);
    return summary;
}

SummaryTest::SummaryTest(const GeneratorConditions &conditions) : conditions_(conditions)
{
    if (conditions_.target)
        for (int suit = 1; suit <= 4; ++suit)
            for (int rank = 1; rank <= 9; ++rank)
                if (conditions_.target->matches(fastdeal::makeCard(suit, rank)))
                    targetCards_ |= std::uint64_t(1) << ((suit - 1) * 9 + rank - 1);
}

bool SummaryTest::passes(const SolvedSummary &summary) const
{
    if (conditions_.maxTransits && summary.transits > *conditions_.maxTransits)
        return false;
    if (conditions_.minEfl && summary.efl < *conditions_.minEfl)
        return false;
    if (conditions_.targetPosition) {
        const int n = *conditions_.targetPosition;
        if (n < 1 || n > 36 || !(summary.targetPositions >> (n - 1) & 1))
            return false;
    }
    if (conditions_.target && !(summary.targetCards & targetCards_))
        return false;
    return !conditions_.fullBalance || summary.fullBalance;
}

std::uint64_t SolvedSample::add(const lanedeal::BlockResult &block, const SummaryTest *test)
{
    std::vector<SolvedSummary> summaries;
    summaries.reserve(block.solved.size());
    std::uint64_t passed = 0;
    for (const lanedeal::SolvedDeal &solved : block.solved) {
        summaries.push_back(summariseSolved(solved));
        passed += test && test->passes(summaries.back());
    }
    const std::lock_guard lock(mutex_);
    dealt_ += lanedeal::BlockSize;
    solved_.insert(solved_.end(), summaries.begin(), summaries.end());
    return passed;
}

std::uint64_t SolvedSample::dealt() const
{
    const std::lock_guard lock(mutex_);
    return dealt_;
}

std::size_t SolvedSample::solved() const
{
    const std::lock_guard lock(mutex_);
    return solved_.size();
}

SolvedSample::Count SolvedSample::count(const GeneratorConditions &conditions) const
{
    const SummaryTest test(conditions);
    const std::lock_guard lock(mutex_);
    Count count;
    count.dealt = dealt_;
    for (const SolvedSummary &summary : solved_)
        count.passed += test.passes(summary);
    return count;
}
