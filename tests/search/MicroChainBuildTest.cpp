// SPDX-License-Identifier: GPL-3.0-or-later
#include "../TestSupport.h"
#include "MicroTestSupport.h"
#include "engine/Deck.h"
#include "platform/RandomSource.h"
#include "search/MicroChainSearch.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

using ::PrintTo;

class MicroChainBuild : public ::testing::Test
{
protected:
    void SetUp() override { deckNames = microChainCards(chains.OrderedDeck); }

    bool build(const QString &target, int efl, TTLKoloda &chain,
               const std::function<bool()> &keepTrying = {}, MicroBuildStats *stats = nullptr)
    {
        return BuildMicroChain(chains.OrderedDeck, random, target, efl, chain, nullptr,
                               MicroBuildLimits{keepTrying, 0}, stats);
    }

    ChainState chains;
    RandomSource random;
    QStringList deckNames;
};

struct TargetCase
{
    const char *name;
    QString target;
};

class EveryAcceptedMicroChain : public MicroChainBuild,
                                public ::testing::WithParamInterface<TargetCase>
{
};

TEST_P(EveryAcceptedMicroChain, UndoesCollapsesThatOnlyTheTargetStarts)
{
    const QString target = GetParam().target;
    const bool suitPattern = target.startsWith(u'?');
    const bool rankPattern = target.endsWith(u'?');
    for (int efl = 1; efl <= 8; ++efl) {
        for (std::uint64_t seed = 1; seed <= 12; ++seed) {
            SCOPED_TRACE(QStringLiteral("EFL %1, seed %2").arg(efl).arg(seed).toStdString());
            random.reseed(seed * 7919 + std::uint64_t(efl));
            TTLKoloda chain;
            ASSERT_TRUE(build(target, efl, chain));

            const QStringList cards = microChainCards(chain);
            const int n = efl + 2;
            ASSERT_EQ(cards.size(), n);
            EXPECT_EQ(cards.back(), target);
            EXPECT_EQ(QSet<QString>(cards.begin(), cards.end()).size(), n)
                << cards.join(u' ').toStdString();
            for (int m = 0; m < n - 1; ++m)
                EXPECT_TRUE(deckNames.contains(cards[m])) << cards[m].toStdString();
            EXPECT_TRUE(namesAgree(cards[n - 3], target));
            for (int j = 0; j + 2 < n - 1; ++j)
                EXPECT_FALSE(namesAgree(cards[j], cards[j + 2]))
                    << "cards " << j + 1 << " and " << j + 3 << ": "
                    << cards.join(u' ').toStdString();
            // "?" equals no letter, so a pattern is agreed with by its one real
            // letter: the card laid two before it (with EFL 1 the first card
            // drawn, which later insertions move right) is of its suit or rank.
            if (suitPattern) {
                EXPECT_EQ(cards[n - 3].at(1), target.at(1));
            }
            if (rankPattern) {
                EXPECT_EQ(cards[n - 3].at(0), target.at(0));
            }

            // Only the letters of entries 1 to n are set.
            for (int m = 1; m <= 36; ++m) {
                const TKarta &entry = chain.Cards[m];
                EXPECT_EQ(entry.Position, 0);
                EXPECT_EQ(entry.MobileCount + entry.Transit + entry.Remainder + entry.Depth, 0);
                if (m > n) {
                    EXPECT_TRUE(entry.Rank.isEmpty() && entry.Suit.isEmpty());
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(CardAndPatternTargets, EveryAcceptedMicroChain,
                         ::testing::Values(TargetCase{"card_Tch", QStringLiteral("Тч")},
                                           TargetCase{"card_6p", QStringLiteral("6п")},
                                           TargetCase{"card_Xk", QStringLiteral("Xк")},
                                           TargetCase{"card_Vb", QStringLiteral("Вб")},
                                           TargetCase{"suit_p", QStringLiteral("?п")},
                                           TargetCase{"suit_ch", QStringLiteral("?ч")},
                                           TargetCase{"rank_T", QStringLiteral("Т?")},
                                           TargetCase{"rank_6", QStringLiteral("6?")}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(MicroChainBuild, EflOneIsAnAgreeingCardAnyCardAndTheTarget)
{
    random.reseed(11);
    QSet<QString> seconds;
    for (int i = 0; i < 200; ++i) {
        TTLKoloda chain;
        MicroBuildStats stats;
        ASSERT_TRUE(build(QStringLiteral("Дк"), 1, chain, {}, &stats));
        EXPECT_EQ(stats.attempts, 1); // nothing to test, nothing to fail
        const QStringList cards = microChainCards(chain);
        ASSERT_EQ(cards.size(), 3);
        EXPECT_TRUE(namesAgree(cards[0], QStringLiteral("Дк")));
        EXPECT_NE(cards[1], QStringLiteral("Дк"));
        seconds.insert(cards[1]);
    }
    // The second card is any card: far more than the eleven that agree show up.
    EXPECT_GT(seconds.size(), 25);
}

TEST_F(MicroChainBuild, TheSameSeedBuildsTheSameMicroChains)
{
    const auto run = [this](std::uint64_t seed) {
        random.reseed(seed);
        QStringList lines;
        for (int i = 0; i < 5; ++i) {
            TTLKoloda chain;
            build(QStringLiteral("?к"), 6, chain);
            lines.append(microChainCards(chain).join(u' '));
        }
        return lines;
    };
    EXPECT_EQ(run(42), run(42));
    EXPECT_NE(run(42), run(43));
}

TEST_F(MicroChainBuild, AnExhaustedPoolAbandonsTheAttemptAndTriesAgain)
{
    // "Т?" agrees with the four aces only; the first card takes one, and every
    // insertion next to the target needs another, so long micro-chains run out.
    random.reseed(5);
    MicroBuildStats stats;
    for (int i = 0; i < 40; ++i) {
        TTLKoloda chain;
        ASSERT_TRUE(build(QStringLiteral("Т?"), 8, chain, {}, &stats));
    }
    EXPECT_GT(stats.noFittingCard, 0);
    EXPECT_GT(stats.collapsing, 0);
    EXPECT_EQ(stats.attempts, 40 + stats.noFittingCard + stats.collapsing);
}

TEST_F(MicroChainBuild, KeepsAskingWhetherToGoOnAndStopsWhenTold)
{
    random.reseed(9);
    TTLKoloda chain = recordOf({QStringLiteral("6п")});
    const TTLKoloda before = chain;
    int questions = 0;
    MicroBuildStats stats;
    // Thirty undone steps practically never pass the test.
    const bool built = build(
        QStringLiteral("Тч"), 30, chain, [&] { return ++questions < 3; }, &stats);
    EXPECT_FALSE(built);
    EXPECT_EQ(questions, 3);
    EXPECT_EQ(stats.attempts, 3 * MicroAttemptsPerCheck);
    EXPECT_TRUE(chain == before);
}

TEST_F(MicroChainBuild, RefusesWhatCanNeverBeBuilt)
{
    TTLKoloda chain;
    EXPECT_FALSE(build(QStringLiteral("Тч"), 0, chain));
    EXPECT_FALSE(build(QStringLiteral("Тч"), 35, chain));
    // No card agrees with this target: without the check this would never return.
    EXPECT_FALSE(build(QStringLiteral("Zz"), 2, chain));
    EXPECT_TRUE(chain == TTLKoloda{});
}

TEST_F(MicroChainBuild, TheOddTargetOfTheListsFirstItemStandsAsItsFirstTwoLetters)
{
    // "Выбери" reads as rank "В" and suit "ы": it agrees with the four jacks.
    random.reseed(3);
    TTLKoloda chain;
    ASSERT_TRUE(build(QStringLiteral("Выбери"), 2, chain));
    const QStringList cards = microChainCards(chain);
    ASSERT_EQ(cards.size(), 4);
    EXPECT_EQ(cards.back(), QStringLiteral("Вы"));
    EXPECT_EQ(cards[1].at(0), QChar(u'В'));
}

} // namespace
