#include "AnalyseCommand.h"

#include "CliCommon.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "mainwindow/MainTables.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QTextStream>

namespace {

QString padLeft(const QString &text, int width) { return text.rightJustified(width, u' '); }

} // namespace

QJsonArray gridRowsJson(const TextGrid &grid)
{
    QJsonArray rows;
    for (const auto &row : grid.rows()) {
        QJsonArray cells;
        for (const QString &cell : row)
            cells.append(cell);
        rows.append(cells);
    }
    return rows;
}

QJsonObject analyseRecord(const QString &text, const platform::Services &services)
{
    // The analysis run of the window, on tables and chain records of our own.
    MainTables tables;
    ChainState state;
    const TTLKoloda chain = RunAnalysis(tables, state, services, text);
    QJsonArray cards;
    for (int n = 1; n <= 36; ++n) {
        const TKarta &card = chain.Cards[n];
        cards.append(QJsonObject{
            {QStringLiteral("rank"), card.Rank},
            {QStringLiteral("suit"), card.Suit},
            {QStringLiteral("mobile"), card.MobileCount},
            {QStringLiteral("transit"), card.Transit},
            {QStringLiteral("depth"), card.Depth},
            {QStringLiteral("remainder"), card.Remainder},
        });
    }
    QJsonArray hexagrams, statistics;
    for (int s = 1; s <= 4; ++s) {
        hexagrams.append(int(chain.HexagramNumbers[s]));
        statistics.append(chain.SuitStatistics[s]);
    }
    return QJsonObject{
        {QStringLiteral("text"), text},
        {QStringLiteral("short"), text.size() < 36},
        {QStringLiteral("left"), CountCollapse(chain)},
        {QStringLiteral("transitTotal"), chain.TransitTotal},
        {QStringLiteral("cards"), cards},
        {QStringLiteral("report"), QJsonArray::fromStringList(tables.RichEdit1.lines())},
        {QStringLiteral("grids"),
         QJsonObject{{QStringLiteral("StringGrid1"), gridRowsJson(tables.StringGrid1)},
                     {QStringLiteral("StringGrid2"), gridRowsJson(tables.StringGrid2)},
                     {QStringLiteral("StringGrid3"), gridRowsJson(tables.StringGrid3)}}},
        {QStringLiteral("hexagrams"), hexagrams},
        {QStringLiteral("statistics"), statistics},
    };
}

QString analyseReport(const QString &text, const platform::Services &services)
{
    MainTables tables;
    ChainState state;
    const TTLKoloda chain = RunAnalysis(tables, state, services, text);
    QStringList lines;
    lines << QStringLiteral("Цепочка: ") + text;
    lines << tables.RichEdit1.lines();
    lines << QStringLiteral("Транзитов: %1").arg(chain.TransitTotal);
    lines << QStringLiteral("Гексаграммы (п, б, к, ч): %1 %2 %3 %4")
                 .arg(chain.HexagramNumbers[1])
                 .arg(chain.HexagramNumbers[2])
                 .arg(chain.HexagramNumbers[3])
                 .arg(chain.HexagramNumbers[4]);
    lines << QStringLiteral(" Поз  Карта  Мобилы  Транзит  Глубина  Остаток");
    for (int n = 1; n <= 36; ++n) {
        const TKarta &card = chain.Cards[n];
        lines << padLeft(QString::number(n), 4) + padLeft(card.name(), 7) +
                     padLeft(QString::number(card.MobileCount), 8) +
                     padLeft(QString::number(card.Transit), 9) +
                     padLeft(QString::number(card.Depth), 9) +
                     padLeft(QString::number(card.Remainder), 9);
    }
    return lines.join(u'\n');
}

int runAnalyse(const QStringList &arguments, ProgramState &, platform::Services &services)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads chain texts and collapses them. Without TEXT, each line of "
                       "standard input is one chain."));
    parser.addHelpOption();
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("One line of JSON per chain."));
    parser.addOption(json);
    parser.addPositionalArgument(QStringLiteral("TEXT"), QStringLiteral("Chain texts."),
                                 QStringLiteral("[TEXT ...]"));
    if (!parseCommandLine(parser, arguments))
        return BadUsage;
    if (parser.isSet(QStringLiteral("help"))) {
        writeLine(parser.helpText());
        return 0;
    }

    const bool asJson = parser.isSet(json);
    bool first = true;
    const auto analyseOne = [&](const QString &text) {
        if (asJson) {
            writeJsonLine(analyseRecord(text, services));
        } else {
            if (!first)
                writeLine(QString());
            writeLine(analyseReport(text, services));
        }
        first = false;
    };

    const QStringList texts = parser.positionalArguments();
    if (!texts.isEmpty()) {
        for (const QString &text : texts)
            analyseOne(text);
    } else {
        QTextStream input(stdin);
        input.setEncoding(QStringConverter::Utf8);
        QString line;
        while (input.readLineInto(&line))
            analyseOne(line);
    }
    std::fflush(stdout);
    return 0;
}
