// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/MicroChainSearch.h"
#include "../TestSupport.h"
#include "MicroTestSupport.h"
#include "engine/Deck.h"
#include "platform/RandomSource.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using ::PrintTo;

using Outcome = MicroSearchResult::Outcome;

class MicroChainSearch : public MicroStoreTest
{
protected:
    MicroChainSearch() : MicroStoreTest(2024) {}

    // The store as an earlier search might have left it.
    void fillStore(int count)
    {
        for (int k = 1; k <= count; ++k)
            store.MicroChains[k] =
                recordOf({chains.OrderedDeck.Cards[k].name(), QStringLiteral("Тч")});
        store.MicroChainCount = count;
    }
};

TEST_F(MicroChainSearch, WritesTheTargetTheHeaderOneLinePerMicroChainAndTheTimes)
{
    ScriptedClock clock(services, {SearchStart, SearchStart.addMSecs(12)});
    const MicroSearchResult result =
        search(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("Тч"));

    EXPECT_EQ(result.outcome, Outcome::Finished);
    EXPECT_EQ(result.built, 1);
    EXPECT_EQ(result.elapsedMs, 12);
    EXPECT_TRUE(services.messages.isEmpty());
    EXPECT_EQ(store.MicroChainCount, 1);

    const QStringList cards = microChainCards(store.MicroChains[1]);
    ASSERT_EQ(cards.size(), 4);
    const QStringList expected{
        QStringLiteral("Целевая Карта = Тч | EFL = 2"),
        QStringLiteral(" EFL объём = 2"),
        QStringLiteral(" EFL карта = Тч"),
        QString(),
        QStringLiteral("01 02 03 04   № ЦС"),
        QString(),
        cards.join(u' ') + QStringLiteral("   # 001."),
        QString(),
        QStringLiteral("Генерировать Начали в     = ") + platform::dateTimeText(SearchStart),
        QStringLiteral("Генерировать Закончили в  = ") +
            platform::dateTimeText(SearchStart.addMSecs(12)),
        QStringLiteral("Времени ушло = 0 часов, 0 минут, 0 секунд, 12 миллисекунд"),
    };
    EXPECT_EQ(report.lines(), expected);
    // Each card is its two letters and a blank.
    static const QRegularExpression shape(QStringLiteral("^(\\S\\S ){3}Тч   # 001\\.$"));
    EXPECT_TRUE(shape.match(report.lines()[6]).hasMatch()) << report.lines()[6].toStdString();
}

TEST_F(MicroChainSearch, HeaderNumbersEveryPlaceWithTwoDigits)
{
    search(QStringLiteral("0"), QStringLiteral("9"), QStringLiteral("?б"));
    EXPECT_EQ(report.lines()[4], QStringLiteral("01 02 03 04 05 06 07 08 09 10 11   № ЦС"));
    search(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("?б"));
    EXPECT_EQ(report.lines()[4], QStringLiteral("01 02 03   № ЦС"));
}

TEST_F(MicroChainSearch, ACountOfZeroGivesTheTenLinesAndKeepsTheStore)
{
    fillStore(3);
    const auto stored = store.MicroChains;
    for (const auto &[count, stored_count] :
         {std::pair{QStringLiteral("0"), 0}, std::pair{QStringLiteral("-4"), -4}}) {
        ScriptedClock clock(services, {SearchStart});
        const MicroSearchResult result = search(count, QStringLiteral("34"), QStringLiteral("Кп"));
        EXPECT_EQ(result.outcome, Outcome::Finished);
        EXPECT_EQ(result.built, 0);
        const QStringList expected{
            QStringLiteral("Целевая Карта = Кп | EFL = 34"),
            QStringLiteral(" EFL объём = 34"),
            QStringLiteral(" EFL карта = Кп"),
            QString(),
            QStringLiteral("01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 20 21 22 23 "
                           "24 25 26 27 28 29 30 31 32 33 34 35 36   № ЦС"),
            QString(),
            QString(),
            QStringLiteral("Генерировать Начали в     = ") + platform::dateTimeText(SearchStart),
            QStringLiteral("Генерировать Закончили в  = ") + platform::dateTimeText(SearchStart),
            QStringLiteral("Времени ушло = 0 часов, 0 минут, 0 секунд, 0 миллисекунд"),
        };
        EXPECT_EQ(report.lines(), expected);
        EXPECT_EQ(store.MicroChainCount, stored_count);
        EXPECT_TRUE(store.MicroChains == stored);
    }
    EXPECT_TRUE(services.messages.isEmpty());
}

