// SPDX-License-Identifier: GPL-3.0-or-later
#include "../TestSupport.h"
#include "hexagrams/views/FilterUnit.h"
#include "platform/views/GridView.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QPalette>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Three plainly different system colours, so a cell painted in the wrong one
// cannot pass for the right one.
const QColor WindowColour(255, 255, 255);
const QColor ButtonFaceColour(212, 208, 200);
const QColor ScrollBarColour(150, 170, 230);

const QString Undecided = QStringLiteral("?");
const QString Marked = QStringLiteral("X");

} // namespace

// The filter window as the main window opens it: sized 690 wide and the main
// window's height, placed, then shown.
class FilterWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedPalette = QApplication::palette();
        QPalette colours = savedPalette;
        colours.setColor(QPalette::Base, WindowColour);
        colours.setColor(QPalette::Button, ButtonFaceColour);
        colours.setColor(QPalette::Midlight, ScrollBarColour);
        QApplication::setPalette(colours);

        window = std::make_unique<TFormFilter>();
        window->resize(690, 465);
        window->move(143, 100);
        open();
    }
    void TearDown() override
    {
        window.reset();
        QApplication::setPalette(savedPalette);
    }

    // Shows the window and lets the platform's activation arrive, so it
    // cannot land after a test's first click.
    void open()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QApplication::processEvents();
    }

    void reopen()
    {
        window->close();
        QApplication::processEvents();
        open();
    }

    // The text the grid shows in a cell.
    QString shown(int column, int row) const
    {
        return window->StringGrid1->model()->index(row, column).data().toString();
    }

    void click(int column, int row)
    {
        const QRect r = window->StringGrid1->cellRect(column, row);
        QTest::mouseClick(window->StringGrid1->viewport(), Qt::LeftButton, {}, r.center());
    }

    // A cell's centre in the window, for events that go through the platform as
    // a user's do: there a quick second press is turned into a double click.
    QPoint inWindow(int column, int row) const
    {
        const QRect r = window->StringGrid1->cellRect(column, row);
        return window->StringGrid1->viewport()->mapTo(window.get(), r.center());
    }

    // The user cells and what is derived from them, to compare before and after.
    QStringList sheet() const
    {
        QStringList cells;
        for (int row = 0; row <= 7; ++row)
            for (int column = 0; column <= 12; ++column)
                cells << shown(column, row);
        return cells;
    }

    // From "?", one click marks a cell mobile and two leave it empty.
    void setUserCell(int column, int row, QChar mark)
    {
        if (mark == u'X') {
            click(column, row);
        } else if (mark == u'0') {
            click(column, row);
            click(column, row);
        }
    }

    // A suit's row from "?": nine marks for the ranks 6 to Т, 'X' mobile,
    // '0' empty, '?' left undecided.
    void setSuit(int row, const QString &marks)
    {
        for (int column = 1; column <= 9; ++column)
            setUserCell(column, row, marks[column - 1]);
    }

    QImage painted() const { return window->StringGrid1->viewport()->grab().toImage(); }

    // The colour painted in a corner of a cell, away from its text.
    static QColor cellColour(const QImage &image, const QRect &cell)
    {
        return image.pixelColor(cell.topLeft() + QPoint(1, 1));
    }

    QColor cellColour(int column, int row) const
    {
        return cellColour(painted(), window->StringGrid1->cellRect(column, row));
    }

    // Whether anything dark, that is text, is painted inside a cell. Its border
    // pixels are left out: the focus rectangle is drawn there.
    bool showsText(int column, int row) const
    {
        const QImage image = painted();
        const QRect cell = window->StringGrid1->cellRect(column, row).adjusted(1, 1, -2, -2);
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x)
                if (image.pixelColor(x, y).lightness() < 100)
                    return true;
        return false;
    }

    QPalette savedPalette;
    std::unique_ptr<TFormFilter> window;
};

