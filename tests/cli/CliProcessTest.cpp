// SPDX-License-Identifier: GPL-3.0-or-later
#include "../ChainTexts.h"
#include "../SystemTestSupport.h"
#include "../TestSupport.h"
#include "CliTestSupport.h"
#include "cli/AnalyseCommand.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct CliRun
{
    bool finished = false;
    int status = -1;
    QString out;
    QString err;
    QByteArray rawOut;
    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

// Runs the command line on input; a run that outlasts timeoutMs is killed and
// reported unfinished, so that a missing refusal fails the test instead of hanging it.
CliRun tlcalcCli(const QStringList &arguments, const QByteArray &input, int timeoutMs = 60000,
                 const QString &outputFile = QString())
{
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(TLCALC_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input);
    process.closeWriteChannel();
    CliRun run;
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.rawOut = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.rawOut);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

CliRun tlcalcCli(const QStringList &arguments, const QString &input = QString())
{
    return tlcalcCli(arguments, input.toUtf8());
}

QJsonObject json(const QString &line)
{
    return QJsonDocument::fromJson(line.toUtf8()).object();
}

} // namespace

struct UsageCase
{
    const char *name;
    QStringList arguments;
    const char *prefix = "tlcalc-cli generate: ";
};

class CliBadUsage : public ::testing::TestWithParam<UsageCase>
{
};

TEST_P(CliBadUsage, IsRefusedWithStatusTwoAndAMessage)
{
    const CliRun run = tlcalcCli(GetParam().arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.startsWith(QString::fromUtf8(GetParam().prefix))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliBadUsage,
    ::testing::Values(
        UsageCase{"NoCommand", {}, "tlcalc-cli: "},
        UsageCase{"UnknownCommand", words("solve"), "tlcalc-cli: "},
        UsageCase{"UnknownOption", words("analyse --xml"), "tlcalc-cli analyse: "},
        UsageCase{"UnknownEncoding", words("analyse --encoding koi8-r"), "tlcalc-cli analyse: "},
        UsageCase{"NoThreads", words("analyse --threads 0"), "tlcalc-cli analyse: "},
        UsageCase{"MissingValue", words("generate --seed")},
        UsageCase{"UnexpectedArgument", words("generate 6п")},
        UsageCase{"PositionOutOfRange", words("generate --target-position 37")},
        UsageCase{"PositionZero", words("generate --target-position 0")},
        UsageCase{"UnknownTarget", words("generate --target Zп")},
        UsageCase{"NotANumber", words("generate --min-efl x")},
        UsageCase{"ExchangeNeedsThreeArguments",
                  {QStringLiteral("exchange"), QStringLiteral("6п 7п")},
                  "tlcalc-cli exchange: "},
        UsageCase{"StatsNeedsACount", words("stats"), "tlcalc-cli stats: "},
        UsageCase{"StatsOfNoDeals", words("stats --deals 0"), "tlcalc-cli stats: "},
        UsageCase{"StatsCountIsNoNumber", words("stats --deals много"), "tlcalc-cli stats: "},
        UsageCase{"StatsBeyondItsBound", words("stats --deals 100000000001"), "tlcalc-cli stats: "},
        UsageCase{"StatsWithoutThreads", words("stats --deals 10 --threads 0"),
                  "tlcalc-cli stats: "},
        UsageCase{"StatsSeedIsNoNumber", words("stats --deals 10 --seed -1"), "tlcalc-cli stats: "},
        UsageCase{"StatsTakesNoArgument", words("stats --deals 10 6п"), "tlcalc-cli stats: "}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(CliAnalyse, EachInputLineIsOneChainAndOneJsonLine)
{
    const CliRun run = tlcalcCli(words("analyse --json"), OrderedDeckText + u'\n' + NoCollapseText +
                                                              QStringLiteral("\r\n6п 7п 8п\n"));
    EXPECT_EQ(run.status, 0);
    const QStringList lines = run.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(json(lines[0])[u"left"].toInt(), 2);
    EXPECT_EQ(json(lines[1])[u"left"].toInt(), 36);
    EXPECT_EQ(json(lines[1])[u"text"].toString(), NoCollapseText);
    EXPECT_TRUE(json(lines[2])[u"short"].toBool());
    EXPECT_TRUE(run.err.isEmpty()) << "the record says \"short\" itself";
}

// Random chains and spoilt ones (short, doubled, foreign letters) with a Windows-
// 1251 line among them: every thread count gives the output of one thread, byte
// for byte, records and reports in input order, messages with them. Only the
// note on the encoding, given as the line is read, may stand elsewhere.
TEST(CliAnalyseThreads, EveryThreadCountWritesWhatOneThreadWrites)
{
    ChainTexts texts(7);
    QByteArray input;
    for (int i = 0; i < 400; ++i)
        input += QByteArray::fromStdString(texts.next()) + (i % 7 == 0 ? "\r\n" : "\n");
    input += QStringLiteral("6п 7п 8п").toLocal8Bit() + "\n";
    input += "\xd2\xf7 6\xef\n" + QByteArray::fromStdString(texts.next());
    for (const QString &format : words("--json --encoding=auto")) {
        const CliRun one =
            tlcalcCli({QStringLiteral("analyse"), format, QStringLiteral("--threads=1")}, input);
        ASSERT_EQ(one.status, 0);
        EXPECT_EQ(one.out.count(format == u"--json" ? QStringLiteral("{\"cards\"")
                                                    : QStringLiteral("Цепочка: ")),
                  403);
        EXPECT_EQ(one.err.contains(QStringLiteral(": Цепочка маловата")), format != u"--json");
        for (const QString &threads : words("2 3")) {
            const CliRun many = tlcalcCli(
                {QStringLiteral("analyse"), format, QStringLiteral("--threads"), threads}, input);
            EXPECT_EQ(many.status, 0);
            EXPECT_EQ(many.rawOut, one.rawOut)
                << format.toStdString() << " on " << threads.toStdString();
            const auto withoutNote = [](const QString &err) {
                QStringList lines = err.split(u'\n');
                EXPECT_EQ(lines.removeAll(QStringLiteral(
                              "tlcalc-cli analyse: строка 402: not valid UTF-8: reading it and "
                              "any like it as Windows-1251 (--encoding utf-8 or cp1251 decides)")),
                          1);
                return lines;
            };
            EXPECT_EQ(withoutNote(many.err), withoutNote(one.err));
        }
    }
}

// A script that sends a line and waits for its answer before the next one gets
// it, on one thread or several: nothing waits for a full chunk of input.
TEST(CliAnalyseThreads, EachLineIsAnsweredBeforeTheNextIsSent)
{
    for (const QString &threads : words("1 2")) {
        QProcess process;
        process.start(QStringLiteral(TLCALC_CLI_PATH), words("analyse --json --threads")
                                                           << threads);
        ASSERT_TRUE(process.waitForStarted());
        QByteArray answers;
        for (const QString &text : {OrderedDeckText, NoCollapseText}) {
            process.write(text.toUtf8() + '\n');
            const int before = answers.count('\n');
            while (answers.count('\n') == before && process.waitForReadyRead(20000))
                answers += process.readAllStandardOutput();
            ASSERT_EQ(answers.count('\n'), before + 1) << "no answer on " << threads.toStdString();
        }
        process.closeWriteChannel();
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitCode(), 0);
        const QList<QByteArray> lines = answers.split('\n');
        EXPECT_EQ(json(QString::fromUtf8(lines[0]))[u"left"].toInt(), 2);
        EXPECT_EQ(json(QString::fromUtf8(lines[1]))[u"left"].toInt(), 36);
    }
}

TEST(CliAnalyse, OrderedDeckRecordHasTheWorkedResults)
{
    const CliRun run = tlcalcCli(words("analyse --json") << OrderedDeckText);
    const QJsonObject record = json(run.lines().value(0));
    EXPECT_EQ(record[u"transitTotal"].toInt(), 28);
    const QJsonArray cards = record[u"cards"].toArray();
    ASSERT_EQ(cards.size(), 36);
    EXPECT_EQ(cards[17].toObject()[u"depth"].toInt(), 3);  // Тб
    EXPECT_EQ(cards[16].toObject()[u"mobile"].toInt(), 2); // Кб
    EXPECT_EQ(record[u"report"].toArray()[0].toString(), QStringLiteral("Свёртка до 2 карт"));
    EXPECT_EQ(record[u"hexagrams"].toArray(), (QJsonArray{13, 13, 13, 13}));
    const QJsonArray grid1 = record[u"grids"].toObject()[u"StringGrid1"].toArray();
    ASSERT_EQ(grid1.size(), 8);
    EXPECT_EQ(grid1[0].toArray().size(), 38);
    EXPECT_EQ(grid1[1].toArray()[0].toString(), QStringLiteral("Колода"));
    EXPECT_EQ(grid1[6].toArray()[37].toString(), QStringLiteral("34"));
}

TEST(CliAnalyse, ReadableReportAlignsItsColumns)
{
    const CliRun run = tlcalcCli(words("analyse") << OrderedDeckText);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("Свёртка до 2 карт")));
    const QStringList lines = run.lines();
    EXPECT_EQ(lines.back().size(), lines[lines.size() - 2].size());
}

