// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnalyseCommand.h"

#include "AnalyseRecordWriter.h"
#include "CommandMessages.h"
#include "CommandOptions.h"
#include "CommandOutput.h"
#include "LineReader.h"
#include "analysis/MainTables.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "engine/DeckCheck.h"

#include <QJsonArray>

#include <cstdio>
#include <mutex>

#include <unistd.h>

namespace {

const QString Command = QStringLiteral("analyse");

// Pads to width characters (code points), so that a letter outside the Basic
// Multilingual Plane does not shift its column.
QString padLeft(const QString &text, int width)
{
    return QString(std::max<qsizetype>(0, width - characterCount(text)), u' ') + text;
}

// {"full": …, "missing": […], "repeated": […], "unknown": […]}.
QJsonObject deckCheckJson(const DeckCheck &check)
{
    return QJsonObject{
        {QStringLiteral("full"), check.full},
        {QStringLiteral("missing"), QJsonArray::fromStringList(check.missing)},
        {QStringLiteral("repeated"), QJsonArray::fromStringList(check.repeated)},
        {QStringLiteral("unknown"), QJsonArray::fromStringList(check.unknown)},
    };
}

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
    // The analysis run of the window, on tables of our own.
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
        {QStringLiteral("short"), characterCount(text) < 36},
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
        {QStringLiteral("deck"), deckCheckJson(checkDeck(text))},
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

bool writeAnalysisOutput(std::string_view out, std::string_view err)
{
    OutputStream &output = standardOutput();
    if (!out.empty())
        output.write(QByteArrayView(out.data(), qsizetype(out.size())));
    output.flush();
    if (!err.empty()) {
        std::fwrite(err.data(), 1, err.size(), stderr);
        std::fflush(stderr);
    }
    return output.ok();
}

CommandDeclaration analyseDeclaration()
{
    return CommandDeclaration{
        Command,
        QStringLiteral("collapse and analyse chains (without TEXT, each line of standard input)"),
        QStringLiteral("Reads chain texts and collapses them. Without TEXT, each line of standard "
                       "input is one chain and gives one result, in the order of the input: CRLF "
                       "reads like LF, and a last line without a line end is a line too. The text "
                       "output says on standard error when a chain does not hold each of the 36 "
                       "cards once and nothing else; the JSON record holds that check as "
                       "\"deck\"."),
        {QCommandLineOption(QStringLiteral("json"),
                            QStringLiteral("One line of JSON per chain, with a deck check.")),
         threadsOption(QStringLiteral("Analysing threads")), encodingOption()},
        {},
        {{QStringLiteral("TEXT"), QStringLiteral("Chain texts, one chain each."),
          QStringLiteral("[TEXT ...]")}},
    };
}

int runAnalyse(const QStringList &arguments, platform::Services &)
{
    CommandLine line(analyseDeclaration());
    const QCommandLineOption &json = line.option(QStringLiteral("json"));
    const QCommandLineOption &encoding = line.option(QStringLiteral("encoding"));
    const QCommandLineOption &threads = line.option(QStringLiteral("threads"));
    if (const auto status = line.parse(arguments))
        return *status;
    const std::optional<InputEncoding> inputEncoding = encodingValue(line, encoding);
    if (!inputEncoding)
        return BadUsage;
    QString problem;
    BatchOptions options;
    options.threads = threadCount(line, threads, problem);
    if (!problem.isEmpty())
        return line.fail(problem);

    const auto format =
        line.isSet(json) ? AnalyseLineWorker::Format::Json : AnalyseLineWorker::Format::Report;
    const QStringList texts = line.positionalArguments();
    // Notes name their lines wherever more than one chain may come, so that one
    // can be matched to its chain although notes and results go out apart.
    const bool namesLines = texts.size() != 1;
    const auto makeWorker = [format, namesLines] {
        auto worker = std::make_unique<AnalyseLineWorker>(format);
        worker->setNotePrefix(QStringLiteral("tlcalc-cli %1: ").arg(Command).toStdString());
        worker->setNamesLines(namesLines);
        return worker;
    };
    // Each piece of output goes on at once, so that whoever reads it gets the
    // answers to the lines sent so far; the pieces are large unless the input
    // comes a line at a time. The note on the encoding is written as a line is
    // read, while the output of other lines goes on: one writer at a time keeps
    // the lines whole.
    std::mutex errorLock;
    const BatchSink sink = [&errorLock](std::string_view out, std::string_view err) {
        const std::lock_guard lock(errorLock);
        return writeAnalysisOutput(out, err);
    };

    if (!texts.isEmpty()) {
        qsizetype next = 0;
        const LineSource source = [&](std::string &buffer) {
            if (next == texts.size())
                return false;
            const QByteArray text = texts[next++].toUtf8();
            buffer.append(text.constData(), std::size_t(text.size()));
            return true;
        };
        runOrderedBatch(options, source, makeWorker, sink);
        return finishOutput(Command);
    }

    LineReader reader(STDIN_FILENO, *inputEncoding);
    reader.setCp1251Notice([&errorLock](qint64 number) {
        const std::lock_guard lock(errorLock);
        noteCp1251(Command, lineLabel(number));
    });
    const LineSource source = [&](std::string &buffer) { return reader.appendNext(buffer); };
    options.inputIdle = [&] { return reader.wouldWait(); };
    runOrderedBatch(options, source, makeWorker, sink);
    if (reader.error() != 0) {
        const int status = finishOutput(Command, IoFailure);
        return line.fail(QStringLiteral("read error: ") + errorReason(reader.error()), status);
    }
    return finishOutput(Command);
}
