// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ByteOutput.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

// What the lines of a batch give: standard output and standard error.
struct LineOutput
{
    ByteOutput out;
    std::string err;
};

// Works through lines one at a time. Each thread of a batch owns one worker,
// so a worker may keep reusable state (an analysis object) without locks.
class LineWorker
{
public:
    virtual ~LineWorker() = default;
    // index counts the input's lines from 0.
    virtual void process(std::uint64_t index, std::string_view line, LineOutput &output) = 0;
};

struct BatchOptions
{
    int threads = 1; // the calling thread and threads - 1 more
    // A chunk of input closes at this many lines, or once its lines hold
    // chunkBytes. Small chunks keep a chunk's output (some 5 kB a record) in the
    // worker's cache until it is written: at 256 lines two threads spent a
    // third more time per chain than one, at 32 a twentieth.
    std::size_t chunkLines = 32;
    std::size_t chunkBytes = 256 * 1024;
    // Output goes to the sink in pieces about this big; 0 hands each line's
    // output on at once, as a terminal wants it.
    std::size_t handOnBytes = 256 * 1024;
    int chunksPerThread = 2; // chunks in flight: threads × this + 1
    // Asked after each line read: true when the next line would have to wait for
    // input. The lines read so far then go to the workers and their output on to
    // the sink at once, so that a script feeding one line at a time gets each
    // answer before it sends the next.
    std::function<bool()> inputIdle;
};

// Appends the next line's bytes (without its line end) to buffer and returns
// true, or returns false at the end of the input. Called by one of the batch's
// threads at a time, and not again once it has returned false.
using LineSource = std::function<bool(std::string &buffer)>;
// Makes one worker; called on the calling thread, once per thread.
using LineWorkerFactory = std::function<std::unique_ptr<LineWorker>()>;
// Takes output in input order, from one thread at a time: standard output
// bytes first, then standard error bytes. Returning false (a write that
// failed) ends the batch early.
using BatchSink = std::function<bool(std::string_view out, std::string_view err)>;

// Runs every line of source through a worker on options.threads threads and
// hands the output to sink in the order of the input lines. Memory stays
// bounded: at most threads × chunksPerThread + 1 chunks of lines are read and
// not yet written, and the output of the chunk whose turn it is goes on while
// it is being made, so a single very long line is not held twice. Returns
// false when the sink refused. A chunk goes to the workers when it is full, when
// the input has ended or when the input is idle.
bool runOrderedBatch(const BatchOptions &options, const LineSource &source,
                     const LineWorkerFactory &makeWorker, const BatchSink &sink);
