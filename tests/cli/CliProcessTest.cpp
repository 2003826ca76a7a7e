#include "../TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int status = -1;
    QString out;
    QString err;
    QStringList lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

CliRun tlcalcCli(const QStringList &arguments, const QString &input = QString())
{
    QProcess process;
    process.start(QStringLiteral(TLCALC_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input.toUtf8());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QJsonObject json(const QString &line) { return QJsonDocument::fromJson(line.toUtf8()).object(); }

} // namespace

struct UsageCase
{
    const char *name;
    QStringList arguments;
};

class CliBadUsage : public ::testing::TestWithParam<UsageCase>
{
};

TEST_P(CliBadUsage, IsRefusedWithStatusTwoAndAMessage)
{
    const CliRun run = tlcalcCli(GetParam().arguments);
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_TRUE(run.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliBadUsage,
    ::testing::Values(
        UsageCase{"NoCommand", {}}, UsageCase{"UnknownCommand", {QStringLiteral("solve")}},
        UsageCase{"UnknownOption", {QStringLiteral("analyse"), QStringLiteral("--xml")}},
        UsageCase{"PositionOutOfRange",
                  {QStringLiteral("generate"), QStringLiteral("--target-position"),
                   QStringLiteral("37")}},
        UsageCase{"PositionZero",
                  {QStringLiteral("generate"), QStringLiteral("--target-position"),
                   QStringLiteral("0")}},
        UsageCase{"UnknownTarget",
                  {QStringLiteral("generate"), QStringLiteral("--target"), QStringLiteral("Zп")}},
        UsageCase{"NotANumber",
                  {QStringLiteral("generate"), QStringLiteral("--min-efl"), QStringLiteral("x")}},
        UsageCase{"ExchangeNeedsThreeArguments",
                  {QStringLiteral("exchange"), QStringLiteral("6п 7п")}}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(CliAnalyse, EachInputLineIsOneChainAndOneJsonLine)
{
    const CliRun run = tlcalcCli({QStringLiteral("analyse"), QStringLiteral("--json")},
                              OrderedDeckText + u'\n' + NoCollapseText + QStringLiteral("\r\n6п 7п 8п\n"));
    EXPECT_EQ(run.status, 0);
    const QStringList lines = run.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(json(lines[0])[u"left"].toInt(), 2);
    EXPECT_EQ(json(lines[1])[u"left"].toInt(), 36);
    EXPECT_EQ(json(lines[1])[u"text"].toString(), NoCollapseText);
    EXPECT_TRUE(json(lines[2])[u"short"].toBool());
    EXPECT_EQ(run.err.trimmed(), QStringLiteral("Цепочка маловата"));
}

TEST(CliAnalyse, OrderedDeckRecordHasTheWorkedResults)
{
    const CliRun run = tlcalcCli({QStringLiteral("analyse"), QStringLiteral("--json"), OrderedDeckText});
    const QJsonObject record = json(run.lines().value(0));
    EXPECT_EQ(record[u"transitTotal"].toInt(), 28);
    const QJsonArray cards = record[u"cards"].toArray();
    ASSERT_EQ(cards.size(), 36);
    EXPECT_EQ(cards[17].toObject()[u"depth"].toInt(), 3); // Тб
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
    const CliRun run = tlcalcCli({QStringLiteral("analyse"), OrderedDeckText});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("Свёртка до 2 карт")));
    const QStringList lines = run.lines();
    EXPECT_EQ(lines.back().size(), lines[lines.size() - 2].size());
}

TEST(CliAnalyse, StatisticsFollowTheEnvironmentsLocale)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("ru_RU.UTF-8"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("ru_RU.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TLCALC_CLI_PATH),
                  {QStringLiteral("analyse"), QStringLiteral("--json"), NoCollapseText});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QJsonObject record = json(QString::fromUtf8(process.readAllStandardOutput()).trimmed());
    EXPECT_EQ(record[u"statistics"].toArray()[3].toString(), QStringLiteral("0,03"));
}

TEST(CliGenerate, SeededSingleThreadRunsRepeatExceptForTheirTimes)
{
    const QStringList arguments{QStringLiteral("generate"), QStringLiteral("--seed"),
                                QStringLiteral("42"),       QStringLiteral("--threads"),
                                QStringLiteral("1"),        QStringLiteral("--count"),
                                QStringLiteral("3"),        QStringLiteral("--min-efl"),
                                QStringLiteral("6"),        QStringLiteral("--json")};
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
    const CliRun run = tlcalcCli({QStringLiteral("generate"), QStringLiteral("--threads"),
                               QStringLiteral("2"), QStringLiteral("--count"), QStringLiteral("2"),
                               QStringLiteral("--target"), QStringLiteral("?к"),
                               QStringLiteral("--max-transits"), QStringLiteral("20"),
                               QStringLiteral("--json")});
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.lines().size(), 2);
    for (const QString &line : run.lines()) {
        const QJsonObject chain = json(line);
        EXPECT_LE(chain[u"transitTotal"].toInt(), 20);
        bool club = false;
        for (const auto &target : chain[u"targets"].toArray())
            club = club || target.toString().endsWith(u'к');
        EXPECT_TRUE(club);
        const CliRun check = tlcalcCli({QStringLiteral("analyse"), QStringLiteral("--json"),
                                     chain[u"text"].toString()});
        EXPECT_EQ(json(check.lines().value(0))[u"left"].toInt(), 2);
    }
}

TEST(CliExchange, SwapsThenAnalysesLikeTheReplacementButton)
{
    const CliRun run = tlcalcCli({QStringLiteral("exchange"), QStringLiteral("--json"),
                               OrderedDeckText, QStringLiteral("?п"), QStringLiteral("?ч")});
    ASSERT_EQ(run.status, 0);
    const QJsonObject record = json(run.lines().value(0));
    EXPECT_TRUE(record[u"text"].toString().startsWith(QStringLiteral("6ч 7ч")));
    EXPECT_TRUE(record[u"text"].toString().endsWith(QStringLiteral("Тп ")));
    EXPECT_EQ(record[u"report"].toArray()[0].toString(), QStringLiteral("Свёртка до 2 карт"));
}
