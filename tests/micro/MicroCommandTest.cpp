#include "cli/MicroCommand.h"
#include "../TestSupport.h"
#include "MicroTestSupport.h"
#include "mainwindow/MicroChainSearch.h"
#include "mainwindow/ProgramState.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>

namespace {

using ::PrintTo;

struct CliRun
{
    int status = 0;
    QStringList out;
    QString err;
};

// The command as main runs it, with state and services of the test's own.
struct MicroCli
{
    TestServices services;
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
};

CliRun runCli(QStringList arguments, MicroCli &cli)
{
    arguments.prepend(QStringLiteral("tlcalc-cli"));
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    CliRun run;
    run.status = runMicro(arguments, *cli.state, cli.services);
    const QString out = QString::fromStdString(::testing::internal::GetCapturedStdout());
    run.err = QString::fromStdString(::testing::internal::GetCapturedStderr());
    run.out = out.split(u'\n');
    if (!run.out.isEmpty() && run.out.back().isEmpty())
        run.out.removeLast();
    return run;
}

CliRun runCli(const QStringList &arguments)
{
    MicroCli cli;
    return runCli(arguments, cli);
}

QStringList args(const char *efl, const char *target, const char *count)
{
    return {QStringLiteral("--efl"),   QString::fromUtf8(efl),    QStringLiteral("--target"),
            QString::fromUtf8(target), QStringLiteral("--count"), QString::fromUtf8(count)};
}

TEST(MicroCommand, WithASeedTheJsonIsTheSameOnEveryRun)
{
    const QStringList arguments =
        args("5", "?б", "6") +
        QStringList{QStringLiteral("--seed"), QStringLiteral("31"), QStringLiteral("--json")};
    const CliRun first = runCli(arguments);
    const CliRun second = runCli(arguments);
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.out, second.out);
    ASSERT_EQ(first.out.size(), 6);

    for (int k = 1; k <= 6; ++k) {
        const QJsonObject record = QJsonDocument::fromJson(first.out[k - 1].toUtf8()).object();
        EXPECT_EQ(record.keys(), (QStringList{QStringLiteral("cards"), QStringLiteral("number")}));
        EXPECT_EQ(record[u"number"].toInt(), k);
        const QJsonArray cards = record[u"cards"].toArray();
        ASSERT_EQ(cards.size(), 7);
        EXPECT_EQ(cards.last().toString(), QStringLiteral("?б"));
        EXPECT_EQ(cards.first().toString().at(1), QChar(u'б'));
        EXPECT_TRUE(namesAgree(cards[4].toString(), QStringLiteral("?б")));
        for (int j = 0; j + 2 < 6; ++j)
            EXPECT_FALSE(namesAgree(cards[j].toString(), cards[j + 2].toString()));
    }

    const CliRun other =
        runCli(args("5", "?б", "6") + QStringList{QStringLiteral("--seed"), QStringLiteral("32"),
                                                  QStringLiteral("--json")});
    EXPECT_NE(first.out, other.out);
}

TEST(MicroCommand, TextModeWritesTheReportLines)
{
    MicroCli cli;
    ScriptedClock clock(cli.services, {SearchStart, SearchStart.addMSecs(61500)});
    const QStringList arguments =
        args("3", "10ч", "10") + QStringList{QStringLiteral("--seed"), QStringLiteral("8")};
    const CliRun run = runCli(arguments, cli);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(run.out.size(), 6 + 10 + 4);
    EXPECT_EQ(run.out[0], QStringLiteral("Целевая Карта = Xч | EFL = 3"));
    EXPECT_EQ(run.out[4], QStringLiteral("01 02 03 04 05   № ЦС"));
    EXPECT_EQ(run.out[15],
              microChainCards(cli.state->MicroChains[10]).join(u' ') + QStringLiteral("   # 010."));
    EXPECT_EQ(run.out.back(),
              QStringLiteral("Времени ушло = 0 часов, 1 минут, 1 секунд, 500 миллисекунд"));

    // The same seed and clock give the same lines, timing lines included.
    MicroCli other;
    ScriptedClock again(other.services, {SearchStart, SearchStart.addMSecs(61500)});
    EXPECT_EQ(runCli(arguments, other).out, run.out);
}

TEST(MicroCommand, JsonAndTextShowTheSameMicroChains)
{
    const QStringList seed{QStringLiteral("--seed"), QStringLiteral("4")};
    const CliRun text = runCli(args("4", "Тп", "3") + seed);
    const CliRun json = runCli(args("4", "Тп", "3") + seed + QStringList{QStringLiteral("--json")});
    ASSERT_EQ(json.out.size(), 3);
    for (int k = 1; k <= 3; ++k) {
        const QJsonArray cards =
            QJsonDocument::fromJson(json.out[k - 1].toUtf8()).object()[u"cards"].toArray();
        QStringList names;
        for (const auto &card : cards)
            names.append(card.toString());
        EXPECT_EQ(text.out[5 + k], names.join(u' ') + QStringLiteral("   # 00%1.").arg(k));
    }
}

struct BadUsageCase
{
    const char *name;
    QStringList arguments;
    QString stderrHas; // written by the command itself
    QString message;   // shown by the search
};

class MicroCommandBadUsage : public ::testing::TestWithParam<BadUsageCase>
{
};

TEST_P(MicroCommandBadUsage, ExitsWithStatusTwoAndSaysWhy)
{
    const BadUsageCase &c = GetParam();
    MicroCli cli;
    const CliRun run = runCli(c.arguments, cli);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.join(u'\n').toStdString();
    if (!c.stderrHas.isEmpty()) {
        EXPECT_TRUE(run.err.contains(c.stderrHas)) << run.err.toStdString();
    }
    if (!c.message.isEmpty()) {
        EXPECT_EQ(cli.services.messages, QStringList{c.message});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refused, MicroCommandBadUsage,
    ::testing::Values(
        BadUsageCase{"missing_count",
                     {QStringLiteral("--efl"), QStringLiteral("2"), QStringLiteral("--target"),
                      QStringLiteral("Тч")},
                     QStringLiteral("--count is required"),
                     {}},
        BadUsageCase{"unknown_option",
                     args("2", "Тч", "1") + QStringList{QStringLiteral("--fast")},
                     QStringLiteral("fast"),
                     {}},
        BadUsageCase{"not_a_target",
                     args("2", "Zz", "1"),
                     QStringLiteral("'Zz' is not a card, a suit pattern or a rank pattern"),
                     {}},
        BadUsageCase{"not_a_seed",
                     args("2", "Тч", "1") +
                         QStringList{QStringLiteral("--seed"), QStringLiteral("x1")},
                     QStringLiteral("'x1' is not a seed"),
                     {}},
        BadUsageCase{"count_above_the_store", args("2", "Тч", "501"), {}, MicroCountTooLargeText},
        BadUsageCase{"efl_above_the_record", args("35", "Тч", "1"), {}, MicroEflOutOfRangeText},
        BadUsageCase{"efl_not_a_number",
                     args("Выбери", "Тч", "1"),
                     {},
                     QStringLiteral("'Выбери' is not a valid integer value")}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
