#include "AnalyseCommand.h"

#include "CliCommon.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QTextStream>

namespace {

struct Analysed
{
    TTLKoloda chain;
    std::int32_t left = 0;
};

Analysed analyse(const QString &text)
{
    Analysed result;
    ClearChain(result.chain);
    ReadChain(text, result.chain);
    result.left = CountCollapse(result.chain);
    AnalyseChain(result.chain);
    return result;
}

QString padLeft(const QString &text, int width) { return text.rightJustified(width, u' '); }

} // namespace

QJsonObject analyseRecord(const QString &text)
{
    const Analysed analysed = analyse(text);
    QJsonArray cards;
    for (int n = 1; n <= 36; ++n) {
        const TKarta &card = analysed.chain.Cards[n];
        cards.append(QJsonObject{
            {QStringLiteral("rank"), card.Rank},
            {QStringLiteral("suit"), card.Suit},
            {QStringLiteral("mobile"), card.MobileCount},
            {QStringLiteral("transit"), card.Transit},
            {QStringLiteral("depth"), card.Depth},
            {QStringLiteral("remainder"), card.Remainder},
        });
    }
    return QJsonObject{
        {QStringLiteral("text"), text},
        {QStringLiteral("short"), text.size() < 36},
        {QStringLiteral("left"), analysed.left},
        {QStringLiteral("transitTotal"), analysed.chain.TransitTotal},
        {QStringLiteral("cards"), cards},
    };
}

QString analyseReport(const QString &text)
{
    const Analysed analysed = analyse(text);
    QStringList lines;
    lines << QStringLiteral("Цепочка: ") + text;
    lines << QStringLiteral("Свёртка до %1 карт").arg(analysed.left);
    lines << QStringLiteral("Транзитов: %1").arg(analysed.chain.TransitTotal);
    lines << QStringLiteral(" Поз  Карта  Мобилы  Транзит  Глубина  Остаток");
    for (int n = 1; n <= 36; ++n) {
        const TKarta &card = analysed.chain.Cards[n];
        lines << padLeft(QString::number(n), 4) + padLeft(card.name(), 7) +
                     padLeft(QString::number(card.MobileCount), 8) +
                     padLeft(QString::number(card.Transit), 9) +
                     padLeft(QString::number(card.Depth), 9) +
                     padLeft(QString::number(card.Remainder), 9);
    }
    return lines.join(u'\n');
}

int runAnalyse(const QStringList &arguments)
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
            writeJsonLine(analyseRecord(text));
        } else {
            if (!first)
                writeLine(QString());
            writeLine(analyseReport(text));
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
