// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "platform/views/CompactList.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>

TEST_F(MainWindowTest, OpensLaidOutWithItsInitialStates)
{
    EXPECT_EQ(form->client()->size(), QSize(976, 465));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ТЛ калькулятор 022"));
    EXPECT_FALSE(form->ButtonCheckString->isEnabled());
    for (QCheckBox *box :
         {form->CheckBox1, form->CheckBox2, form->CheckBox3, form->CheckBox4, form->CheckBox5})
        EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(form->ComboBox1->currentText(), QStringLiteral("36"));
    EXPECT_EQ(form->ComboBox2->currentText(), QStringLiteral("1"));
    EXPECT_EQ(form->ComboBox3->currentText(), QStringLiteral("1"));
    for (QComboBox *list : {form->ComboBox4, form->ComboBox5, form->ComboBox6})
        EXPECT_EQ(list->currentText(), QStringLiteral("6п"));
    ASSERT_EQ(form->ComboBox4->count(), 50);
    EXPECT_EQ(form->ComboBox4->itemText(0), QStringLiteral("Выбери"));
    EXPECT_EQ(form->ComboBox4->itemText(36), QStringLiteral("Тч"));
    EXPECT_EQ(form->ComboBox4->itemText(37), QStringLiteral("?п"));
    EXPECT_EQ(form->ComboBox4->itemText(41), QStringLiteral("6?"));
    EXPECT_EQ(form->ComboBox4->itemText(49), QStringLiteral("Т?"));
    EXPECT_EQ(form->ComboBox1->count(), 37);
    EXPECT_FALSE(form->Button1->isEnabled());
    EXPECT_FALSE(form->ComboBox5->isEnabled());
    EXPECT_FALSE(form->ButtonMicro->isVisible());
    EXPECT_FALSE(form->Edit2->isVisible());
    EXPECT_EQ(form->Label1->text(), QStringLiteral("Количество перебранных вариантов"));
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 1000);
}

struct Placement
{
    const char *name;
    QRect geometry;
};

class MainWindowPlacement : public MainWindowTest, public ::testing::WithParamInterface<Placement>
{
};

