// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChainGenerator.h"

#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "engine/Deck.h"
#include "engine/FastDeal.h"
#include "platform/LocaleFormats.h"

#include <algorithm>
#include <array>

namespace {

void call(const std::function<void()> &hook)
{
    if (hook)
        hook();
}

// Tests 3 and 4: a card of the greatest depth at position n, or matching target.
bool targetAtPosition(const fastdeal::Metrics &metrics, int n, int deepest)
{
    return n >= 1 && n <= 36 && metrics.depth[std::size_t(n - 1)] == deepest;
}

bool targetMatches(const lanedeal::SolvedDeal &candidate, const TargetPattern &target, int deepest)
{
    for (std::size_t k = 0; k < 36; ++k)
        if (candidate.metrics.depth[k] == deepest && target.matches(candidate.deal[k]))
            return true;
    return false;
}

} // namespace

bool FixedConditions::boxChecked(int box)
{
    switch (box) {
    case 1:
        return conditions_.maxTransits.has_value();
    case 2:
        return conditions_.minEfl.has_value();
    case 3:
        return conditions_.targetPosition.has_value();
    case 4:
        return conditions_.target.has_value();
    case 5:
        return conditions_.fullBalance;
    }
    return false;
}

int FixedConditions::listNumber(int list)
{
    switch (list) {
    case 1:
        return conditions_.maxTransits.value_or(0);
    case 2:
        return conditions_.minEfl.value_or(0);
    case 3:
        return conditions_.targetPosition.value_or(0);
    }
    return 0;
}

TargetPattern::TargetPattern(const QString &text)
{
    const QString first = characterAt(text, 0), second = characterAt(text, 1);
    if (first == u"?")
        suit_ = suitIndex(second);
    else if (second == u"?")
        rank_ = rankIndex(first);
    else if (characterCount(text) == 2) {
        rank_ = rankIndex(first);
        suit_ = suitIndex(second);
        none_ = rank_ == 0 || suit_ == 0;
        return;
    }
    none_ = suit_ == 0 && rank_ == 0;
}

bool TargetPattern::matches(fastdeal::Card card) const
{
    return !none_ && (suit_ == 0 || fastdeal::suitOf(card) == suit_) &&
           (rank_ == 0 || fastdeal::rankOf(card) == rank_);
}

bool fullBalanceOfRanks(const std::array<int, 10> &movedPerRank)
{
    return std::count(movedPerRank.begin() + 1, movedPerRank.end(), 2) >= 6;
}

bool fullBalancePossible(const fastdeal::Deal &deal, const fastdeal::Metrics &metrics)
{
    std::array<int, 10> perRank{};
    for (std::size_t k = 0; k < 36; ++k)
        if (metrics.mobileCount[k] != 0)
            ++perRank[std::size_t(fastdeal::rankOf(deal[k]))];
    return fullBalanceOfRanks(perRank);
}

int deepestDepth(const fastdeal::Metrics &metrics)
{
    return *std::max_element(metrics.depth.begin(), metrics.depth.end());
}

bool candidatePasses(const lanedeal::SolvedDeal &candidate, ConditionSource &conditions,
                     const GeneratorHooks &hooks)
{
    const fastdeal::Metrics &metrics = candidate.metrics;
    if (conditions.boxChecked(1)) {
        const int n = conditions.listNumber(1);
        const bool pass = metrics.transitTotal <= n;
        call(hooks.processPendingEvents);
        if (!pass)
            return false;
    }

    // The targets are sought on every candidate, whether condition 2 asks for
    // them or not. MaxDepth tells the EFL of the last candidate whose targets
    // were sought: an unreadable item of condition 2 ends the run before that.
    const int deepest = deepestDepth(metrics);
    const auto soughtTargets = [&] {
        if (hooks.maxDepth)
            *hooks.maxDepth = deepest;
    };
    if (conditions.boxChecked(2)) {
        const int n = conditions.listNumber(2);
        soughtTargets();
        const bool pass = n <= deepest;
        call(hooks.processPendingEvents);
        if (!pass)
            return false;
    }
    soughtTargets();

    if (conditions.boxChecked(3)) {
        if (!targetAtPosition(metrics, conditions.listNumber(3), deepest)) {
            call(hooks.processPendingEvents);
            return false;
        }
    }

    call(hooks.repaint);

    if (conditions.boxChecked(4)) {
        if (!targetMatches(candidate, conditions.targetPattern(), deepest)) {
            call(hooks.processPendingEvents);
            return false;
        }
    }

    if (conditions.boxChecked(5)) {
        const bool pass = fullBalancePossible(candidate.deal, metrics);
        call(hooks.processPendingEvents);
        if (!pass)
            return false;
    }
    return true;
}

