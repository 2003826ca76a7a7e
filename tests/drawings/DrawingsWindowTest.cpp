// SPDX-License-Identifier: GPL-3.0-or-later
#include "../TestSupport.h"
#include "DrawingsFixtures.h"
#include "PaintedPixels.h"
#include "drawings/DrawingsGeometry.h"
#include "drawings/ImageBox.h"
#include "drawings/KompasDrawUnit.h"
#include "drawings/RadioGroup.h"
#include "platform/views/SystemColors.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor Pink(250, 200, 200);
const QColor Cream(255, 251, 240);
const QColor Blue(0, 0, 255);
const QColor Green(0, 128, 0);

QColor buttonFace()
{
    return platform::systemColor(platform::SystemColor::ButtonFace);
}

class DrawingsWindow : public ::testing::Test
{
protected:
    TFormDrawings &open(const QString &chain)
    {
        putChain(table, chain);
        window = std::make_unique<TFormDrawings>(state, services, table, &mainWindow);
        window->show();
        return *window;
    }

    template <typename Widget> Widget *find(const char *name)
    {
        return window->findChild<Widget *>(QString::fromLatin1(name));
    }

    void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    QImage picture() { return window->ImageKoloda->grab().toImage(); }

    DrawingFrame frame() const
    {
        return drawingFrame(window->ImageKoloda->width(), window->ImageKoloda->height());
    }

    // How far up from the centre the ordered deck's walk has come after n
    // spades: 1 + 2 + ... + n pixels.
    static int spadesHeight(int n) { return n * (n + 1) / 2; }

    DrawingsState state;
    TestServices services;
    TextGrid table{38, 8};
    QWidget mainWindow;
    std::unique_ptr<TFormDrawings> window;
};

} // namespace

TEST_F(DrawingsWindow, IsLaidOutAsGiven)
{
    mainWindow.move(30, 40);
    open(QString());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("FormDrawings Компас Форма"));
    EXPECT_EQ(window->pos(), QPoint(30, 40));
    EXPECT_EQ(window->size(), QSize(663, 408));

    struct Expected
    {
        const char *name;
        QRect geometry;
        QString caption;
    };
    const Expected boxes[] = {
        {"GroupBox1", QRect(10, 5, 125, 110), QStringLiteral("Кнопочки))")},
        {"GroupBox2", QRect(10, 120, 125, 123), QStringLiteral("Компас")},
        {"GroupBox3", QRect(10, 248, 125, 125), QStringLiteral("Миниатюра")},
        {"GroupBox4", QRect(145, 5, 368, 368), QStringLiteral("Рабочее окно")},
        {"RadioGroup1", QRect(523, 5, 125, 80), QStringLiteral("Множитель")},
        {"GroupBox5", QRect(523, 95, 125, 110), QStringLiteral("Выбор Шага")},
    };
    for (const Expected &e : boxes) {
        const QGroupBox *box = find<QGroupBox>(e.name);
        ASSERT_NE(box, nullptr) << e.name;
        EXPECT_EQ(box->geometry(), e.geometry) << e.name;
        EXPECT_EQ(box->title(), e.caption) << e.name;
    }
    const Expected buttons[] = {
        {"ButtonAll", QRect(10, 15, 105, 25), QStringLiteral("Весь Ход))")},
        {"ButtonStep", QRect(10, 45, 105, 25), QStringLiteral("Один Шаг")},
        {"ButtonClose", QRect(10, 75, 105, 25), QStringLiteral("Закрыть Рисунок")},
    };
    for (const Expected &e : buttons) {
        const QPushButton *button = find<QPushButton>(e.name);
        ASSERT_NE(button, nullptr) << e.name;
        EXPECT_EQ(button->parentWidget(), window->GroupBox1);
        EXPECT_EQ(button->geometry(), e.geometry) << e.name;
        EXPECT_EQ(button->text(), e.caption) << e.name;
    }
    const Expected labels[] = {
        {"Label1", QRect(10, 18, 40, 20), QStringLiteral("Север")},
        {"Label2", QRect(10, 43, 40, 20), QStringLiteral("Юг")},
        {"Label3", QRect(10, 68, 40, 20), QStringLiteral("Запад")},
        {"Label4", QRect(10, 93, 40, 20), QStringLiteral("Восток")},
        {"Label5", QRect(10, 18, 40, 20), QStringLiteral("Шаг №")},
        {"Label6", QRect(10, 43, 40, 20), QStringLiteral("Карта")},
    };
    for (const Expected &e : labels) {
        const QLabel *label = find<QLabel>(e.name);
        ASSERT_NE(label, nullptr) << e.name;
        EXPECT_EQ(label->geometry(), e.geometry) << e.name;
        EXPECT_EQ(label->text(), e.caption) << e.name;
    }
    const char *lists[] = {"ComboBox1", "ComboBox2", "ComboBox3", "ComboBox4"};
    for (int i = 0; i < 4; ++i) {
        const QComboBox *list = find<QComboBox>(lists[i]);
        ASSERT_NE(list, nullptr) << lists[i];
        EXPECT_EQ(list->geometry(), QRect(60, 18 + 25 * i, 55, 20)) << lists[i];
    }
    EXPECT_EQ(find<QComboBox>("ComboBox5")->geometry(), QRect(60, 18, 55, 20));
    EXPECT_EQ(find<QComboBox>("ComboBox6")->geometry(), QRect(60, 43, 55, 20));

    const ImageBox *thumbnail = find<ImageBox>("ImageKompas");
    ASSERT_NE(thumbnail, nullptr);
    EXPECT_EQ(thumbnail->parentWidget(), window->GroupBox3);
    EXPECT_EQ(thumbnail->geometry(), QRect(2, 18, 120, 95));
    // The picture area fills the working box inside its frame and title.
    const ImageBox *area = find<ImageBox>("ImageKoloda");
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->geometry(), window->GroupBox4->contentsRect());
    EXPECT_GT(area->width(), 300);
    EXPECT_GT(area->height(), 300);
}