TEST(CliAnalyse, StatisticsFollowTheEnvironmentsLocale)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows takes the locale from the user's settings, not the environment";
#endif
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("ru_RU.UTF-8"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("ru_RU.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TLCALC_CLI_PATH), words("analyse --json") << NoCollapseText);
    ASSERT_TRUE(process.waitForFinished(60000));
    const QJsonObject record = json(QString::fromUtf8(process.readAllStandardOutput()).trimmed());
    EXPECT_EQ(record[u"statistics"].toArray()[3].toString(), QStringLiteral("0,03"));
}

TEST(CliGenerate, SeededSingleThreadRunsRepeatExceptForTheirTimes)
{
    const QStringList arguments =
        words("generate --seed 42 --threads 1 --count 3 --min-efl 6 --json");
    const CliRun first = tlcalcCli(arguments);
    const CliRun second = tlcalcCli(arguments);
    ASSERT_EQ(first.status, 0);
    ASSERT_EQ(first.lines().size(), 3);
    for (int i = 0; i < 3; ++i) {
        QJsonObject a = json(first.lines()[i]), b = json(second.lines()[i]);
        EXPECT_TRUE(a.contains(u"ms"));
        a.remove(u"ms");
        b.remove(u"ms");
        EXPECT_EQ(a, b);
        EXPECT_GE(a[u"efl"].toInt(), 6);
        EXPECT_GE(a[u"tried"].toInt(), 1);
        for (const char16_t *key : {u"text", u"transitTotal", u"targets", u"fullBalance"})
            EXPECT_TRUE(a.contains(QString::fromUtf16(key)));
    }
}

TEST(CliGenerate, EveryConditionGivenHoldsOnTwoThreads)
{
    const CliRun run =
        tlcalcCli(words("generate --threads 2 --count 2 --target ?к --max-transits 20 --json"));
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines().size(), 2);
    for (const QString &line : run.lines()) {
        const QJsonObject chain = json(line);
        EXPECT_LE(chain[u"transitTotal"].toInt(), 20);
        bool club = false;
        for (const auto &target : chain[u"targets"].toArray())
            club = club || target.toString().endsWith(u'к');
        EXPECT_TRUE(club);
        const CliRun check = tlcalcCli(words("analyse --json") << chain[u"text"].toString());
        EXPECT_EQ(json(check.lines().value(0))[u"left"].toInt(), 2);
    }
}

