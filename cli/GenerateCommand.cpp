// SPDX-License-Identifier: GPL-3.0-or-later
#include "GenerateCommand.h"

#include "CommandMessages.h"
#include "CommandOptions.h"
#include "CommandOutput.h"
#include "Interrupt.h"
#include "analysis/MainTables.h"
#include "engine/Deck.h"
#include "platform/RandomSource.h"
#include "search/ChainGenerator.h"
#include "search/ConditionEstimate.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QJsonArray>

#include <algorithm>

GenerateSummary generateChains(const GenerateOptions &options,
                               const std::function<bool(const GeneratedChain &)> &found,
                               const std::function<void(const GenerateProgress &)> &progress)
{
    // The conditions are fixed for the whole run, so the workers test them on the
    // deals they solved, and only the chains that pass come to this thread.
    const lanedeal::DealFilter passes =
        [test = FixedConditionTest(options.conditions)](const lanedeal::SolvedDeal &candidate) {
            return test.passes(candidate);
        };
    lanedeal::ParallelDealer dealer(options.seed.value_or(entropySeed()),
                                    std::max(1, options.threads), 0,
                                    lanedeal::ParallelDealer::DefaultLookAhead, passes);

    GenerateSummary summary;
    QElapsedTimer clock;
    clock.start();
    qint64 lastFoundMs = 0, lastProgressMs = 0;
    std::uint64_t lastFoundDeal = 0;
    const auto limitReached = [&](std::uint64_t dealt) {
        return (options.maxTries && dealt >= *options.maxTries) ||
               (options.timeLimitMs && clock.elapsed() >= *options.timeLimitMs);
    };
    while (summary.found < options.count) {
        if (limitReached(summary.tried)) {
            summary.end = GenerateEnd::Limited;
            return summary;
        }
        if (options.interrupted && options.interrupted()) {
            summary.end = GenerateEnd::Interrupted;
            return summary;
        }
        if (progress && clock.elapsed() - lastProgressMs >= 1000) {
            lastProgressMs = clock.elapsed();
            progress({summary.tried, summary.found,
                      double(summary.tried) * 1000.0 / double(std::max<qint64>(1, lastProgressMs)),
                      lastProgressMs});
        }
        const std::optional<lanedeal::BlockResult> block =
            dealer.next(std::chrono::milliseconds(100));
        if (!block)
            continue;
        for (const lanedeal::SolvedDeal &solved : block->solved) {
            if (options.maxTries && solved.index >= *options.maxTries)
                break;
            TTLKoloda chain;
            analyseCandidate(solved, chain);
            GeneratedChain generated;
            generated.text = fastdeal::toText(solved.deal);
            generated.tried = solved.index + 1 - lastFoundDeal;
            lastFoundDeal = solved.index + 1;
            generated.transitTotal = solved.metrics.transitTotal;
            generated.efl = deepestDepth(solved.metrics);
            for (int k = 1; k <= chain.ExtremeCount; ++k)
                generated.targets << chain.ExtremeNames[k];
            generated.fullBalance = fullBalancePossible(solved.deal, solved.metrics);
            const qint64 now = clock.elapsed();
            generated.ms = now - lastFoundMs;
            lastFoundMs = now;
            summary.tried = solved.index + 1;
            ++summary.found;
            if (!found(generated)) {
                summary.end = GenerateEnd::Stopped;
                return summary;
            }
            if (summary.found == options.count)
                return summary;
        }
        summary.tried = (block->index + 1) * std::uint64_t(lanedeal::BlockSize);
        if (options.maxTries)
            summary.tried = std::min(summary.tried, *options.maxTries);
    }
    return summary;
}

QJsonObject generatedJson(const GeneratedChain &chain)
{
    return QJsonObject{{QStringLiteral("text"), chain.text},
                       {QStringLiteral("tried"), qint64(chain.tried)},
                       {QStringLiteral("transitTotal"), chain.transitTotal},
                       {QStringLiteral("efl"), chain.efl},
                       {QStringLiteral("targets"), QJsonArray::fromStringList(chain.targets)},
                       {QStringLiteral("fullBalance"), chain.fullBalance},
                       {QStringLiteral("ms"), chain.ms}};
}

QString generatedText(const GeneratedChain &chain)
{
    return chain.text + u'\n' +
           QStringLiteral("  перебрано %1, транзитов %2, EFL %3, целевые карты: %4, "
                          "полная балансировка: %5, %6 мс")
               .arg(chain.tried)
               .arg(chain.transitTotal)
               .arg(chain.efl)
               .arg(chain.targets.join(u' '))
               .arg(chain.fullBalance ? QStringLiteral("да") : QStringLiteral("нет"))
               .arg(chain.ms);
}

