// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MicroCommand.h"
#include "../TestSupport.h"
#include "../search/MicroTestSupport.h"
#include "search/MicroChainSearch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

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
    std::unique_ptr<MicroChainStore> state = std::make_unique<MicroChainStore>();
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
    const QStringList arguments = args("5", "?б", "6") + words("--seed 31 --json");
    const CliRun first = runCli(arguments);
    const CliRun second = runCli(arguments);
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.out, second.out);
    ASSERT_EQ(first.out.size(), 6);

    for (int k = 1; k <= 6; ++k) {
        const QJsonObject record = QJsonDocument::fromJson(first.out[k - 1].toUtf8()).object();
        EXPECT_EQ(record.keys(), words("cards method number steps"));
        EXPECT_EQ(record[u"number"].toInt(), k);
        const QJsonArray cards = record[u"cards"].toArray();
        ASSERT_EQ(cards.size(), 7);
        EXPECT_EQ(cards.last().toString(), QStringLiteral("?б"));
        EXPECT_EQ(cards.first().toString().at(1), QChar(u'б'));
        EXPECT_TRUE(namesAgree(cards[4].toString(), QStringLiteral("?б")));
        for (int j = 0; j + 2 < 6; ++j)
            EXPECT_FALSE(namesAgree(cards[j].toString(), cards[j + 2].toString()));
    }

    const CliRun other = runCli(args("5", "?б", "6") + words("--seed 32 --json"));
    EXPECT_NE(first.out, other.out);
}

// Known answers: a seed promises the same micro-chains, the way they were built
// included, by either method.
struct KnownMicroChain
{
    const char *name;
    QStringList arguments;
    QStringList records;
};

class MicroCommandKnownAnswers : public ::testing::TestWithParam<KnownMicroChain>
{
};

TEST_P(MicroCommandKnownAnswers, SeededMicroChainsAreKnown)
{
    const CliRun run = runCli(GetParam().arguments + words("--json"));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, GetParam().records);
}