TEST_F(DrawingsWindow, ListsStartWithTheCompassSuitsAndTheNominalLength)
{
    open(QString());
    const QStringList suits{QStringLiteral("Пики"), QStringLiteral("Черви"),
                            QStringLiteral("Крести"), QStringLiteral("Бубны")};
    const QComboBox *lists[] = {window->ComboBox1, window->ComboBox2, window->ComboBox3,
                                window->ComboBox4};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(lists[i]->count(), 4);
        for (int item = 0; item < 4; ++item)
            EXPECT_EQ(lists[i]->itemText(item), suits[item]);
        EXPECT_EQ(lists[i]->currentIndex(), i);
        EXPECT_EQ(lists[i]->currentText(), suits[i]);
    }

    ASSERT_EQ(window->RadioGroup1->count(), 2);
    EXPECT_EQ(window->RadioGroup1->item(0)->text(), QStringLiteral("\"Номинальный\""));
    EXPECT_EQ(window->RadioGroup1->item(0)->text().size(), 13);
    EXPECT_EQ(window->RadioGroup1->item(1)->text(), QStringLiteral("Единый"));
    EXPECT_EQ(window->RadioGroup1->itemIndex(), 0);

    ASSERT_EQ(window->ComboBox5->count(), 36);
    EXPECT_EQ(window->ComboBox5->itemText(0), QStringLiteral("#:1"));
    EXPECT_EQ(window->ComboBox5->itemText(35), QStringLiteral("#:36"));
    EXPECT_EQ(window->ComboBox5->currentIndex(), 0);
    // Created before any analysis, the card list holds only the prefix.
    ASSERT_EQ(window->ComboBox6->count(), 36);
    for (int k = 0; k < 36; ++k)
        EXPECT_EQ(window->ComboBox6->itemText(k), QStringLiteral("#:"));
    EXPECT_EQ(window->ComboBox6->currentIndex(), 0);
}

TEST_F(DrawingsWindow, TheCardListReadsTheChainRowWhenTheWindowIsCreated)
{
    open(OrderedDeckText);
    EXPECT_EQ(window->ComboBox6->itemText(0), QStringLiteral("#:6п"));
    EXPECT_EQ(window->ComboBox6->itemText(35), QStringLiteral("#:Тч"));
}

