#include "../TestSupport.h"
#include "platform/ReportLog.h"
#include "platform/TextGrid.h"

#include <gtest/gtest.h>

TEST(TextGrid, CellsAreAddressedColumnThenRow)
{
    TextGrid grid(38, 8);
    EXPECT_EQ(grid.columnCount(), 38);
    EXPECT_EQ(grid.rowCount(), 8);
    grid.setCell(37, 6, QStringLiteral("34"));
    EXPECT_EQ(grid.cell(37, 6), QStringLiteral("34"));
    EXPECT_EQ(grid.cell(6, 37), QString());
    EXPECT_EQ(grid.rows()[6][37], QStringLiteral("34"));
}

TEST(TextGrid, OutsideTheGridReadsEmptyAndIgnoresWrites)
{
    TextGrid grid(3, 2);
    grid.setCell(3, 0, QStringLiteral("x"));
    grid.setCell(-1, 0, QStringLiteral("x"));
    EXPECT_EQ(grid.cell(3, 0), QString());
    EXPECT_EQ(grid.cell(0, 2), QString());
    for (const auto &row : grid.rows())
        for (const auto &cell : row)
            EXPECT_TRUE(cell.isEmpty());
}

TEST(TextGrid, ClearRangeLeavesTitlesAndTellsTheListener)
{
    TextGrid grid(4, 3);
    int changes = 0;
    grid.setChangeListener([&] { ++changes; });
    grid.setCell(0, 1, QStringLiteral("title"));
    grid.setCell(2, 2, QStringLiteral("data"));
    EXPECT_EQ(changes, 2);
    grid.clearRange(1, 1, 3, 2);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("title"));
    EXPECT_EQ(grid.cell(2, 2), QString());
    grid.clearRange(1, 1, 3, 2); // nothing left to clear
    EXPECT_EQ(changes, 3);
}

TEST(ReportLog, KeepsLinesInOrderUntilCleared)
{
    ReportLog log;
    int changes = 0;
    log.setChangeListener([&] { ++changes; });
    log.append(QStringLiteral("Свёртка до 2 карт"));
    log.append(QString());
    EXPECT_EQ(log.lineCount(), 2);
    EXPECT_EQ(log.lines().front(), QStringLiteral("Свёртка до 2 карт"));
    log.clear();
    EXPECT_EQ(log.lineCount(), 0);
    EXPECT_EQ(changes, 3);
}
