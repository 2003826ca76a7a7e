// SPDX-License-Identifier: GPL-3.0-or-later
#include "OrderedBatch.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

bool runOnThisThread(const BatchOptions &options, const LineSource &source,
                     const LineWorkerFactory &makeWorker, const BatchSink &sink)
{
    const std::unique_ptr<LineWorker> worker = makeWorker();
    bool ok = true;
    LineOutput output;
    output.out.setDrain(
        [&](ByteOutput &out) {
            ok = ok && (out.empty() || sink(out.view(), {}));
            out.clear();
        },
        options.handOnBytes);
    std::string line;
    for (std::uint64_t index = 0; ok; ++index) {
        line.clear();
        if (!source(line))
            break;
        worker->process(index, line, output);
        if (!output.err.empty() || (options.inputIdle && options.inputIdle())) {
            // Whatever the line said on standard error goes with its output, and a
            // script waiting for this answer gets it before the next read.
            ok = sink(output.out.view(), output.err);
            output.out.clear();
            output.err.clear();
        } else {
            output.out.checkpoint();
        }
    }
    if (ok && !output.out.empty())
        ok = sink(output.out.view(), {});
    return ok;
}

// On a cache line of its own: the workers write their chunks' outputs at once.
struct alignas(64) Chunk
{
    std::string input;
    std::vector<std::pair<std::size_t, std::size_t>> lines; // offset and size in input
    std::uint64_t firstIndex = 0;
    std::uint64_t sequence = 0;
    LineOutput output;
    bool done = false;
};

// Every thread, the calling one among them, takes a free chunk, reads the next
// lines into it (one thread at a time) and analyses them, so that no thread
// waits for another while there are lines to read and chunks to fill. Whoever
// finishes the chunk whose turn it is writes it and every finished chunk after
// it, one writer at a time, and frees them. A chunk is in its turn's slot
// (sequence modulo the number of chunks) from reading to writing; since no more
// chunks exist, the slots of the chunks in flight never clash.
class Batch
{
public:
    Batch(const BatchOptions &options, const LineSource &source, const BatchSink &sink)
        : options_(options), source_(source), sink_(sink)
    {
        const std::size_t count =
            std::size_t(options.threads) * std::size_t(std::max(options.chunksPerThread, 1)) + 1;
        chunks_.resize(count);
        inTurn_.resize(count, nullptr);
        for (auto &chunk : chunks_) {
            chunk = std::make_unique<Chunk>();
            Chunk *c = chunk.get();
            c->output.out.setDrain([this, c](ByteOutput &out) { handOnEarly(*c, out); },
                                   options.handOnBytes);
            free_.push_back(c);
        }
    }

    bool run(const LineWorkerFactory &makeWorker)
    {
        std::vector<std::unique_ptr<LineWorker>> workers;
        for (int t = 0; t < options_.threads; ++t)
            workers.push_back(makeWorker());
        std::vector<std::thread> threads;
        for (std::size_t t = 1; t < workers.size(); ++t)
            threads.emplace_back([this, w = workers[t].get()] { work(*w); });
        work(*workers.front());
        for (auto &thread : threads)
            thread.join();
        return !failed_;
    }

private:
    void work(LineWorker &worker)
    {
        while (Chunk *chunk = take()) {
            for (std::size_t i = 0; i < chunk->lines.size() && !failed_; ++i) {
                const auto [offset, size] = chunk->lines[i];
                worker.process(chunk->firstIndex + i,
                               std::string_view(chunk->input).substr(offset, size), chunk->output);
                chunk->output.out.checkpoint();
            }
            finish(*chunk);
        }
    }

    // A free chunk filled with the next lines, or none at the end of the input
    // or after a failed write.
    Chunk *take()
    {
        Chunk *chunk = nullptr;
        {
            std::unique_lock lock(mutex_);
            chunkFree_.wait(lock, [this] { return !free_.empty() || failed_ || inputDone_; });
            if (failed_ || inputDone_)
                return nullptr;
            chunk = free_.back();
            free_.pop_back();
        }
        std::unique_lock input(inputMutex_);
        chunk->input.clear();
        chunk->lines.clear();
        while (!inputDone_ && chunk->lines.size() < options_.chunkLines &&
               chunk->input.size() < options_.chunkBytes) {
            const std::size_t start = chunk->input.size();
            if (!source_(chunk->input)) {
                endInput();
            } else {
                chunk->lines.emplace_back(start, chunk->input.size() - start);
                if (options_.inputIdle && options_.inputIdle())
                    break;
            }
        }
        std::lock_guard lock(mutex_);
        if (chunk->lines.empty()) {
            free_.push_back(chunk);
            return nullptr;
        }
        chunk->firstIndex = nextIndex_;
        nextIndex_ += chunk->lines.size();
        chunk->sequence = nextSequence_++;
        chunk->done = false;
        inTurn_[chunk->sequence % inTurn_.size()] = chunk;
        return chunk;
    }

    void endInput()
    {
        std::lock_guard lock(mutex_);
        inputDone_ = true;
        chunkFree_.notify_all();
    }

    bool write(std::string_view out, std::string_view err)
    {
        if (failed_)
            return false;
        if ((out.empty() && err.empty()) || sink_(out, err))
            return true;
        failed_ = true;
        return false;
    }

    void finish(Chunk &chunk)
    {
        std::unique_lock lock(mutex_);
        chunk.done = true;
        if (writing_)
            return; // the writer at work takes it when its turn comes
        writing_ = true;
        for (;;) {
            Chunk *next = inTurn_[nextToWrite_ % inTurn_.size()];
            if (next == nullptr || !next->done || next->sequence != nextToWrite_)
                break;
            inTurn_[nextToWrite_ % inTurn_.size()] = nullptr;
            lock.unlock();
            write(next->output.out.view(), next->output.err);
            next->output.out.clear();
            next->output.err.clear();
            lock.lock();
            ++nextToWrite_;
            free_.push_back(next);
            chunkFree_.notify_one();
        }
        writing_ = false;
        if (failed_)
            chunkFree_.notify_all();
    }

    // While it is a chunk's turn nobody else writes until it is done, so its
    // output may go on as it grows.
    void handOnEarly(Chunk &chunk, ByteOutput &out)
    {
        {
            std::lock_guard lock(mutex_);
            if (writing_ || chunk.sequence != nextToWrite_)
                return;
            writing_ = true;
        }
        write(out.view(), {});
        out.clear();
        std::lock_guard lock(mutex_);
        writing_ = false;
        if (failed_)
            chunkFree_.notify_all();
    }

    const BatchOptions &options_;
    const LineSource &source_;
    const BatchSink &sink_;

    std::mutex inputMutex_; // the source and the order of the lines; taken before mutex_
    std::uint64_t nextIndex_ = 0;
    std::uint64_t nextSequence_ = 0;

    std::mutex mutex_;
    std::condition_variable chunkFree_;
    std::vector<std::unique_ptr<Chunk>> chunks_;
    std::vector<Chunk *> free_;
    std::vector<Chunk *> inTurn_;
    std::uint64_t nextToWrite_ = 0;
    bool writing_ = false;
    bool inputDone_ = false; // set under both locks, so either lock reads it
    std::atomic<bool> failed_ = false;
};

} // namespace

bool runOrderedBatch(const BatchOptions &options, const LineSource &source,
                     const LineWorkerFactory &makeWorker, const BatchSink &sink)
{
    if (options.threads <= 1)
        return runOnThisThread(options, source, makeWorker, sink);
    Batch batch(options, source, sink);
    return batch.run(makeWorker);
}
