// SPDX-License-Identifier: GPL-3.0-or-later
#include "MicroCommand.h"

#include "CommandMessages.h"
#include "CommandOptions.h"
#include "CommandOutput.h"
#include "Interrupt.h"
#include "analysis/MainTables.h"
#include "engine/Deck.h"

#include <QElapsedTimer>
#include <QJsonArray>

#include <cstdio>
#include <optional>

QString microMethodName(MicroMethod method)
{
    return method == MicroMethod::Search ? QStringLiteral("search") : QStringLiteral("gat");
}

QJsonObject microChainRecord(const TTLKoloda &chain, int number, MicroMethod method,
                             const MicroChainHistory &history)
{
    QJsonArray growth;
    for (const MicroGrowthStep &step : history.growth)
        growth.append(QJsonArray{step.r, step.card});
    return QJsonObject{
        {QStringLiteral("cards"), QJsonArray::fromStringList(microChainCards(chain))},
        {QStringLiteral("number"), number},
        {QStringLiteral("method"), microMethodName(method)},
        {QStringLiteral("steps"), QJsonObject{{QStringLiteral("first"), history.first},
                                              {QStringLiteral("second"), history.second},
                                              {QStringLiteral("growth"), growth}}},
    };
}

CommandDeclaration microDeclaration()
{
    return CommandDeclaration{
        QStringLiteral("micro"),
        QStringLiteral("build micro-chains ending in CARD"),
        QStringLiteral("Builds random micro-chains of E + 2 cards ending in the target card, as "
                       "the window's \"МикроЦС\" command does."),
        {
            QCommandLineOption(QStringLiteral("efl"),
                               QStringLiteral("The EFL: collapse steps undone (1 to 34)."),
                               QStringLiteral("E")),
            QCommandLineOption(QStringLiteral("target"),
                               QStringLiteral("The last card: a card (Тч, 10п), a suit pattern "
                                              "(?п) or a rank pattern (Т?)."),
                               QStringLiteral("CARD")),
            QCommandLineOption(QStringLiteral("count"),
                               QStringLiteral("How many micro-chains (1 to 500)."),
                               QStringLiteral("N")),
            QCommandLineOption(
                QStringLiteral("method"),
                QStringLiteral("gat: generate-and-test, the window's method; search: the "
                               "constructive search, which finds long micro-chains quickly. "
                               "Default: gat up to E = 11, search from E = 12."),
                QStringLiteral("gat|search")),
            QCommandLineOption(QStringLiteral("seed"),
                               QStringLiteral("Seed of the random source, for a repeatable run."),
                               QStringLiteral("S")),
            maxTriesOption(QStringLiteral("attempts"), QStringLiteral("writing what was built")),
            timeLimitOption(QStringLiteral("writing what was built")),
            progressOption(QStringLiteral("micro-chains built, attempts")),
            QCommandLineOption(QStringLiteral("json"),
                               QStringLiteral("One line of JSON per micro-chain.")),
        },
        {QStringLiteral("efl"), QStringLiteral("target"), QStringLiteral("count")},
        {},
    };
}

