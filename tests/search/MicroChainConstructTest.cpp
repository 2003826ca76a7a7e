// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/MicroChainConstruct.h"
#include "../TestSupport.h"
#include "MicroTestSupport.h"
#include "analysis/MainTables.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>

namespace {

using ::PrintTo;

class MicroChainConstruct : public ::testing::Test
{
protected:
    ChainState chains;
};

// Every target the lists offer at every EFL: each history replays step by step
// into the micro-chain built, which passes the test. Two candidates a chain, so
// that the one kept is the one whose history is given.
TEST_F(MicroChainConstruct, EveryTargetAtEveryEflReplaysIntoAMicroChainThatPassesTheTest)
{
    MicroConstructSettings settings;
    settings.candidates = 2;
    int built = 0;
    for (const QString &target : targetItems()) {
        for (int efl = 1; efl <= MicroChainMaxEfl; ++efl) {
            SCOPED_TRACE(QStringLiteral("%1 at EFL %2").arg(target).arg(efl).toStdString());
            MicroChainConstructor constructor(target, efl, settings);
            ASSERT_TRUE(constructor.possible());
            RandomSource random(std::uint64_t(efl) * 1000 + std::uint64_t(built));
            TTLKoloda chain;
            MicroChainHistory history;
            ASSERT_TRUE(constructor.build(random, chain, &history));
            QString problem;
            const QStringList replayed = replayMicroChain(target, history, &problem);
            EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
            EXPECT_EQ(int(history.growth.size()), efl - 1);
            EXPECT_EQ(replayed, microChainCards(chain));
            EXPECT_EQ(replayed.size(), efl + 2);
            EXPECT_TRUE(collapsesOnlyAtTheTarget(replayed)) << replayed.join(u' ').toStdString();
            // The last growth step lays a card that agrees with the target.
            if (efl > 1) {
                EXPECT_EQ(history.growth.back().r, efl);
            }
            EXPECT_TRUE(constructor.admits(history));
            ++built;
        }
    }
    EXPECT_EQ(built, 49 * 34);
}

TEST_F(MicroChainConstruct, TheSameSeedBuildsTheSameMicroChains)
{
    const auto run = [](std::uint64_t seed) {
        MicroChainConstructor constructor(QStringLiteral("Вк"), 18);
        RandomSource random(seed);
        std::vector<MicroChainHistory> histories;
        for (int k = 0; k < 4; ++k) {
            TTLKoloda chain;
            MicroChainHistory history;
            constructor.build(random, chain, &history);
            histories.push_back(history);
        }
        return histories;
    };
    EXPECT_EQ(run(7), run(7));
    EXPECT_NE(run(7), run(8));
}

TEST_F(MicroChainConstruct, RefusesWhatItCannotBuildAndLeavesTheChainAlone)
{
    for (const auto &[target, efl] :
         {std::pair{QStringLiteral("Тч"), 35}, std::pair{QStringLiteral("Тч"), 0},
          std::pair{QStringLiteral("Выбери"), 5}, std::pair{QStringLiteral("??"), 5},
          std::pair{QStringLiteral("Zz"), 5}}) {
        MicroChainConstructor constructor(target, efl);
        EXPECT_FALSE(constructor.possible()) << target.toStdString() << " " << efl;
        RandomSource random(1);
        TTLKoloda chain = recordOf({QStringLiteral("6п")});
        MicroChainHistory history{QStringLiteral("a"), QStringLiteral("b"), {}};
        EXPECT_FALSE(constructor.build(random, chain, &history));
        EXPECT_TRUE(chain == recordOf({QStringLiteral("6п")}));
        EXPECT_EQ(history.first, QStringLiteral("a"));
    }
}

// The pruning must never cut off a micro-chain that generate-and-test can give,
// or the search could not reach generate-and-test's distribution at all.
TEST_F(MicroChainConstruct, AdmitsEveryMicroChainGenerateAndTestAccepts)
{
    int checked = 0;
    for (const QString &target :
         {QStringLiteral("Тч"), QStringLiteral("?п"), QStringLiteral("6?"), QStringLiteral("Xк")}) {
        for (int efl = 2; efl <= 7; ++efl) {
            MicroChainConstructor constructor(target, efl);
            RandomSource random(std::uint64_t(efl) * 31);
            for (int k = 0; k < 60; ++k) {
                TTLKoloda chain;
                MicroChainHistory history;
                ASSERT_TRUE(
                    BuildMicroChain(chains.OrderedDeck, random, target, efl, chain, &history));
                EXPECT_TRUE(constructor.admits(history))
                    << target.toStdString() << " EFL " << efl << ": "
                    << microChainCards(chain).join(u' ').toStdString();
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 4 * 6 * 60);
}

struct BrokenHistoryCase
{
    const char *name;
    void (*breakIt)(MicroChainHistory &, const QStringList &cards);
};

class BrokenHistory : public MicroChainConstruct,
                      public ::testing::WithParamInterface<BrokenHistoryCase>
{
};

TEST_P(BrokenHistory, IsNotAdmitted)
{
    MicroChainConstructor constructor(QStringLiteral("Тч"), 9);
    RandomSource random(3);
    TTLKoloda chain;
    MicroChainHistory history;
    ASSERT_TRUE(constructor.build(random, chain, &history));
    ASSERT_TRUE(constructor.admits(history));
    GetParam().breakIt(history, microChainCards(chain));
    EXPECT_FALSE(constructor.admits(history));
}

INSTANTIATE_TEST_SUITE_P(
    Histories, BrokenHistory,
    ::testing::Values(
        BrokenHistoryCase{"first_card_not_agreeing",
                          [](MicroChainHistory &h, const QStringList &cards) {
                              for (const QString &card : microChainCards(ChainState().OrderedDeck))
                                  if (!cards.contains(card) && !namesAgree(card, cards.back()))
                                      h.first = card;
                          }},
        BrokenHistoryCase{
            "card_used_twice",
            [](MicroChainHistory &h, const QStringList &) { h.growth[2].card = h.first; }},
        BrokenHistoryCase{"r_beyond_the_row",
                          [](MicroChainHistory &h, const QStringList &) { h.growth[0].r = 3; }},
        BrokenHistoryCase{
            "last_step_not_before_the_second_card",
            [](MicroChainHistory &h, const QStringList &) { h.growth.back().r -= 1; }},
        BrokenHistoryCase{"a_step_missing",
                          [](MicroChainHistory &h, const QStringList &) { h.growth.pop_back(); }},
        BrokenHistoryCase{"not_a_card",
                          [](MicroChainHistory &h, const QStringList &) {
                              h.growth[1].card = QStringLiteral("?ч");
                          }}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

// Generate-and-test's distribution at EFL 3, worked out exactly: every first
// card, second card and growth step it can draw, with the chance it draws them,
// kept when the micro-chain passes the test.
struct ExactDistribution
{
    std::map<QString, double> second;
    std::map<QString, double> rSequence;
};

ExactDistribution exactAtEflThree(const QString &target)
{
    QStringList pool = orderedDeckText().split(u' ', Qt::SkipEmptyParts);
    pool.removeAll(target);
    ExactDistribution exact;
    double accepted = 0;
    const auto fitting = [&](const QStringList &row, const QString &to) {
        QStringList cards;
        for (const QString &card : pool)
            if (!row.contains(card) && namesAgree(card, to))
                cards << card;
        return cards;
    };
    const QStringList firsts = fitting({}, target);
    for (const QString &first : firsts) {
        const double pFirst = 1.0 / double(firsts.size());
        for (const QString &second : pool) {
            if (second == first)
                continue;
            const double pSecond = pFirst / double(pool.size() - 1);
            for (int r1 = 1; r1 <= 2; ++r1) {
                QStringList row{first, second, target};
                row.insert(r1 - 1, QString());
                const QStringList fits1 = fitting(row, row[r1 + 1]);
                for (const QString &x1 : fits1) {
                    QStringList row1 = row;
                    row1[r1 - 1] = x1;
                    for (int r2 = 1; r2 <= 3; ++r2) {
                        QStringList row2 = row1;
                        row2.insert(r2 - 1, QString());
                        const QStringList fits2 = fitting(row2, row2[r2 + 1]);
                        for (const QString &x2 : fits2) {
                            row2[r2 - 1] = x2;
                            if (!collapsesOnlyAtTheTarget(row2))
                                continue;
                            const double p =
                                pSecond / 2 / double(fits1.size()) / 3 / double(fits2.size());
                            exact.second[second] += p;
                            exact.rSequence[QStringLiteral("%1,%2").arg(r1).arg(r2)] += p;
                            accepted += p;
                        }
                    }
                }
            }
        }
    }
    for (auto *shares : {&exact.second, &exact.rSequence})
        for (auto &[key, share] : *shares)
            share /= accepted;
    return exact;
}

double distance(const std::map<QString, double> &exact, const std::map<QString, int> &counts,
                int total)
{
    double sum = 0;
    for (const auto &[key, share] : exact) {
        const auto found = counts.find(key);
        sum += std::abs(share - (found == counts.end() ? 0 : found->second) / double(total));
    }
    for (const auto &[key, count] : counts)
        if (!exact.count(key))
            sum += count / double(total);
    return sum / 2;
}

std::array<double, 2> distancesOfSearch(const ExactDistribution &exact, const QString &target,
                                        const MicroConstructSettings &settings, int samples)
{
    MicroChainConstructor constructor(target, 3, settings);
    RandomSource random(2024);
    std::map<QString, int> second;
    std::map<QString, int> rSequence;
    for (int k = 0; k < samples; ++k) {
        TTLKoloda chain;
        MicroChainHistory history;
        constructor.build(random, chain, &history);
        ++second[history.second];
        ++rSequence[QStringLiteral("%1,%2").arg(history.growth[0].r).arg(history.growth[1].r)];
    }
    return {distance(exact.second, second, samples), distance(exact.rSequence, rSequence, samples)};
}

// Plain backtracking gives each branch with a micro-chain the same chance and
// lands visibly apart; the weighted candidates come out as generate-and-test's
// do, up to the noise of 4000 draws (about 0.04 on the second card).
TEST_F(MicroChainConstruct, WeightedCandidatesFollowGenerateAndTestsDistribution)
{
    const ExactDistribution exact = exactAtEflThree(QStringLiteral("Тч"));
    MicroConstructSettings plain;
    plain.candidates = 1;
    plain.backtrack = true;
    MicroConstructSettings weighted;
    weighted.candidates = 64;
    const auto [plainSecond, plainR] = distancesOfSearch(exact, QStringLiteral("Тч"), plain, 4000);
    const auto [second, r] = distancesOfSearch(exact, QStringLiteral("Тч"), weighted, 4000);
    EXPECT_GT(plainSecond, 0.08);
    EXPECT_GT(plainR, 0.15);
    EXPECT_LT(second, 0.06);
    EXPECT_LT(r, 0.03);
}

TEST_F(MicroChainConstruct, StopsWhenTheLimitsSaySo)
{
    // A thousand candidates at EFL 34 take far more than two questions' worth
    // of choices, and far more than three attempts.
    MicroConstructSettings settings;
    settings.candidates = 1000;
    MicroChainConstructor constructor(QStringLiteral("?к"), 34, settings);
    RandomSource random(5);
    TTLKoloda chain;
    MicroConstructStats stats;
    MicroBuildLimits limits;
    limits.attemptLimit = 3;
    EXPECT_FALSE(constructor.build(random, chain, nullptr, limits, &stats));
    EXPECT_EQ(stats.attempts, 3);
    EXPECT_TRUE(chain == TTLKoloda{});

    int asked = 0;
    limits = {};
    limits.keepTrying = [&] { return ++asked < 2; };
    MicroConstructStats more;
    EXPECT_FALSE(constructor.build(random, chain, nullptr, limits, &more));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(more.choices, 2 * MicroChoicesPerCheck);
}

} // namespace
