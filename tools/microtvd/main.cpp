// SPDX-License-Identifier: GPL-3.0-or-later
// Measures how close the constructive micro-chain search comes to
// generate-and-test, and how long it takes. Not a test: its figures are noisy by
// nature and a run takes minutes.
//
//   microtvd tvd EFL TARGET SAMPLES [K ...]   total variation distance of the
//       second card and of the r sequence: generate-and-test against a second
//       generate-and-test sample (the noise floor), then the search with each K
//       (a K of "b1" is plain backtracking: "b" before K makes the search
//       backtrack, as the program's search does not)
//   microtvd wtvd EFL TARGET REFERENCE SAMPLES [K ...]   the same against
//       generate-and-test's distribution estimated from REFERENCE weighted
//       single candidates, for EFLs where generate-and-test is too slow (the
//       r-sequence figure then means little: too many sequences)
//   microtvd admit EFL TARGET CHAINS           how many of generate-and-test's
//       micro-chains the search admits (all, or its pruning cuts off some)
//   microtvd time EFL TARGET CHAINS [K [BUDGET [GROWTH]]]   time per micro-chain:
//       median and worst, with the restart budget's start and growth when given
//       ("b" before K as above)
#include "engine/ChainState.h"
#include "engine/Deck.h"
#include "platform/RandomSource.h"
#include "search/MicroChainConstruct.h"
#include "search/MicroChainSearch.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using Histories = std::vector<MicroChainHistory>;

struct Sample
{
    std::map<std::string, double> second;
    std::map<std::string, double> rSequence;
    std::vector<std::map<int, double>> rAtStep;
};

Sample tally(const Histories &histories)
{
    Sample sample;
    const double share = 1.0 / double(histories.size());
    for (const MicroChainHistory &history : histories) {
        sample.second[history.second.toStdString()] += share;
        std::string key;
        if (sample.rAtStep.size() < history.growth.size())
            sample.rAtStep.resize(history.growth.size());
        for (std::size_t s = 0; s < history.growth.size(); ++s) {
            key += std::to_string(history.growth[s].r) + ',';
            sample.rAtStep[s][history.growth[s].r] += share;
        }
        sample.rSequence[key] += share;
    }
    return sample;
}

template <typename Key>
double distance(const std::map<Key, double> &p, const std::map<Key, double> &q)
{
    double sum = 0;
    for (const auto &[key, value] : p) {
        const auto found = q.find(key);
        sum += std::abs(value - (found == q.end() ? 0.0 : found->second));
    }
    for (const auto &[key, value] : q)
        if (!p.count(key))
            sum += value;
    return sum / 2;
}

void report(const char *name, const Sample &reference, const Sample &other, double seconds,
            std::size_t count)
{
    double worstStep = 0;
    for (std::size_t s = 0; s < reference.rAtStep.size() && s < other.rAtStep.size(); ++s)
        worstStep = std::max(worstStep, distance(reference.rAtStep[s], other.rAtStep[s]));
    std::printf("%-22s second %.4f  r-sequence %.4f  worst r-step %.4f  (%zu r-sequences, "
                "%.3f ms/chain)\n",
                name, distance(reference.second, other.second),
                distance(reference.rSequence, other.rSequence), worstStep, other.rSequence.size(),
                seconds * 1000 / double(count));
    std::fflush(stdout);
}

// "b" before a candidate count asks for backtracking.
MicroConstructSettings settingsFor(const std::string &k)
{
    MicroConstructSettings settings;
    settings.backtrack = !k.empty() && k.front() == 'b';
    settings.candidates = std::atoi(k.c_str() + (settings.backtrack ? 1 : 0));
    return settings;
}

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Histories generateAndTest(const QString &target, int efl, int count, std::uint64_t seed)
{
    RandomSource random(seed);
    Histories histories;
    for (int k = 0; k < count; ++k) {
        TTLKoloda chain;
        MicroChainHistory history;
        BuildMicroChain(ChainState().OrderedDeck, random, target, efl, chain, &history);
        histories.push_back(history);
    }
    return histories;
}

Histories search(const QString &target, int efl, int count, std::uint64_t seed,
                 const MicroConstructSettings &settings)
{
    RandomSource random(seed);
    MicroChainConstructor constructor(target, efl, settings);
    Histories histories;
    for (int k = 0; k < count; ++k) {
        TTLKoloda chain;
        MicroChainHistory history;
        if (!constructor.build(random, chain, &history))
            std::abort();
        histories.push_back(history);
    }
    return histories;
}

int tvd(int efl, const QString &target, int count, const std::vector<std::string> &ks)
{
    double start = now();
    const Sample reference = tally(generateAndTest(target, efl, count, 1));
    const double gatSeconds = now() - start;
    start = now();
    const Sample second = tally(generateAndTest(target, efl, count, 2));
    report("generate-and-test", reference, second, now() - start, std::size_t(count));
    std::printf("  (reference sample %.3f ms/chain, %zu r-sequences)\n", gatSeconds * 1000 / count,
                reference.rSequence.size());
    for (const std::string &k : ks) {
        const MicroConstructSettings settings = settingsFor(k);
        start = now();
        const Sample sample = tally(search(target, efl, count, 3, settings));
        report(("search K=" + k).c_str(), reference, sample, now() - start, std::size_t(count));
    }
    return 0;
}

