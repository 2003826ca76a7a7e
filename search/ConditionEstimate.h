// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/FastDeal.h"
#include "search/ChainGenerator.h"

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

// How likely a random deal is to give what the generator is asked for, measured
// on a sample of deals, so that a user sees before a run whether it will take a
// second or a day.

// Whether any condition is set; with none, the generator takes the first deal
// that collapses to two cards.
bool hasConditions(const GeneratorConditions &conditions);

// The conditions a source holds at this moment; nothing when a ticked list's item
// is no whole number (such a run would end at its first candidate).
std::optional<GeneratorConditions> readConditions(ConditionSource &source);

// When a sample is large enough.
struct EstimateLimits
{
    // Passing deals that make the estimate good to about ±20 % (95 %).
    std::uint64_t enoughPassed = 100;
    std::uint64_t maxDeals = 100'000'000;
    std::chrono::milliseconds budget{3000};
};

struct ConditionEstimate
{
    enum class End
    {
        Enough,   // enoughPassed deals passed
        MaxDeals, // the sample reached maxDeals
        Budget,   // the time budget ran out
        Cancelled
    };

    std::uint64_t dealt = 0;
    std::uint64_t passed = 0;
    double seconds = 0; // the sample's time, from the start of its dealing threads
    End end = End::Cancelled;

    // passed / dealt; 0 for an empty sample.
    double chance() const;
    // The sample's dealing speed, 0 when it took no measurable time.
    double dealsPerSecond() const;
    // The 95 % bounds of the chance: Wilson's interval, and 3 / dealt as the upper
    // one when none passed.
    double lowerBound() const;
    double upperBound() const;
};

// Deals run seed on `threads` dealing threads (0: on the caller's thread) until
// the limits say the sample is enough or cancel returns true, and counts the
// deals that meet the conditions. The dealing threads test the conditions. With
// the same seed an estimate that ends by its counts is the same on any number of
// threads.
ConditionEstimate estimateConditions(const GeneratorConditions &conditions, std::uint64_t seed,
                                     int threads, const EstimateLimits &limits,
                                     const std::function<bool()> &cancel = {});

// "≈ 1 из 2,3 млн, ≈ 1 с": the chance per dealt chain and the expected time to a
// passing chain at dealsPerSecond (left out when that is 0). A sample with few
// passing deals says how few ("… (по 12 в 28 млн)"); one with none says so
// plainly ("ни одной в 100 млн — реже 1 из 33 млн, дольше 3 с").
QString estimateText(const ConditionEstimate &estimate, double dealsPerSecond);

// A count with two significant digits in тыс, млн or млрд: "130", "2,3 тыс",
// "45 млн", "1 300 млрд"; the locale's decimal separator.
QString amountText(double value);

// A time with two significant digits in seconds, minutes, hours or days: "2,5 с",
// "14 мин", "3 ч", "120 дн".
QString durationText(double seconds);
