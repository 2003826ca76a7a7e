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
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Deals chains until it finds ones that collapse to two cards and meet "
                       "every condition given."));
    parser.addHelpOption();
    const QCommandLineOption maxTransits(QStringLiteral("max-transits"),
                                         QStringLiteral("At most N transit cards."),
                                         QStringLiteral("N"));
    const QCommandLineOption minEfl(QStringLiteral("min-efl"),
                                    QStringLiteral("An EFL (greatest depth) of at least N."),
                                    QStringLiteral("N"));
    const QCommandLineOption targetPosition(QStringLiteral("target-position"),
                                            QStringLiteral("A target card at position N (1-36)."),
                                            QStringLiteral("N"));
    const QCommandLineOption target(
        QStringLiteral("target"),
        QStringLiteral("A target card matching CARD: a card name, ?SUIT or RANK?."),
        QStringLiteral("CARD"));
    const QCommandLineOption fullBalance(QStringLiteral("full-balance"),
                                         QStringLiteral("Full balancing possible."));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("How many chains to find (default 1)."),
                                   QStringLiteral("K"), QStringLiteral("1"));
    const QCommandLineOption seed(QStringLiteral("seed"),
                                  QStringLiteral("Seed of the random source."), QStringLiteral("S"));
    const QCommandLineOption threads(QStringLiteral("threads"),
                                     QStringLiteral("Dealing threads (default: every core)."),
                                     QStringLiteral("T"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("One line of JSON per chain."));
    parser.addOptions({maxTransits, minEfl, targetPosition, target, fullBalance, count, seed,
                       threads, json});
    if (!parseCommandLine(parser, arguments))
        return BadUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        writeLine(parser.helpText());
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        writeError(QStringLiteral("generate: unexpected argument '%1'")
                       .arg(parser.positionalArguments().front()));
        return BadUsage;
    }

    GenerateOptions options;
    QString problem;
    const auto number = [&](const QCommandLineOption &option, int low, int high) -> std::optional<int> {
        if (!parser.isSet(option))
            return std::nullopt;
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < low || value > high) {
            problem = QStringLiteral("generate: --%1 takes a whole number from %2 to %3, not '%4'")
                          .arg(option.names().front())
                          .arg(low)
                          .arg(high)
                          .arg(parser.value(option));
            return std::nullopt;
        }
        return value;
    };
    options.conditions.maxTransits = number(maxTransits, 0, 36);
    options.conditions.minEfl = number(minEfl, 0, 36);
    options.conditions.targetPosition = number(targetPosition, 1, 36);
    options.count = number(count, 1, 1000000).value_or(1);
    options.threads = number(threads, 1, 256).value_or(std::max(1, QThread::idealThreadCount()));
    if (parser.isSet(target)) {
        options.conditions.target = parser.value(target);
        if (!isTargetItem(*options.conditions.target))
            problem = QStringLiteral("generate: unknown target '%1': give a card such as Тч, a "
                                     "suit pattern such as ?п or a rank pattern such as Т?")
                          .arg(*options.conditions.target);
    }
    options.conditions.fullBalance = parser.isSet(fullBalance);
    if (parser.isSet(seed)) {
        bool ok = false;
        options.seed = parser.value(seed).toULongLong(&ok);
        if (!ok)
            problem = QStringLiteral("generate: --seed takes a whole number, not '%1'")
                          .arg(parser.value(seed));
    }
    if (!problem.isEmpty()) {
        writeError(problem);
        return BadUsage;
    }

    const bool asJson = parser.isSet(json);
    generateChains(options, [asJson](const GeneratedChain &chain) {
        if (asJson)
            writeJsonLine(generatedJson(chain));
        else
            writeLine(generatedText(chain));
        std::fflush(stdout);
    });
    return 0;
}
