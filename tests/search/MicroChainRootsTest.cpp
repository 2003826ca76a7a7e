// SPDX-License-Identifier: GPL-3.0-or-later
#include "../TestSupport.h"
#include "MicroTestSupport.h"
#include "engine/Deck.h"
#include "platform/RandomSource.h"
#include "search/MicroChainSearch.h"

#include <gtest/gtest.h>

namespace {

using ::PrintTo;

struct RootCase
{
    const char *name;
    QString cards;
    QString root;
};

class MicroChainRoot : public ::testing::TestWithParam<RootCase>
{
};

TEST_P(MicroChainRoot, IsWhatTheCollapseLeaves)
{
    const RootCase &c = GetParam();
    const TTLKoloda chain = recordOf(c.cards.split(u' '));
    EXPECT_EQ(microChainCards(chain).join(u' '), c.cards);
    EXPECT_EQ(microChainRoot(chain).join(u' '), c.root);
}

INSTANTIATE_TEST_SUITE_P(
    HandWorked, MicroChainRoot,
    ::testing::Values(RootCase{"two_steps_to_two_cards", QStringLiteral("Тб 7ч 6п Тч"),
                               QStringLiteral("6п Тч")},
                      RootCase{"one_step", QStringLiteral("6п 7п 8п"), QStringLiteral("7п 8п")},
                      RootCase{"stops_when_no_triple_is_left", QStringLiteral("Тб 6к 7ч Xп Тч"),
                               QStringLiteral("Тб 6к Xп Тч")},
                      RootCase{"pattern_target_agrees_by_suit", QStringLiteral("Вч 7к 9п 6б ?п"),
                               QStringLiteral("Вч 7к 6б ?п")},
                      RootCase{"leftmost_first_then_from_the_left_again",
                               QStringLiteral("6п 7б 8п 9б"), QStringLiteral("8п 9б")},
                      RootCase{"two_cards_stay", QStringLiteral("6п Тч"), QStringLiteral("6п Тч")}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

class MicroChainRoots : public MicroStoreTest
{
protected:
    MicroChainRoots() : MicroStoreTest(77) {}
};

TEST_F(MicroChainRoots, WritesOneLinePerStoredMicroChain)
{
    store.MicroChains[1] = recordOf(QStringLiteral("Тб 7ч 6п Тч").split(u' '));
    store.MicroChains[3] = recordOf(QStringLiteral("Вч 7к 9п 6б ?п").split(u' '));
    store.MicroChains[4] = recordOf(QStringLiteral("6п 7п 8п").split(u' ')); // above the count
    store.MicroChainCount = 3;
    report.append(QStringLiteral("the search's lines"));

    EXPECT_TRUE(WriteMicroChainRoots(store, services, report, QStringLiteral("2")));
    const QStringList expected{
        QStringLiteral("the search's lines"),
        QStringLiteral("Тб 7ч 6п Тч  ->  6п Тч  # 001."),
        QStringLiteral("(пусто)  # 002."),
        QStringLiteral("Вч 7к 9п 6б ?п  ->  Вч 7к 6б ?п  # 003."),
    };
    EXPECT_EQ(report.lines(), expected);
    EXPECT_TRUE(services.messages.isEmpty());
}

TEST_F(MicroChainRoots, ANonNumberEflEndsTheCommandWithTheConversionMessage)
{
    store.MicroChains[1] = recordOf(QStringLiteral("Тб 7ч 6п Тч").split(u' '));
    store.MicroChainCount = 1;
    EXPECT_FALSE(WriteMicroChainRoots(store, services, report, QStringLiteral("Выбери")));
    EXPECT_EQ(services.messages,
              QStringList{QStringLiteral("'Выбери' is not a valid integer value")});
    EXPECT_TRUE(report.lines().isEmpty());
}

TEST_F(MicroChainRoots, NothingStoredWritesNothing)
{
    for (const int count : {0, -3}) {
        store.MicroChainCount = count;
        EXPECT_TRUE(WriteMicroChainRoots(store, services, report, QStringLiteral("5")));
        EXPECT_TRUE(report.lines().isEmpty());
    }
}

TEST_F(MicroChainRoots, EverySearchedMicroChainCollapsesOnItsTarget)
{
    for (const QString &target :
         {QStringLiteral("Дб"), QStringLiteral("?к"), QStringLiteral("8?")}) {
        search(QStringLiteral("25"), QStringLiteral("6"), target);
        report.clear();
        ASSERT_TRUE(WriteMicroChainRoots(store, services, report, QStringLiteral("6")));
        ASSERT_EQ(report.lineCount(), 25);
        for (int k = 1; k <= 25; ++k) {
            const QStringList cards = microChainCards(store.MicroChains[k]);
            const QStringList root = microChainRoot(store.MicroChains[k]);
            // Nothing collapses until the target is laid, and then at least the
            // card two places before it goes; the target itself never leaves.
            ASSERT_GE(root.size(), 2);
            EXPECT_LT(root.size(), cards.size());
            EXPECT_EQ(root.back(), target);
            EXPECT_FALSE(root.contains(cards[cards.size() - 3]));
            EXPECT_EQ(report.lines()[k - 1],
                      cards.join(u' ') + QStringLiteral("  ->  ") + root.join(u' ') +
                          QStringLiteral("  # %1.").arg(k, 3, 10, QChar(u'0')));
        }
    }
}

} // namespace
