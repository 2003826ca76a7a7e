#pragma once

#include "mainwindow/ChainGenerator.h"
#include "mainwindow/ProgramState.h"
#include "platform/Services.h"

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
};

struct GeneratedChain
{
    QString text;
    std::uint64_t tried = 0; // chains dealt, on all threads, since the one before
    int transitTotal = 0;
    int efl = 0;
    QStringList targets;
    bool fullBalance = false;
    qint64 ms = 0;
};

// Finds options.count chains on options.threads threads; each found chain is
// passed to found as soon as it is known. With one thread and a seed the chains
// are the same on every run.
void generateChains(const GenerateOptions &options,
                    const std::function<void(const GeneratedChain &)> &found);

QJsonObject generatedJson(const GeneratedChain &chain);
QString generatedText(const GeneratedChain &chain);

// Whether text names a card of the deck, a suit pattern or a rank pattern.
bool isTargetItem(const QString &text);

int runGenerate(const QStringList &arguments, ProgramState &state, platform::Services &services);