namespace {

// generate --estimate: the chance of the conditions from a sample, as the window
// shows it, or as one JSON object.
int printEstimate(const GenerateOptions &options, bool asJson, const QString &command)
{
    EstimateLimits limits;
    if (options.maxTries)
        limits.maxDeals = *options.maxTries;
    if (options.timeLimitMs)
        limits.budget = std::chrono::milliseconds(*options.timeLimitMs);
    const ConditionEstimate sample = estimateConditions(
        options.conditions, options.seed.value_or(entropySeed()), options.threads, limits);
    const QString text = estimateText(sample, sample.dealsPerSecond());
    if (asJson)
        writeJsonLine(QJsonObject{
            {QStringLiteral("dealt"), double(sample.dealt)},
            {QStringLiteral("passed"), double(sample.passed)},
            {QStringLiteral("chance"), sample.chance()},
            {QStringLiteral("lower"), sample.lowerBound()},
            {QStringLiteral("upper"), sample.upperBound()},
            {QStringLiteral("dealsPerSecond"), sample.dealsPerSecond()},
            {QStringLiteral("ms"), qint64(sample.seconds * 1000)},
            {QStringLiteral("text"), text},
        });
    else
        writeLine(text);
    return finishOutput(command);
}

} // namespace

QString nothingFoundNote(const GenerateProgress &progress)
{
    ConditionEstimate sample;
    sample.dealt = progress.tried;
    return QStringLiteral("no chain found in %1 s: %2; searching on (--time-limit SECONDS bounds "
                          "the run)")
        .arg(progress.ms / 1000)
        .arg(estimateText(sample, 0));
}

CommandDeclaration generateDeclaration()
{
    return CommandDeclaration{
        QStringLiteral("generate"),
        QStringLiteral("find chains that collapse to two cards and meet the conditions given"),
        QStringLiteral("Deals chains until it finds ones that collapse to two cards and meet "
                       "every condition given."),
        {
            QCommandLineOption(QStringLiteral("max-transits"),
                               QStringLiteral("At most N transit cards (1-36: the first collapse "
                                              "always makes one)."),
                               QStringLiteral("N")),
            QCommandLineOption(QStringLiteral("min-efl"),
                               QStringLiteral("An EFL (greatest depth) of at least N (0-34: an "
                                              "EFL is at most 34)."),
                               QStringLiteral("N")),
            QCommandLineOption(QStringLiteral("target-position"),
                               QStringLiteral("A target card at position N (3-36: a target card "
                                              "never stands earlier)."),
                               QStringLiteral("N")),
            QCommandLineOption(QStringLiteral("target"),
                               QStringLiteral("A target card matching CARD: a card name (Тч, "
                                              "10п), ?SUIT or RANK?."),
                               QStringLiteral("CARD")),
            QCommandLineOption(QStringLiteral("full-balance"),
                               QStringLiteral("Full balancing possible.")),
            QCommandLineOption(QStringLiteral("count"),
                               QStringLiteral("How many chains to find (default 1)."),
                               QStringLiteral("K"), QStringLiteral("1")),
            QCommandLineOption(QStringLiteral("seed"), QStringLiteral("Seed of the random source."),
                               QStringLiteral("S")),
            threadsOption(QStringLiteral("Dealing threads")),
            maxTriesOption(QStringLiteral("deals"), QStringLiteral("writing the chains found")),
            timeLimitOption(QStringLiteral("writing the chains found")),
            progressOption(QStringLiteral("deals tried, chains found, deals per second")),
            QCommandLineOption(
                QStringLiteral("estimate"),
                QStringLiteral("Instead of generating, deal a sample for up to 3 seconds (or "
                               "--time-limit) and print the conditions' chance per dealt chain "
                               "and the expected time to a chain that meets them.")),
            QCommandLineOption(QStringLiteral("json"),
                               QStringLiteral("One line of JSON per chain.")),
        },
        {},
        {},
    };
}

