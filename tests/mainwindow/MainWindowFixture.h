// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../TestSupport.h"
#include "mainwindow/TForm1.h"
#include "platform/views/GridView.h"
#include "platform/views/ReportView.h"
#include "platform/views/SystemColors.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A shown main window with a message recorder, and helpers to read what a
// person sees on it.
class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm1>(*state, services);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override { form.reset(); }

    void typeAndCheck(const QString &text)
    {
        form->Edit1->setText(text);
        QTest::mouseClick(form->ButtonCheckString, Qt::LeftButton);
    }

    // The colour painted in the middle of a cell of a grid.
    QColor cellColour(platform::GridView *grid, int column, int row)
    {
        const QImage image = grid->grab().toImage();
        // A corner of the cell, away from the centred text.
        const QRect r = grid->cellRect(column, row);
        return image.pixelColor(grid->viewport()->mapTo(grid, r.topLeft() + QPoint(2, 2)));
    }

    TestServices services;
    std::unique_ptr<ProgramState> state = std::make_unique<ProgramState>();
    std::unique_ptr<TForm1> form;
};