// Without conditions the generator takes any chain that collapses to two cards:
// about 0.77 % of all deals. A seeded sample of fixed size repeats on any thread
// count.
TEST(CliGenerate, EstimateWithoutConditionsIsTheShareThatCollapsesToTwo)
{
    QJsonObject first;
    for (const QString &threads : words("1 2")) {
        const CliRun run =
            tlcalcCli(words("generate --estimate --seed 5 --max-tries 2000000 --threads")
                      << threads << words("--json"));
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        ASSERT_EQ(run.lines().size(), 1);
        const QJsonObject estimate = json(run.lines()[0]);
        EXPECT_NEAR(estimate[u"chance"].toDouble(), 0.0077, 0.002);
        EXPECT_LE(estimate[u"lower"].toDouble(), estimate[u"chance"].toDouble());
        EXPECT_GE(estimate[u"upper"].toDouble(), estimate[u"chance"].toDouble());
        EXPECT_TRUE(estimate[u"text"].toString().startsWith(QStringLiteral("≈ 1 из 1")));
        if (first.isEmpty())
            first = estimate;
        EXPECT_EQ(estimate[u"dealt"], first[u"dealt"]);
        EXPECT_EQ(estimate[u"passed"], first[u"passed"]);
    }
    const CliRun text = tlcalcCli(words("generate --estimate --min-efl 10"));
    EXPECT_EQ(text.status, 0);
    EXPECT_TRUE(text.out.startsWith(QStringLiteral("≈ 1 из "))) << text.out.toStdString();
}

TEST(CliExchange, SwapsThenAnalysesLikeTheReplacementButton)
{
    const CliRun run = tlcalcCli(words("exchange --json") << OrderedDeckText << words("?п ?ч"));
    ASSERT_EQ(run.status, 0);
    const QJsonObject record = json(run.lines().value(0));
    EXPECT_TRUE(record[u"text"].toString().startsWith(QStringLiteral("6ч 7ч")));
    EXPECT_TRUE(record[u"text"].toString().endsWith(QStringLiteral("Тп ")));
    EXPECT_EQ(record[u"report"].toArray()[0].toString(), QStringLiteral("Свёртка до 2 карт"));
}

struct RefusalCase
{
    const char *name;
    QStringList arguments;
    const char16_t *message;
};

class CliGenerateRefusal : public ::testing::TestWithParam<RefusalCase>
{
};

TEST_P(CliGenerateRefusal, ConditionsNoChainMeetsAreRefusedAtOnce)
{
    const CliRun run = tlcalcCli(words("generate") + GetParam().arguments, QByteArray(), 20000);
    ASSERT_TRUE(run.finished) << "the search started instead of being refused";
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.trimmed(), QString::fromUtf16(GetParam().message));
    EXPECT_TRUE(run.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, CliGenerateRefusal,
    ::testing::Values(
        RefusalCase{"EflAbove34", words("--min-efl 35"),
                    u"tlcalc-cli generate: --min-efl 35 can never be met: an EFL is at most 34"},
        RefusalCase{"NoTransits", words("--max-transits 0"),
                    u"tlcalc-cli generate: --max-transits 0 can never be met: the first collapse "
                    u"always makes a transit"},
        RefusalCase{"TargetAtOne", words("--target-position 1"),
                    u"tlcalc-cli generate: --target-position 1 can never be met: a target card "
                    u"stands at position 3 or later"},
        RefusalCase{"TargetAtTwoAmongOtherConditions", words("--min-efl 3 --target-position 2"),
                    u"tlcalc-cli generate: --target-position 2 can never be met: a target card "
                    u"stands at position 3 or later"}),
    [](const auto &test) { return std::string(test.param.name); });

struct EncodingCase
{
    const char *name;
    QByteArray input;
    QStringList arguments;
    QStringList texts; // the text of each record, in order
    bool notes;        // says once that it reads Windows-1251
};

class CliEncoding : public ::testing::TestWithParam<EncodingCase>
{
};

