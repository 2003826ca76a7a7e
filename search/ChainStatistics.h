// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hexagrams/HexagramPatterns.h"

#include "engine/Cards.h"
#include "engine/FastDeal.h"
#include "engine/ParallelDealer.h"
#include "platform/TextGrid.h"

#include <QJsonObject>
#include <QStringList>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// What the analysis tells of one chain, in the numbers the statistics count:
// its EFL, its transit total, whether full balancing is possible and the four
// suit hexagrams (п, б, к, ч; 1..64).
struct ChainFigures
{
    int efl = 0;
    int transits = 0;
    bool fullBalance = false;
    std::array<int, 4> hexagrams{};

    bool operator==(const ChainFigures &) const = default;
};

// The figures of a collapsed deal, from its bytes and metrics: the same as the
// analysis tables give for the chain.
ChainFigures chainFigures(const fastdeal::Deal &deal, const fastdeal::Metrics &metrics);

// The figures of an analysed chain record (letters and collapse results).
ChainFigures chainFigures(const TTLKoloda &chain);

// The chain last analysed, as the statistics window marks it: its cards left and
// its figures.
struct ChainMarks
{
    int left = 0;
    ChainFigures figures;
};

// The marks of an analysed chain; the hexagram numbers come from column 8 of the
// hexagram table when it holds them, from the chain's own results otherwise.
// Nothing for a chain without cards (none analysed yet).
std::optional<ChainMarks> analysedChainMarks(const TTLKoloda &chain, const TextGrid &hexagramTable);

// The most deals one statistics run takes: about an hour on one core.
inline constexpr std::uint64_t MaxStatisticsDeals = 100'000'000'000ULL;

// Counts over many random deals: how far each collapses, and for those that
// collapse to two cards their figures. Every histogram is indexed by its value.
struct DealStatistics
{
    static constexpr int MaxValue = 36;

    std::uint64_t deals = 0;
    std::uint64_t solved = 0;                       // deals that collapse to two cards
    std::array<std::uint64_t, MaxValue + 1> left{}; // cards left, 2..36
    // Over the solved deals.
    std::array<std::uint64_t, MaxValue + 1> efl{};
    std::array<std::uint64_t, MaxValue + 1> transits{};
    std::uint64_t fullBalance = 0;
    std::array<std::array<std::uint64_t, 65>, 4> hexagrams{}; // [suit п..ч][1..64]

    // A dealt block: its left counts, and the figures of every solved deal in it
    // (the dealer must hand over every solved deal, without a filter).
    void addBlock(const lanedeal::BlockResult &block);
    void addSolved(const ChainFigures &figures);
    void merge(const DealStatistics &other);

    bool operator==(const DealStatistics &) const = default;
};

// A statistics run of exactly `deals` deals of run `seed` over a parallel dealer:
// the numbers depend on the seed and the count only, never on the threads. The
// owner takes the dealt blocks whenever it likes (a loop, a timer); destroying
// the run stops the dealing and joins its threads.
class StatisticsRun
{
public:
    // threads == 0 deals on the caller's thread, inside advance().
    StatisticsRun(std::uint64_t seed, std::uint64_t deals, int threads);
    ~StatisticsRun();
    StatisticsRun(const StatisticsRun &) = delete;
    StatisticsRun &operator=(const StatisticsRun &) = delete;

    // Counts the blocks dealt so far, waiting for them no longer than budget in
    // all. Returns whether more is to come: false once every deal is counted or
    // the run was stopped.
    bool advance(std::chrono::milliseconds budget);
    // Ends the dealing; the statistics keep what was counted.
    void stop();

    bool finished() const { return statistics_.deals == deals_; }
    const DealStatistics &statistics() const { return statistics_; }

private:
    void countTail();

    const std::uint64_t seed_;
    const std::uint64_t deals_;
    const std::uint64_t fullBlocks_;
    std::uint64_t nextBlock_ = 0;
    bool stopped_ = false;
    std::unique_ptr<lanedeal::ParallelDealer> dealer_;
    DealStatistics statistics_;
};

// A statistics run counted on a thread of its own, for a window: the owner picks
// up the totals whenever it likes and never waits on the dealing, since taking
// the dealt blocks, with the waits for them, happens on the counting thread.
// Destroying it stops the run and joins every thread it started.
class BackgroundStatistics
{
public:
    struct Totals
    {
        DealStatistics statistics;
        bool ended = false; // every deal counted, or stopped
    };

    BackgroundStatistics(std::uint64_t seed, std::uint64_t deals, int threads);
    ~BackgroundStatistics();
    BackgroundStatistics(const BackgroundStatistics &) = delete;
    BackgroundStatistics &operator=(const BackgroundStatistics &) = delete;

    // What was counted so far: a copy taken under a lock held only for the copy.
    Totals totals() const;
    // Ends the dealing and the counting; on return the counting thread is joined
    // and totals() holds what was counted, ended. The dealing threads are joined
    // when the object goes.
    void stop();

private:
    void count();

    StatisticsRun run_;
    mutable std::mutex lock_;
    Totals totals_;
    std::atomic<bool> stopRequested_{false};
    std::thread counter_;
};

// Deals exactly `deals` chains of run seed on `threads` dealing threads and
// counts them. progress is called about every progressEvery with the counts so
// far; when it returns false the run ends there, with what it counted.
DealStatistics
collectStatistics(std::uint64_t seed, std::uint64_t deals, int threads,
                  const std::function<bool(const DealStatistics &)> &progress = {},
                  std::chrono::milliseconds progressEvery = std::chrono::milliseconds(1000));

// One object: "deals", "solved", "left" (cards left as a decimal string ->
// chains), over the solved chains "efl", "transits", "fullBalance" and
// "hexagrams" ("п", "б", "к", "ч": hexagram number -> chains), then "seed" and
// "ms". Histograms leave out the values no chain has.
QJsonObject statisticsJson(const DealStatistics &statistics, std::uint64_t seed, qint64 ms);

// The same as a readable table, shares in per cent, numbers in the locale's
// decimal separator.
QStringList statisticsTable(const DealStatistics &statistics, std::uint64_t seed, qint64 ms);

// A whole number with its digits in groups of three ("10 000 000").
QString groupedNumber(std::uint64_t value);

// part of whole in per cent with the given decimals and the locale's separator;
// "0" of an empty whole.
QString percentText(std::uint64_t part, std::uint64_t whole, int decimals);

// A count of deals as a person types it: digits, blanks between groups allowed,
// a decimal fraction before "тыс", "млн" or "млрд" ("50 000", "2,5 млн", "1
// млрд"). Nothing for any other text, for a count below 1, or a fraction of a deal.
std::optional<std::uint64_t> dealCountFromText(const QString &text);
