#include "MicroCommand.h"

#include "CliCommon.h"
#include "engine/Deck.h"
#include "mainwindow/MainTables.h"
#include "mainwindow/MicroChainSearch.h"

#include <QCommandLineParser>
#include <QJsonArray>

#include <cstdio>

namespace {

// "10" is read as the ten, as in chain texts.
QString normalisedTarget(QString text)
{
    text = text.trimmed();
    if (text.startsWith(QStringLiteral("10")))
        text.replace(0, 2, QStringLiteral("X"));
    return text;
}

} // namespace

QJsonObject microChainRecord(const TTLKoloda &chain, int number)
{
    return QJsonObject{
        {QStringLiteral("cards"), QJsonArray::fromStringList(microChainCards(chain))},
        {QStringLiteral("number"), number},
    };
}

int runMicro(const QStringList &arguments, ProgramState &state, platform::Services &services)
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
                                   QStringLiteral("How many micro-chains (at most 500)."),
                                   QStringLiteral("N"));
    const QCommandLineOption seed(
        QStringLiteral("seed"), QStringLiteral("Seed of the random source, for a repeatable run."),
        QStringLiteral("S"));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("One line of JSON per micro-chain."));
    parser.addOptions({efl, target, count, seed, json});
    if (!parseCommandLine(parser, arguments))
        return BadUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        writeLine(parser.helpText());
        return 0;
    }
    for (const QCommandLineOption &required : {efl, target, count}) {
        if (!parser.isSet(required)) {
            writeError(QStringLiteral("tlcalc-cli micro: --%1 is required")
                           .arg(required.names().constFirst()));
            writeError(parser.helpText());
            return BadUsage;
        }
    }
    if (!parser.positionalArguments().isEmpty()) {
        writeError(QStringLiteral("tlcalc-cli micro: unexpected argument '%1'")
                       .arg(parser.positionalArguments().constFirst()));
        return BadUsage;
    }

    const QString targetText = normalisedTarget(parser.value(target));
    // Only the targets the window's list offers: anything else would leave the
    // search drawing for a first card that is not there.
    if (!targetItems().contains(targetText)) {
        writeError(QStringLiteral("tlcalc-cli micro: '%1' is not a card, a suit pattern or a "
                                  "rank pattern")
                       .arg(parser.value(target)));
        return BadUsage;
    }
    if (parser.isSet(seed)) {
        bool ok = false;
        const quint64 value = parser.value(seed).toULongLong(&ok);
        if (!ok) {
            writeError(QStringLiteral("tlcalc-cli micro: '%1' is not a seed (a whole number "
                                      "from 0 to 18446744073709551615)")
                           .arg(parser.value(seed)));
            return BadUsage;
        }
        services.random().reseed(value);
    }

    ReportLog report;
    const MicroSearchResult result =
        SearchMicroChains(state, state.OrderedDeck, services, report, parser.value(count),
                          parser.value(efl), targetText);
    if (result.outcome == MicroSearchResult::Outcome::Refused ||
        result.outcome == MicroSearchResult::Outcome::NotANumber) {
        // The search has shown its message through the message sink already.
        return BadUsage;
    }

    if (parser.isSet(json)) {
        for (int k = 1; k <= result.built; ++k)
            writeJsonLine(microChainRecord(state.MicroChains[k], k));
    } else {
        for (const QString &line : report.lines())
            writeLine(line);
    }
    std::fflush(stdout);
    return 0;
}
