// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextGrid.h"
#include "../TestSupport.h"
#include "platform/ReportLog.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

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

TEST(TextGrid, ClearRangeLeavesTitlesAndSignalsOnlyRealChanges)
{
    TextGrid grid(4, 3);
    QAbstractItemModelTester tester(&grid, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy changes(&grid, &QAbstractItemModel::dataChanged);
    grid.setCell(0, 1, QStringLiteral("title"));
    grid.setCell(2, 2, QStringLiteral("data"));
    grid.setCell(2, 2, QStringLiteral("data")); // the same text again is no change
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes.at(1).at(0).value<QModelIndex>(), grid.index(2, 2));
    grid.clearRange(1, 1, 3, 2);
    ASSERT_EQ(changes.count(), 3);
    EXPECT_EQ(changes.at(2).at(0).value<QModelIndex>(), grid.index(1, 1));
    EXPECT_EQ(changes.at(2).at(1).value<QModelIndex>(), grid.index(2, 3));
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("title"));
    EXPECT_EQ(grid.cell(2, 2), QString());
    EXPECT_EQ(grid.data(grid.index(1, 0)).toString(), QStringLiteral("title"));
    grid.clearRange(1, 1, 3, 2); // nothing left to clear
    EXPECT_EQ(changes.count(), 3);
}

TEST(ReportLog, KeepsLinesInOrderUntilClearedAndSignalsEach)
{
    ReportLog log;
    QSignalSpy appended(&log, &ReportLog::lineAppended);
    QSignalSpy cleared(&log, &ReportLog::cleared);
    log.append(QStringLiteral("Свёртка до 2 карт"));
    log.append(QString());
    EXPECT_EQ(log.lineCount(), 2);
    EXPECT_EQ(log.lines().front(), QStringLiteral("Свёртка до 2 карт"));
    ASSERT_EQ(appended.count(), 2);
    EXPECT_EQ(appended.at(0).at(0).toString(), QStringLiteral("Свёртка до 2 карт"));
    log.clear();
    EXPECT_EQ(log.lineCount(), 0);
    EXPECT_EQ(cleared.count(), 1);
}
