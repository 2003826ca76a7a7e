// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Deck.h"
#include "../TestSupport.h"
#include "engine/ChainReader.h"
#include "engine/ChainState.h"
#include "engine/Collapse.h"
#include "platform/RandomSource.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

TTLKoloda analysed(const QString &text)
{
    TTLKoloda chain;
    ReadChain(text, chain);
    AnalyseChain(chain);
    return chain;
}

QString chainText(const TTLKoloda &chain)
{
    QStringList names;
    for (int n = 1; n <= 36; ++n)
        names << chain.Cards[n].name();
    return names.join(u' ');
}

} // namespace

TEST(OrderedDeck, TextAndRecordAreInDeckOrder)
{
    TTLKoloda OrderedDeck;
    QString text;
    MakeOrderedDeck(OrderedDeck, text);
    EXPECT_EQ(text, OrderedDeckText);
    EXPECT_EQ(text.size(), 108);
    EXPECT_EQ(OrderedDeck.Cards[1].name(), QStringLiteral("6п"));
    EXPECT_EQ(OrderedDeck.Cards[9].name(), QStringLiteral("Тп"));
    EXPECT_EQ(OrderedDeck.Cards[10].name(), QStringLiteral("6б"));
    EXPECT_EQ(OrderedDeck.Cards[36].name(), QStringLiteral("Тч"));
    for (int n = 1; n <= 36; ++n) {
        EXPECT_EQ(OrderedDeck.Cards[n].Position, n);
        EXPECT_EQ(OrderedDeck.Cards[n].MobileCount, 0);
    }
}

TEST(RandomChain, IsAPermutationThatReadsBack)
{
    const ChainState state;
    RandomSource random(77);
    for (int i = 0; i < 2000; ++i) {
        TTLKoloda chain;
        QString text;
        MakeRandomChain(random, chain, text);
        ASSERT_EQ(text.size(), 107);
        QSet<QString> seen;
        for (int n = 1; n <= 36; ++n) {
            ASSERT_EQ(chain.Cards[n].Position, n);
            ASSERT_EQ(chain.Cards[n].MobileCount, 0);
            seen.insert(chain.Cards[n].name());
        }
        ASSERT_EQ(seen.size(), 36);
        for (int n = 1; n <= 36; ++n)
            ASSERT_TRUE(seen.contains(state.OrderedDeck.Cards[n].name()));
        TTLKoloda back;
        ASSERT_FALSE(ReadChain(text, back).isShort);
        ASSERT_TRUE(back == chain);
    }
}

TEST(RandomChain, SameSeedSameChainsDifferentSeedOtherChains)
{
    TTLKoloda chain;
    QString first, second, other;
    RandomSource five(5), fiveAgain(5), six(6);
    MakeRandomChain(five, chain, first);
    MakeRandomChain(fiveAgain, chain, second);
    MakeRandomChain(six, chain, other);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
    // Consecutive deals never repeat, however quickly they follow each other.
    QString next;
    MakeRandomChain(six, chain, next);
    EXPECT_NE(next, other);
}

TEST(Extremes, OrderedDeckMostMobileAndDeepest)
{
    TTLKoloda chain = analysed(OrderedDeckText);
    QString name, value;
    std::uint8_t index = 0;
    FindMostMobileCard(chain, name, index, value);
    EXPECT_EQ(name, QStringLiteral("Кб"));
    EXPECT_EQ(index, 17);
    EXPECT_EQ(value, QStringLiteral("2"));
    EXPECT_EQ(chain.ExtremeNames[1], QStringLiteral("Кб"));

    ChainState state;
    FindDeepestCards(state, chain, name, index, value);
    EXPECT_EQ(name, QStringLiteral("Тб"));
    EXPECT_EQ(index, 18);
    EXPECT_EQ(value, QStringLiteral("3"));
    EXPECT_EQ(chain.ExtremeCount, 3);
    EXPECT_EQ(chain.ExtremeNames[1], QStringLiteral("Тб"));
    EXPECT_EQ(chain.ExtremeNames[2], QStringLiteral("Тк"));
    EXPECT_EQ(chain.ExtremeNames[3], QStringLiteral("Тч"));
    EXPECT_EQ(state.MaxDepth, 3);
}

TEST(Extremes, NoCollapseListsEveryCardOnce)
{
    TTLKoloda chain = analysed(NoCollapseText);
    QString name = QStringLiteral("keep"), value;
    std::uint8_t index = 99;
    FindMostMobileCard(chain, name, index, value);
    EXPECT_EQ(name, QStringLiteral("Тч")); // the last card counts as moved once
    EXPECT_EQ(value, QStringLiteral("1"));

    ChainState state;
    state.MaxDepth = 5;
    FindDeepestCards(state, chain, name, index, value);
    EXPECT_EQ(value, QStringLiteral("0"));
    EXPECT_EQ(chain.ExtremeCount, 36);
    EXPECT_EQ(state.MaxDepth, 0);
    for (int n = 1; n <= 36; ++n)
        EXPECT_EQ(chain.ExtremeNames[n], chain.Cards[n].name());
    EXPECT_EQ(name, chain.Cards[1].name());
}

