// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Cards.h"
#include "engine/FastDeal.h"
#include "engine/ParallelDealer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

// The generator's part of the program state.
struct GeneratorState
{
    bool StopRequested = false; // set by "Выход" and by closing the main window
    // Chains dealt in the current or the last run: 64 bits, since a run deals
    // tens of millions a second and 32 would wrap within two minutes.
    std::uint64_t TriedVariants = 0;
};

// The card pattern of condition 4 as the tests read it from its text: "?" and a
// suit, a rank and "?" (only these two letters count), or a card's name.
// Letters are characters (code points) as the reader takes them; a text that
// names no card of the deck (the placeholder, nothing selected) matches none.
class TargetPattern
{
public:
    TargetPattern() = default; // matches no card
    explicit TargetPattern(const QString &text);
    bool matches(fastdeal::Card card) const;
    bool operator==(const TargetPattern &) const = default;

private:
    int suit_ = 0; // 0: any suit
    int rank_ = 0; // 0: any rank
    bool none_ = true;
};

// Where a run reads its five conditions. Each test reads them afresh, so a box
// ticked or an item picked while the run processes events applies to the next
// test that reads it.
class ConditionSource
{
public:
    virtual ~ConditionSource() = default;
    virtual bool boxChecked(int box) = 0; // 1..5
    // The number of list 1..3 (transits, EFL, target position). A window reads
    // its list here and throws platform::ConversionError when the item is no
    // whole number.
    virtual int listNumber(int list) = 0;
    // The card pattern of condition 4, read from its item: a card, "?" + suit or
    // rank + "?"; nothing selected matches no card.
    virtual TargetPattern targetPattern() = 0;
};

// Conditions fixed for the whole run, as the command line and the benchmarks
// give them: an absent value is an unticked box.
struct GeneratorConditions
{
    std::optional<int> maxTransits;
    std::optional<int> minEfl;
    std::optional<int> targetPosition;
    std::optional<TargetPattern> target;
    bool fullBalance = false;

    // Equal conditions ask for the same chains.
    bool operator==(const GeneratorConditions &) const = default;
};

class FixedConditions : public ConditionSource
{
public:
    explicit FixedConditions(GeneratorConditions conditions) : conditions_(std::move(conditions)) {}
    bool boxChecked(int box) override;
    int listNumber(int list) override;
    TargetPattern targetPattern() override { return conditions_.target.value_or(TargetPattern()); }

private:
    GeneratorConditions conditions_;
};

// The points where a window run lets the window live. Empty hooks do nothing.
struct GeneratorHooks
{
    std::function<bool()> stopRequested;        // polled before every candidate
    std::function<void()> processPendingEvents; // after the tests that allow it
    std::function<void()> repaint;              // once per candidate before condition 4
    // Gets the EFL of every candidate whose targets were sought (the window's
    // MaxDepth); none leaves it alone.
    std::int32_t *maxDepth = nullptr;
};

// Full balancing: at least six of the nine ranks have exactly two moved cards.
bool fullBalancePossible(const fastdeal::Deal &deal, const fastdeal::Metrics &metrics);
// The same from the moved cards counted by rank (index 1..9).
bool fullBalanceOfRanks(const std::array<int, 10> &movedPerRank);

// The EFL: the greatest depth of the deal's cards.
int deepestDepth(const fastdeal::Metrics &metrics);

// The five tests on a candidate (a deal that collapsed to two cards, with what
// the collapse did to it), in their order, with their points for pending events.
// The target cards are the cards of the greatest depth; hooks.maxDepth gets it in
// every case but an unreadable condition 2. Throws platform::ConversionError when a
// ticked condition's item is not a whole number.
bool candidatePasses(const lanedeal::SolvedDeal &candidate, ConditionSource &conditions,
                     const GeneratorHooks &hooks);

// Conditions fixed for a whole run, tested on a candidate as candidatePasses
// tests them, without its event points: for dealing threads that test the
// candidates they solved.
class FixedConditionTest
{
public:
    explicit FixedConditionTest(const GeneratorConditions &conditions);
    bool passes(const lanedeal::SolvedDeal &candidate) const;

private:
    GeneratorConditions conditions_;
};

// The chain record of a candidate, analysed, with its target cards as the depth
// search lists them: what a found chain is shown and reported with.
void analyseCandidate(const lanedeal::SolvedDeal &candidate, TTLKoloda &chain);

// A run's candidates, the deals that collapsed to two cards, in deal order as the
// dealer's blocks bring them. Deals are counted exactly: dealt() is the number of
// the run's deals up to the candidate last taken, or up to the end of the last
// block when it held no more.
class CandidateStream
{
public:
    explicit CandidateStream(lanedeal::ParallelDealer &dealer) : dealer_(dealer) {}

    // The next candidate, waiting at most `wait` for the block that holds it;
    // nothing when it has not come yet.
    const lanedeal::SolvedDeal *next(std::chrono::milliseconds wait);
    std::uint64_t dealt() const { return dealt_; }

private:
    lanedeal::ParallelDealer &dealer_;
    std::optional<lanedeal::BlockResult> block_;
    std::size_t position_ = 0;
    std::uint64_t firstDeal_ = 0; // the run's first deal, block firstBlock's first
    bool started_ = false;
    std::uint64_t dealt_ = 0;
};

enum class SearchEnd
{
    Found,
    Stopped
};

struct SearchResult
{
    SearchEnd end = SearchEnd::Stopped;
    lanedeal::SolvedDeal found; // the found chain as dealt, with its metrics
    QString text;               // its cards joined by single blanks
};

// Takes the stream's candidates one by one and tests each until one passes or
// the stop hook says so. The deals the stream counts are added to tried as they
// are passed, so a nested search that resets tried and the outer one that goes
// on afterwards share the count as one counter. Throws platform::ConversionError
// as candidatePasses does.
SearchResult searchChain(CandidateStream &candidates, ConditionSource &conditions,
                         const GeneratorHooks &hooks, std::uint64_t &tried);

// The lines of a timed command that say when it began and when it ended.
QStringList startEndLines(const QDateTime &start, const QDateTime &end);

// The three time lines of a generator run: began, ended, and the whole hours,
// minutes and seconds it took.
QStringList generatorTimeLines(const QDateTime &start, const QDateTime &end);
