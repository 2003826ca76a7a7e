#include "GenerateCommand.h"

#include "CliCommon.h"
#include "engine/Deck.h"
#include "mainwindow/ChainGenerator.h"
#include "mainwindow/MainTables.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QThread>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace {

std::uint64_t threadSeed(std::uint64_t seed, int thread)
{
    // Distinct, well-mixed streams per thread; thread 0 keeps the seed itself so
    // that one thread deals exactly what the seed gives.
    return thread == 0 ? seed : seed ^ (0x9E3779B97F4A7C15ULL * std::uint64_t(thread));
}

} // namespace

bool isTargetItem(const QString &text) { return targetItems().contains(text); }

void generateChains(const GenerateOptions &options,
                    const std::function<void(const GeneratedChain &)> &found)
{
    const std::uint64_t seed = options.seed.value_or(entropySeed());
    const int threads = std::max(1, options.threads);

    std::mutex mutex;
    std::atomic<bool> done{false};
    std::atomic<std::uint64_t> dealt{0};
    std::uint64_t dealtAtLastFind = 0;
    int foundCount = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 lastMs = 0;

    const auto worker = [&](int index) {
        RandomSource random(threadSeed(seed, index));
        FixedConditions conditions(options.conditions);
        std::uint32_t tried = 0;
        std::uint32_t flushed = 0;
        const auto flush = [&] {
            dealt += tried - flushed;
            flushed = tried;
        };
        GeneratorHooks hooks;
        hooks.stopRequested = [&] {
            flush();
            return done.load(std::memory_order_relaxed);
        };
        while (!done.load()) {
            SearchResult result = searchChain(random, conditions, hooks, tried);
            if (result.end != SearchEnd::Found)
                break;
            flush();
            std::lock_guard lock(mutex);
            if (done.load())
                break;
            GeneratedChain chain;
            chain.text = result.text;
            const std::uint64_t total = dealt.load();
            chain.tried = total - dealtAtLastFind;
            dealtAtLastFind = total;
            chain.transitTotal = result.chain.TransitTotal;
            for (int n = 1; n <= 36; ++n)
                chain.efl = std::max(chain.efl, result.chain.Cards[n].Depth);
            for (int k = 1; k <= result.chain.ExtremeCount; ++k)
                chain.targets << result.chain.ExtremeNames[k];
            chain.fullBalance = fullBalancePossible(result.chain);
            const qint64 now = clock.elapsed();
            chain.ms = now - lastMs;
            lastMs = now;
            found(chain);
            if (++foundCount >= options.count)
                done = true;
        }
    };

    if (threads == 1) {
        worker(0);
        return;
    }
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back(worker, t);
    for (auto &thread : pool)
        thread.join();
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

int runGenerate(const QStringList &arguments, ProgramState &, platform::Services &)
{
    CommandLine line(QStringLiteral("generate"),
                     QStringLiteral("Deals chains until it finds ones that collapse to two cards "
                                    "and meet every condition given."));
    const QCommandLineOption maxTransits(
        QStringLiteral("max-transits"),
        QStringLiteral("At most N transit cards (1-36: the first collapse always makes one)."),
        QStringLiteral("N"));
    const QCommandLineOption minEfl(
        QStringLiteral("min-efl"),
        QStringLiteral("An EFL (greatest depth) of at least N (0-34: an EFL is at most 34)."),
        QStringLiteral("N"));
    const QCommandLineOption targetPosition(
        QStringLiteral("target-position"),
        QStringLiteral("A target card at position N (3-36: a target card never stands earlier)."),
        QStringLiteral("N"));
    const QCommandLineOption target(
        QStringLiteral("target"),
        QStringLiteral("A target card matching CARD: a card name (Тч, 10п), ?SUIT or RANK?."),
        QStringLiteral("CARD"));
    const QCommandLineOption fullBalance(QStringLiteral("full-balance"),
                                         QStringLiteral("Full balancing possible."));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("How many chains to find (default 1)."),
                                   QStringLiteral("K"), QStringLiteral("1"));
    const QCommandLineOption seed(
        QStringLiteral("seed"), QStringLiteral("Seed of the random source."), QStringLiteral("S"));
    const QCommandLineOption threads(QStringLiteral("threads"),
                                     QStringLiteral("Dealing threads (default: every core)."),
                                     QStringLiteral("T"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("One line of JSON per chain."));
    line.addOptions(
        {maxTransits, minEfl, targetPosition, target, fullBalance, count, seed, threads, json});
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
    options.conditions.maxTransits = number(maxTransits, 0, 36, 1, 36,
                                 QStringLiteral("the first collapse always makes a transit"));
    options.conditions.minEfl = number(minEfl, 0, 36, 0, 34, QStringLiteral("an EFL is at most 34"));
    options.conditions.targetPosition = number(targetPosition, 1, 36, 3, 36,
                                    QStringLiteral("a target card stands at position 3 or later"));
    options.count = number(count, 1, 1000000, 1, 1000000, QString()).value_or(1);
    options.threads = number(threads, 1, 256, 1, 256, QString())
                          .value_or(std::max(1, QThread::idealThreadCount()));
    if (line.isSet(target) && problem.isEmpty()) {
        options.conditions.target = cardOrPattern(line.value(target));
        if (!options.conditions.target)
            problem = QStringLiteral("unknown target '%1': give a card such as Тч, a suit "
                                     "pattern such as ?п or a rank pattern such as Т?")
                          .arg(line.value(target));
    }
    options.conditions.fullBalance = line.isSet(fullBalance);
    if (line.isSet(seed) && problem.isEmpty()) {
        bool ok = false;
        options.seed = line.value(seed).toULongLong(&ok);
        if (!ok)
            problem = QStringLiteral("--seed takes a whole number from 0 to "
                                     "18446744073709551615, not '%1'")
                          .arg(line.value(seed));
    }
    if (!problem.isEmpty())
        return line.fail(problem);

    const bool asJson = line.isSet(json);
    const QString command = line.command();
    generateChains(options, [asJson, command](const GeneratedChain &chain) {
        OutputStream &output = standardOutput();
        if (asJson)
            output.writeJsonLine(generatedJson(chain));
        else
            output.writeLine(generatedText(chain));
        // Nobody reads what the search would still find: end the run here, on
        // whichever dealing thread found the chain, with the write error.
        if (!output.flush())
            std::quick_exit(finishOutput(command));
    });
    return finishOutput(command);
}
