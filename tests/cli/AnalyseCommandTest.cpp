// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/AnalyseCommand.h"
#include "../TestSupport.h"

#include <QJsonArray>

#include <gtest/gtest.h>

TEST(AnalyseRecord, OrderedDeckAsJson)
{
    TestServices services;
    const QJsonObject record = analyseRecord(OrderedDeckText, services);
    EXPECT_TRUE(services.messages.isEmpty());
    EXPECT_EQ(record[u"text"].toString(), OrderedDeckText);
    EXPECT_FALSE(record[u"short"].toBool());
    EXPECT_EQ(record[u"left"].toInt(), 2);
    EXPECT_EQ(record[u"transitTotal"].toInt(), 28);
    const QJsonArray cards = record[u"cards"].toArray();
    ASSERT_EQ(cards.size(), 36);
    const QJsonObject kb = cards[16].toObject(); // Кб at position 17
    EXPECT_EQ(kb[u"rank"].toString(), QStringLiteral("К"));
    EXPECT_EQ(kb[u"suit"].toString(), QStringLiteral("б"));
    EXPECT_EQ(kb[u"mobile"].toInt(), 2);
    EXPECT_EQ(kb[u"transit"].toInt(), 1);
    EXPECT_EQ(kb[u"depth"].toInt(), 1);
    EXPECT_EQ(kb[u"remainder"].toInt(), 4);
    const QJsonObject tb = cards[17].toObject();
    EXPECT_EQ(tb[u"depth"].toInt(), 3);
    EXPECT_EQ(tb[u"remainder"].toInt(), 2);
}

TEST(AnalyseRecord, ShortTextWarnsAndIsStillAnalysed)
{
    TestServices services;
    const QJsonObject record = analyseRecord(QStringLiteral("6п 7п 8п"), services);
    EXPECT_EQ(services.messages, QStringList{QStringLiteral("Цепочка маловата")});
    EXPECT_TRUE(record[u"short"].toBool());
    EXPECT_EQ(record[u"left"].toInt(), 4);
    const QJsonArray cards = record[u"cards"].toArray();
    ASSERT_EQ(cards.size(), 36);
    EXPECT_EQ(cards[35].toObject()[u"rank"].toString(), QString());
    EXPECT_EQ(cards[35].toObject()[u"mobile"].toInt(), 1);
}

TEST(AnalyseReport, ShowsTheCollapseLineAndAlignedCards)
{
    TestServices services;
    const QStringList lines = analyseReport(NoCollapseText, services).split(u'\n');
    EXPECT_TRUE(lines.contains(QStringLiteral("Свёртка до 36 карт")));
    ASSERT_GE(lines.size(), 36 + 4);
    const QString last = lines.back();
    EXPECT_TRUE(last.startsWith(QStringLiteral("  36     Тч")));
    EXPECT_EQ(last.size(), lines[lines.size() - 2].size());
}
