#include "ExchangeCommand.h"

#include "AnalyseCommand.h"
#include "CliCommon.h"
#include "mainwindow/CardReplacement.h"

#include <QCommandLineParser>

int runExchange(const QStringList &arguments, ProgramState &, platform::Services &services)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Exchanges A and B in TEXT as the replacement button does (two cards, "
                       "two suits ?п ?ч or two ranks 6? Т?) and analyses the result."));
    parser.addHelpOption();
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("The analysis record as one line of JSON."));
    parser.addOption(json);
    parser.addPositionalArgument(QStringLiteral("TEXT"), QStringLiteral("The chain text."));
    parser.addPositionalArgument(QStringLiteral("A"), QStringLiteral("First card or pattern."));
    parser.addPositionalArgument(QStringLiteral("B"), QStringLiteral("Second card or pattern."));
    if (!parseCommandLine(parser, arguments))
        return BadUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        writeLine(parser.helpText());
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 3) {
        writeError(QStringLiteral("exchange: give TEXT, A and B"));
        writeError(parser.helpText());
        return BadUsage;
    }
    const QString text = replaceCards(positional[0], positional[1], positional[2], services);
    if (parser.isSet(json))
        writeJsonLine(analyseRecord(text, services));
    else
        writeLine(analyseReport(text, services));
    return 0;
}