TEST_F(MicroChainSearch, NumbersTheMicroChainsWithThreeDigits)
{
    const MicroSearchResult result =
        search(QStringLiteral("100"), QStringLiteral("1"), QStringLiteral("9к"));
    ASSERT_EQ(result.built, 100);
    ASSERT_EQ(report.lineCount(), 6 + 100 + 4);
    EXPECT_TRUE(report.lines()[6].endsWith(QStringLiteral("   # 001.")));
    EXPECT_TRUE(report.lines()[15].endsWith(QStringLiteral("   # 010.")));
    EXPECT_TRUE(report.lines()[105].endsWith(QStringLiteral("   # 100.")));
    for (int k = 1; k <= 100; ++k) {
        EXPECT_EQ(report.lines()[5 + k], microChainCards(store.MicroChains[k]).join(u' ') +
                                             QStringLiteral("   # %1.").arg(k, 3, 10, QChar(u'0')));
    }
}

struct ElapsedCase
{
    const char *name;
    qint64 ms;
    QString line;
};

class ElapsedTime : public MicroChainSearch, public ::testing::WithParamInterface<ElapsedCase>
{
};

TEST_P(ElapsedTime, IsSplitIntoHoursMinutesSecondsAndMilliseconds)
{
    const ElapsedCase &c = GetParam();
    ScriptedClock clock(services, {SearchStart, SearchStart.addMSecs(c.ms)});
    const MicroSearchResult result =
        search(QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("7б"));
    EXPECT_EQ(result.elapsedMs, c.ms < 0 ? -c.ms : c.ms);
    EXPECT_EQ(report.lines().back(), c.line);
    EXPECT_EQ(report.lines()[report.lineCount() - 3],
              QStringLiteral("Генерировать Начали в     = ") + platform::dateTimeText(SearchStart));
    EXPECT_EQ(report.lines()[report.lineCount() - 2],
              QStringLiteral("Генерировать Закончили в  = ") +
                  platform::dateTimeText(SearchStart.addMSecs(c.ms)));
}