TEST_F(DrawingsWindow, TheWholeDrawingShowsTheRoseTheFrameAndTheWalk)
{
    open(QStringLiteral("Тб"));
    click(window->ButtonAll);
    const QImage image = picture();
    const DrawingFrame f = frame();
    const StarGeometry star = starGeometry(f.X0, f.Y0, f.Left, f.Top, f.Right, f.Bottom);

    // Off the rays, along a diagonal: the outer and inner pink rings and the
    // button-face gap and centre.
    auto diagonal = [&](int radius) {
        const int step = int(radius / 1.41421356);
        return pixelAt(image, f.X0 - step, f.Y0 + step);
    };
    EXPECT_TRUE(sameColour(diagonal((star.r1 + star.r2) / 2), Pink));
    EXPECT_TRUE(sameColour(diagonal((star.r2 + star.r3) / 2), buttonFace()));
    EXPECT_TRUE(sameColour(diagonal((star.r3 + star.r4) / 2), Pink));
    EXPECT_TRUE(sameColour(diagonal(star.r4 / 2), buttonFace()));
    EXPECT_TRUE(sameColour(diagonal(star.r1 + 10), buttonFace()));
    // The rings are outlined in cream.
    EXPECT_TRUE(colourNear(image, f.X0 - int(star.r1 / 1.41421356),
                           f.Y0 + int(star.r1 / 1.41421356), Cream));

    // The north ray's right half is solid pink; its left half pink hatching on cream.
    const Triangle solid = star.Triangles[0];
    const QPoint solidInside = (solid[0] + solid[1] + solid[2]) / 3;
    EXPECT_TRUE(sameColour(pixelAt(image, solidInside.x(), solidInside.y()), Pink));
    const Triangle hatched = star.Triangles[4];
    const QPoint hatchedInside = (hatched[0] + hatched[1] + hatched[2]) / 3;
    const QRect patch(hatchedInside - QPoint(1, 3), QSize(3, 7));
    EXPECT_GT(countColour(image, patch, Pink), 0);
    EXPECT_GT(countColour(image, patch, Cream), 0);
    EXPECT_EQ(countColour(image, patch, Pink) + countColour(image, patch, Cream), 21);

    // The frame and axes are green dash-dot lines: mostly ink, with gaps.
    const QRect topEdge(f.X0 + 20, f.Top, f.Right - f.X0 - 40, 1);
    const int topInk = countColour(image, topEdge, Green);
    EXPECT_GT(topInk, topEdge.width() / 3);
    EXPECT_LT(topInk, topEdge.width());
    const QRect rightEdge(f.Right, f.Top + 20, 1, f.Y0 - f.Top - 40);
    EXPECT_GT(countColour(image, rightEdge, Green), rightEdge.height() / 3);
    EXPECT_GT(countColour(image, QRect(f.Left, f.Bottom, f.Right - f.Left, 1), Green), 0);
    EXPECT_GT(countColour(image, QRect(f.Left, f.Top, 1, f.Bottom - f.Top), Green), 0);

    // The walk: the ace of diamonds, nine pixels east of the centre, in blue.
    EXPECT_EQ(countColour(image, QRect(f.X0, f.Y0, 10, 1), Blue), 10);
    EXPECT_FALSE(sameColour(pixelAt(image, f.X0 + 10, f.Y0), Blue));
}

TEST_F(DrawingsWindow, EachOneStepPressDrawsOneStepMoreUntil36ThenOneAgain)
{
    open(OrderedDeckText);
    for (int press = 1; press <= 37; ++press) {
        const int expectedSteps = press <= 36 ? press : 1;
        EXPECT_EQ(state.StepCounter, expectedSteps) << "before press " << press;
        click(window->ButtonStep);
        const QImage image = picture();
        const DrawingFrame f = frame();
        if (expectedSteps <= 9) {
            // Only spades so far: a line straight up from the centre.
            const int reached = spadesHeight(expectedSteps);
            EXPECT_TRUE(sameColour(pixelAt(image, f.X0, f.Y0 - reached), Blue)) << press;
            EXPECT_TRUE(sameColour(pixelAt(image, f.X0, f.Y0 - reached - 1), buttonFace()))
                << press;
            EXPECT_EQ(countColour(image, image.rect(), Blue), reached + 1) << press;
        } else if (expectedSteps == 36) {
            // Up 45, east 45, back west 45 and down to the start.
            EXPECT_TRUE(sameColour(pixelAt(image, f.X0 + 45, f.Y0 - 45), Blue));
            EXPECT_EQ(countColour(image, image.rect(), Blue), 91);
        }
        // The picture shows the walk alone.
        EXPECT_FALSE(colourNear(image, f.X0 - 30, f.Y0 + 30, Pink)) << press;
    }
    EXPECT_EQ(state.StepCounter, 2);
}

TEST_F(DrawingsWindow, TheWholeDrawingAlsoMovesTheStepCounterOn)
{
    open(OrderedDeckText);
    click(window->ButtonAll);
    EXPECT_EQ(state.StepCounter, 2);
    click(window->ButtonStep);
    const QImage image = picture();
    const DrawingFrame f = frame();
    // Two steps: 1 + 2 pixels up, and the rose is gone.
    EXPECT_EQ(countColour(image, image.rect(), Blue), 4);
    EXPECT_TRUE(sameColour(pixelAt(image, f.X0, f.Y0 - 3), Blue));
    EXPECT_EQ(countColour(image, image.rect(), Pink), 0);
}

