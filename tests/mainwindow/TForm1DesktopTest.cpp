// SPDX-License-Identifier: GPL-3.0-or-later
#include "../SystemTestSupport.h"
#include "MainWindowFixture.h"
#include "hexagrams/HexagramTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <QWindow>

#include <string>

namespace {

// Counts the paint events a widget gets and the region they cover.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;
    QRegion region;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++count;
            region += static_cast<QPaintEvent *>(event)->region();
        }
        return false;
    }
};

class DesktopWindow : public MainWindowTest
{
protected:
    // A cell's centre in the window, for events that go through the platform.
    QPoint inWindow(platform::GridView *grid, int column, int row)
    {
        return grid->viewport()->mapTo(form.get(), grid->cellRect(column, row).center());
    }

    // Puts text on the clipboard and pastes it over the chain line with Ctrl+V.
    void pasteIntoTheChainLine(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        form->Edit1->setFocus();
        form->Edit1->selectAll();
        QTest::keyClick(form->Edit1, Qt::Key_V, Qt::ControlModifier);
    }
};

} // namespace

TEST_F(DesktopWindow, TitleIsTheCaptionAloneAndTheStatusBarAddsToTheClientArea)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("ТЛ калькулятор 022"));
    EXPECT_EQ(form->windowHandle()->title(), QStringLiteral("ТЛ калькулятор 022"));
    EXPECT_EQ(form->client()->size(), QSize(976, 465));
    EXPECT_TRUE(form->statusBar()->isVisible());
    EXPECT_EQ(form->height(), form->menuBar()->height() + 465 + form->statusBar()->height());
}

struct DeckCheckCase
{
    const char *name;
    QString text;
    QString status;
};

class StatusBarDeckCheck : public DesktopWindow, public ::testing::WithParamInterface<DeckCheckCase>
{
};