int runMicro(const QStringList &arguments, MicroChainStore &store, platform::Services &services)
{
    CommandLine line(microDeclaration());
    const QCommandLineOption &efl = line.option(QStringLiteral("efl"));
    const QCommandLineOption &target = line.option(QStringLiteral("target"));
    const QCommandLineOption &count = line.option(QStringLiteral("count"));
    const QCommandLineOption &method = line.option(QStringLiteral("method"));
    const QCommandLineOption &seed = line.option(QStringLiteral("seed"));
    const QCommandLineOption &maxTriesLimit = line.option(QStringLiteral("max-tries"));
    const QCommandLineOption &timeLimit = line.option(QStringLiteral("time-limit"));
    const QCommandLineOption &progress = line.option(QStringLiteral("progress"));
    const QCommandLineOption &json = line.option(QStringLiteral("json"));
    if (const auto status = line.parse(arguments))
        return *status;
    if (const auto status = line.checkRequired())
        return *status;
    if (!line.positionalArguments().isEmpty())
        return line.usageError(QStringLiteral("unexpected argument '%1'")
                                   .arg(line.positionalArguments().constFirst()));

    // Only the targets the window's list offers: anything else would leave the
    // search drawing for a first card that is not there.
    const std::optional<QString> targetText = cardOrPattern(line.value(target).trimmed());
    if (!targetText)
        return line.fail(QStringLiteral("'%1' is not a card, a suit pattern or a rank pattern")
                             .arg(line.value(target)));
    // Counts the search would take as "nothing to build" are no request here;
    // texts that are no numbers and counts beyond the store the search turns down.
    bool countIsNumber = false;
    const int countValue = line.value(count).trimmed().toInt(&countIsNumber);
    if (countIsNumber && countValue < 1)
        return line.fail(QStringLiteral("--count takes a whole number from 1 to %1, not '%2'")
                             .arg(MicroChainCapacity)
                             .arg(line.value(count)));

    MicroSearchOptions options;
    bool eflIsNumber = false;
    const int eflValue = line.value(efl).trimmed().toInt(&eflIsNumber);
    options.method = eflIsNumber ? defaultMicroMethod(eflValue) : MicroMethod::GenerateAndTest;
    if (line.isSet(method)) {
        const QString name = line.value(method).trimmed().toLower();
        if (name != microMethodName(MicroMethod::GenerateAndTest) &&
            name != microMethodName(MicroMethod::Search))
            return line.fail(
                QStringLiteral("--method takes gat or search, not '%1'").arg(line.value(method)));
        options.method = name == microMethodName(MicroMethod::Search)
                             ? MicroMethod::Search
                             : MicroMethod::GenerateAndTest;
    }

    QString problem;
    const std::optional<std::uint64_t> seedGiven = seedValue(line, seed, problem);
    if (const auto tries = maxTries(line, maxTriesLimit, QStringLiteral("attempts"), problem))
        options.maxAttempts = *tries;
    const std::optional<qint64> limitMs = timeLimitMs(line, timeLimit, problem);
    if (!problem.isEmpty())
        return line.fail(problem);
    if (seedGiven)
        services.random().reseed(*seedGiven);

    const bool showProgress = showsProgress(line, progress);
    InterruptWatch::install();
    QElapsedTimer clock;
    clock.start();
    qint64 lastLineMs = 0;
    options.progress = [&](int built, int total, std::int64_t attempts) {
        const qint64 now = clock.elapsed();
        if (showProgress && now - lastLineMs >= 1000) {
            lastLineMs = now;
            line.fail(QStringLiteral("%1 of %2 micro-chains built, %3 attempts")
                          .arg(built)
                          .arg(total)
                          .arg(attempts),
                      0);
        }
        return (!limitMs || now < *limitMs) && InterruptWatch::caught() == 0;
    };

    // The search shows its refusals through the message sink; on the command line
    // they are errors of this command like any other.
    ReportLog report;
    TTLKoloda orderedDeck;
    QString orderedText;
    MakeOrderedDeck(orderedDeck, orderedText);
    MicroSearchResult result;
    {
        const platform::ScopedMessageHandler prefixed(
            services, [&line](const QString &text) { line.fail(text); });
        result = SearchMicroChains(store, orderedDeck, services, report, line.value(count),
                                   line.value(efl), *targetText, options);
    }
    if (result.outcome == MicroSearchResult::Outcome::Refused ||
        result.outcome == MicroSearchResult::Outcome::NotANumber)
        return BadUsage;

    if (line.isSet(json)) {
        for (int k = 1; k <= result.built && standardOutput().ok(); ++k)
            writeJsonLine(microChainRecord(store.MicroChains[k], k, options.method,
                                           result.histories[std::size_t(k - 1)]));
    } else {
        for (const QString &text : report.lines())
            if (!writeLine(text))
                break;
    }

    if (result.outcome != MicroSearchResult::Outcome::Stopped)
        return finishOutput(line.command());
    const QString built =
        QStringLiteral("%1 of %2 micro-chains built").arg(result.built).arg(countValue);
    if (const int signal = InterruptWatch::caught())
        return finishInterrupted(line, signal, built);
    const bool triesSpent = options.maxAttempts > 0 && result.attempts >= options.maxAttempts;
    return finishAtLimit(line, timeLimit, triesSpent, std::uint64_t(result.attempts),
                         QStringLiteral("attempts"), built);
}