INSTANTIATE_TEST_SUITE_P(
    Methods, MicroCommandKnownAnswers,
    ::testing::Values(
        KnownMicroChain{
            "GenerateAndTest",
            args("5", "?б", "2") + words("--seed 31"),
            {QStringLiteral(R"({"cards":["6б","Кч","Тч","7б","9б","8ч","?б"],"method":"gat",)"
                            R"("number":1,"steps":{"first":"6б","growth":[[2,"7б"],[2,"Кч"],)"
                            R"([3,"Тч"],[5,"9б"]],"second":"8ч"}})"),
             QStringLiteral(R"({"cards":["Дб","Дп","7к","Кб","Xб","7п","?б"],"method":"gat",)"
                            R"("number":2,"steps":{"first":"Кб","growth":[[1,"Дп"],[1,"Дб"],)"
                            R"([3,"7к"],[5,"Xб"]],"second":"7п"}})")}},
        KnownMicroChain{
            "Search",
            args("12", "Тч", "1") + words("--seed 1"),
            {QStringLiteral(
                R"({"cards":["6б","Тк","Xп","Вб","Дб","Кп","Xч","Вч","Кб","Xк","6ч","9ч","Xб",)"
                R"("Тч"],"method":"search","number":1,"steps":{"first":"Тк","growth":[[2,"6ч"],)"
                R"([2,"Вб"],[3,"Xч"],[1,"6б"],[5,"Кб"],[3,"Xп"],[5,"Дб"],[6,"Кп"],[8,"Вч"],)"
                R"([10,"Xк"],[12,"9ч"]],"second":"Xб"}})")}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(MicroCommand, TextModeWritesTheReportLines)
{
    MicroCli cli;
    ScriptedClock clock(cli.services, {SearchStart, SearchStart.addMSecs(61500)});
    const QStringList arguments = args("3", "10ч", "10") + words("--seed 8");
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
    const QStringList seed = words("--seed 4");
    const CliRun text = runCli(args("4", "Тп", "3") + seed);
    const CliRun json = runCli(args("4", "Тп", "3") + seed + words("--json"));
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
        // The search's own messages are errors of this command on standard error.
        EXPECT_TRUE(run.err.contains(QStringLiteral("tlcalc-cli micro: ") + c.message))
            << run.err.toStdString();
        EXPECT_TRUE(cli.services.messages.isEmpty());
    }
    // Whoever words it, an error of this command says so first.
    EXPECT_TRUE(run.err.isEmpty() || run.err.startsWith(QStringLiteral("tlcalc-cli micro: ")))
        << run.err.toStdString();
    EXPECT_FALSE(run.err.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Refused, MicroCommandBadUsage,
    ::testing::Values(
        BadUsageCase{"missing_count",
                     words("--efl 2 --target Тч"),
                     QStringLiteral("--count is required"),
                     {}},
        BadUsageCase{
            "unknown_option", args("2", "Тч", "1") + words("--fast"), QStringLiteral("fast"), {}},
        BadUsageCase{"not_a_target",
                     args("2", "Zz", "1"),
                     QStringLiteral("'Zz' is not a card, a suit pattern or a rank pattern"),
                     {}},
        BadUsageCase{
            "not_a_seed",
            args("2", "Тч", "1") + words("--seed x1"),
            QStringLiteral("--seed takes a whole number from 0 to 18446744073709551615, not 'x1'"),
            {}},
        BadUsageCase{"count_above_the_store", args("2", "Тч", "501"), {}, MicroCountTooLargeText},
        BadUsageCase{"efl_above_the_record", args("35", "Тч", "1"), {}, MicroEflOutOfRangeText},
        BadUsageCase{"efl_not_a_number",
                     args("Выбери", "Тч", "1"),
                     {},
                     QStringLiteral("'Выбери' is not a valid integer value")},
        BadUsageCase{"count_zero",
                     args("2", "Тч", "0"),
                     QStringLiteral("--count takes a whole number from 1 to 500, not '0'"),
                     {}},
        BadUsageCase{"count_negative",
                     args("2", "Тч", "-3"),
                     QStringLiteral("--count takes a whole number from 1 to 500, not '-3'"),
                     {}},
        BadUsageCase{"count_not_a_number",
                     args("2", "Тч", "x"),
                     {},
                     QStringLiteral("'x' is not a valid integer value")},
        BadUsageCase{"unknown_method",
                     args("2", "Тч", "1") + words("--method fast"),
                     QStringLiteral("--method takes gat or search, not 'fast'"),
                     {}},
        BadUsageCase{"max_tries_zero",
                     args("2", "Тч", "1") + words("--max-tries 0"),
                     QStringLiteral("--max-tries takes a whole number"),
                     {}},
        BadUsageCase{"time_limit_not_a_number",
                     args("2", "Тч", "1") + words("--time-limit soon"),
                     QStringLiteral("--time-limit takes a number of seconds above 0, not 'soon'"),
                     {}},
        BadUsageCase{"placeholder_target_for_the_search",
                     args("2", "Выбери", "1"),
                     QStringLiteral("'Выбери' is not a card"),
                     {}}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

QStringList cardsOf(const QJsonObject &record)
{
    QStringList names;
    for (const auto &card : record[u"cards"].toArray())
        names.append(card.toString());
    return names;
}

MicroChainHistory historyOf(const QJsonObject &record)
{
    const QJsonObject steps = record[u"steps"].toObject();
    MicroChainHistory history{steps[u"first"].toString(), steps[u"second"].toString(), {}};
    for (const auto &step : steps[u"growth"].toArray())
        history.growth.push_back({step[0].toInt(), step[1].toString()});
    return history;
}

struct MethodCase
{
    const char *name;
    QStringList arguments;
    QString method;
    int efl;
};

class MicroCommandMethod : public ::testing::TestWithParam<MethodCase>
{
};

TEST_P(MicroCommandMethod, RecordsTheMethodAndStepsThatReplayIntoTheCards)
{
    const MethodCase &c = GetParam();
    const CliRun run = runCli(c.arguments + words("--seed 12 --json"));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(run.out.size(), 3);
    for (const QString &line : run.out) {
        const QJsonObject record = QJsonDocument::fromJson(line.toUtf8()).object();
        EXPECT_EQ(record[u"method"].toString(), c.method);
        const QStringList cards = cardsOf(record);
        ASSERT_EQ(cards.size(), c.efl + 2);
        QString problem;
        EXPECT_EQ(replayMicroChain(cards.back(), historyOf(record), &problem), cards)
            << problem.toStdString();
        EXPECT_TRUE(collapsesOnlyAtTheTarget(cards));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Methods, MicroCommandMethod,
    ::testing::Values(
        MethodCase{"gat_by_default", args("7", "?ч", "3"), QStringLiteral("gat"), 7},
        MethodCase{"search_by_default_from_12", args("12", "?ч", "3"), QStringLiteral("search"),
                   12},
        MethodCase{"search_at_34", args("34", "Вб", "3"), QStringLiteral("search"), 34},
        MethodCase{"search_when_asked", args("3", "Тч", "3") + words("--method search"),
                   QStringLiteral("search"), 3},
        MethodCase{"gat_when_asked", args("4", "6?", "3") + words("--method GAT"),
                   QStringLiteral("gat"), 4}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(MicroCommand, TheSearchSaysSoInTheReport)
{
    const CliRun run = runCli(args("20", "Кк", "2") + words("--seed 1"));
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out[0], QStringLiteral("Целевая Карта = Кк | EFL = 20"));
    EXPECT_EQ(run.out[1], QStringLiteral(" Метод: поиск с возвратом"));
    EXPECT_EQ(run.out[2], QStringLiteral(" EFL объём = 20"));
}

TEST(MicroCommand, TheTriesBoundEndsWithWhatWasBuiltAndStatusThree)
{
    // Generate-and-test needs thousands of attempts for one micro-chain of EFL 9.
    const CliRun run = runCli(args("9", "Тп", "50") + words("--seed 2 --max-tries 20000 --json"));
    EXPECT_EQ(run.status, 3);
    EXPECT_LT(run.out.size(), 50);
    for (int k = 1; k <= run.out.size(); ++k)
        EXPECT_EQ(QJsonDocument::fromJson(run.out[k - 1].toUtf8()).object()[u"number"].toInt(), k);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("tlcalc-cli micro: --max-tries reached after "
                                                  "20000 attempts: %1 of 50 micro-chains built")
                                       .arg(run.out.size())))
        << run.err.toStdString();
}

TEST(MicroCommand, TheTimeLimitEndsWithStatusThreeAndProgressIsShownWhenAsked)
{
    // Far more micro-chains of EFL 13 than generate-and-test builds in a second.
    const CliRun run =
        runCli(args("13", "?б", "500") + words("--method gat --time-limit 1.2 --progress"));
    EXPECT_EQ(run.status, 3);
    const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    static const QRegularExpression progressLine(
        QStringLiteral("^tlcalc-cli micro: \\d+ of 500 micro-chains built, \\d+ attempts$"));
    EXPECT_TRUE(progressLine.match(lines.front()).hasMatch()) << lines.front().toStdString();
    EXPECT_TRUE(lines.back().startsWith(QStringLiteral("tlcalc-cli micro: --time-limit of 1.2 s "
                                                       "reached")))
        << lines.back().toStdString();
    // The report still shows what was built, and says it was stopped.
    EXPECT_TRUE(run.out.join(u'\n').contains(QStringLiteral("Поиск МикроЦС остановлен")));
}

TEST(MicroCommand, WithoutATerminalOrProgressNoProgressIsShown)
{
    const CliRun run = runCli(args("2", "Тч", "3"));
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
}

} // namespace