INSTANTIATE_TEST_SUITE_P(
    Durations, ElapsedTime,
    ::testing::Values(
        ElapsedCase{"minute_and_a_half_second", 61500,
                    QStringLiteral("Времени ушло = 0 часов, 1 минут, 1 секунд, 500 миллисекунд")},
        ElapsedCase{"over_an_hour", 3723004,
                    QStringLiteral("Времени ушло = 1 часов, 2 минут, 3 секунд, 4 миллисекунд")},
        ElapsedCase{
            "over_a_day", 26 * 3600000LL + 59 * 60000 + 59999,
            QStringLiteral("Времени ушло = 26 часов, 59 минут, 59 секунд, 999 миллисекунд")},
        ElapsedCase{"clock_set_back", -61500,
                    QStringLiteral("Времени ушло = 0 часов, 1 минут, 1 секунд, 500 миллисекунд")}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(MicroChainSearch, ASmallerSecondSearchLeavesTheHigherRecords)
{
    search(QStringLiteral("6"), QStringLiteral("4"), QStringLiteral("Xп"));
    const auto first = store.MicroChains;
    search(QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("?ч"));
    EXPECT_EQ(store.MicroChainCount, 2);
    for (int k = 1; k <= 2; ++k) {
        const QStringList cards = microChainCards(store.MicroChains[k]);
        ASSERT_EQ(cards.size(), 4);
        EXPECT_EQ(cards.back(), QStringLiteral("?ч"));
    }
    for (int k = 3; k <= 6; ++k)
        EXPECT_TRUE(store.MicroChains[k] == first[k]) << "record " << k;
    EXPECT_EQ(microChainCards(store.MicroChains[3]).back(), QStringLiteral("Xп"));
}

TEST_F(MicroChainSearch, ANonNumberEflEndsTheCommandWithTheCountAlreadyStored)
{
    fillStore(2);
    const auto stored = store.MicroChains;
    report.append(QStringLiteral("an earlier report"));
    const MicroSearchResult result =
        search(QStringLiteral("7"), QStringLiteral("Выбери"), QStringLiteral("Тч"));
    EXPECT_EQ(result.outcome, Outcome::NotANumber);
    EXPECT_EQ(services.messages,
              QStringList{QStringLiteral("'Выбери' is not a valid integer value")});
    EXPECT_EQ(result.message, services.messages.value(0));
    EXPECT_EQ(store.MicroChainCount, 7);
    EXPECT_TRUE(report.lines().isEmpty());
    EXPECT_TRUE(store.MicroChains == stored);
}

TEST_F(MicroChainSearch, ANonNumberCountEndsTheCommandBeforeTheCountIsStored)
{
    fillStore(2);
    report.append(QStringLiteral("an earlier report"));
    const MicroSearchResult result = search(QStringLiteral(" Сколько МикроЦС надо? "),
                                            QStringLiteral("3"), QStringLiteral("Тч"));
    EXPECT_EQ(result.outcome, Outcome::NotANumber);
    EXPECT_EQ(services.messages, QStringList{QStringLiteral(
                                     "' Сколько МикроЦС надо? ' is not a valid integer value")});
    EXPECT_EQ(store.MicroChainCount, 2);
    EXPECT_TRUE(report.lines().isEmpty());
}

struct RefusalCase
{
    const char *name;
    QString count;
    QString efl;
    QString target;
    QString message;
    MicroMethod method = MicroMethod::GenerateAndTest;
};

class RefusedSearch : public MicroChainSearch, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(RefusedSearch, ChangesNothingAndSaysWhy)
{
    const RefusalCase &c = GetParam();
    fillStore(4);
    const auto stored = store.MicroChains;
    report.append(QStringLiteral("an earlier report"));
    MicroSearchOptions options;
    options.method = c.method;
    const MicroSearchResult result = search(c.count, c.efl, c.target, options);
    EXPECT_EQ(result.outcome, Outcome::Refused);
    EXPECT_EQ(services.messages, QStringList{c.message});
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(report.lines(), QStringList{QStringLiteral("an earlier report")});
    EXPECT_EQ(store.MicroChainCount, 4);
    EXPECT_TRUE(store.MicroChains == stored);
}

INSTANTIATE_TEST_SUITE_P(
    BeyondTheStore, RefusedSearch,
    ::testing::Values(
        RefusalCase{"count_501", QStringLiteral("501"), QStringLiteral("3"), QStringLiteral("Тч"),
                    MicroCountTooLargeText},
        RefusalCase{"count_501_with_a_non_number_efl", QStringLiteral("501"),
                    QStringLiteral("Выбери"), QStringLiteral("Тч"), MicroCountTooLargeText},
        RefusalCase{"efl_35", QStringLiteral("3"), QStringLiteral("35"), QStringLiteral("Тч"),
                    MicroEflOutOfRangeText},
        RefusalCase{"efl_36", QStringLiteral("0"), QStringLiteral("36"), QStringLiteral("?п"),
                    MicroEflOutOfRangeText},
        RefusalCase{"efl_0", QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("Тч"),
                    MicroEflOutOfRangeText},
        RefusalCase{"target_matching_no_card", QStringLiteral("3"), QStringLiteral("2"),
                    QStringLiteral("Zz"), MicroTargetUnmatchedText.arg(QStringLiteral("Zz"))},
        RefusalCase{"placeholder_target_for_the_search", QStringLiteral("4"), QStringLiteral("20"),
                    QStringLiteral("Выбери"),
                    MicroTargetUnmatchedText.arg(QStringLiteral("Выбери")), MicroMethod::Search}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(MicroChainSearch, FiveHundredIsAccepted)
{
    const MicroSearchResult result =
        search(QStringLiteral("500"), QStringLiteral("1"), QStringLiteral("6ч"));
    EXPECT_EQ(result.outcome, Outcome::Finished);
    EXPECT_EQ(result.built, 500);
    EXPECT_EQ(report.lines()[505],
              microChainCards(store.MicroChains[500]).join(u' ') + QStringLiteral("   # 500."));
}

TEST_F(MicroChainSearch, ReportsProgressBeforeTheFirstAndAfterEveryMicroChain)
{
    std::vector<std::pair<int, int>> calls;
    // With EFL 1 every attempt is accepted, so nothing but the built count is reported.
    search(QStringLiteral("4"), QStringLiteral("1"), QStringLiteral("Дп"),
           withProgress([&](int built, int total) {
               calls.emplace_back(built, total);
               return true;
           }));
    const std::vector<std::pair<int, int>> expected{{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}};
    EXPECT_EQ(calls, expected);
}

TEST_F(MicroChainSearch, AStoppedSearchWritesWhatItBuiltThenSaysItWasStopped)
{
    ScriptedClock clock(services, {SearchStart, SearchStart.addMSecs(61500)});
    const MicroSearchResult result =
        search(QStringLiteral("10"), QStringLiteral("2"), QStringLiteral("Тч"),
               withProgress([](int built, int) { return built < 3; }));
    EXPECT_EQ(result.outcome, Outcome::Stopped);
    EXPECT_EQ(result.built, 3);
    EXPECT_EQ(store.MicroChainCount, 3);
    ASSERT_EQ(report.lineCount(), 6 + 3 + 1 + 4);
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(report.lines()[5 + k], microChainCards(store.MicroChains[k]).join(u' ') +
                                             QStringLiteral("   # 00%1.").arg(k));
    EXPECT_EQ(report.lines()[9], QStringLiteral("Поиск МикроЦС остановлен: построено 3 из 10."));
    EXPECT_EQ(report.lines()[10], QString());
    EXPECT_EQ(report.lines()[13],
              QStringLiteral("Времени ушло = 0 часов, 1 минут, 1 секунд, 500 миллисекунд"));
    EXPECT_TRUE(store.MicroChains[4] == TTLKoloda{});
}

TEST_F(MicroChainSearch, ASearchThatKeepsFailingIsAskedAgainAndAgainAndStops)
{
    fillStore(2);
    int calls = 0;
    std::vector<int> builtSeen;
    // Thirty undone steps practically never pass: only the questions between
    // failed attempts give the caller a say.
    const MicroSearchResult result =
        search(QStringLiteral("5"), QStringLiteral("30"), QStringLiteral("Тч"),
               withProgress([&](int built, int total) {
                   EXPECT_EQ(total, 5);
                   builtSeen.push_back(built);
                   return ++calls < 4;
               }));
    EXPECT_EQ(result.outcome, Outcome::Stopped);
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(result.built, 0);
    EXPECT_EQ(builtSeen, std::vector<int>(4, 0));
    EXPECT_EQ(store.MicroChainCount, 0);
    ASSERT_EQ(report.lineCount(), 6 + 1 + 4);
    EXPECT_EQ(report.lines()[6], QStringLiteral("Поиск МикроЦС остановлен: построено 0 из 5."));
    // Nothing was built, so nothing was stored.
    EXPECT_EQ(microChainCards(store.MicroChains[1]).back(), QStringLiteral("Тч"));
    EXPECT_EQ(microChainCards(store.MicroChains[1]).size(), 2);
}

TEST_F(MicroChainSearch, AStopAfterTheLastMicroChainChangesNothing)
{
    const MicroSearchResult result =
        search(QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("Кк"),
               withProgress([](int built, int total) { return built < total; }));
    EXPECT_EQ(result.outcome, Outcome::Finished);
    EXPECT_EQ(store.MicroChainCount, 2);
    EXPECT_EQ(report.lineCount(), 6 + 2 + 4);
}

// Both methods through the same command: the same report (the search's with
// its method line), the same store, and a history for every micro-chain that
// replays into it.
class BothMethods : public MicroChainSearch, public ::testing::WithParamInterface<MicroMethod>
{
protected:
    MicroSearchResult search(const QString &count, const QString &efl, const QString &target,
                             std::uint64_t seed = 77)
    {
        services.random().reseed(seed);
        MicroSearchOptions options;
        options.method = GetParam();
        return MicroChainSearch::search(count, efl, target, options);
    }
};

TEST_P(BothMethods, WriteTheSameReportAndStoreAndAHistoryPerMicroChain)
{
    const bool searching = GetParam() == MicroMethod::Search;
    ScriptedClock clock(services, {SearchStart, SearchStart.addMSecs(5)});
    const MicroSearchResult result =
        search(QStringLiteral("12"), QStringLiteral("6"), QStringLiteral("Т?"));
    EXPECT_EQ(result.outcome, Outcome::Finished);
    ASSERT_EQ(result.built, 12);
    ASSERT_EQ(result.histories.size(), 12u);
    EXPECT_GE(result.attempts, 12);
    EXPECT_EQ(store.MicroChainCount, 12);

    QStringList expected{QStringLiteral("Целевая Карта = Т? | EFL = 6")};
    if (searching)
        expected << QStringLiteral(" Метод: поиск с возвратом");
    expected << QStringLiteral(" EFL объём = 6") << QStringLiteral(" EFL карта = Т?") << QString()
             << QStringLiteral("01 02 03 04 05 06 07 08   № ЦС") << QString();
    for (int k = 1; k <= 12; ++k) {
        const QStringList cards = microChainCards(store.MicroChains[k]);
        expected << cards.join(u' ') + QStringLiteral("   # %1.").arg(k, 3, 10, QChar(u'0'));
        QString problem;
        EXPECT_EQ(
            replayMicroChain(QStringLiteral("Т?"), result.histories[std::size_t(k - 1)], &problem),
            cards)
            << problem.toStdString();
        EXPECT_TRUE(collapsesOnlyAtTheTarget(cards)) << cards.join(u' ').toStdString();
    }
    expected << QString()
             << QStringLiteral("Генерировать Начали в     = ") + platform::dateTimeText(SearchStart)
             << QStringLiteral("Генерировать Закончили в  = ") +
                    platform::dateTimeText(SearchStart.addMSecs(5))
             << QStringLiteral("Времени ушло = 0 часов, 0 минут, 0 секунд, 5 миллисекунд");
    EXPECT_EQ(report.lines(), expected);

    // The roots read the store, whichever method filled it.
    ReportLog roots;
    ASSERT_TRUE(WriteMicroChainRoots(store, services, roots, QStringLiteral("6")));
    ASSERT_EQ(roots.lineCount(), 12);
    EXPECT_TRUE(roots.lines()[11].startsWith(microChainCards(store.MicroChains[12]).join(u' ') +
                                             QStringLiteral("  ->  ")));
}

TEST_P(BothMethods, GiveTheSameMicroChainsForTheSameSeed)
{
    const auto run = [&](std::uint64_t seed) {
        search(QStringLiteral("5"), QStringLiteral("7"), QStringLiteral("Дб"), seed);
        return report.lines().mid(0, report.lineCount() - 3);
    };
    EXPECT_EQ(run(5), run(5));
    EXPECT_NE(run(5), run(6));
}

TEST_P(BothMethods, StopAtTheAttemptBoundWithWhatTheyBuilt)
{
    services.random().reseed(3);
    MicroSearchOptions options;
    options.method = GetParam();
    options.maxAttempts = 40;
    std::int64_t lastAttempts = -1;
    options.progress = [&](int, int, std::int64_t attempts) {
        EXPECT_GE(attempts, lastAttempts);
        lastAttempts = attempts;
        return true;
    };
    // Neither method builds 500 micro-chains of EFL 9 in 40 attempts.
    const MicroSearchResult result = MicroChainSearch::search(
        QStringLiteral("500"), QStringLiteral("9"), QStringLiteral("Xб"), options);
    EXPECT_EQ(result.outcome, Outcome::Stopped);
    EXPECT_EQ(result.attempts, 40);
    EXPECT_LT(result.built, 500);
    EXPECT_EQ(store.MicroChainCount, result.built);
    EXPECT_EQ(int(result.histories.size()), result.built);
    EXPECT_TRUE(report.lines().contains(
        QStringLiteral("Поиск МикроЦС остановлен: построено %1 из 500.").arg(result.built)));
}

INSTANTIATE_TEST_SUITE_P(Methods, BothMethods,
                         ::testing::Values(MicroMethod::GenerateAndTest, MicroMethod::Search),
                         [](const auto &testInfo) {
                             return testInfo.param == MicroMethod::Search ? "search"
                                                                          : "generate_and_test";
                         });

TEST_F(MicroChainSearch, TheDefaultMethodSwitchesToTheSearchAtTwelve)
{
    EXPECT_EQ(defaultMicroMethod(1), MicroMethod::GenerateAndTest);
    EXPECT_EQ(defaultMicroMethod(11), MicroMethod::GenerateAndTest);
    EXPECT_EQ(defaultMicroMethod(12), MicroMethod::Search);
    EXPECT_EQ(defaultMicroMethod(34), MicroMethod::Search);
}

} // namespace