TEST(Extremes, MostMobileKeepsCallerValuesWhenNothingMoved)
{
    TTLKoloda chain; // all counters 0
    QString name = QStringLiteral("keep"), value;
    std::uint8_t index = 7;
    FindMostMobileCard(chain, name, index, value);
    EXPECT_EQ(name, QStringLiteral("keep"));
    EXPECT_EQ(index, 7);
    EXPECT_EQ(value, QStringLiteral("0"));
}

struct ExchangeCase
{
    const char *name;
    const char16_t *a;
    const char16_t *b;
    const char16_t *expected; // the ordered deck after the exchange
};

class Exchange : public ::testing::TestWithParam<ExchangeCase>
{
};

TEST_P(Exchange, RewritesEveryMatchingEntryAtOnce)
{
    const ExchangeCase c = GetParam();
    TTLKoloda chain;
    ReadChain(OrderedDeckText, chain);
    const QString a = QString::fromUtf16(c.a), b = QString::fromUtf16(c.b);
    TKarta cardA{a.left(1), a.mid(1, 1)};
    TKarta cardB{b.left(1), b.mid(1, 1)};
    ExchangeCards(chain, cardA, cardB);
    EXPECT_EQ(chainText(chain), QString::fromUtf16(c.expected));
    for (int n = 1; n <= 36; ++n)
        EXPECT_EQ(chain.Cards[n].Position, n);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Exchange,
    ::testing::Values(ExchangeCase{"TwoCards", u"6п", u"Тч",
                                   u"Тч 7п 8п 9п Xп Вп Дп Кп Тп 6б 7б 8б 9б Xб Вб Дб Кб Тб "
                                   u"6к 7к 8к 9к Xк Вк Дк Кк Тк 6ч 7ч 8ч 9ч Xч Вч Дч Кч 6п"},
                      ExchangeCase{"TwoSuits", u"?п", u"?ч",
                                   u"6ч 7ч 8ч 9ч Xч Вч Дч Кч Тч 6б 7б 8б 9б Xб Вб Дб Кб Тб "
                                   u"6к 7к 8к 9к Xк Вк Дк Кк Тк 6п 7п 8п 9п Xп Вп Дп Кп Тп"},
                      ExchangeCase{"TwoRanks", u"6?", u"Т?",
                                   u"Тп 7п 8п 9п Xп Вп Дп Кп 6п Тб 7б 8б 9б Xб Вб Дб Кб 6б "
                                   u"Тк 7к 8к 9к Xк Вк Дк Кк 6к Тч 7ч 8ч 9ч Xч Вч Дч Кч 6ч"},
                      ExchangeCase{"SameCard", u"6п", u"6п",
                                   u"6п 7п 8п 9п Xп Вп Дп Кп Тп 6б 7б 8б 9б Xб Вб Дб Кб Тб "
                                   u"6к 7к 8к 9к Xк Вк Дк Кк Тк 6ч 7ч 8ч 9ч Xч Вч Дч Кч Тч"},
                      ExchangeCase{"PlaceholderAgainstACard", u"Выбери", u"Дб",
                                   u"6п 7п 8п 9п Xп Вп Дп Кп Тп 6б 7б 8б 9б Xб Вб Вы Кб Тб "
                                   u"6к 7к 8к 9к Xк Вк Дк Кк Тк 6ч 7ч 8ч 9ч Xч Вч Дч Кч Тч"},
                      ExchangeCase{"SuitPatternAgainstACard", u"?п", u"6б",
                                   u"?б 7б 8б 9б Xб Вб Дб Кб Тб ?п 7п 8п 9п Xп Вп Дп Кп Тп "
                                   u"?к 7к 8к 9к Xк Вк Дк Кк Тк ?ч 7ч 8ч 9ч Xч Вч Дч Кч Тч"}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(RandomInRange, StaysInsideTheRangeAndReachesBothEnds)
{
    RandomSource random(11);
    int counts[38] = {};
    for (int i = 0; i < 36000; ++i) {
        const int x = RandomInRange(random, 1, 36);
        ASSERT_GE(x, 1);
        ASSERT_LE(x, 36);
        ++counts[x];
    }
    for (int x = 1; x <= 36; ++x) {
        EXPECT_GT(counts[x], 800) << x; // about 1000 each
        EXPECT_LT(counts[x], 1200) << x;
    }
    EXPECT_EQ(RandomInRange(random, 4, 4), 4);
}