TEST_P(CliEncoding, EveryLineGivesOneRecordOfValidText)
{
    const EncodingCase &c = GetParam();
    const CliRun run = tlcalcCli(words("analyse --json") + c.arguments, c.input);
    EXPECT_EQ(run.status, 0);
    const QStringList lines = run.lines();
    ASSERT_EQ(lines.size(), c.texts.size());
    for (qsizetype k = 0; k < c.texts.size(); ++k)
        EXPECT_EQ(json(lines[k])[u"text"].toString(), c.texts[k]);
    EXPECT_FALSE(run.rawOut.contains("\\ud")) << "an escaped surrogate";
    EXPECT_EQ(QString::fromUtf8(run.rawOut).toUtf8(), run.rawOut) << "valid UTF-8";
    EXPECT_EQ(run.err.count(QStringLiteral("Windows-1251")), c.notes ? 1 : 0)
        << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CliEncoding,
    ::testing::Values(
        EncodingCase{
            "Cp1251Deck", cp1251Bytes(OrderedDeckText) + '\n', {}, {OrderedDeckText}, true},
        EncodingCase{
            "CrLf",
            (OrderedDeckText + QStringLiteral("\r\n") + NoCollapseText + QStringLiteral("\r\n"))
                .toUtf8(),
            {},
            {OrderedDeckText, NoCollapseText},
            false},
        EncodingCase{"LastLineEndingInALoneByte", "6п\n\xea", {}, words("6п к"), true},
        EncodingCase{
            "TwoCp1251LinesOneNote", "\xd2\xf7\n6п\n\xc4\xe1", {}, words("Тч 6п Дб"), true},
        EncodingCase{"LoneByteForcedUtf8",
                     "\xea",
                     words("--encoding utf-8"),
                     {QStringLiteral("\uFFFD")},
                     false},
        EncodingCase{"ForcedCp1251",
                     cp1251Bytes(NoCollapseText),
                     words("--encoding=cp1251"),
                     {NoCollapseText},
                     false},
        EncodingCase{"EmojiInAChain", "😀п 7п\n", {}, {QStringLiteral("😀п 7п")}, false},
        EncodingCase{"EmptyLineIsARecord", "\n6п\n", {}, {QString(), QStringLiteral("6п")}, false}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(CliEncodingAnalysis, TheDeckInWindows1251IsAnalysedAsInUtf8)
{
    const CliRun utf8 = tlcalcCli(words("analyse --json"), OrderedDeckText.toUtf8());
    const CliRun cp1251 = tlcalcCli(words("analyse --json"), cp1251Bytes(OrderedDeckText));
    ASSERT_EQ(utf8.status, 0);
    ASSERT_EQ(cp1251.status, 0);
    EXPECT_EQ(json(utf8.lines().value(0)), json(cp1251.lines().value(0)));
    EXPECT_EQ(json(cp1251.lines().value(0))[u"report"].toArray()[0].toString(),
              QStringLiteral("Свёртка до 2 карт"));
}

TEST(CliEncodingAnalysis, AWindows1251ArgumentIsReadAsTheInputIs)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows hands arguments over as UTF-16 text, never as bytes";
#endif
    // The shell hands the bytes over unchanged, as a script's "$(cat file)" does.
    QProcess process;
    process.start(QStringLiteral("/bin/sh"),
                  {QStringLiteral("-c"), QStringLiteral("exec \"$0\" analyse --json \"$(cat)\""),
                   QStringLiteral(TLCALC_CLI_PATH)});
    ASSERT_TRUE(process.waitForStarted());
    process.write(cp1251Bytes(NoCollapseText));
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    const QJsonObject record = json(QString::fromUtf8(process.readAllStandardOutput()).trimmed());
    EXPECT_EQ(record[u"text"].toString(), NoCollapseText);
    EXPECT_EQ(record[u"left"].toInt(), 36);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardError())
                    .startsWith(QStringLiteral("tlcalc-cli analyse: argument 2: not valid UTF-8")));
}

struct WriteFailureCase
{
    const char *name;
    QStringList arguments;
    QByteArray input;
    const char *prefix;
};

class CliWriteFailure : public ::testing::TestWithParam<WriteFailureCase>
{
};

TEST_P(CliWriteFailure, AFullDeviceIsStatusOneWithAMessage)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no device that is always full";
#endif
    const WriteFailureCase &c = GetParam();
    const CliRun run = tlcalcCli(c.arguments, c.input, 60000, QStringLiteral("/dev/full"));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.prefix) +
                                 QStringLiteral("write error: No space left on device")))
        << run.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliWriteFailure,
    ::testing::Values(
        WriteFailureCase{"AnalyseJsonText",
                         words("analyse --json") << QStringLiteral("6п 7п"),
                         {},
                         "tlcalc-cli analyse: "},
        WriteFailureCase{"AnalyseStandardInput", words("analyse"), OrderedDeckText.toUtf8() + '\n',
                         "tlcalc-cli analyse: "},
        WriteFailureCase{
            "Generate", words("generate --seed 1 --threads 1"), {}, "tlcalc-cli generate: "},
        WriteFailureCase{"Exchange",
                         words("exchange") << OrderedDeckText << words("6п 7п"),
                         {},
                         "tlcalc-cli exchange: "},
        WriteFailureCase{"CommandHelp", words("exchange --help"), {}, "tlcalc-cli exchange: "},
        WriteFailureCase{"Usage", words("--help"), {}, "tlcalc-cli: "}),
    [](const auto &test) { return std::string(test.param.name); });

struct ClosedPipeCase
{
    const char *name;
    QStringList arguments;
    QByteArray input;
};

class CliClosedPipe : public ::testing::TestWithParam<ClosedPipeCase>
{
};

