// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LaneDeal.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace lanedeal {

// A deal that collapsed to two cards, with its place in the run and what the
// collapse did to each card. The metrics are worked out on the worker that dealt
// it, so a consumer that tests candidates one by one need not.
struct SolvedDeal
{
    std::uint64_t index = 0; // the run's deal k = block * BlockSize + i
    fastdeal::Deal deal{};
    fastdeal::Metrics metrics;
};

// Whether a deal that collapsed to two cards goes to the consumer. It runs on
// the worker threads, several at once, so it may read only what nobody writes
// while the dealer runs.
using DealFilter = std::function<bool(const SolvedDeal &)>;

// What a dealt block tells its consumer.
struct BlockResult
{
    std::uint64_t index = 0;
    std::vector<SolvedDeal> solved; // in deal order; those the filter kept
    // leftCounts[n]: the block's deals that kept n cards, n = 2..36 (0 and 1 stay 0).
    std::array<std::uint32_t, 37> leftCounts{};
};

// The block's first `deals` deals (the last block of a run may hold fewer).
// Dealing threads for every core this process may use, at least one.
int everyCore();

BlockResult summarise(const Block &block, const DealFilter &keep = {},
                      std::size_t deals = BlockSize);

// Deals a run's blocks on worker threads and hands them to one consumer in
// block order, whatever the number of threads: the results depend on the seed
// and the first block only. Workers take block indices from a shared counter
// and stay at most lookAhead blocks ahead of the consumer, so a consumer that
// pauses holds the workers, not memory.
class ParallelDealer
{
public:
    static constexpr int DefaultLookAhead = 1024;
    // The name every worker thread carries.
    static constexpr const char *WorkerThreadName = "tlcalc-deal";

    // threads == 0 deals on the caller's thread, inside next(). Without a
    // filter every deal that collapsed to two cards is handed over.
    ParallelDealer(std::uint64_t runSeed, int threads, std::uint64_t firstBlock = 0,
                   int lookAhead = DefaultLookAhead, DealFilter keep = {});
    ~ParallelDealer();
    ParallelDealer(const ParallelDealer &) = delete;
    ParallelDealer &operator=(const ParallelDealer &) = delete;

    // The next block in order, waiting for it at most `wait` (zero polls);
    // nothing after stop().
    std::optional<BlockResult> next(std::chrono::milliseconds wait);

    // Every worker ends its block (a few tens of microseconds) and is joined.
    void stop();

    int threads() const { return int(workers_.size()); }
    int lookAhead() const { return lookAhead_; }
    // Blocks dealt so far, taken or not: never more than the blocks taken plus lookAhead().
    std::uint64_t dealtBlocks() const;

private:
    void work();
    std::optional<BlockResult> &slot(std::uint64_t block);

    const std::uint64_t seed_;
    const std::uint64_t firstBlock_;
    const int lookAhead_;
    const int batch_; // blocks a sleeping consumer or worker waits for before it wakes
    const DealFilter keep_;
    std::atomic<std::uint64_t> nextBlock_;

    mutable std::mutex mutex_;
    std::condition_variable ready_;                 // the consumer's block has arrived, or stop
    std::condition_variable space_;                 // the consumer took a block, or stop
    std::vector<std::optional<BlockResult>> slots_; // block b at (b - firstBlock) % lookAhead
    std::uint64_t taken_;                           // the block the consumer takes next
    std::uint64_t readyEnd_;                        // blocks taken_ up to here are ready
    std::uint64_t wakeAt_ = 0;
    bool consumerWaits_ = false;
    int waitingWorkers_ = 0;
    std::uint64_t dealt_ = 0;
    bool stopping_ = false;

    std::unique_ptr<Block> inlineBlock_; // without workers
    std::vector<std::thread> workers_;
};

} // namespace lanedeal