int runGenerate(const QStringList &arguments, platform::Services &)
{
    CommandLine line(generateDeclaration());
    const QCommandLineOption &maxTransits = line.option(QStringLiteral("max-transits"));
    const QCommandLineOption &minEfl = line.option(QStringLiteral("min-efl"));
    const QCommandLineOption &targetPosition = line.option(QStringLiteral("target-position"));
    const QCommandLineOption &target = line.option(QStringLiteral("target"));
    const QCommandLineOption &fullBalance = line.option(QStringLiteral("full-balance"));
    const QCommandLineOption &count = line.option(QStringLiteral("count"));
    const QCommandLineOption &seed = line.option(QStringLiteral("seed"));
    const QCommandLineOption &threads = line.option(QStringLiteral("threads"));
    const QCommandLineOption &maxTriesLimit = line.option(QStringLiteral("max-tries"));
    const QCommandLineOption &timeLimit = line.option(QStringLiteral("time-limit"));
    const QCommandLineOption &progressLines = line.option(QStringLiteral("progress"));
    const QCommandLineOption &estimate = line.option(QStringLiteral("estimate"));
    const QCommandLineOption &json = line.option(QStringLiteral("json"));
    if (const auto status = line.parse(arguments))
        return *status;
    if (!line.positionalArguments().isEmpty())
        return line.usageError(QStringLiteral("unexpected argument '%1'")
                                   .arg(line.positionalArguments().constFirst()));

    GenerateOptions options;
    QString problem;
    // A value out of a number's range is refused; so is one no chain can ever meet,
    // with the reason, since the search for it would run forever without a word.
    const auto number = [&](const QCommandLineOption &option, int low, int high, int lowestMet,
                            int highestMet, const QString &reason) -> std::optional<int> {
        if (!line.isSet(option) || !problem.isEmpty())
            return std::nullopt;
        const QString name = QStringLiteral("--") + option.names().constFirst();
        bool ok = false;
        const int value = line.value(option).toInt(&ok);
        if (!ok || value < low || value > high) {
            problem = QStringLiteral("%1 takes a whole number from %2 to %3, not '%4'")
                          .arg(name)
                          .arg(lowestMet)
                          .arg(highestMet)
                          .arg(line.value(option));
            return std::nullopt;
        }
        if (value < lowestMet || value > highestMet) {
            problem = QStringLiteral("%1 %2 can never be met: %3").arg(name).arg(value).arg(reason);
            return std::nullopt;
        }
        return value;
    };
    options.conditions.maxTransits = number(
        maxTransits, 0, 36, 1, 36, QStringLiteral("the first collapse always makes a transit"));
    options.conditions.minEfl =
        number(minEfl, 0, 36, 0, 34, QStringLiteral("an EFL is at most 34"));
    options.conditions.targetPosition =
        number(targetPosition, 1, 36, 3, 36,
               QStringLiteral("a target card stands at position 3 or later"));
    options.count = number(count, 1, 1000000, 1, 1000000, QString()).value_or(1);
    options.threads = threadCount(line, threads, problem);
    if (line.isSet(target) && problem.isEmpty()) {
        if (const std::optional<QString> pattern = cardOrPattern(line.value(target)))
            options.conditions.target.emplace(*pattern);
        else
            problem = QStringLiteral("unknown target '%1': give a card such as Тч, a suit "
                                     "pattern such as ?п or a rank pattern such as Т?")
                          .arg(line.value(target));
    }
    options.conditions.fullBalance = line.isSet(fullBalance);
    options.seed = seedValue(line, seed, problem);
    if (const auto tries = maxTries(line, maxTriesLimit, QStringLiteral("deals"), problem))
        options.maxTries = std::uint64_t(*tries);
    options.timeLimitMs = timeLimitMs(line, timeLimit, problem);
    if (!problem.isEmpty())
        return line.fail(problem);
    if (line.isSet(estimate))
        return printEstimate(options, line.isSet(json), line.command());

    const bool asJson = line.isSet(json);
    const bool showProgress = showsProgress(line, progressLines);
    InterruptWatch::install();
    options.interrupted = [] { return InterruptWatch::caught() != 0; };
    // A run that nothing bounds and that finds nothing says so once, so that a
    // user who asked for something all but impossible is not left waiting in
    // silence; the search goes on, since the user may know better.
    const bool unbounded = !options.maxTries && !options.timeLimitMs;
    bool toldNothingFound = false;
    const GenerateSummary summary = generateChains(
        options,
        [asJson](const GeneratedChain &chain) {
            OutputStream &output = standardOutput();
            if (asJson)
                output.writeJsonLine(generatedJson(chain));
            else
                output.writeLine(generatedText(chain));
            // Nobody reads what the search would still find: a failed write ends it.
            return output.flush();
        },
        [&](const GenerateProgress &progress) {
            if (unbounded && !toldNothingFound && progress.found == 0 &&
                progress.ms >= QuietRunNoteMs) {
                toldNothingFound = true;
                line.fail(nothingFoundNote(progress), 0);
            }
            if (showProgress)
                line.fail(QStringLiteral("%1 tried, %2 found, %3 M deals/s")
                              .arg(progress.tried)
                              .arg(progress.found)
                              .arg(progress.dealsPerSecond / 1e6, 0, 'f', 1),
                          0);
        });
    const QString found =
        QStringLiteral("%1 of %2 chains found").arg(summary.found).arg(options.count);
    if (summary.end == GenerateEnd::Interrupted)
        return finishInterrupted(line, InterruptWatch::caught(), found);
    if (summary.end != GenerateEnd::Limited)
        return finishOutput(line.command());
    return finishAtLimit(line, timeLimit, options.maxTries && summary.tried >= *options.maxTries,
                         summary.tried, QStringLiteral("deals"), found);
}
