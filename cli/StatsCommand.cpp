// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatsCommand.h"

#include "CommandMessages.h"
#include "CommandOptions.h"
#include "CommandOutput.h"
#include "Interrupt.h"
#include "search/ChainStatistics.h"

#include <QElapsedTimer>

#include <cstdio>
#include <unistd.h>

CommandDeclaration statsDeclaration()
{
    return CommandDeclaration{
        QStringLiteral("stats"),
        QStringLiteral("how far random chains collapse: EFL, transits, full balance and "
                       "hexagrams of the solved ones"),
        QStringLiteral("Deals random chains and counts how far they collapse and, for those that "
                       "collapse to two cards, their EFL, transits, full balance and suit "
                       "hexagrams."),
        {QCommandLineOption(
             QStringLiteral("deals"),
             QStringLiteral("How many chains to deal (1 to %1).").arg(MaxStatisticsDeals),
             QStringLiteral("N")),
         QCommandLineOption(
             QStringLiteral("seed"),
             QStringLiteral("Seed of the deals: the same numbers on any number of threads."),
             QStringLiteral("S")),
         threadsOption(QStringLiteral("Dealing threads")), progressOption(QString()),
         QCommandLineOption(QStringLiteral("json"),
                            QStringLiteral("One JSON object instead of the table."))},
        {QStringLiteral("deals")},
        {},
    };
}

int runStats(const QStringList &arguments, platform::Services &)
{
    CommandLine line(statsDeclaration());
    const QCommandLineOption &deals = line.option(QStringLiteral("deals"));
    const QCommandLineOption &seed = line.option(QStringLiteral("seed"));
    const QCommandLineOption &threads = line.option(QStringLiteral("threads"));
    const QCommandLineOption &progress = line.option(QStringLiteral("progress"));
    const QCommandLineOption &json = line.option(QStringLiteral("json"));
    if (const auto status = line.parse(arguments))
        return *status;
    if (!line.positionalArguments().isEmpty())
        return line.usageError(QStringLiteral("unexpected argument '%1'")
                                   .arg(line.positionalArguments().constFirst()));
    if (const auto status = line.checkRequired())
        return *status;

    bool ok = false;
    const std::uint64_t dealCount = line.value(deals).trimmed().toULongLong(&ok);
    if (!ok || dealCount < 1 || dealCount > MaxStatisticsDeals)
        return line.fail(QStringLiteral("--deals takes a whole number from 1 to %1, not '%2'")
                             .arg(MaxStatisticsDeals)
                             .arg(line.value(deals)));
    QString problem;
    const std::uint64_t seedGiven = seedValue(line, seed, problem).value_or(entropySeed());
    const int dealingThreads = threadCount(line, threads, problem);
    if (!problem.isEmpty())
        return line.fail(problem);

    const bool showProgress = showsProgress(line, progress);
    InterruptWatch::install();
    QElapsedTimer clock;
    clock.start();
    qint64 lastLineMs = 0;
    // Looked at ten times a second, so that Ctrl+C ends the run at once; a
    // progress line still comes once a second.
    const DealStatistics statistics = collectStatistics(
        seedGiven, dealCount, dealingThreads,
        [&](const DealStatistics &sofar) {
            if (showProgress && clock.elapsed() - lastLineMs >= 1000) {
                lastLineMs = clock.elapsed();
                line.fail(QStringLiteral("%1 of %2 chains dealt, %3 collapse to two")
                              .arg(groupedNumber(sofar.deals), groupedNumber(dealCount),
                                   groupedNumber(sofar.solved)),
                          0);
            }
            return InterruptWatch::caught() == 0;
        },
        std::chrono::milliseconds(100));
    const qint64 ms = clock.elapsed();

    if (line.isSet(json)) {
        writeJsonLine(statisticsJson(statistics, seedGiven, ms));
    } else {
        for (const QString &text : statisticsTable(statistics, seedGiven, ms))
            if (!writeLine(text))
                break;
    }
    if (const int signal = InterruptWatch::caught(); signal != 0 && statistics.deals < dealCount)
        return finishInterrupted(line, signal,
                                 QStringLiteral("the counts of %1 of %2 deals written")
                                     .arg(statistics.deals)
                                     .arg(dealCount));
    return finishOutput(line.command());
}
