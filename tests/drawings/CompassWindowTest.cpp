// SPDX-License-Identifier: GPL-3.0-or-later
#include "../TestSupport.h"
#include "DrawingsFixtures.h"
#include "PaintedPixels.h"
#include "drawings/CompassWalk.h"
#include "drawings/DrawingsKompas.h"
#include "platform/views/SystemColors.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor SpadeBlue(0, 0, 255);
const QColor DiamondYellow(255, 255, 0);
const QColor White(255, 255, 255);

class CompassWindow : public ::testing::Test
{
protected:
    TFormKompas &open(const QString &chain)
    {
        putChain(table, chain);
        window = std::make_unique<TFormKompas>(state, table, &mainWindow);
        window->show();
        return *window;
    }

    void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    void typeMultiplier(const QString &text)
    {
        window->Edit1->selectAll();
        if (text.isEmpty())
            QTest::keyClick(window->Edit1, Qt::Key_Delete);
        else
            QTest::keyClicks(window->Edit1, text);
    }

    QImage screen() { return window->grab().toImage(); }

    CompassState state;
    TextGrid table{38, 8};
    QWidget mainWindow;
    std::unique_ptr<TFormKompas> window;
};

} // namespace

TEST_F(CompassWindow, IsLaidOutOnActivation)
{
    open(OrderedDeckText);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("FormKompas"));
    EXPECT_EQ(window->size(), QSize(650, 650));
    EXPECT_EQ(window->pos(), QPoint(0, 0));

    struct Expected
    {
        QWidget *widget;
        const char *name;
        QRect geometry;
        QString text;
    };
    const Expected controls[] = {
        {window->Button1, "Button1", QRect(20, 20, 100, 25), QStringLiteral("Закрыть")},
        {window->ButtonStep, "ButtonStep", QRect(20, 50, 100, 25), QStringLiteral("Пошагово идти")},
        {window->Button2, "Button2", QRect(20, 80, 100, 25), QStringLiteral("Все шаги")},
        {window->Label1, "Label1", QRect(20, 115, 70, 20), QStringLiteral("Множитель =")},
        {window->Edit1, "Edit1", QRect(90, 110, 35, 20), QStringLiteral("10")},
    };
    for (const Expected &c : controls) {
        EXPECT_EQ(window->findChild<QWidget *>(QString::fromLatin1(c.name)), c.widget) << c.name;
        EXPECT_EQ(c.widget->geometry(), c.geometry) << c.name;
    }
    EXPECT_EQ(window->Button1->text(), controls[0].text);
    EXPECT_EQ(window->ButtonStep->text(), controls[1].text);
    EXPECT_EQ(window->Button2->text(), controls[2].text);
    EXPECT_EQ(window->Label1->text(), controls[3].text);
    EXPECT_EQ(window->Edit1->text(), controls[4].text);
    EXPECT_EQ(window->palette().color(QPalette::Window),
              platform::systemColor(platform::SystemColor::ButtonFace));
}

TEST_F(CompassWindow, StepOneOfAnAceOfSpadesShowsNinetyPixelsNorth)
{
    open(QStringLiteral("Тп 6б 7к"));
    const QPoint origin = compassOrigin(state.CompassBounds);

    click(window->ButtonStep);
    EXPECT_EQ(window->replayText().value(0), QStringLiteral("Карта № 0"));
    // Step 0 shows only the start marker.
    EXPECT_FALSE(colourNear(screen(), origin.x(), origin.y() - 45, SpadeBlue));

    click(window->ButtonStep);
    EXPECT_EQ(window->replayText(),
              QStringList({QStringLiteral("Карта № 1"), QStringLiteral("x1 =    0"),
                           QStringLiteral("y1 =    -90")}));
    const QImage image = screen();
    EXPECT_TRUE(colourNear(image, origin.x(), origin.y() - 45, SpadeBlue));
    EXPECT_TRUE(colourNear(image, origin.x(), origin.y() - 85, SpadeBlue));
    EXPECT_FALSE(colourNear(image, origin.x(), origin.y() - 100, SpadeBlue));
}

TEST_F(CompassWindow, TheReplayWrapsAfterCard36OfAWholeDeck)
{
    open(NoCollapseText);
    for (int clickCount = 1; clickCount <= 36; ++clickCount)
        click(window->ButtonStep);
    EXPECT_EQ(window->replayText().value(0), QStringLiteral("Карта № 35"));
    click(window->ButtonStep);
    EXPECT_EQ(window->replayText(),
              QStringList({QStringLiteral("Карта № 36"), QStringLiteral("x1 =    0"),
                           QStringLiteral("y1 =    0")}));
    click(window->ButtonStep);
    EXPECT_EQ(window->replayText().value(0), QStringLiteral("Карта № 0"));
}

TEST_F(CompassWindow, EveryShowingStartsTheReplayAgain)
{
    open(OrderedDeckText);
    click(window->ButtonStep);
    click(window->ButtonStep);
    click(window->ButtonStep);
    EXPECT_EQ(state.CompassStep, 2);
    window->hide();
    window->show();
    EXPECT_EQ(state.CompassStep, CompassStepReset);
    click(window->ButtonStep);
    EXPECT_EQ(window->replayText().value(0), QStringLiteral("Карта № 0"));
}

