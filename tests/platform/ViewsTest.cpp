// SPDX-License-Identifier: GPL-3.0-or-later
#include "../TestSupport.h"
#include "platform/ReportLog.h"
#include "platform/TextGrid.h"
#include "platform/views/GridView.h"
#include "platform/views/ReportView.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The text a grid view shows in a cell, as its model gives it to the painter.
QString shownText(platform::GridView &view, int column, int row)
{
    return view.model()->index(row, column).data().toString();
}

} // namespace

TEST(GridView, TwoViewsOfOneGridBothFollowItsChanges)
{
    TextGrid grid(4, 3);
    platform::GridView first(grid), second(grid);
    grid.setCell(2, 1, QStringLiteral("X"));
    EXPECT_EQ(shownText(first, 2, 1), QStringLiteral("X"));
    EXPECT_EQ(shownText(second, 2, 1), QStringLiteral("X"));
    grid.clearRange(1, 1, 3, 2);
    EXPECT_EQ(shownText(first, 2, 1), QString());
    EXPECT_EQ(shownText(second, 2, 1), QString());
}

TEST(GridView, AGridDestroyedFirstLeavesAnEmptyViewBehind)
{
    auto grid = std::make_unique<TextGrid>(4, 3);
    platform::GridView view(*grid);
    view.resize(100, 60);
    grid.reset();
    EXPECT_EQ(view.grid(), nullptr);
    EXPECT_EQ(view.model(), nullptr);
    // Neither painting nor laying out an empty view may touch the grid.
    view.grab();
    view.setDefaultColumnWidth(23);
    view.selectCellAt(1, 1);
    EXPECT_EQ(view.cellRect(1, 1), QRect());
}

TEST(ReportView, TwoViewsShowEveryLineAndAClear)
{
    ReportLog log;
    log.append(QStringLiteral("before"));
    platform::ReportView first(log), second(log);
    log.append(QStringLiteral("Свёртка до 2 карт"));
    EXPECT_EQ(first.toPlainText(), QStringLiteral("before\nСвёртка до 2 карт"));
    EXPECT_EQ(second.toPlainText(), first.toPlainText());
    log.clear();
    EXPECT_EQ(first.toPlainText(), QString());
    EXPECT_EQ(second.toPlainText(), QString());
}

TEST(ReportView, ALogDestroyedFirstDisconnectsTheView)
{
    auto log = std::make_unique<ReportLog>();
    platform::ReportView view(*log);
    log->append(QStringLiteral("line"));
    log.reset();
    EXPECT_EQ(view.toPlainText(), QStringLiteral("line"));
}

// The test program installs Qt's translation as the program does at start: every
// standard button speaks Russian, "ОК" in Cyrillic letters included.
TEST(QtTranslation, StandardButtonsOfBoxesAndDialogsAreRussian)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok);
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    const struct
    {
        QAbstractButton *button;
        QString text;
    } cases[] = {{box.button(QMessageBox::Ok), QStringLiteral("ОК")},
                 {buttons.button(QDialogButtonBox::Ok), QStringLiteral("ОК")},
                 {buttons.button(QDialogButtonBox::Cancel), QStringLiteral("Отмена")}};
    for (const auto &c : cases)
        EXPECT_EQ(c.button->text().remove(u'&'), c.text);
}