int timing(int efl, const QString &target, int count, int k, std::int64_t budget, double growth,
           bool backtrack)
{
    MicroConstructSettings settings;
    settings.candidates = k;
    settings.backtrack = backtrack;
    if (budget > 0)
        settings.firstBudget = budget;
    if (growth > 0)
        settings.budgetGrowth = growth;
    MicroChainConstructor constructor(target, efl, settings);
    RandomSource random(77);
    std::vector<double> ms;
    MicroConstructStats stats;
    for (int c = 0; c < count; ++c) {
        TTLKoloda chain;
        const double start = now();
        if (!constructor.build(random, chain, nullptr, {}, &stats))
            std::abort();
        ms.push_back((now() - start) * 1000);
    }
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (const double one : ms)
        total += one;
    std::printf("e=%d %s K=%d%s: mean %.3f ms, median %.3f ms, worst %.3f ms of %d; %.1f "
                "descents, %.0f "
                "choices per chain; effective share %.4f\n",
                efl, target.toStdString().c_str(), k ? k : microCandidateCount(efl),
                backtrack ? " backtracking" : "", total / double(count), ms[ms.size() / 2],
                ms.back(), count, double(stats.attempts) / count, double(stats.choices) / count,
                stats.weightSum * stats.weightSum /
                    (double(stats.candidates) * stats.weightSquares));
    return 0;
}

// Beyond e = 11 generate-and-test is too slow to sample; its distribution is
// then estimated from many single candidates of the search, each counted with
// its weight, and the search with K candidates is compared with that.
int weightedTvd(int efl, const QString &target, int referenceCount, int count,
                const std::vector<std::string> &ks)
{
    MicroConstructSettings single;
    single.candidates = 1;
    MicroChainConstructor constructor(target, efl, single);
    RandomSource random(11);
    MicroConstructStats stats;
    Sample reference;
    double total = 0;
    double squares = 0;
    for (int k = 0; k < referenceCount; ++k) {
        TTLKoloda chain;
        MicroChainHistory history;
        const double before = stats.weightSum;
        constructor.build(random, chain, &history, {}, &stats);
        const double weight = stats.weightSum - before;
        total += weight;
        squares += weight * weight;
        reference.second[history.second.toStdString()] += weight;
        std::string key;
        for (const MicroGrowthStep &step : history.growth)
            key += std::to_string(step.r) + ',';
        reference.rSequence[key] += weight;
        if (reference.rAtStep.size() < history.growth.size())
            reference.rAtStep.resize(history.growth.size());
        for (std::size_t s = 0; s < history.growth.size(); ++s)
            reference.rAtStep[s][history.growth[s].r] += weight;
    }
    for (auto &[key, value] : reference.second)
        value /= total;
    for (auto &[key, value] : reference.rSequence)
        value /= total;
    for (auto &step : reference.rAtStep)
        for (auto &[key, value] : step)
            value /= total;
    std::printf("weighted reference: %d candidates, effective %.0f\n", referenceCount,
                total * total / squares);
    for (const std::string &k : ks) {
        const MicroConstructSettings settings = settingsFor(k);
        const double start = now();
        const Sample sample = tally(search(target, efl, count, 3, settings));
        report(("search K=" + k).c_str(), reference, sample, now() - start, std::size_t(count));
    }
    return 0;
}

// How many of generate-and-test's micro-chains the search's pruning admits; all
// of them, or the search misses some.
int admitted(int efl, const QString &target, int count)
{
    MicroChainConstructor constructor(target, efl);
    int admits = 0;
    for (const MicroChainHistory &history : generateAndTest(target, efl, count, 5))
        admits += constructor.admits(history);
    std::printf("e=%d %s: %d of %d admitted\n", efl, target.toStdString().c_str(), admits, count);
    return admits == count ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: microtvd tvd|time EFL TARGET COUNT [K ...]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const int efl = std::atoi(argv[2]);
    const QString target = QString::fromUtf8(argv[3]);
    const int count = std::atoi(argv[4]);
    std::vector<std::string> ks(argv + 5, argv + argc);
    if (mode == "tvd")
        return tvd(efl, target, count, ks);
    if (mode == "wtvd")
        return weightedTvd(efl, target, count, ks.empty() ? 1000 : std::atoi(ks.front().c_str()),
                           std::vector<std::string>(ks.begin() + (ks.empty() ? 0 : 1), ks.end()));
    if (mode == "admit")
        return admitted(efl, target, count);
    const auto number = [&](std::size_t at) {
        return ks.size() > at ? std::atof(ks[at].c_str()) : 0;
    };
    const MicroConstructSettings settings = settingsFor(ks.empty() ? "0" : ks.front());
    return timing(efl, target, count, settings.candidates, std::int64_t(number(1)), number(2),
                  settings.backtrack);
}
