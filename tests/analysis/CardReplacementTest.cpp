// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/CardReplacement.h"
#include "../TestSupport.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"

#include <gtest/gtest.h>

TEST(CardReplacement, TwoCardsSwapPlaces)
{
    TestServices services;
    const QString text =
        replaceCards(OrderedDeckText, QStringLiteral("6п"), QStringLiteral("Тч"), services);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Тч 7п ")));
    EXPECT_TRUE(text.endsWith(QStringLiteral(" Кч 6п ")));
    EXPECT_EQ(text.size(), 108);
}

TEST(CardReplacement, SuitPatternsExchangeSuitsAndRankPatternsRanks)
{
    TestServices services;
    EXPECT_TRUE(replaceCards(OrderedDeckText, QStringLiteral("?п"), QStringLiteral("?б"), services)
                    .startsWith(QStringLiteral("6б 7б 8б 9б Xб Вб Дб Кб Тб 6п 7п")));
    const QString ranks =
        replaceCards(OrderedDeckText, QStringLiteral("6?"), QStringLiteral("Т?"), services);
    EXPECT_TRUE(ranks.startsWith(QStringLiteral("Тп 7п 8п 9п Xп Вп Дп Кп 6п Тб")));
}

TEST(CardReplacement, EqualItemsRewriteTheTextWithATrailingBlank)
{
    TestServices services;
    const QString text =
        replaceCards(NoCollapseText, QStringLiteral("6п"), QStringLiteral("6п"), services);
    EXPECT_EQ(text, NoCollapseText + u' ');
}

TEST(CardReplacement, ShortTextWarnsAndEmptyEntriesBecomeBlanks)
{
    TestServices services;
    const QString text =
        replaceCards(QStringLiteral("6п 7п"), QStringLiteral("6п"), QStringLiteral("7п"), services);
    EXPECT_EQ(services.messages, QStringList{QStringLiteral("Цепочка маловата")});
    EXPECT_EQ(text, QStringLiteral("7п 6п ") + QString(34, u' '));
}

TEST(CardReplacement, ALetterOutsideTheBasicPlaneIsOneLetter)
{
    TestServices services;
    const QString text =
        replaceCards(QStringLiteral("😀п 7п"), QStringLiteral("😀п"), QStringLiteral("7п"), services);
    EXPECT_EQ(text, QStringLiteral("7п 😀п ") + QString(34, u' '));
}

TEST(CardReplacement, PlaceholderTakesTheCardsPlace)
{
    TestServices services;
    const QString text =
        replaceCards(OrderedDeckText, QStringLiteral("Выбери"), QStringLiteral("Дб"), services);
    EXPECT_TRUE(text.contains(QStringLiteral(" Вб Вы Кб ")));
    EXPECT_FALSE(text.contains(QStringLiteral("Дб")));
}

struct KindCase
{
    const char *name;
    const char16_t *changed;
    const char16_t *other;
    const char16_t *expected;
};

class KindsAlike : public ::testing::TestWithParam<KindCase>
{
};

TEST_P(KindsAlike, OtherListTakesTheChangedTextWhenKindsDiffer)
{
    const KindCase c = GetParam();
    EXPECT_EQ(kindAlikeText(QString::fromUtf16(c.changed), QString::fromUtf16(c.other)),
              QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, KindsAlike,
    ::testing::Values(KindCase{"SuitAgainstCard", u"?к", u"6п", u"?к"},
                      KindCase{"CardAgainstSuit", u"Дч", u"?к", u"Дч"},
                      KindCase{"RankAgainstSuit", u"В?", u"?ч", u"В?"},
                      KindCase{"SuitAgainstRank", u"?ч", u"В?", u"?ч"},
                      KindCase{"CardAgainstCard", u"Дч", u"6п", u"6п"},
                      KindCase{"SuitAgainstSuit", u"?п", u"?ч", u"?ч"},
                      KindCase{"RankAgainstRank", u"6?", u"Т?", u"Т?"},
                      KindCase{"PlaceholderCountsAsACard", u"Выбери", u"6п", u"6п"},
                      KindCase{"PartialTypedTextAgainstSuit", u"К", u"?п", u"К"},
                      KindCase{"NonBmpRankPatternAgainstCard", u"😀?", u"6п", u"😀?"}),
    [](const auto &test) { return std::string(test.param.name); });
