// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandOptions.h"
#include "platform/Services.h"
#include "search/ChainGenerator.h"

#include <QJsonObject>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

// What `tlcalc-cli generate` looks for: a chain that collapses to two cards and
// meets every condition given.
struct GenerateOptions
{
    GeneratorConditions conditions;
    int count = 1;
    std::optional<std::uint64_t> seed;
    int threads = 1;
    std::optional<std::uint64_t> maxTries; // deals, in all
    std::optional<qint64> timeLimitMs;
    // Asked between the dealer's blocks, a few times a second at least: true ends
    // the run as a limit does (Ctrl+C on the command line).
    std::function<bool()> interrupted;
};

struct GeneratedChain
{
    QString text;
    std::uint64_t tried = 0; // chains dealt since the one before (from the start for the first)
    int transitTotal = 0;
    int efl = 0;
    QStringList targets;
    bool fullBalance = false;
    qint64 ms = 0;
};

// How a run stands, for a progress line.
struct GenerateProgress
{
    std::uint64_t tried = 0; // deals so far
    int found = 0;
    double dealsPerSecond = 0;
    qint64 ms = 0; // since the run began
};

enum class GenerateEnd
{
    Found,       // all options.count chains
    Limited,     // --max-tries or --time-limit came first
    Stopped,     // the found callback said no
    Interrupted, // options.interrupted said so
};

struct GenerateSummary
{
    GenerateEnd end = GenerateEnd::Found;
    int found = 0;
    std::uint64_t tried = 0; // deals taken into account, in all
};

// Finds options.count chains: worker threads deal and test, and the chains are
// taken in deal order, so with a seed the run finds the same chains after the
// same numbers of deals on any number of threads. Each found chain is passed to
// found as soon as it is known; found answers false to end the run. progress,
// when given, is called about once a second.
GenerateSummary generateChains(const GenerateOptions &options,
                               const std::function<bool(const GeneratedChain &)> &found,
                               const std::function<void(const GenerateProgress &)> &progress = {});

// How long an unbounded run may find nothing before it says so.
inline constexpr qint64 QuietRunNoteMs = 5000;

// What an unbounded run that has found nothing says once: how many deals gave
// nothing and the chance bound they give, as --estimate words it, and that
// --time-limit bounds a run.
QString nothingFoundNote(const GenerateProgress &progress);

QJsonObject generatedJson(const GeneratedChain &chain);
QString generatedText(const GeneratedChain &chain);

// The declaration of generate's command line.
CommandDeclaration generateDeclaration();

int runGenerate(const QStringList &arguments, platform::Services &services);