TEST_P(CliClosedPipe, AReaderThatLeavesEarlyEndsTheRunWithStatusOne)
{
    const ClosedPipeCase &c = GetParam();
    QProcess cli, head;
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no head to leave the pipe early; the in-process test of a "
                    "closed pipe stands for it";
#endif
    cli.setStandardOutputProcess(&head);
    head.start(QStringLiteral("head"), words("-c 1"));
    cli.start(QStringLiteral(TLCALC_CLI_PATH), c.arguments);
    ASSERT_TRUE(cli.waitForStarted());
    cli.write(c.input);
    cli.closeWriteChannel();
    const bool finished = cli.waitForFinished(60000);
    if (!finished)
        cli.kill();
    ASSERT_TRUE(finished) << "it went on after its reader left";
    head.waitForFinished();
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit) << "not a death by SIGPIPE";
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(cli.readAllStandardError())
                    .contains(QStringLiteral("write error: Broken pipe")));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliClosedPipe,
    ::testing::Values(
        // Far more than a pipe holds, so the reader is gone before the writing ends.
        ClosedPipeCase{"AnalyseManyLines", words("analyse --json"),
                       (OrderedDeckText + u'\n').toUtf8().repeated(300)},
        ClosedPipeCase{
            "GenerateManyChains", words("generate --count 1000000 --threads 2 --json"), {}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(CliReadFailure, AnUnreadableInputIsStatusOneWithAMessage)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows opens no folder as a program's input";
#endif
    QProcess process;
    process.setStandardInputFile(QStringLiteral("/"));
    process.start(QStringLiteral(TLCALC_CLI_PATH), words("analyse"));
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()).trimmed(),
              QStringLiteral("tlcalc-cli analyse: read error: Is a directory"));
}

struct ExchangeCase
{
    const char *name;
    const char16_t *a;
    const char16_t *b;
    const char16_t *start; // how the exchanged text starts; nullptr: refused
};

class CliExchangeArguments : public ::testing::TestWithParam<ExchangeCase>
{
};