FixedConditionTest::FixedConditionTest(const GeneratorConditions &conditions)
    : conditions_(conditions)
{
}

bool FixedConditionTest::passes(const lanedeal::SolvedDeal &candidate) const
{
    const fastdeal::Metrics &metrics = candidate.metrics;
    if (conditions_.maxTransits && metrics.transitTotal > *conditions_.maxTransits)
        return false;
    const int deepest = deepestDepth(metrics);
    if (conditions_.minEfl && deepest < *conditions_.minEfl)
        return false;
    if (conditions_.targetPosition &&
        !targetAtPosition(metrics, *conditions_.targetPosition, deepest))
        return false;
    if (conditions_.target && !targetMatches(candidate, *conditions_.target, deepest))
        return false;
    return !conditions_.fullBalance || fullBalancePossible(candidate.deal, metrics);
}

void analyseCandidate(const lanedeal::SolvedDeal &candidate, TTLKoloda &chain)
{
    fastdeal::toAnalysedRecord(candidate.deal, candidate.metrics, chain);
    QString name, efl;
    std::uint8_t index = 0;
    findDeepestCardsOf(chain, name, index, efl);
}

const lanedeal::SolvedDeal *CandidateStream::next(std::chrono::milliseconds wait)
{
    while (!block_ || position_ == block_->solved.size()) {
        std::optional<lanedeal::BlockResult> block = dealer_.next(wait);
        if (!block)
            return nullptr;
        if (!started_) {
            firstDeal_ = block->index * lanedeal::BlockSize;
            started_ = true;
        }
        // Whatever the last block held after its last candidate counts as dealt now.
        if (block_)
            dealt_ = (block_->index + 1) * lanedeal::BlockSize - firstDeal_;
        block_ = std::move(block);
        position_ = 0;
    }
    const lanedeal::SolvedDeal &solved = block_->solved[position_++];
    dealt_ = solved.index + 1 - firstDeal_;
    return &solved;
}

SearchResult searchChain(CandidateStream &candidates, ConditionSource &conditions,
                         const GeneratorHooks &hooks, std::uint64_t &tried)
{
    // Blocks come far more often than this: the wait only bounds how long a stop
    // request goes unseen while the dealer catches up.
    constexpr std::chrono::milliseconds wait(20);
    SearchResult result;
    std::uint64_t counted = candidates.dealt();
    for (;;) {
        if (hooks.stopRequested && hooks.stopRequested()) {
            result.end = SearchEnd::Stopped;
            return result;
        }
        const lanedeal::SolvedDeal *solved = candidates.next(wait);
        tried += candidates.dealt() - counted;
        counted = candidates.dealt();
        if (!solved)
            continue;
        if (candidatePasses(*solved, conditions, hooks)) {
            result.end = SearchEnd::Found;
            result.found = *solved;
            result.text = fastdeal::toText(solved->deal);
            return result;
        }
    }
}

QStringList startEndLines(const QDateTime &start, const QDateTime &end)
{
    return {QStringLiteral("Генерировать Начали в     = ") + platform::dateTimeText(start),
            QStringLiteral("Генерировать Закончили в  = ") + platform::dateTimeText(end)};
}

QStringList generatorTimeLines(const QDateTime &start, const QDateTime &end)
{
    const qint64 ms = start.msecsTo(end);
    const qint64 hours = ms / 3600000;
    const qint64 minutes = ms / 60000 - 60 * hours;
    const qint64 seconds = ms / 1000 - 60 * (ms / 60000);
    return startEndLines(start, end)
           << QStringLiteral("Времени ушло = %1 часов, %2 минут, %3 секунд.")
                  .arg(hours)
                  .arg(minutes)
                  .arg(seconds);
}