TEST_P(MainWindowPlacement, ControlStandsWhereTheLayoutPutsIt)
{
    const Placement p = GetParam();
    auto *widget = form->client()->findChild<QWidget *>(QString::fromLatin1(p.name));
    ASSERT_NE(widget, nullptr) << p.name;
    EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, MainWindowPlacement,
    ::testing::Values(Placement{"Edit1", QRect(20, 10, 936, 23)},
                      Placement{"ButtonCheckString", QRect(20, 43, 180, 24)},
                      Placement{"ButtonClose", QRect(210, 43, 180, 24)},
                      Placement{"ButtonTLG", QRect(400, 43, 180, 24)},
                      // To the right margin: its caption is wider than 216 pixels.
                      Placement{"Label1", QRect(590, 43, 366, 16)},
                      Placement{"StringGrid1", QRect(20, 77, 936, 129)},
                      Placement{"StringGrid2", QRect(20, 216, 265, 129)},
                      Placement{"StringGrid3", QRect(295, 216, 265, 129)},
                      Placement{"RichEdit1", QRect(20, 355, 540, 100)},
                      // To just before the lists, so the captions show whole.
                      Placement{"CheckBox1", QRect(580, 216, 222, 15)},
                      Placement{"CheckBox5", QRect(580, 296, 222, 15)},
                      Placement{"ComboBox1", QRect(806, 216, 50, 21)},
                      Placement{"ComboBox4", QRect(806, 276, 50, 21)},
                      Placement{"Button1", QRect(670, 321, 100, 21)},
                      Placement{"ButtonMicro", QRect(580, 321, 60, 24)},
                      Placement{"ButtonSqare", QRect(700, 321, 60, 24)},
                      Placement{"Edit2", QRect(640, 321, 60, 24)}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(MainWindowTest, GridColumnsHaveTheirWidths)
{
    EXPECT_EQ(form->StringGrid1->columnWidthOf(0), 46);
    EXPECT_EQ(form->StringGrid1->columnWidthOf(1), 23);
    EXPECT_EQ(form->StringGrid3->columnWidthOf(9), 25);
    EXPECT_EQ(form->StringGrid3->columnWidthOf(10), 21);
    EXPECT_EQ(form->StringGrid1->rowHeightOf(0), 15);
}

TEST_F(MainWindowTest, MenuCaptionsAndStates)
{
    QStringList captions;
    for (QAction *action : form->menuBar()->actions())
        captions << action->text();
    EXPECT_EQ(captions.mid(1, 4),
              (QStringList{QStringLiteral("FILE"), QStringLiteral("Фильтры"),
                           QStringLiteral("Рисунки"), QStringLiteral("Компас")}));
    EXPECT_EQ(captions.back(), QStringLiteral("HELP"));
    EXPECT_TRUE(form->N1->isEnabled());
    EXPECT_FALSE(form->FILE1->menuAction()->isEnabled());
    EXPECT_FALSE(form->OPEN1->isEnabled());
    EXPECT_FALSE(form->SAVE1->isEnabled());
    EXPECT_EQ(form->QUIT1->text(), QStringLiteral("QUIT"));
    EXPECT_TRUE(form->FILTERS1->isEnabled());
    EXPECT_TRUE(form->N2->isEnabled());
}

TEST_F(MainWindowTest, ActivatingAgainKeepsTheUsersChainAndChoices)
{
    form->Edit1->setText(OrderedDeckText);
    form->ComboBox4->setCurrentIndex(40);
    form->CheckBox2->setChecked(true);
    form->FormActivate();
    EXPECT_EQ(form->Edit1->text(), OrderedDeckText);
    EXPECT_TRUE(form->ButtonCheckString->isEnabled());
    EXPECT_EQ(form->ComboBox4->currentText(), QStringLiteral("?ч"));
    EXPECT_EQ(form->ComboBox4->count(), 50);
    EXPECT_TRUE(form->CheckBox2->isChecked());
}

TEST_F(MainWindowTest, OrderedDeckIsAnalysedAndPaintedInItsColours)
{
    typeAndCheck(OrderedDeckText);
    const MainTables &t = form->tables();
    EXPECT_EQ(t.RichEdit1.lines().value(0), QStringLiteral("Свёртка до 2 карт"));
    EXPECT_TRUE(form->RichEdit1->toPlainText().startsWith(QStringLiteral("Свёртка до 2 карт")));
    EXPECT_EQ(t.StringGrid1.cell(10, 2), QStringLiteral("[6б]"));
    EXPECT_TRUE(form->Button1->isEnabled());
    EXPECT_TRUE(form->ComboBox5->isEnabled());

    auto *grid = form->StringGrid1;
    EXPECT_EQ(cellColour(grid, 2, 2), QColor(204, 204, 255));  // a spade in the formula row
    EXPECT_EQ(cellColour(grid, 11, 2), QColor(255, 255, 0));   // a diamond
    EXPECT_EQ(cellColour(grid, 20, 2), QColor(204, 255, 204)); // a club
    EXPECT_EQ(cellColour(grid, 29, 2), QColor(255, 204, 204)); // a heart
    EXPECT_EQ(cellColour(grid, 1, 4), QColor(204, 255, 204));  // stationary mark
    EXPECT_EQ(cellColour(grid, 3, 5), QColor(204, 204, 255));  // transit mark
    for (int column : {17, 26, 35}) {
        EXPECT_EQ(cellColour(grid, column, 1), QColor(230, 100, 230)) << column;
        EXPECT_EQ(cellColour(grid, column, 3), QColor(230, 100, 230)) << column;
    }
    EXPECT_EQ(cellColour(grid, 16, 1), platform::systemColor(platform::SystemColor::Window));
    EXPECT_EQ(cellColour(grid, 37, 5), platform::systemColor(platform::SystemColor::ButtonFace));
    EXPECT_EQ(cellColour(grid, 0, 3), platform::systemColor(platform::SystemColor::ButtonFace));

    if (qEnvironmentVariableIsSet("TLCALC_SCREENSHOT"))
        form->grab().save(qEnvironmentVariable("TLCALC_SCREENSHOT"));
}

TEST_F(MainWindowTest, DeepestCardsAreMarkedAfterADepthSearch)
{
    state->MaxDepth = 3; // as a generator run leaves it
    typeAndCheck(OrderedDeckText);
    EXPECT_EQ(cellColour(form->StringGrid1, 18, 6), QColor(220, 100, 100));
    EXPECT_EQ(cellColour(form->StringGrid1, 18, 1), QColor(220, 100, 100));
    EXPECT_EQ(cellColour(form->StringGrid1, 17, 6),
              platform::systemColor(platform::SystemColor::Window));
}

TEST_F(MainWindowTest, ChainWithoutCollapseMarksItsLastCardMostMobile)
{
    typeAndCheck(NoCollapseText);
    EXPECT_EQ(form->tables().RichEdit1.lines().value(0), QStringLiteral("Свёртка до 36 карт"));
    EXPECT_EQ(cellColour(form->StringGrid1, 36, 1), QColor(230, 100, 230));
    EXPECT_EQ(cellColour(form->StringGrid1, 36, 3), QColor(230, 100, 230));
    EXPECT_EQ(cellColour(form->StringGrid1, 35, 4), QColor(204, 255, 204));
}

TEST_F(MainWindowTest, ShortTextWarnsOnceAndTheRunCompletes)
{
    typeAndCheck(QStringLiteral("6п 7п 8п"));
    EXPECT_EQ(services.messages, QStringList{QStringLiteral("Цепочка маловата")});
    EXPECT_EQ(form->tables().RichEdit1.lines().value(0), QStringLiteral("Свёртка до 4 карт"));
}

TEST_F(MainWindowTest, TypingThenErasingLeavesTheButtonEnabled)
{
    form->Edit1->setFocus();
    form->Edit1->clear();
    QTest::keyClicks(form->Edit1, QStringLiteral("6X"));
    EXPECT_TRUE(form->ButtonCheckString->isEnabled());
    form->Edit1->selectAll();
    QTest::keyClick(form->Edit1, Qt::Key_Backspace);
    EXPECT_EQ(form->Edit1->text(), QString());
    EXPECT_TRUE(form->ButtonCheckString->isEnabled());
    QTest::keyClick(form->Edit1, Qt::Key_Return); // Enter runs the analysis
    EXPECT_EQ(services.messages, QStringList{QStringLiteral("Цепочка маловата")});
    EXPECT_EQ(form->tables().RichEdit1.lines().value(0), QStringLiteral("Свёртка до 2 карт"));
}

TEST_F(MainWindowTest, ExitSetsTheStopFlagAndCloses)
{
    QTest::mouseClick(form->ButtonClose, Qt::LeftButton);
    EXPECT_TRUE(state->StopRequested);
    EXPECT_EQ(form->Label1->text(), QStringLiteral("EXIT"));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainWindowTest, SelectedItemIsTheTypedTextOnlyWhenItIsAnItem)
{
    form->ComboBox1->setEditText(QStringLiteral("12"));
    EXPECT_EQ(platform::selectedItemText(form->ComboBox1), QStringLiteral("12"));
    form->ComboBox1->setEditText(QStringLiteral("1x"));
    EXPECT_EQ(platform::selectedItemText(form->ComboBox1), QString());
    form->ComboBox1->setCurrentIndex(0);
    EXPECT_EQ(platform::selectedItemText(form->ComboBox1), QStringLiteral("Выбери"));
}