TEST_P(CliExchangeArguments, AreCardsOrPatternsOfOneKind)
{
    const ExchangeCase &c = GetParam();
    const CliRun run =
        tlcalcCli({QStringLiteral("exchange"), QStringLiteral("--json"), OrderedDeckText,
                   QString::fromUtf16(c.a), QString::fromUtf16(c.b)});
    if (c.start == nullptr) {
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("tlcalc-cli exchange: ")));
        EXPECT_TRUE(run.out.isEmpty());
        return;
    }
    EXPECT_EQ(run.status, 0);
    const QJsonObject record = json(run.lines().value(0));
    EXPECT_TRUE(record[u"text"].toString().startsWith(QString::fromUtf16(c.start)))
        << record[u"text"].toString().toStdString();
    EXPECT_TRUE(record[u"deck"].toObject()[u"full"].toBool()) << "an exchange keeps the deck";
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CliExchangeArguments,
    ::testing::Values(ExchangeCase{"TwoCards", u"6п", u"Тч", u"Тч 7п"},
                      ExchangeCase{"TenAsTwoDigits", u"10п", u"6б", u"6п 7п 8п 9п 6б Вп"},
                      ExchangeCase{"TwoSuits", u"?п", u"?ч", u"6ч 7ч"},
                      ExchangeCase{"TenRankPattern", u"10?", u"6?", u"Xп 7п 8п 9п 6п"},
                      ExchangeCase{"CyrillicSmallHa", u"хп", u"6б", u"6п 7п 8п 9п 6б Вп"},
                      ExchangeCase{"BareTen", u"10", u"6б", nullptr},
                      ExchangeCase{"LatinB", u"Bп", u"6б", nullptr},
                      ExchangeCase{"SuitAndRank", u"?п", u"6?", nullptr},
                      ExchangeCase{"CardAndSuit", u"6п", u"?п", nullptr},
                      ExchangeCase{"Empty", u"", u"6п", nullptr}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(CliDeckCheck, JsonRecordsCarryTheCheck)
{
    QString doubled = OrderedDeckText;
    doubled.replace(QStringLiteral("7п"), QStringLiteral("6п"));
    const CliRun run = tlcalcCli(words("analyse --json") << OrderedDeckText << doubled);
    ASSERT_EQ(run.lines().size(), 2);
    EXPECT_EQ(json(run.lines()[0])[u"deck"].toObject(),
              (QJsonObject{{QStringLiteral("full"), true},
                           {QStringLiteral("missing"), QJsonArray()},
                           {QStringLiteral("repeated"), QJsonArray()},
                           {QStringLiteral("unknown"), QJsonArray()}}));
    EXPECT_EQ(json(run.lines()[1])[u"deck"].toObject(),
              (QJsonObject{{QStringLiteral("full"), false},
                           {QStringLiteral("missing"), QJsonArray{QStringLiteral("7п")}},
                           {QStringLiteral("repeated"), QJsonArray{QStringLiteral("6п")}},
                           {QStringLiteral("unknown"), QJsonArray()}}));
    EXPECT_TRUE(run.err.isEmpty()) << "JSON records carry the check instead";
}

TEST(CliDeckCheck, TextOutputSaysOnStandardErrorWhenTheDeckIsNotFull)
{
    TestServices services;
    QString lookAlike = OrderedDeckText;
    lookAlike.replace(QStringLiteral("Вп"), QStringLiteral("Bп")); // a Latin B
    const CliRun full = tlcalcCli(words("analyse") << OrderedDeckText);
    const CliRun odd = tlcalcCli(words("analyse") << lookAlike);
    EXPECT_EQ(full.status, 0);
    EXPECT_TRUE(full.err.isEmpty());
    EXPECT_EQ(odd.status, 0);
    EXPECT_EQ(odd.err, QStringLiteral("tlcalc-cli analyse: не хватает: Вп; не карты: «Bп»\n"));
    // Standard output holds the report and nothing else.
    EXPECT_EQ(odd.out, analyseReport(lookAlike, services) + u'\n');
}

class CliHelp : public ::testing::TestWithParam<const char *>
{
};

TEST_P(CliHelp, ShowsTheCommandsUsageAndItsOwnOptions)
{
    const QString command = QString::fromUtf8(GetParam());
    const CliRun run = tlcalcCli({command, QStringLiteral("--help")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: tlcalc-cli %1 [options]").arg(command)));
    EXPECT_TRUE(run.out.contains(QStringLiteral("-h, --help")));
    EXPECT_FALSE(run.out.contains(QStringLiteral("--help-all")));
    EXPECT_TRUE(run.err.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Commands, CliHelp,
                         ::testing::Values("analyse", "generate", "exchange", "stats"));

TEST(CliVersion, NamesTheVersionThenTheLicence)
{
    const CliRun run = tlcalcCli({QStringLiteral("--version")});
    EXPECT_EQ(run.status, 0);
    ASSERT_FALSE(run.lines().isEmpty());
    EXPECT_EQ(run.lines().first(), QStringLiteral("tlcalc-cli " TLCALC_VERSION));
    EXPECT_TRUE(run.out.contains(
        QStringLiteral("GNU General Public License, version 3 or later (GPL-3.0-or-later)")))
        << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
}

namespace {

qint64 histogramTotal(const QJsonObject &histogram)
{
    qint64 total = 0;
    for (const QJsonValue &count : histogram)
        total += count.toInteger();
    return total;
}

} // namespace

TEST(CliStats, OneJsonObjectTheSameOnOneAndTwoThreads)
{
    QList<QJsonObject> objects;
    for (const QString &threads : words("1 2")) {
        const CliRun run = tlcalcCli(words("stats --deals 300007 --seed 5 --threads")
                                     << threads << words("--json"));
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        ASSERT_EQ(run.lines().size(), 1);
        QJsonObject object = json(run.lines().constFirst());
        EXPECT_TRUE(object[u"ms"].isDouble());
        object.remove(QStringLiteral("ms"));
        objects << object;
    }
    const QJsonObject &stats = objects[0];
    EXPECT_EQ(objects[1], stats);
    EXPECT_EQ(stats.keys(), words("deals efl fullBalance hexagrams left seed solved transits"));
    EXPECT_EQ(stats[u"deals"].toInteger(), 300007);
    const qint64 solved = stats[u"solved"].toInteger();
    EXPECT_GT(solved, 0);
    EXPECT_EQ(histogramTotal(stats[u"left"].toObject()), 300007);
    EXPECT_EQ(stats[u"left"][u"2"].toInteger(), solved);
    EXPECT_EQ(histogramTotal(stats[u"efl"].toObject()), solved);
    EXPECT_EQ(histogramTotal(stats[u"transits"].toObject()), solved);
    EXPECT_LE(stats[u"fullBalance"].toInteger(), solved);
    for (const char *suit : {"п", "б", "к", "ч"})
        EXPECT_EQ(histogramTotal(stats[u"hexagrams"][QString::fromUtf8(suit)].toObject()), solved)
            << suit;
}

// Known answers: every count of a million deals of run 1, on two threads (the
// counts are the same on any number).
TEST(CliStats, SeedOneCountsAMillionDealsAsKnown)
{
    const QJsonObject expected = json(QStringLiteral(R"json(
{"deals":1000000,"solved":7603,"fullBalance":568,"seed":"1",
"left":{"2":7603,"3":27377,"4":40290,"5":47875,"6":50592,"7":52223,"8":52822,
"9":53180,"10":53554,"11":53019,"12":52753,"13":51928,"14":50781,"15":49235,
"16":47164,"17":44407,"18":42074,"19":38587,"20":34821,"21":31115,"22":27200,
"23":22958,"24":18946,"25":15080,"26":11616,"27":8596,"28":5854,"29":3755,"30":2344,
"31":1237,"32":646,"33":254,"34":88,"35":20,"36":6},
"efl":{"3":33,"4":395,"5":994,"6":1385,"7":1263,"8":1019,"9":754,"10":566,"11":396,
"12":248,"13":184,"14":117,"15":87,"16":50,"17":50,"18":20,"19":12,"20":10,"21":9,
"22":7,"23":1,"24":2,"25":1},
"transits":{"5":2,"6":7,"7":32,"8":88,"9":188,"10":374,"11":643,"12":954,"13":1152,
"14":1204,"15":1080,"16":804,"17":509,"18":307,"19":162,"20":59,"21":31,"22":5,"23":1,
"24":1},
"hexagrams":{
"б":{"1":133,"2":28,"3":84,"4":91,"5":140,"6":135,"7":60,"8":65,"9":160,"10":179,
"11":140,"12":126,"13":173,"14":158,"15":55,"16":48,"17":120,"18":128,"19":93,"20":82,
"21":134,"22":123,"23":58,"24":59,"25":164,"26":158,"27":81,"28":139,"29":94,"30":163,
"31":95,"32":116,"33":155,"34":157,"35":108,"36":102,"37":150,"38":130,"39":101,
"40":84,"41":113,"42":129,"43":169,"44":140,"45":89,"46":80,"47":106,"48":129,
"49":171,"50":157,"51":98,"52":91,"53":135,"54":117,"55":130,"56":120,"57":168,
"58":150,"59":119,"60":125,"61":153,"62":90,"63":121,"64":134},
"к":{"1":104,"2":26,"3":89,"4":89,"5":155,"6":145,"7":59,"8":63,"9":156,"10":157,
"11":140,"12":135,"13":134,"14":142,"15":57,"16":60,"17":124,"18":132,"19":93,
"20":102,"21":110,"22":130,"23":52,"24":56,"25":165,"26":137,"27":111,"28":126,
"29":97,"30":152,"31":138,"32":136,"33":150,"34":155,"35":95,"36":92,"37":152,
"38":159,"39":79,"40":100,"41":126,"42":118,"43":146,"44":175,"45":113,"46":92,
"47":126,"48":131,"49":147,"50":157,"51":96,"52":100,"53":113,"54":152,"55":138,
"56":135,"57":125,"58":153,"59":105,"60":147,"61":143,"62":83,"63":121,"64":107},
"п":{"1":118,"2":28,"3":85,"4":102,"5":145,"6":153,"7":50,"8":67,"9":159,"10":126,
"11":131,"12":115,"13":154,"14":148,"15":64,"16":59,"17":127,"18":132,"19":85,"20":97,
"21":118,"22":130,"23":55,"24":60,"25":153,"26":158,"27":94,"28":162,"29":90,"30":144,
"31":112,"32":129,"33":164,"34":168,"35":85,"36":88,"37":149,"38":146,"39":90,
"40":100,"41":117,"42":120,"43":136,"44":172,"45":87,"46":83,"47":124,"48":136,
"49":178,"50":161,"51":90,"52":85,"53":128,"54":127,"55":119,"56":121,"57":169,
"58":147,"59":111,"60":153,"61":136,"62":96,"63":130,"64":137},
"ч":{"1":127,"2":29,"3":91,"4":87,"5":146,"6":136,"7":50,"8":66,"9":154,"10":146,
"11":143,"12":132,"13":148,"14":166,"15":51,"16":54,"17":121,"18":112,"19":89,"20":80,
"21":125,"22":118,"23":56,"24":61,"25":152,"26":142,"27":90,"28":144,"29":97,"30":149,
"31":105,"32":138,"33":168,"34":168,"35":82,"36":93,"37":135,"38":159,"39":97,"40":79,
"41":119,"42":147,"43":154,"44":195,"45":92,"46":91,"47":122,"48":139,"49":158,
"50":166,"51":90,"52":102,"53":139,"54":109,"55":140,"56":127,"57":139,"58":145,
"59":125,"60":118,"61":142,"62":100,"63":132,"64":126}
}})json"));
    ASSERT_EQ(expected.size(), 8) << "the known answer reads as JSON";
    const CliRun run = tlcalcCli(words("stats --deals 1000000 --seed 1 --threads 2 --json"));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(run.lines().size(), 1);
    QJsonObject counts = json(run.lines().constFirst());
    EXPECT_TRUE(counts.contains(u"ms"));
    counts.remove(QStringLiteral("ms"));
    EXPECT_EQ(counts.keys(), expected.keys());
    // Key by key, so that a failure shows the histogram that differs.
    const auto text = [](const QString &key, const QJsonValue &value) {
        return QJsonDocument(QJsonObject{{key, value}})
            .toJson(QJsonDocument::Compact)
            .toStdString();
    };
    for (const QString &key : expected.keys())
        EXPECT_EQ(text(key, counts[key]), text(key, expected[key]));
}

TEST(CliStats, TableSaysTheSharesInPerCent)
{
    const CliRun run = tlcalcCli(words("stats --deals 50000 --seed 3"));
    EXPECT_EQ(run.status, 0);
    const QStringList lines = run.lines();
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Раскладов: 50 000 (сид 3, ")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Сворачиваются до двух карт: ")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" %)")));
    EXPECT_TRUE(lines.contains(QStringLiteral(" Осталось карт      раскладов     % всех")));
}

struct InterruptCase
{
    const char *name;
    QStringList arguments;
    int signal;
    // A pattern of what stands on standard error once the run is under way, so
    // that the signal comes in the middle of the work.
    const char16_t *underWay;
    const char16_t *interrupted; // the end of the note that the run was interrupted
};

class CliInterrupt : public ::testing::TestWithParam<InterruptCase>
{
};

// The first SIGINT or SIGTERM ends a long run as a limit does: what was done is
// written, a note says so, and the status is the one a shell gives a death by
// that signal.
TEST_P(CliInterrupt, WritesWhatWasDoneAndEndsWithTheSignalsStatus)
{
    const InterruptCase &c = GetParam();
    QProcess process;
    allowStopRequests(process);
    process.start(QStringLiteral(TLCALC_CLI_PATH), c.arguments);
    ASSERT_TRUE(process.waitForStarted());
    const QRegularExpression underWay(QString::fromUtf16(c.underWay));
    QString err;
    QElapsedTimer clock;
    clock.start();
    while (!err.contains(underWay) && clock.elapsed() < 30000 &&
           process.state() == QProcess::Running) {
        process.waitForReadyRead(100);
        err += QString::fromUtf8(process.readAllStandardError());
    }
    ASSERT_EQ(process.state(), QProcess::Running) << err.toStdString();
    ASSERT_TRUE(err.contains(underWay)) << err.toStdString();
#ifdef _WIN32
    if (!requestStop(process, c.signal))
        GTEST_SKIP() << "the stop request could not be sent here (a Windows console event "
                        "reaches only processes of a console)";
#else
    ASSERT_TRUE(requestStop(process, c.signal));
#endif
    const int signal = signalReceived(c.signal);
    ASSERT_TRUE(process.waitForFinished(10000)) << "the run went on after the signal";
    err += QString::fromUtf8(process.readAllStandardError());
    const QString out = QString::fromUtf8(process.readAllStandardOutput());

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "not a death by the signal";
    EXPECT_EQ(process.exitCode(), 128 + signal);
    const QString note = err.trimmed().split(u'\n').constLast();
    const char *name = signal == SIGINT ? "SIGINT" : signal == SIGTERM ? "SIGTERM" : "SIGBREAK";
    EXPECT_TRUE(note.contains(QStringLiteral(": interrupted by %1: ").arg(QLatin1String(name))))
        << note.toStdString();
    EXPECT_TRUE(note.contains(QString::fromUtf16(c.interrupted))) << note.toStdString();

    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    if (c.arguments.constFirst() == u"stats") {
        // The counts of the deals made so far, with their true number.
        ASSERT_EQ(lines.size(), 1);
        const QJsonObject stats = json(lines[0]);
        const qint64 deals = stats[u"deals"].toInteger();
        EXPECT_GT(deals, 0);
        EXPECT_LT(deals, 100'000'000'000);
        EXPECT_EQ(histogramTotal(stats[u"left"].toObject()), deals);
        EXPECT_TRUE(note.contains(QStringLiteral("the counts of %1 of ").arg(deals)));
    } else if (c.arguments.constFirst() == u"micro") {
        // Every micro-chain built before the signal, none lost.
        ASSERT_GE(lines.size(), 1) << err.toStdString();
        EXPECT_TRUE(note.contains(QStringLiteral("%1 of 500 micro-chains built").arg(lines.size())))
            << note.toStdString();
        for (int k = 0; k < lines.size(); ++k)
            EXPECT_EQ(json(lines[k])[u"number"].toInt(), k + 1);
    } else {
        EXPECT_TRUE(lines.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliInterrupt,
    ::testing::Values(
        InterruptCase{"MicroOnSigint",
                      words("micro --efl 8 --method gat --target Тч --count 500 --seed 3 "
                            "--progress --json"),
                      SIGINT, u"[1-9][0-9]* of 500 micro-chains built", u"micro-chains built"},
        InterruptCase{"MicroOnSigterm",
                      words("micro --efl 8 --method gat --target ?п --count 500 --seed 4 "
                            "--progress --json"),
                      SIGTERM, u"[1-9][0-9]* of 500 micro-chains built", u"micro-chains built"},
        InterruptCase{"StatsOnSigint",
                      words("stats --deals 100000000000 --seed 1 --threads 2 --progress --json"),
                      SIGINT, u"chains dealt", u"deals written"},
        InterruptCase{"StatsOnSigterm",
                      words("stats --deals 100000000000 --seed 2 --threads 1 --progress --json"),
                      SIGTERM, u"chains dealt", u"deals written"},
        // Conditions no chain may meet: the run says once that it found nothing,
        // with the chance bound of the deals made, and goes on until stopped.
        InterruptCase{"QuietGenerateSaysSoThenEndsOnSigint",
                      words("generate --min-efl 34 --max-transits 1 --threads 2"), SIGINT,
                      u"ни одной в ", u"0 of 1 chains found"}),
    [](const auto &test) { return std::string(test.param.name); });

// Short chains: a JSON record says "short" itself; a report's note goes to
// standard error with the command's prefix and, among several chains, its line.
TEST(CliAnalyseNotes, JsonWritesNoNoteAndTextNotesNameTheirLines)
{
    const QString input =
        OrderedDeckText + QStringLiteral("\n6п 7п\n") + NoCollapseText + QStringLiteral("\n8п\n");
    const CliRun asJson = tlcalcCli(words("analyse --json"), input);
    EXPECT_EQ(asJson.status, 0);
    EXPECT_EQ(asJson.lines().size(), 4);
    EXPECT_TRUE(json(asJson.lines().value(1))[u"short"].toBool());
    EXPECT_TRUE(asJson.err.isEmpty()) << asJson.err.toStdString();

    for (const QString &threads : words("1 2")) {
        const CliRun asText = tlcalcCli(words("analyse --threads") << threads, input);
        EXPECT_EQ(asText.status, 0);
        QStringList notes = asText.err.split(u'\n', Qt::SkipEmptyParts);
        notes.sort();
        EXPECT_EQ(notes, QStringList({
                             QStringLiteral("tlcalc-cli analyse: строка 2: Цепочка маловата"),
                             QStringLiteral("tlcalc-cli analyse: строка 2: не хватает: 8п 9п Xп "
                                            "Вп Дп Кп Тп 6б 7б 8б 9б Xб Вб Дб Кб Тб 6к 7к 8к 9к "
                                            "Xк Вк Дк Кк Тк 6ч 7ч 8ч 9ч Xч Вч Дч Кч Тч"),
                             QStringLiteral("tlcalc-cli analyse: строка 4: Цепочка маловата"),
                             QStringLiteral("tlcalc-cli analyse: строка 4: не хватает: 6п 7п 9п "
                                            "Xп Вп Дп Кп Тп 6б 7б 8б 9б Xб Вб Дб Кб Тб 6к 7к 8к "
                                            "9к Xк Вк Дк Кк Тк 6ч 7ч 8ч 9ч Xч Вч Дч Кч Тч"),
                         }))
            << asText.err.toStdString();
    }
    // One chain as an argument: the note needs no line.
    const CliRun one = tlcalcCli(words("analyse") << QStringLiteral("6п 7п"));
    EXPECT_TRUE(one.err.startsWith(QStringLiteral("tlcalc-cli analyse: Цепочка маловата\n")))
        << one.err.toStdString();
}