TEST_P(StatusBarDeckCheck, ShowsTheAnalysedTextsDeckCheckOutsideTheReport)
{
    typeAndCheck(GetParam().text);
    EXPECT_EQ(form->DeckCheckLabel->text(), GetParam().status);
    for (const QString &line : form->tables().RichEdit1.lines())
        EXPECT_FALSE(line.contains(QStringLiteral("Колода")) ||
                     line.contains(QStringLiteral("хватает")));
    // The generator's rate has its own place, and leaves the check alone.
    form->showRunRate(QStringLiteral("1 200 000 раскладов в секунду"));
    EXPECT_EQ(form->RunRateLabel->text(), QStringLiteral("1 200 000 раскладов в секунду"));
    EXPECT_EQ(form->DeckCheckLabel->text(), GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    DesktopWindow, StatusBarDeckCheck,
    ::testing::Values(
        DeckCheckCase{"FullDeck", OrderedDeckText, FullDeckText},
        DeckCheckCase{"Repeated",
                      QString(OrderedDeckText).replace(QStringLiteral("7п"), QStringLiteral("6п")),
                      QStringLiteral("Не колода: не хватает: 7п; дважды: 6п")},
        DeckCheckCase{"NoCard",
                      QString(OrderedDeckText).replace(QStringLiteral("Тч"), QStringLiteral("Жч")),
                      QStringLiteral("Не колода: не хватает: Тч; не карты: «Жч»")}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(DesktopWindow, ReplacementShowsTheNewChainsDeckCheck)
{
    typeAndCheck(QString(OrderedDeckText).replace(QStringLiteral("7п"), QStringLiteral("6п")));
    form->ComboBox5->setCurrentIndex(1); // 6п
    form->ComboBox6->setCurrentIndex(2); // 7п: both 6п become 7п
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    EXPECT_EQ(form->DeckCheckLabel->text(),
              QStringLiteral("Не колода: не хватает: 6п; дважды: 7п"));
}

struct NotACard
{
    const char *name;
    int list; // 5 or 6
    QString text;
};

class ReplacementRefusal : public DesktopWindow, public ::testing::WithParamInterface<NotACard>
{
};

TEST_P(ReplacementRefusal, ChangesNothingAndSaysWhy)
{
    typeAndCheck(OrderedDeckText);
    QComboBox *list = GetParam().list == 5 ? form->ComboBox5 : form->ComboBox6;
    list->setEditText(GetParam().text);
    const QStringList report = form->tables().RichEdit1.lines();
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    EXPECT_EQ(services.messages, QStringList{ReplacementNotACardText.arg(GetParam().text)});
    EXPECT_EQ(form->Edit1->text(), OrderedDeckText);
    EXPECT_EQ(form->tables().RichEdit1.lines(), report);
}

INSTANTIATE_TEST_SUITE_P(
    DesktopWindow, ReplacementRefusal,
    ::testing::Values(NotACard{"PlaceholderFirst", 5, QStringLiteral("Выбери")},
                      NotACard{"PlaceholderSecond", 6, QStringLiteral("Выбери")},
                      NotACard{"TypedRankAlone", 6, QStringLiteral("Т")}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(DesktopWindow, APastedLineBreakIsABlank)
{
    const QString twoLines = OrderedDeckText.left(54) + u'\n' + OrderedDeckText.mid(54);
    pasteIntoTheChainLine(twoLines);
    EXPECT_EQ(form->Edit1->text(), QString(twoLines).replace(u'\n', u' '));
    QTest::mouseClick(form->ButtonCheckString, Qt::LeftButton);
    EXPECT_EQ(form->tables().RichEdit1.lines().value(0), QStringLiteral("Свёртка до 2 карт"));
    EXPECT_EQ(form->DeckCheckLabel->text(), FullDeckText);
    form->Edit1->setText(QStringLiteral("6п\r\n7п\t8п"));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("6п 7п 8п"));
}

TEST_F(DesktopWindow, ALongPasteIsKeptWhole)
{
    const QString text = OrderedDeckText + QString(40000, u' ') + QStringLiteral("Тч");
    pasteIntoTheChainLine(text);
    EXPECT_EQ(form->Edit1->text(), text);
    QTest::mouseClick(form->ButtonCheckString, Qt::LeftButton);
    EXPECT_EQ(form->DeckCheckLabel->text(), QStringLiteral("Не колода: дважды: Тч"));
}

TEST_F(DesktopWindow, LongReportLinesWrapAndNewLinesComeIntoSight)
{
    if (runsUnderWine())
        GTEST_SKIP() << "Wine has no Lucida Console for the report's lines to wrap in";
    typeAndCheck(OrderedDeckText); // hexagram 13 for every suit
    QTest::mouseClick(form->StringGrid3->viewport(), Qt::LeftButton, {},
                      form->StringGrid3->cellRect(8, 1).center());
    ASSERT_GT(HexagramTexts[13].Judgement.size(), 60);
    QApplication::processEvents();
    QScrollBar *across = form->RichEdit1->horizontalScrollBar();
    EXPECT_EQ(across->maximum(), 0); // nothing runs past the right edge
    QScrollBar *down = form->RichEdit1->verticalScrollBar();
    ASSERT_GT(down->maximum(), 0);
    down->setValue(0); // the user scrolls up to read the first lines
    form->tables().RichEdit1.append(QStringLiteral("новая строка"));
    EXPECT_EQ(down->value(), down->maximum());
}

TEST_F(DesktopWindow, TheHexagramTableShowsTheFocusOfAClickedCell)
{
    typeAndCheck(OrderedDeckText);
    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, inWindow(form->StringGrid3, 3, 2));
    ASSERT_TRUE(form->StringGrid3->hasFocus());
    const QImage image = form->StringGrid3->viewport()->grab().toImage();
    const QRect cell = form->StringGrid3->cellRect(3, 2);
    int dots = 0;
    for (int x = cell.left() + 2; x < cell.right() - 2; ++x)
        dots += image.pixelColor(x, cell.top()).lightness() < 100;
    EXPECT_GE(dots, 4);
}

TEST_F(DesktopWindow, OnlyALeftClickOrADragsEndSelectsAHexagramNumber)
{
    typeAndCheck(OrderedDeckText);
    const int before = form->tables().RichEdit1.lineCount();
    QWindow *handle = form->windowHandle();
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
        QTest::mouseClick(handle, button, {}, inWindow(form->StringGrid3, 8, 1));
    EXPECT_EQ(form->tables().RichEdit1.lineCount(), before);

    // Pressed on suit п's number, dragged and released on suit к's: к's texts.
    QTest::mousePress(handle, Qt::LeftButton, {}, inWindow(form->StringGrid3, 8, 1));
    QTest::mouseMove(handle, inWindow(form->StringGrid3, 8, 2));
    QTest::mouseMove(handle, inWindow(form->StringGrid3, 8, 3));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, inWindow(form->StringGrid3, 8, 3));
    const QStringList lines = form->tables().RichEdit1.lines().mid(before);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Таблица №3. Столбец = 8; Строка = 3; Значение = 13"));
}

TEST_F(DesktopWindow, TheGridsCellsFillTheirFrames)
{
    for (platform::GridView *grid : {form->StringGrid1, form->StringGrid2, form->StringGrid3}) {
        const int last = grid->model()->columnCount() - 1;
        // The last column reaches the frame; no empty strip is left beside it.
        EXPECT_GE(grid->cellRect(last, 0).right(), grid->viewport()->width() - 1)
            << grid->objectName().toStdString();
        EXPECT_GE(grid->cellRect(0, 7).bottom(), grid->viewport()->height() - 1)
            << grid->objectName().toStdString();
        EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    }
}

TEST_F(DesktopWindow, MouseMovesRepaintNothingUnlessThePictureChanged)
{
    typeAndCheck(OrderedDeckText);
    QApplication::processEvents();
    PaintCounter paints(form->client());
    QWindow *handle = form->windowHandle();
    for (int x = 600; x < 700; x += 10)
        QTest::mouseMove(handle, form->client()->mapTo(form.get(), QPoint(x, 470 - 10)));
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 0);

    // A changed number is drawn, and only the picture's part is painted again.
    form->tables().StringGrid3.setCell(8, 2, QStringLiteral("1"));
    QTest::mouseMove(handle, form->client()->mapTo(form.get(), QPoint(700, 460)));
    QApplication::processEvents();
    EXPECT_GE(paints.count, 1);
    EXPECT_TRUE(QRegion(form->hexagramPictureArea()).contains(paints.region.boundingRect()));
    const qreal ratio = form->client()->devicePixelRatioF();
    EXPECT_EQ(form->hexagramPicture().devicePixelRatio(), ratio);
    EXPECT_EQ(form->hexagramPicture().size(), form->hexagramPictureArea().size() * ratio);
}
