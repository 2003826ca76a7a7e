#include "MicroCommand.h"

#include "CliCommon.h"
#include "engine/Deck.h"
#include "engine/RandomSource.h"
#include "mainwindow/MainTables.h"
#include "platform/MessageSink.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QJsonArray>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

const QString ErrorPrefix = QStringLiteral("tlcalc-cli micro: ");

// "10" is read as the ten, as in chain texts.
QString normalisedTarget(QString text)
{
    text = text.trimmed();
    if (text.startsWith(QStringLiteral("10")))
        text.replace(0, 2, QStringLiteral("X"));
    return text;
}

// The search shows its refusals through the message sink; on the command line
// they are errors of this command like any other.
class PrefixedMessages
{
public:
    PrefixedMessages()
    {
        previous_ = platform::setMessageHandler(
            [this](const QString &text) { previous_(ErrorPrefix + text); });
    }
    ~PrefixedMessages() { platform::setMessageHandler(previous_); }
    PrefixedMessages(const PrefixedMessages &) = delete;
    PrefixedMessages &operator=(const PrefixedMessages &) = delete;

private:
    platform::MessageHandler previous_;
};

int refuse(const QString &message)
{
    writeError(ErrorPrefix + message);
    return BadUsage;
}

} // namespace

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

int runMicro(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Builds random micro-chains of E + 2 cards ending in the target card, "
                       "as the window's \"МикроЦС\" command does."));
    parser.addHelpOption();
    const QCommandLineOption efl(QStringLiteral("efl"),
                                 QStringLiteral("The EFL: collapse steps undone (1 to 34)."),
                                 QStringLiteral("E"));
    const QCommandLineOption target(
        QStringLiteral("target"),
        QStringLiteral("The last card: a card (Тч), a suit pattern (?п) or a rank pattern (Т?)."),
        QStringLiteral("CARD"));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("How many micro-chains (1 to 500)."),
                                   QStringLiteral("N"));
    const QCommandLineOption method(
        QStringLiteral("method"),
        QStringLiteral("gat: generate-and-test, the window's method; search: the constructive "
                       "search, which finds long micro-chains quickly. Default: gat up to "
                       "E = 11, search from E = 12."),
        QStringLiteral("METHOD"));
    const QCommandLineOption seed(
        QStringLiteral("seed"), QStringLiteral("Seed of the random source, for a repeatable run."),
        QStringLiteral("S"));
    const QCommandLineOption maxTries(
        QStringLiteral("max-tries"),
        QStringLiteral("Stop after N attempts in all (status 3), writing what was built."),
        QStringLiteral("N"));
    const QCommandLineOption timeLimit(
        QStringLiteral("time-limit"),
        QStringLiteral("Stop after SECONDS (status 3), writing what was built."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption progress(
        QStringLiteral("progress"),
        QStringLiteral("A progress line on standard error about once a second (the default "
                       "when standard error is a terminal)."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("One line of JSON per micro-chain."));
    parser.addOptions({efl, target, count, method, seed, maxTries, timeLimit, progress, json});
    if (!parser.parse(arguments)) {
        writeError(ErrorPrefix + parser.errorText());
        writeError(parser.helpText());
        return BadUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        writeLine(parser.helpText());
        return 0;
    }
    for (const QCommandLineOption &required : {efl, target, count}) {
        if (!parser.isSet(required)) {
            writeError(ErrorPrefix +
                       QStringLiteral("--%1 is required").arg(required.names().constFirst()));
            writeError(parser.helpText());
            return BadUsage;
        }
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'")
                          .arg(parser.positionalArguments().constFirst()));

    QString deckText;
    MakeOrderedDeck(deckText);

    const QString targetText = normalisedTarget(parser.value(target));
    // Only the targets the window's list offers: anything else would leave the
    // search drawing for a first card that is not there.
    if (!targetItems().contains(targetText))
        return refuse(QStringLiteral("'%1' is not a card, a suit pattern or a rank pattern")
                          .arg(parser.value(target)));
    // Counts the search would take as "nothing to build" are no request here;
    // texts that are no numbers and counts beyond the store the search turns down.
    bool countIsNumber = false;
    const int countValue = parser.value(count).trimmed().toInt(&countIsNumber);
    if (countIsNumber && countValue < 1)
        return refuse(QStringLiteral("--count takes a whole number from 1 to %1, not '%2'")
                          .arg(MicroChainCapacity)
                          .arg(parser.value(count)));

    MicroSearchOptions options;
    bool eflIsNumber = false;
    const int eflValue = parser.value(efl).trimmed().toInt(&eflIsNumber);
    options.method = eflIsNumber ? defaultMicroMethod(eflValue) : MicroMethod::GenerateAndTest;
    if (parser.isSet(method)) {
        const QString name = parser.value(method).trimmed().toLower();
        if (name != microMethodName(MicroMethod::GenerateAndTest) &&
            name != microMethodName(MicroMethod::Search))
            return refuse(
                QStringLiteral("--method takes gat or search, not '%1'").arg(parser.value(method)));
        options.method = name == microMethodName(MicroMethod::Search)
                             ? MicroMethod::Search
                             : MicroMethod::GenerateAndTest;
    }

    RandomSource random(entropySeed());
    if (parser.isSet(seed)) {
        bool ok = false;
        const quint64 value = parser.value(seed).toULongLong(&ok);
        if (!ok)
            return refuse(QStringLiteral("'%1' is not a seed (a whole number from 0 to "
                                         "18446744073709551615)")
                              .arg(parser.value(seed)));
        random.reseed(value);
    }
    if (parser.isSet(maxTries)) {
        bool ok = false;
        options.maxAttempts = parser.value(maxTries).toLongLong(&ok);
        if (!ok || options.maxAttempts < 1)
            return refuse(QStringLiteral("--max-tries takes a whole number of attempts from 1 "
                                         "on, not '%1'")
                              .arg(parser.value(maxTries)));
    }
    std::optional<qint64> limitMs;
    if (parser.isSet(timeLimit)) {
        bool ok = false;
        const double seconds = parser.value(timeLimit).toDouble(&ok);
        if (!ok || !(seconds > 0) || seconds > 1e9)
            return refuse(QStringLiteral("--time-limit takes a number of seconds above 0, not '%1'")
                              .arg(parser.value(timeLimit)));
        limitMs = qint64(seconds * 1000);
    }

    const bool showProgress = parser.isSet(progress) || isatty(fileno(stderr));
    QElapsedTimer clock;
    clock.start();
    qint64 lastLineMs = 0;
    options.progress = [&](int built, int total, std::int64_t attempts) {
        const qint64 now = clock.elapsed();
        if (showProgress && now - lastLineMs >= 1000) {
            lastLineMs = now;
            writeError(ErrorPrefix + QStringLiteral("%1 of %2 micro-chains built, %3 attempts")
                                         .arg(built)
                                         .arg(total)
                                         .arg(attempts));
        }
        return !limitMs || now < *limitMs;
    };

    ReportLog report;
    MicroSearchResult result;
    {
        const PrefixedMessages prefixed;
        result = SearchMicroChains(report, random, parser.value(count), parser.value(efl),
                                   targetText, options);
    }
    if (result.outcome == MicroSearchResult::Outcome::Refused ||
        result.outcome == MicroSearchResult::Outcome::NotANumber) {
        // The search has shown its message through the message sink already.
        return BadUsage;
    }

    if (parser.isSet(json)) {
        for (int k = 1; k <= result.built; ++k)
            writeJsonLine(microChainRecord(MicroChains[k], k, options.method,
                                           result.histories[std::size_t(k - 1)]));
    } else {
        for (const QString &line : report.lines())
            writeLine(line);
    }
    std::fflush(stdout);

    if (result.outcome == MicroSearchResult::Outcome::Stopped) {
        const bool triesSpent = options.maxAttempts > 0 && result.attempts >= options.maxAttempts;
        writeError(
            ErrorPrefix +
            (triesSpent
                 ? QStringLiteral("--max-tries reached after %1 attempts").arg(result.attempts)
                 : QStringLiteral("--time-limit of %1 s reached").arg(parser.value(timeLimit))) +
            QStringLiteral(": %1 of %2 micro-chains built").arg(result.built).arg(countValue));
        return MicroLimitReached;
    }
    return 0;
}
