// SPDX-License-Identifier: GPL-3.0-or-later
#include "ParallelDealer.h"
#include "platform/OperatingSystem.h"

#include <QThread>

#include <algorithm>
#include <cassert>

namespace lanedeal {

int everyCore()
{
    // Qt counts the cores this process may run on, not every core of the machine.
    return std::max(1, QThread::idealThreadCount());
}

BlockResult summarise(const Block &block, const DealFilter &keep, std::size_t deals)
{
    assert(deals <= BlockSize);
    BlockResult result;
    result.index = block.index;
    // Neighbouring deals often keep the same count; four tallies taken in turn
    // keep the increments from waiting on each other.
    std::uint32_t tallies[4][37] = {};
    std::size_t whole = 0;
    for (; whole + 4 <= deals; whole += 4)
        for (std::size_t t = 0; t < 4; ++t)
            ++tallies[t][block.left[whole + t]];
    for (std::size_t i = whole; i < deals; ++i)
        ++tallies[0][block.left[i]];
    for (std::size_t n = 0; n < result.leftCounts.size(); ++n)
        result.leftCounts[n] = tallies[0][n] + tallies[1][n] + tallies[2][n] + tallies[3][n];
    result.solved.reserve(result.leftCounts[2]);
    for (std::size_t i = 0; i < deals; ++i) {
        if (block.left[i] != 2)
            continue;
        SolvedDeal solved;
        solved.index = block.index * BlockSize + i;
        solved.deal = block.deal(i);
        fastdeal::collapseWithMetrics(solved.deal, solved.metrics);
        if (!keep || keep(solved))
            result.solved.push_back(solved);
    }
    return result;
}

ParallelDealer::ParallelDealer(std::uint64_t runSeed, int threads, std::uint64_t firstBlock,
                               int lookAhead, DealFilter keep, const char *threadName)
    : seed_(runSeed), firstBlock_(firstBlock), lookAhead_(lookAhead),
      batch_(std::clamp(lookAhead / 4, 1, 16)), keep_(std::move(keep)), nextBlock_(firstBlock),
      slots_(std::size_t(lookAhead)), taken_(firstBlock), readyEnd_(firstBlock)
{
    assert(threads >= 0 && lookAhead >= 1);
    if (threads == 0)
        inlineBlock_ = std::make_unique<Block>();
    workers_.reserve(std::size_t(threads));
    for (int t = 0; t < threads; ++t) {
        workers_.emplace_back([this] { work(); });
        // Named before the constructor returns, so that a look at the process's
        // threads (top -H, or a test) tells the dealer's workers from any other.
        os::nameThread(workers_.back(), threadName);
    }
}

ParallelDealer::~ParallelDealer()
{
    stop();
}

std::optional<BlockResult> &ParallelDealer::slot(std::uint64_t block)
{
    return slots_[std::size_t((block - firstBlock_) % std::uint64_t(lookAhead_))];
}

void ParallelDealer::work()
{
    auto block = std::make_unique<Block>();
    std::uint64_t b = nextBlock_.fetch_add(1);
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            ++waitingWorkers_;
            space_.wait(lock, [&] { return stopping_ || b < taken_ + std::uint64_t(lookAhead_); });
            --waitingWorkers_;
            if (stopping_)
                return;
        }
        dealBlock(seed_, b, *block);
        BlockResult result = summarise(*block, keep_);
        const std::uint64_t following = nextBlock_.fetch_add(1);
        {
            std::lock_guard lock(mutex_);
            slot(b) = std::move(result);
            ++dealt_;
            while (readyEnd_ < taken_ + std::uint64_t(lookAhead_) && slot(readyEnd_).has_value())
                ++readyEnd_;
            if (consumerWaits_ && readyEnd_ >= wakeAt_)
                ready_.notify_one();
        }
        b = following;
    }
}

std::optional<BlockResult> ParallelDealer::next(std::chrono::milliseconds wait)
{
    std::unique_lock lock(mutex_);
    if (stopping_)
        return std::nullopt;
    if (workers_.empty()) {
        dealBlock(seed_, taken_++, *inlineBlock_);
        ++dealt_;
        return summarise(*inlineBlock_, keep_);
    }
    std::optional<BlockResult> &waiting = slot(taken_);
    if (!waiting) {
        // Waking costs more than a block's dealing takes on some systems, so
        // the consumer sleeps until a batch is ready or the wait is over.
        wakeAt_ = taken_ + std::uint64_t(batch_);
        consumerWaits_ = true;
        ready_.wait_for(lock, wait, [&] { return stopping_ || readyEnd_ >= wakeAt_; });
        consumerWaits_ = false;
        if (stopping_ || !waiting)
            return std::nullopt;
    }
    std::optional<BlockResult> result = std::move(waiting);
    waiting.reset();
    ++taken_;
    // Likewise waiting workers go on a batch of free slots at a time.
    const bool wake = waitingWorkers_ > 0 && (taken_ - firstBlock_) % std::uint64_t(batch_) == 0;
    lock.unlock();
    if (wake)
        space_.notify_all();
    return result;
}

void ParallelDealer::stop()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    ready_.notify_all();
    space_.notify_all();
    for (auto &worker : workers_)
        if (worker.joinable())
            worker.join();
}

std::uint64_t ParallelDealer::dealtBlocks() const
{
    std::lock_guard lock(mutex_);
    return dealt_;
}

} // namespace lanedeal