TEST_F(CompassWindow, AllSpadesBeforeAnyHeartFrameABox450High)
{
    open(spadesBeforeHeartsText());
    const CompassBox box = compassBox(state.CompassBounds);
    EXPECT_EQ(box.Bottom - box.Top, 450);
    // The dotted white frame runs five pixels outside the box.
    const QImage image = screen();
    const int margin = state.CompassFrameMargin;
    const QRect top(box.Left, box.Top - margin, box.Right - box.Left, 1);
    const QRect bottom(box.Left, box.Bottom + margin, box.Right - box.Left, 1);
    EXPECT_GT(countColour(image, top, White), top.width() / 4);
    EXPECT_GT(countColour(image, bottom, White), bottom.width() / 4);
    EXPECT_EQ(countColour(image, top.translated(0, -2), White), 0);
}

TEST_F(CompassWindow, ADoubledMultiplierDrawsLinesTwiceAsLongFromTheSameOrigin)
{
    // North 90, then east 90.
    open(QStringLiteral("Тп Тб"));
    const QPoint origin = compassOrigin(state.CompassBounds);
    ASSERT_EQ(origin, QPoint(150, 240));
    QImage image = screen();
    EXPECT_TRUE(colourNear(image, origin.x(), origin.y() - 20, SpadeBlue));
    EXPECT_TRUE(colourNear(image, 200, origin.y() - 90, DiamondYellow));
    EXPECT_FALSE(colourNear(image, origin.x(), origin.y() - 160, SpadeBlue));
    EXPECT_FALSE(colourNear(image, 300, origin.y() - 180, DiamondYellow));

    typeMultiplier(QStringLiteral("20"));
    EXPECT_EQ(state.CompassMultiplier, 20);
    click(window->Button2);
    image = screen();
    EXPECT_EQ(compassOrigin(state.CompassBounds), origin);
    EXPECT_TRUE(colourNear(image, origin.x(), origin.y() - 20, SpadeBlue));
    EXPECT_TRUE(colourNear(image, origin.x(), origin.y() - 160, SpadeBlue));
    EXPECT_TRUE(colourNear(image, 300, origin.y() - 180, DiamondYellow));
    EXPECT_FALSE(colourNear(image, 200, origin.y() - 90, DiamondYellow));
    // The window keeps its size until it is shown again.
    EXPECT_EQ(window->size(), QSize(650, 650));
}

TEST_F(CompassWindow, TheNextShowingSizesTheWindowForTheNewMultiplier)
{
    open(OrderedDeckText);
    typeMultiplier(QStringLiteral("12"));
    EXPECT_EQ(window->size(), QSize(650, 650));
    window->hide();
    window->show();
    EXPECT_EQ(window->size(), QSize(740, 740));
    EXPECT_EQ(compassBox(state.CompassBounds).Bottom - compassBox(state.CompassBounds).Top,
              45 * 12);
}

TEST_F(CompassWindow, AMultiplierThatIsNoNumberIsIgnoredSilently)
{
    open(OrderedDeckText);
    typeMultiplier(QString());
    EXPECT_EQ(window->Edit1->text(), QString());
    EXPECT_EQ(state.CompassMultiplier, 10);
    typeMultiplier(QStringLiteral("abc"));
    EXPECT_EQ(state.CompassMultiplier, 10);
    typeMultiplier(QStringLiteral("300"));
    EXPECT_EQ(state.CompassMultiplier, 44);
}

TEST_F(CompassWindow, BeforeAnyAnalysisItShowsTheStartMarkerAndTheFrame)
{
    open(QString());
    const QPoint origin = compassOrigin(state.CompassBounds);
    EXPECT_EQ(origin, QPoint(150, 150));
    const QImage image = screen();
    // The marker's outer circle, drawn in black two pixels wide.
    EXPECT_TRUE(colourNear(image, origin.x(), origin.y() - 5, Qt::black));
    EXPECT_TRUE(colourNear(image, origin.x() - 5, origin.y(), Qt::black));
    // The frame around the empty box.
    EXPECT_GT(countColour(image, QRect(145, 145, 11, 1), White), 0);
    EXPECT_GT(countColour(image, QRect(145, 155, 11, 1), White), 0);
    // No step was drawn.
    const QColor stepColours[] = {SpadeBlue, DiamondYellow, QColor(0, 128, 0)};
    for (const QColor &colour : stepColours)
        EXPECT_EQ(countColour(image, QRect(130, 170, 100, 100), colour), 0);
}

TEST_F(CompassWindow, ARepaintShowsTheDrawingAgain)
{
    open(QStringLiteral("Тп Тб"));
    typeMultiplier(QStringLiteral("20"));
    click(window->Button2);
    // Right of the controls, whose looks follow focus and hover.
    const QRect drawing(130, 0, window->width() - 130, window->height());
    const QImage drawn = screen().copy(drawing);
    window->update();
    QApplication::processEvents();
    window->repaint();
    EXPECT_EQ(screen().copy(drawing), drawn);
    EXPECT_TRUE(colourNear(drawn, 150 - drawing.left(), 80, SpadeBlue));
}

TEST_F(CompassWindow, CloseHidesTheWindow)
{
    open(OrderedDeckText);
    click(window->Button1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(CompassWindow, ReturnInTheMultiplierLineKeepsTheWindowOpen)
{
    open(OrderedDeckText);
    for (const auto &[key, modifiers] :
         {std::pair{Qt::Key_Return, Qt::KeyboardModifiers()},
          std::pair{Qt::Key_Enter, Qt::KeyboardModifiers(Qt::KeypadModifier)},
          std::pair{Qt::Key_Escape, Qt::KeyboardModifiers()}}) {
        window->Edit1->setFocus();
        QTest::keyClick(window->Edit1, key, modifiers);
        EXPECT_TRUE(window->isVisible()) << key;
    }
    for (QPushButton *button : window->findChildren<QPushButton *>())
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << button->text().toStdString();
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}
