// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Cards.h"
#include "platform/RandomSource.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// How a micro-chain was laid, whichever way it was found: the first card (one
// that agrees with the target), the second card, then one growth step per undone
// collapse. A growth step puts its card at entry r (1 to the cards then in the
// chain less one) and moves the cards from r on one place to the right, so that
// the card agrees with the card then two places to its right. Replaying the steps
// on (first, second, target) gives the micro-chain.
struct MicroGrowthStep
{
    int r = 0;
    QString card;
    bool operator==(const MicroGrowthStep &) const = default;
};

struct MicroChainHistory
{
    QString first;
    QString second;
    std::vector<MicroGrowthStep> growth;
    bool operator==(const MicroChainHistory &) const = default;
};

// When a long build should give up. keepTrying, when given, is asked every so
// often whether to go on; attemptLimit, when above 0, bounds the attempts counted
// in the stats the caller passes in, so that one bound can span several
// micro-chains built with the same stats.
struct MicroBuildLimits
{
    std::function<bool()> keepTrying;
    std::int64_t attemptLimit = 0;
};

// Choices between two questions to keepTrying in the constructive search; a
// choice costs about a microsecond, so a stop is noticed within a few ms.
inline constexpr int MicroChoicesPerCheck = 4096;

struct MicroConstructStats
{
    std::int64_t attempts = 0;   // descents: one per candidate, one more per restart
    std::int64_t choices = 0;    // cards laid, those taken back included
    std::int64_t candidates = 0; // finished micro-chains the resampling chose among
    // The candidates' weights: weightSum² / (candidates × weightSquares) is the
    // share of candidates that still count after weighting.
    double weightSum = 0;
    double weightSquares = 0;
};

// How the constructive search is tuned. The defaults are what the program uses;
// the others exist to measure what each part buys.
struct MicroConstructSettings
{
    // Candidates per micro-chain, one of them kept in proportion to its weight;
    // 0 takes microCandidateCount(efl), 1 keeps every candidate.
    int candidates = 0;
    // A descent that meets a dead end starts afresh, so that a candidate's
    // chance is exactly the product of the shares its weight undoes. With
    // backtracking it goes back to the last choice that has another card left
    // instead: plain backtracking, which gives every branch that holds a
    // micro-chain the same chance, a bias no weight undoes.
    bool backtrack = false;
    // With backtracking, the choices a descent may make before the search starts
    // afresh; each restart allows budgetGrowth times as many, so that a search
    // lost in a dead subtree leaves it while one that needs long descents still
    // ends. Descents without backtracking are short and never reach it.
    std::int64_t firstBudget = 2000;
    double budgetGrowth = 1.1;
};

// Candidates the resampling weighs for one micro-chain of the given EFL.
int microCandidateCount(int efl);

// The constructive micro-chain search: the same construction as generate-and-test
// (first card, second card, e - 1 growth steps, no card twice) walked as a
// randomized search with restarts, pruned so that it only enters branches that
// can still end in a micro-chain that passes the test, and it enters every such
// branch. Each candidate carries a weight: generate-and-test's chance of its
// choices over the search's. Keeping one candidate of several in proportion to
// its weight draws from generate-and-test's distribution in the limit of many
// candidates; from e = 20 or so the weights spread so far that a feasible number
// of candidates only pulls the results towards it.
//
// The deck is the ordered deck built from the letter tables; a card named like
// the target leaves it, as in generate-and-test.
class MicroChainConstructor
{
public:
    MicroChainConstructor(const QString &target, int efl,
                          const MicroConstructSettings &settings = {});
    ~MicroChainConstructor();
    MicroChainConstructor(const MicroChainConstructor &) = delete;
    MicroChainConstructor &operator=(const MicroChainConstructor &) = delete;

    // False when the target is none of the 36 cards, 4 suit patterns and 9 rank
    // patterns, the EFL lies outside 1 to 34, or too few cards agree with the
    // target (one for the first card, one more for the last growth step).
    bool possible() const;

    // Builds one micro-chain. True with chain emptied and then holding the
    // letters of entries 1 to e + 2, and *history (when given) its steps; false,
    // both unchanged, when it is impossible or the limits ended the search.
    bool build(RandomSource &random, TTLKoloda &chain, MicroChainHistory *history = nullptr,
               const MicroBuildLimits &limits = {}, MicroConstructStats *stats = nullptr);

    // Whether the search could lay this history: every step legal (r in range,
    // the card in the pool and agreeing) and never cut off by the pruning, and
    // the finished chain passing the test. Every micro-chain generate-and-test
    // accepts must be admitted, or the search would miss some of them.
    bool admits(const MicroChainHistory &history) const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};