TEST_F(FilterWindowTest, OpensWithItsCaptionsAndControls)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("FormFilter"));
    EXPECT_EQ(window->CheckBox1->text(),
              QStringLiteral("Искать по паттернам указанных гексаграмм"));
    EXPECT_FALSE(window->CheckBox1->isChecked());
    EXPECT_EQ(window->Button9->text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(window->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(window->font().pixelSize(), 11);
    EXPECT_EQ(window->StringGrid1->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(window->StringGrid1->font().pixelSize(), 11);
    EXPECT_EQ(window->StringGrid1->objectName(), QStringLiteral("StringGrid1"));
    EXPECT_EQ(window->CheckBox1->objectName(), QStringLiteral("CheckBox1"));
    EXPECT_EQ(window->Button9->objectName(), QStringLiteral("Button9"));
}

TEST_F(FilterWindowTest, OpensWithTheHeadersAndEveryUserCellUndecided)
{
    const QStringList ranks = {"6", "7", "8", "9", "X", "В", "Д", "К", "Т"};
    for (int column = 1; column <= 9; ++column)
        EXPECT_EQ(shown(column, 0), ranks[column - 1]) << "column " << column;
    const QStringList rowTitles = {"п", "б", "к", "ч", "m", "hb"};
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(shown(0, row), rowTitles[row - 1]) << "row " << row;
    EXPECT_EQ(shown(10, 0), QStringLiteral("m"));
    EXPECT_EQ(shown(11, 0), QStringLiteral("#g"));
    EXPECT_EQ(shown(12, 0), QStringLiteral("Гексаграмма"));

    for (int row = 1; row <= 4; ++row)
        for (int column = 1; column <= 9; ++column)
            EXPECT_EQ(shown(column, row), Undecided) << "cell " << column << ", " << row;
}

TEST_F(FilterWindowTest, AClickCyclesAUserCellUndecidedMobileEmpty)
{
    click(5, 2);
    EXPECT_EQ(shown(5, 2), Marked);
    click(5, 2);
    EXPECT_EQ(shown(5, 2), QString());
    click(5, 2);
    EXPECT_EQ(shown(5, 2), Undecided);
    // Only the clicked cell changes.
    EXPECT_EQ(shown(4, 2), Undecided);
    EXPECT_EQ(shown(5, 1), Undecided);
}

TEST_F(FilterWindowTest, FirstClickFillsTheDerivedCellsWithoutANumber)
{
    click(1, 1);

    EXPECT_EQ(shown(12, 1), QStringLiteral("1?????"));
    EXPECT_EQ(shown(10, 1), QStringLiteral("1"));
    for (int row = 2; row <= 4; ++row) {
        EXPECT_EQ(shown(12, row), QStringLiteral("??????")) << "row " << row;
        EXPECT_EQ(shown(10, row), QStringLiteral("0")) << "row " << row;
    }
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(shown(11, row), QString()) << "row " << row;
    EXPECT_EQ(shown(1, 5), QStringLiteral("1"));
    EXPECT_EQ(shown(1, 6), QStringLiteral("-"));
    EXPECT_EQ(shown(2, 5), QStringLiteral("0"));
    EXPECT_EQ(shown(2, 6), QStringLiteral("--"));
}

TEST_F(FilterWindowTest, TheKeyboardCursorSelectsTheCellItMovesTo)
{
    click(1, 3);
    window->StringGrid1->setFocus();
    QTest::keyClick(window->StringGrid1, Qt::Key_Right);

    EXPECT_EQ(shown(1, 3), Marked);
    EXPECT_EQ(shown(2, 3), Marked);
    EXPECT_EQ(shown(2, 5), QStringLiteral("1"));
}

struct PatternCase
{
    const char *name;
    int row;
    QString marks; // ranks 6 to Т: 'X' mobile, '0' empty, '?' undecided
    QString pattern;
    QString number;
    QString count;
};

class FilterPattern : public FilterWindowTest, public ::testing::WithParamInterface<PatternCase>
{
};

TEST_P(FilterPattern, ShowsTheSuitsPatternNumberAndCount)
{
    const PatternCase &c = GetParam();
    setSuit(c.row, c.marks);

    EXPECT_EQ(shown(12, c.row), c.pattern);
    EXPECT_EQ(shown(11, c.row), c.number);
    EXPECT_EQ(shown(10, c.row), c.count);
}

// The ranks 7, 8 and В (second, third and sixth marks) are left undecided
// wherever they do not matter: they never block a number.
INSTANTIATE_TEST_SUITE_P(
    FilterWindow, FilterPattern,
    ::testing::Values(
        PatternCase{"SpadesAllMobileIsHexagram1", 1, "X??XX?XXX", "111111", "1", "6"},
        PatternCase{"SpadesAllEmptyIsHexagram2", 1, "0??00?000", "000000", "2", "0"},
        PatternCase{"ClubsSixAndAceIsHexagram27", 3, "X??00?00X", "100001", "27", "2"},
        PatternCase{"ClubsNineAndAceIsHexagram4", 3, "0??X0?00X", "010001", "4", "2"},
        PatternCase{"RanksWithoutALineMarkedDoNotCountForTheSuit", 2, "XXXXXXXXX", "111111", "1",
                    "6"},
        PatternCase{"AnUndecidedLineLeavesNoNumber", 4, "X00X0000?", "11000?", "", "2"}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(FilterWindowTest, RanksWithoutALineCountInTheirColumnsOnly)
{
    setSuit(1, "0XX00X000");
    setSuit(2, "0X0000000");

    EXPECT_EQ(shown(10, 1), QStringLiteral("0"));
    EXPECT_EQ(shown(11, 1), QStringLiteral("2"));
    EXPECT_EQ(shown(2, 5), QStringLiteral("2"));
    EXPECT_EQ(shown(2, 6), QStringLiteral("="));
    EXPECT_EQ(shown(3, 5), QStringLiteral("1"));
    EXPECT_EQ(shown(3, 6), QStringLiteral("-"));
    EXPECT_EQ(shown(6, 5), QStringLiteral("1"));
}

struct OtherCell
{
    const char *name;
    int column;
    int row;
};

class FilterOtherCell : public FilterWindowTest, public ::testing::WithParamInterface<OtherCell>
{
};

// After a second opening the user cells are "?" again while the derived cells
// still show the first opening's marks, until a click recomputes them.
TEST_P(FilterOtherCell, AClickChangesNoUserCellButRecomputes)
{
    setSuit(1, "X??XX?XXX");
    click(2, 4);
    ASSERT_EQ(shown(11, 1), QStringLiteral("1"));
    reopen();
    ASSERT_EQ(shown(11, 1), QStringLiteral("1"));

    click(GetParam().column, GetParam().row);

    for (int row = 1; row <= 4; ++row)
        for (int column = 1; column <= 9; ++column)
            EXPECT_EQ(shown(column, row), Undecided) << "cell " << column << ", " << row;
    EXPECT_EQ(shown(12, 1), QStringLiteral("??????"));
    EXPECT_EQ(shown(11, 1), QString());
    EXPECT_EQ(shown(10, 1), QStringLiteral("0"));
    EXPECT_EQ(shown(2, 5), QStringLiteral("0"));
    EXPECT_EQ(shown(2, 6), QStringLiteral("--"));
}

INSTANTIATE_TEST_SUITE_P(
    FilterWindow, FilterOtherCell,
    ::testing::Values(OtherCell{"Corner", 0, 0}, OtherCell{"RankTitle", 5, 0},
                      OtherCell{"SuitTitle", 0, 3}, OtherCell{"CountTitle", 0, 5},
                      OtherCell{"SuitCount", 10, 2}, OtherCell{"Number", 11, 1},
                      OtherCell{"Pattern", 12, 4}, OtherCell{"RankCount", 4, 5},
                      OtherCell{"BalanceMark", 7, 6}, OtherCell{"LastRow", 3, 7}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(FilterWindowTest, ThreeClicksReturnACellToWhatItWas)
{
    setSuit(3, "X0?X0?X0?");
    for (int column = 1; column <= 9; ++column) {
        const QString before = shown(column, 3);
        click(column, 3);
        click(column, 3);
        click(column, 3);
        EXPECT_EQ(shown(column, 3), before) << "column " << column;
    }
}

TEST_F(FilterWindowTest, RanksWithoutALineArePaintedInTheScrollBarColour)
{
    const QImage image = painted();
    for (const int column : {2, 3, 6})
        for (int row = 0; row <= 7; ++row)
            EXPECT_EQ(cellColour(image, window->StringGrid1->cellRect(column, row)),
                      ScrollBarColour)
                << "cell " << column << ", " << row;
}

TEST_F(FilterWindowTest, TitlesAndCountCellsAreButtonFaceAndDataCellsWindowColour)
{
    const QImage image = painted();
    const auto colour = [&](int column, int row) {
        return cellColour(image, window->StringGrid1->cellRect(column, row));
    };
    for (const int column : {0, 1, 4, 5, 7, 8, 9, 10, 11, 12})
        EXPECT_EQ(colour(column, 0), ButtonFaceColour) << "title " << column;
    for (int row = 1; row <= 7; ++row)
        EXPECT_EQ(colour(0, row), ButtonFaceColour) << "title row " << row;
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(colour(10, row), ButtonFaceColour) << "suit count row " << row;
    for (const int column : {1, 4, 5, 7, 8, 9})
        EXPECT_EQ(colour(column, 5), ButtonFaceColour) << "rank count " << column;
    for (const int column : {1, 4, 5, 7, 8, 9}) {
        for (const int row : {1, 2, 3, 4, 6, 7})
            EXPECT_EQ(colour(column, row), WindowColour) << "cell " << column << ", " << row;
    }
    for (const int column : {11, 12})
        for (int row = 1; row <= 7; ++row)
            EXPECT_EQ(colour(column, row), WindowColour) << "cell " << column << ", " << row;
    EXPECT_EQ(colour(10, 6), WindowColour);
    EXPECT_EQ(colour(10, 7), WindowColour);
}

TEST_F(FilterWindowTest, CellTextsArePaintedInBlack)
{
    click(4, 1);
    click(7, 1);
    click(7, 1);

    EXPECT_TRUE(showsText(4, 1));   // "X"
    EXPECT_TRUE(showsText(5, 1));   // "?"
    EXPECT_FALSE(showsText(7, 1));  // empty
    EXPECT_TRUE(showsText(12, 1));  // the pattern
    EXPECT_FALSE(showsText(11, 1)); // no number yet
}

TEST_F(FilterWindowTest, ClientAreaIsButtonFace)
{
    const QImage image = window->grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 5), ButtonFaceColour);
    EXPECT_EQ(image.pixelColor(600, 300), ButtonFaceColour);
}

TEST_F(FilterWindowTest, LaysItsControlsOutOnActivation)
{
    EXPECT_EQ(window->StringGrid1->geometry(), QRect(20, 20, 370, 129));
    EXPECT_EQ(window->CheckBox1->geometry(), QRect(20, 159, 257, 25));
    EXPECT_EQ(window->Button9->geometry(), QRect(256, 376, 137, 25));
    EXPECT_EQ(window->StringGrid1->model()->columnCount(), 13);
    EXPECT_EQ(window->StringGrid1->model()->rowCount(), 8);
    for (int column = 0; column <= 11; ++column)
        EXPECT_EQ(window->StringGrid1->columnWidthOf(column), 23) << "column " << column;
    EXPECT_EQ(window->StringGrid1->columnWidthOf(12), 80);
    for (int row = 0; row <= 7; ++row)
        EXPECT_EQ(window->StringGrid1->rowHeightOf(row), 15) << "row " << row;
}

TEST_F(FilterWindowTest, KeepsTheSizeAndPlaceTheMainWindowGaveIt)
{
    EXPECT_EQ(window->size(), QSize(690, 465));
    reopen();
    EXPECT_EQ(window->size(), QSize(690, 465));
}

TEST_F(FilterWindowTest, EveryActivationWidensThePatternColumnOnce)
{
    reopen();
    reopen();
    EXPECT_EQ(window->StringGrid1->columnWidthOf(12), 80);
    EXPECT_EQ(window->StringGrid1->columnWidthOf(11), 23);
}

TEST_F(FilterWindowTest, TheCheckBoxCanBeTickedAndChangesNothing)
{
    setSuit(3, "X??00?00X");
    QTest::mouseClick(window->CheckBox1, Qt::LeftButton, {}, QPoint(8, 12));

    EXPECT_TRUE(window->CheckBox1->isChecked());
    EXPECT_EQ(shown(12, 3), QStringLiteral("100001"));
    EXPECT_EQ(shown(11, 3), QStringLiteral("27"));
}

TEST_F(FilterWindowTest, CloseButtonClosesTheWindow)
{
    QTest::mouseClick(window->Button9, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FilterWindowTest, CloseButtonEndsTheModalDisplay)
{
    window->close();
    QApplication::processEvents();

    QString firstCell;
    QSize sizeWhileShown;
    QTimer::singleShot(0, window.get(), [&] {
        firstCell = shown(1, 1);
        sizeWhileShown = window->size();
        QTest::mouseClick(window->Button9, Qt::LeftButton);
    });
    window->exec();

    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(firstCell, Undecided);
    EXPECT_EQ(sizeWhileShown, QSize(690, 465));
}

TEST_F(FilterWindowTest, EscapeDoesNotCloseTheWindow)
{
    window->StringGrid1->setFocus();
    QTest::keyClick(window->StringGrid1, Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(FilterWindowTest, OpeningAgainResetsTheUserCellsButNotTheDerivedCells)
{
    setSuit(3, "X??00?00X");
    setSuit(4, "XXX?????X");
    ASSERT_EQ(shown(11, 3), QStringLiteral("27"));

    reopen();

    for (int row = 1; row <= 4; ++row)
        for (int column = 1; column <= 9; ++column)
            EXPECT_EQ(shown(column, row), Undecided) << "cell " << column << ", " << row;
    EXPECT_EQ(shown(12, 3), QStringLiteral("100001"));
    EXPECT_EQ(shown(11, 3), QStringLiteral("27"));
    EXPECT_EQ(shown(10, 3), QStringLiteral("2"));
    EXPECT_EQ(shown(1, 5), QStringLiteral("2"));
    EXPECT_EQ(shown(2, 5), QStringLiteral("1"));
    EXPECT_EQ(shown(2, 6), QStringLiteral("-"));
}

TEST_F(FilterWindowTest, ComingBackFromAnotherOfTheProgramsWindowsResetsTheUserCells)
{
    QWidget other;
    other.show();
    setSuit(1, "X????????");

    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(window.get());

    EXPECT_EQ(shown(1, 1), Undecided);
    EXPECT_EQ(shown(12, 1), QStringLiteral("1?????"));
}

TEST_F(FilterWindowTest, ComingBackFromAnotherApplicationKeepsTheUserCells)
{
    setSuit(1, "X????????");

    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(window.get());

    EXPECT_EQ(shown(1, 1), Marked);
}

TEST_F(FilterWindowTest, EveryClickOfAQuickSeriesCounts)
{
    QWindow *handle = window->windowHandle();
    QTest::mouseDClick(handle, Qt::LeftButton, {}, inWindow(5, 2));
    EXPECT_EQ(shown(5, 2), QString()); // two clicks: "?", "X", empty
    QTest::mouseClick(handle, Qt::LeftButton, {}, inWindow(5, 2));
    EXPECT_EQ(shown(5, 2), Undecided);
    // A double click as a widget sees it alone counts once more.
    QTest::mouseDClick(window->StringGrid1->viewport(), Qt::LeftButton, {},
                       window->StringGrid1->cellRect(5, 2).center());
    EXPECT_EQ(shown(5, 2), Marked);
}

TEST_F(FilterWindowTest, OtherButtonsAndTypedCharactersChangeNothing)
{
    click(4, 1);
    const QStringList before = sheet();
    QWindow *handle = window->windowHandle();
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(handle, button, {}, inWindow(4, 1));
        QTest::mouseDClick(handle, button, {}, inWindow(6, 3));
    }
    // The grid would jump to a cell beginning with the typed character.
    QTest::keyClicks(window->StringGrid1, QStringLiteral("?X6m"));
    EXPECT_EQ(sheet(), before);
    EXPECT_EQ(window->StringGrid1->currentIndex(), window->StringGrid1->model()->index(1, 4));
}

TEST_F(FilterWindowTest, APressDraggedToAnotherCellAdvancesThatCell)
{
    QWindow *handle = window->windowHandle();
    QTest::mousePress(handle, Qt::LeftButton, {}, inWindow(1, 1));
    QTest::mouseMove(handle, inWindow(2, 1));
    QTest::mouseMove(handle, inWindow(3, 1));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, inWindow(3, 1));
    EXPECT_EQ(shown(1, 1), Undecided);
    EXPECT_EQ(shown(2, 1), Undecided);
    EXPECT_EQ(shown(3, 1), Marked);
}

TEST_F(FilterWindowTest, TabLeavesTheGridAndTheClickedCellShowsItsFocus)
{
    click(4, 2);
    ASSERT_TRUE(window->StringGrid1->hasFocus());
    // The focus rectangle: dark dots on the clicked cell's border, none on its
    // neighbour's.
    const auto dotsOnBorder = [&](int column, int row) {
        const QImage image = painted();
        const QRect cell = window->StringGrid1->cellRect(column, row);
        int dark = 0;
        for (int x = cell.left() + 2; x < cell.right() - 2; ++x)
            dark += image.pixelColor(x, cell.top()).lightness() < 100;
        return dark;
    };
    EXPECT_GE(dotsOnBorder(4, 2), 5);
    EXPECT_EQ(dotsOnBorder(5, 2), 0);

    const QStringList before = sheet();
    QTest::keyClick(window->StringGrid1, Qt::Key_Tab);
    EXPECT_FALSE(window->StringGrid1->hasFocus());
    EXPECT_EQ(sheet(), before);
}

struct ClosingKey
{
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

class FilterKeys : public FilterWindowTest, public ::testing::WithParamInterface<ClosingKey>
{
};

// Return, keypad Enter and Escape close nothing and keep the user's marks, in
// the grid and on the check box alike; only the button and the close box close.
TEST_P(FilterKeys, LeaveTheWindowOpenWithTheUsersMarks)
{
    setSuit(1, "X0X0X0X0X");
    const QStringList before = sheet();
    for (QWidget *target :
         {static_cast<QWidget *>(window->StringGrid1), static_cast<QWidget *>(window->CheckBox1)}) {
        target->setFocus();
        QTest::keyClick(target, GetParam().key, GetParam().modifiers);
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(sheet(), before);
    EXPECT_FALSE(window->Button9->isDefault());
    EXPECT_FALSE(window->Button9->autoDefault());
}

INSTANTIATE_TEST_SUITE_P(FilterWindow, FilterKeys,
                         ::testing::Values(ClosingKey{"Return", Qt::Key_Return, Qt::NoModifier},
                                           ClosingKey{"KeypadEnter", Qt::Key_Enter,
                                                      Qt::KeypadModifier},
                                           ClosingKey{"Escape", Qt::Key_Escape, Qt::NoModifier}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(FilterWindowTest, ReturnOnTheFocusedCloseButtonCloses)
{
    window->Button9->setFocus();
    QTest::keyClick(window->Button9, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
}
