// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

class KeyboardWindow : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        services.random().reseed(2026);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
};

TEST_F(KeyboardWindow, EscapeEndsARunAndKeepsTheWindowTheChainLineAndTheConditions)
{
    form->Edit1->setText(QStringLiteral("6п 7п 8п"));
    // An EFL of 36, which no solved chain has: only a stop ends the run.
    form->CheckBox2->setChecked(true);
    form->ComboBox2->setCurrentIndex(36);
    int events = 0;
    QString hintDuringTheRun;
    services.setPendingEventsHook([&] {
        hintDuringTheRun = form->DeckCheckLabel->text();
        if (++events == 3)
            QTest::keyClick(form->Edit1, Qt::Key_Escape);
        QCoreApplication::processEvents();
    });
    form->ButtonTLGClick();
    EXPECT_EQ(hintDuringTheRun, QStringLiteral("Esc — остановить"));
    EXPECT_FALSE(form->generatorRunning());
    EXPECT_FALSE(state->StopRequested);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("6п 7п 8п"));
    EXPECT_TRUE(form->ButtonCheckString->isEnabled());
    EXPECT_TRUE(form->CheckBox2->isChecked());
    EXPECT_EQ(form->ComboBox2->currentText(), QStringLiteral("36"));
    EXPECT_NE(form->DeckCheckLabel->text(), QStringLiteral("Esc — остановить"));
    ASSERT_EQ(form->tables().RichEdit1.lineCount(), 1);
    EXPECT_EQ(form->tables().RichEdit1.lines()[0],
              QStringLiteral("Остановлено после %1 вариантов").arg(state->TriedVariants));
    EXPECT_GT(state->TriedVariants, 0u);
    EXPECT_EQ(form->Label1->text(),
              QStringLiteral("Перебрали = %1 вариантов").arg(state->TriedVariants));

    // Escape outside a run stops nothing, and the next run goes on to its chain.
    services.setPendingEventsHook({});
    QTest::keyClick(form->Edit1, Qt::Key_Escape);
    form->ComboBox2->setCurrentIndex(2);
    form->ButtonTLGClick();
    EXPECT_EQ(form->Edit1->text().size(), 107);
    EXPECT_TRUE(form->tables().RichEdit1.lines()[0].startsWith(QStringLiteral("Генерировать")));
}

} // namespace

namespace {

TEST_F(KeyboardWindow, AltAndF10ReachTheMenuBarAndEscapeLeavesIt)
{
    QMenuBar *bar = form->menuBar();
    form->Edit1->setFocus();
    QTest::keyClick(form->Edit1, Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(bar->hasFocus());
    EXPECT_EQ(bar->activeAction(), form->N1);
    // The arrows walk the bar: "FILE" comes after the first item.
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(bar->activeAction(), form->FILE1->menuAction());
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_FALSE(bar->hasFocus());

    // F10 opens the first menu.
    form->Edit1->setFocus();
    QTest::keyClick(form->Edit1, Qt::Key_F10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->FILE1->isVisible(); }, 2000));
    EXPECT_EQ(bar->activeAction(), form->FILE1->menuAction());
    EXPECT_EQ(form->FILE1->actions().value(0), form->OPEN1);
    QTest::keyClick(form->FILE1, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->FILE1->isVisible(); }, 2000));
}

TEST_F(KeyboardWindow, EveryMainTableShowsItsFocusedCell)
{
    typeAndCheck(OrderedDeckText);
    for (platform::GridView *grid : {form->StringGrid1, form->StringGrid2, form->StringGrid3}) {
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Right);
        const QModelIndex focused = grid->currentIndex();
        ASSERT_TRUE(focused.isValid());
        const QRect cell = grid->cellRect(focused.column(), focused.row());
        const QImage image = grid->viewport()->grab().toImage();
        // The dotted frame: black pixels on the cell's top edge, whatever its fill.
        int black = 0;
        for (int x = cell.left(); x < cell.right(); ++x)
            black += image.pixelColor(x, cell.top()) == QColor(Qt::black);
        EXPECT_GE(black, cell.width() / 3) << grid->objectName().toStdString();
    }
}

TEST_F(KeyboardWindow, CtrlCCopiesTheSelectedCellsOfATableTabSeparated)
{
    typeAndCheck(OrderedDeckText);
    platform::GridView *grid = form->StringGrid1;
    grid->setFocus();
    grid->selectCellAt(1, 1);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("6п"));

    // Shift and the arrows widen the selection to a block.
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    const TextGrid &cells = form->tables().StringGrid1;
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringList({cells.cell(1, 1) + u'\t' + cells.cell(2, 1) + u'\t' + cells.cell(3, 1),
                           cells.cell(1, 2) + u'\t' + cells.cell(2, 2) + u'\t' + cells.cell(3, 2)})
                  .join(u'\n'));

    // Ctrl+A takes the whole table, titles included.
    form->StringGrid2->setFocus();
    QTest::keyClick(form->StringGrid2, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->StringGrid2, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              form->tables().StringGrid2.tabSeparated(0, 0, 10, 7));
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("\t6\t7\t8\t9\tX\t")));
}

} // namespace
