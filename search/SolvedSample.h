// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/ParallelDealer.h"
#include "search/ChainGenerator.h"

#include <cstdint>
#include <mutex>
#include <vector>

// One sample of dealt chains that every condition set is judged against. Judged
// on samples of their own, two condition sets differ by the luck of two samples
// as well as by what they ask: a set could show a higher chance than a set it
// narrows, and the figure moved by a sixth from one look to the next. On one
// sample a narrower set counts a part of the chains a wider one counts, a
// condition that every solved chain meets counts them all, and a growing sample
// settles the figure.

// What the five conditions read of a chain that collapsed to two cards, in 16
// bytes, so that a sample of millions of deals fits in a few megabytes.
struct SolvedSummary
{
    std::uint64_t targetPositions = 0; // bit p - 1: the card at position p is a target
    std::uint64_t targetCards = 0;     // bit n - 1: the card of deck ordinal n is a target
    std::uint8_t transits = 0;
    std::uint8_t efl = 0;
    bool fullBalance = false;
};

SolvedSummary summariseSolved(const lanedeal::SolvedDeal &solved);

// The conditions as tests on summaries: the same verdict as FixedConditionTest on
// the deal itself.
class SummaryTest
{
public:
    explicit SummaryTest(const GeneratorConditions &conditions);
    bool passes(const SolvedSummary &summary) const;

private:
    GeneratorConditions conditions_;
    std::uint64_t targetCards_ = 0; // the cards the target pattern matches
};

// The sample: every deal of the blocks added is counted, and every one that
// collapsed to two cards is kept as its summary. Blocks come from one dealer in
// order, so a seed gives the same sample. Adding and counting may happen on two
// threads at once.
class SolvedSample
{
public:
    // Adds a block; returns how many of its deals pass test, when given.
    std::uint64_t add(const lanedeal::BlockResult &block, const SummaryTest *test = nullptr);

    std::uint64_t dealt() const;
    std::size_t solved() const;
    // The deals of the sample that meet the conditions, and the sample's size.
    struct Count
    {
        std::uint64_t dealt = 0;
        std::uint64_t passed = 0;
    };
    Count count(const GeneratorConditions &conditions) const;

private:
    mutable std::mutex mutex_;
    std::uint64_t dealt_ = 0;
    std::vector<SolvedSummary> solved_;
};
