// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/MainTables.h"
#include "../TestSupport.h"
#include "engine/Deck.h"
#include "platform/RandomSource.h"

#include <gtest/gtest.h>

namespace {

int collapseLineNumber(const ReportLog &log)
{
    const QString line = log.lines().value(0);
    const QString prefix = QStringLiteral("Свёртка до ");
    const QString suffix = QStringLiteral(" карт");
    if (!line.startsWith(prefix) || !line.endsWith(suffix))
        return -1;
    return line.mid(prefix.size(), line.size() - prefix.size() - suffix.size()).toInt();
}

} // namespace

class AnalysisRun : public ::testing::Test
{
protected:
    MainTables tables;
    ChainState state;
    TestServices services;
};

TEST_F(AnalysisRun, TitlesAreInPlaceBeforeAnyRun)
{
    EXPECT_EQ(tables.StringGrid1.cell(1, 0), QStringLiteral("1"));
    EXPECT_EQ(tables.StringGrid1.cell(36, 0), QStringLiteral("36"));
    EXPECT_EQ(tables.StringGrid1.cell(0, 1), QStringLiteral("Колода"));
    EXPECT_EQ(tables.StringGrid1.cell(0, 7), QStringLiteral("Остаток"));
    EXPECT_EQ(tables.StringGrid2.cell(5, 0), QStringLiteral("X"));
    EXPECT_EQ(tables.StringGrid2.cell(10, 0), QStringLiteral("m"));
    EXPECT_EQ(tables.StringGrid2.cell(0, 6), QStringLiteral("hb"));
    EXPECT_EQ(tables.StringGrid3.cell(1, 0), QStringLiteral("9|7"));
    EXPECT_EQ(tables.StringGrid3.cell(9, 0), QStringLiteral("{R}"));
    EXPECT_EQ(tables.StringGrid3.cell(10, 0), QString());
}

TEST_F(AnalysisRun, OrderedDeckFillsTheAnalysisTable)
{
    RunAnalysis(tables, state, services, OrderedDeckText);
    EXPECT_EQ(tables.RichEdit1.lines().value(0), QStringLiteral("Свёртка до 2 карт"));
    const TextGrid &g = tables.StringGrid1;
    for (int column : {1, 10, 19, 28}) {
        EXPECT_EQ(g.cell(column, 2), u'[' + g.cell(column, 1) + u']');
        EXPECT_EQ(g.cell(column, 3), QStringLiteral(" "));
        EXPECT_EQ(g.cell(column, 4), QStringLiteral("X"));
    }
    EXPECT_EQ(g.cell(1, 2), QStringLiteral("[6п]"));
    EXPECT_EQ(g.cell(37, 5), QStringLiteral("28"));
    EXPECT_EQ(g.cell(37, 6), QStringLiteral("34"));
    EXPECT_EQ(g.cell(37, 3), QStringLiteral("2"));
    for (int column : {17, 26, 35})
        EXPECT_EQ(g.cell(column, 3), QStringLiteral("2"));
    EXPECT_EQ(g.cell(18, 5), QStringLiteral("X"));
    EXPECT_EQ(g.cell(18, 6), QStringLiteral("3"));
    EXPECT_EQ(g.cell(18, 7), QStringLiteral("2"));
    EXPECT_EQ(g.cell(2, 2), QStringLiteral("7п"));
    EXPECT_EQ(g.cell(2, 5), QString());
    EXPECT_EQ(state.MaxMobileCount, 2);
    EXPECT_EQ(state.CurrentChain.Cards[17].name(), QStringLiteral("Кб"));
    EXPECT_TRUE(services.messages.isEmpty());
}

TEST_F(AnalysisRun, ChainWithoutCollapse)
{
    RunAnalysis(tables, state, services, NoCollapseText);
    const TextGrid &g = tables.StringGrid1;
    EXPECT_EQ(tables.RichEdit1.lines().value(0), QStringLiteral("Свёртка до 36 карт"));
    for (int column = 1; column <= 35; ++column) {
        EXPECT_EQ(g.cell(column, 4), QStringLiteral("X")) << column;
        for (int row = 5; row <= 7; ++row)
            EXPECT_EQ(g.cell(column, row), QString());
    }
    EXPECT_EQ(g.cell(36, 3), QStringLiteral("1"));
    EXPECT_EQ(g.cell(36, 4), QString());
    EXPECT_EQ(g.cell(37, 5), QStringLiteral("0"));
    EXPECT_EQ(g.cell(37, 6), QStringLiteral("0"));
    EXPECT_EQ(g.cell(37, 3), QStringLiteral("1"));
}

TEST_F(AnalysisRun, ShortTextWarnsOnceAfterTheTablesWereEmptied)
{
    RunAnalysis(tables, state, services, OrderedDeckText);
    bool emptyWhenShown = false;
    platform::ScopedMessageHandler handler(services, [&](const QString &text) {
        services.messages.append(text);
        emptyWhenShown = tables.RichEdit1.lineCount() == 0 &&
                         tables.StringGrid1.cell(1, 1).isEmpty() &&
                         tables.StringGrid3.cell(8, 1).isEmpty();
    });
    RunAnalysis(tables, state, services, QStringLiteral("6п 7п 8п"));
    EXPECT_EQ(services.messages, QStringList{QStringLiteral("Цепочка маловата")});
    EXPECT_TRUE(emptyWhenShown);
    EXPECT_EQ(tables.RichEdit1.lines().value(0), QStringLiteral("Свёртка до 4 карт"));
    EXPECT_EQ(tables.StringGrid1.cell(3, 1), QStringLiteral("8п"));
}

TEST_F(AnalysisRun, DepthTotalIsThirtySixLessTheCollapseLine)
{
    RandomSource random(31);
    for (int i = 0; i < 200; ++i) {
        TTLKoloda chain;
        QString text;
        MakeRandomChain(random, chain, text);
        RunAnalysis(tables, state, services, text);
        const int left = collapseLineNumber(tables.RichEdit1);
        ASSERT_GE(left, 2);
        ASSERT_EQ(tables.StringGrid1.cell(37, 6), QString::number(36 - left)) << text.toStdString();
    }
}

TEST_F(AnalysisRun, ClearResultTablesKeepsOnlyTitles)
{
    RunAnalysis(tables, state, services, OrderedDeckText);
    ClearResultTables(tables);
    MainTables fresh;
    EXPECT_EQ(tables.StringGrid1.rows(), fresh.StringGrid1.rows());
    EXPECT_EQ(tables.StringGrid2.rows(), fresh.StringGrid2.rows());
    EXPECT_EQ(tables.StringGrid3.rows(), fresh.StringGrid3.rows());
}