TEST_F(DrawingsWindow, SingleLengthAgainstNominalOnSixOfSpadesThenAceOfHearts)
{
    open(QStringLiteral("6п Тч"));
    state.StepCounter = 2;
    click(window->ButtonStep);
    QImage image = picture();
    const DrawingFrame f = frame();
    // One pixel up, then nine down.
    EXPECT_TRUE(sameColour(pixelAt(image, f.X0, f.Y0 - 1), Blue));
    EXPECT_TRUE(sameColour(pixelAt(image, f.X0, f.Y0 + 8), Blue));
    EXPECT_FALSE(sameColour(pixelAt(image, f.X0, f.Y0 + 9), Blue));

    click(window->RadioGroup1->item(1));
    ASSERT_EQ(window->RadioGroup1->itemIndex(), 1);
    state.StepCounter = 2;
    click(window->ButtonStep);
    image = picture();
    // One up and one back down.
    EXPECT_TRUE(sameColour(pixelAt(image, f.X0, f.Y0 - 1), Blue));
    EXPECT_TRUE(sameColour(pixelAt(image, f.X0, f.Y0), Blue));
    EXPECT_FALSE(sameColour(pixelAt(image, f.X0, f.Y0 + 1), Blue));
    EXPECT_EQ(countColour(image, image.rect(), Blue), 2);
}

TEST_F(DrawingsWindow, OtherSuitsInTheCompassListsChangeOnlyTheLabels)
{
    open(OrderedDeckText);
    click(window->ButtonAll);
    const QImage before = picture();
    window->ComboBox1->setCurrentIndex(3);
    click(window->ButtonAll);
    const QImage after = picture();
    const DrawingFrame f = frame();

    // "N = " is written below the top of the frame at the north ray.
    const QRect northLabel(f.X0 - 15, f.Top + 5, 120, 25);
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(northLabel.contains(x, y)) << x << "," << y;
            }
    EXPECT_GT(changed, 0);
}

TEST_F(DrawingsWindow, ATypedOverCompassListStopsTheDrawingAtItsLabel)
{
    open(OrderedDeckText);
    window->ComboBox2->lineEdit()->selectAll();
    QTest::keyClicks(window->ComboBox2->lineEdit(), QStringLiteral("South"));
    click(window->ButtonAll);
    EXPECT_EQ(services.messages, QStringList{QStringLiteral("List index out of bounds (-1)")});
    // The rose is drawn, the walk is not, and the counter stays.
    const QImage image = picture();
    EXPECT_GT(countColour(image, image.rect(), Pink), 0);
    EXPECT_EQ(countColour(image, image.rect(), Blue), 0);
    EXPECT_EQ(state.StepCounter, 1);

    // Choosing an item again lets the drawing finish.
    window->ComboBox2->setCurrentIndex(0);
    window->ComboBox2->setCurrentIndex(1);
    click(window->ButtonAll);
    EXPECT_EQ(services.messages.size(), 1);
    EXPECT_EQ(state.StepCounter, 2);
}

TEST_F(DrawingsWindow, ThePictureIsKeptBetweenShowings)
{
    open(OrderedDeckText);
    click(window->ButtonAll);
    const QImage drawn = picture();
    click(window->ButtonClose);
    EXPECT_FALSE(window->isVisible());
    window->show();
    EXPECT_EQ(picture(), drawn);
    EXPECT_GT(countColour(picture(), drawn.rect(), Pink), 0);
}

TEST_F(DrawingsWindow, WithoutAChainTheWalkDrawsNothingButTheRoseShows)
{
    open(QString());
    click(window->ButtonAll);
    QImage image = picture();
    EXPECT_GT(countColour(image, image.rect(), Pink), 0);
    EXPECT_GT(countColour(image, image.rect(), Green), 0);
    EXPECT_EQ(countColour(image, image.rect(), Blue), 0);
    click(window->ButtonStep);
    image = picture();
    EXPECT_EQ(countColour(image, image.rect(), buttonFace()), image.width() * image.height());
}

TEST_F(DrawingsWindow, ReturnInAListDrawsNothingAndClosesNothing)
{
    open(OrderedDeckText);
    const QImage before = picture();
    const auto counter = state.StepCounter;
    for (QComboBox *list : {window->ComboBox1, window->ComboBox4, window->ComboBox5}) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(list, Qt::Key_Escape);
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(state.StepCounter, counter);
    EXPECT_EQ(picture(), before);
    QTest::mouseClick(window->ButtonClose, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}
