// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ChainAnalysis.h"
#include "../ChainTexts.h"
#include "../TestSupport.h"
#include "analysis/MainTables.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <atomic>

// Counts the heap allocations of the thread that asks, malloc being where
// QString and operator new both end (glibc). Sanitizers keep malloc for themselves.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define TLCALC_COUNTS_ALLOCATIONS 1
extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *pointer, std::size_t size);
}

namespace {
thread_local bool countingAllocations = false;
std::atomic<long> allocations = 0;

void countAllocation()
{
    if (countingAllocations)
        ++allocations;
}
} // namespace

extern "C" {
void *malloc(std::size_t size)
{
    countAllocation();
    return __libc_malloc(size);
}
void *calloc(std::size_t count, std::size_t size)
{
    countAllocation();
    return __libc_calloc(count, size);
}
void *realloc(void *pointer, std::size_t size)
{
    countAllocation();
    return __libc_realloc(pointer, size);
}
}
#endif

namespace {

std::string cellText(const QString &text)
{
    return toUtf8(text);
}

const std::vector<std::string> CraftedTexts = {
    toUtf8(OrderedDeckText), toUtf8(NoCollapseText),       "", "6п 7п 8п",
    "10п 10б 10к 10ч 6п 6б", "?п 6? Хп Bк Kч Tб \t\"\\ 6п"};

} // namespace

class ChainAnalysisTables : public ::testing::Test
{
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Every cell, title cells and cells outside the grid included, and every
    // report line, hexagram and statistic, beside the window's tables.
    void expectAsTheTables(ChainAnalysis &analysis, const std::string &text)
    {
        TestServices services;
        MainTables tables;
        ChainState state;
        const TTLKoloda chain = RunAnalysis(tables, state, services, fromUtf8(text));
        analysis.analyse(text);
        const std::array<std::pair<ChainAnalysis::Grid, const TextGrid *>, 3> grids = {
            std::pair{ChainAnalysis::Grid::StringGrid1, &tables.StringGrid1},
            {ChainAnalysis::Grid::StringGrid2, &tables.StringGrid2},
            {ChainAnalysis::Grid::StringGrid3, &tables.StringGrid3}};
        for (const auto &[grid, table] : grids) {
            ASSERT_EQ(ChainAnalysis::columnCount(grid), table->columnCount());
            ASSERT_EQ(ChainAnalysis::rowCount(grid), table->rowCount());
            for (int row = -1; row <= table->rowCount(); ++row)
                for (int column = -1; column <= table->columnCount(); ++column)
                    ASSERT_EQ(analysis.cell(grid, column, row), cellText(table->cell(column, row)))
                        << "cell (" << column << ", " << row << ") of " << int(grid);
        }
        ASSERT_EQ(tables.RichEdit1.lineCount(), ChainAnalysis::ReportLineCount);
        for (int i = 0; i < ChainAnalysis::ReportLineCount; ++i)
            EXPECT_EQ(analysis.reportLine(i), cellText(tables.RichEdit1.lines()[i]));
        for (int s = 1; s <= 4; ++s) {
            EXPECT_EQ(analysis.hexagramNumber(s), chain.HexagramNumbers[s]);
            EXPECT_EQ(analysis.statistic(s), cellText(chain.SuitStatistics[s]));
        }
        for (int n = 1; n <= 36; ++n) {
            const TKarta &card = chain.Cards[n];
            EXPECT_EQ(analysis.card(n).rank, cellText(card.Rank));
            EXPECT_EQ(analysis.card(n).suit, cellText(card.Suit));
            EXPECT_EQ(analysis.card(n).mobileCount, card.MobileCount);
        }
        EXPECT_EQ(analysis.isShort(), !services.messages.isEmpty());
    }
};

TEST_F(ChainAnalysisTables, CellByCellAsTheWindowsTables)
{
    ChainAnalysis analysis(QChar(u'.'));
    for (const std::string &text : CraftedTexts)
        expectAsTheTables(analysis, text);
    ChainTexts texts(9);
    for (int i = 0; i < 300; ++i)
        expectAsTheTables(analysis, texts.next());
}

TEST_F(ChainAnalysisTables, SeparatorOfTheLocaleWhenMade)
{
    QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
    ChainAnalysis analysis;
    expectAsTheTables(analysis, toUtf8(OrderedDeckText));
    EXPECT_EQ(analysis.statistic(1).find(','), std::size_t(1));
}
