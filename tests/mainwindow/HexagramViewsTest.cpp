// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "engine/Deck.h"
#include "hexagrams/HexagramTexts.h"
#include "hexagrams/views/HexagramPicture.h"
#include "platform/RandomSource.h"

#include <QCheckBox>
#include <QPainter>

namespace {

// A picture of the hexagram table's four suits drawn on a white image.
QImage pictureOf(const TextGrid &grid)
{
    QImage image(420, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawChainHexagrams(painter, QPoint(10, 10), grid);
    return image;
}

struct HexagramTable : TextGrid
{
    HexagramTable(const QStringList &numbers, const QStringList &statistics) : TextGrid(11, 8)
    {
        for (int s = 1; s <= 4; ++s) {
            setCell(8, s, numbers.value(s - 1));
            setCell(9, s, statistics.value(s - 1));
        }
    }
};

} // namespace

TEST(HexagramPicture, LinesSpanTheirBarsAndShadeByStatistic)
{
    // Hexagram 1: six unbroken lines; 2: six broken ones.
    const HexagramTable grid(
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2")},
        {QStringLiteral("1.00"), QStringLiteral("0.02"), QStringLiteral("0.50"),
         QStringLiteral("1.00")});
    const QImage image = pictureOf(grid);
    const int x = 10, y = 10 + 18 + 14 * 2 + 5; // the middle of the third line from the top
    const QColor box(80, 80, 120);
    // Suit п, unbroken and white inside: the outline is the box colour.
    EXPECT_EQ(image.pixelColor(x + 2, y), box);
    EXPECT_EQ(image.pixelColor(x + 3 + 10, y), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(x + 40, y), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(x + 77, y), box);
    EXPECT_EQ(image.pixelColor(x + 78, y), QColor(Qt::white)); // past the bar: untouched
    // Suit б, broken, at 0.02: grey 44 inside both bars, nothing between them.
    const int xb = x + 100;
    EXPECT_EQ(image.pixelColor(xb + 2, y), box);
    EXPECT_EQ(image.pixelColor(xb + 10, y), QColor(44, 44, 44));
    EXPECT_EQ(image.pixelColor(xb + 27, y), box);
    EXPECT_EQ(image.pixelColor(xb + 28, y), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(xb + 53, y), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(xb + 54, y), box);
    EXPECT_EQ(image.pixelColor(xb + 60, y), QColor(44, 44, 44));
    EXPECT_EQ(image.pixelColor(xb + 77, y), box);
    // Suit к at 0.50: 0.5 × 215 = 107.5 rounds to the even 108, + 40.
    EXPECT_EQ(image.pixelColor(x + 200 + 40, y), QColor(148, 148, 148));
    // The box outlines run from x to x + 79 and y0 to y0 + 99.
    EXPECT_EQ(image.pixelColor(x + 300, 10 + 50), box);
    EXPECT_EQ(image.pixelColor(x + 379, 10 + 50), box);
    EXPECT_EQ(image.pixelColor(x + 380, 10 + 50), QColor(Qt::white));
}

TEST(HexagramPicture, EmptyNumberCellsLeaveEmptyBoxes)
{
    const QImage image = pictureOf(HexagramTable({}, {}));
    const QColor box(80, 80, 120);
    for (int s = 0; s < 4; ++s) {
        EXPECT_EQ(image.pixelColor(10 + 100 * s, 60), box);
        EXPECT_EQ(image.pixelColor(10 + 100 * s + 40, 10 + 18 + 5), QColor(Qt::white));
    }
}

TEST(HexagramPicture, GreyLevelReadsTheLocalesSeparator)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(hexagramGreyLevel(QStringLiteral("0,44")), (95 + 40)); // 94.6 -> 95
    EXPECT_EQ(hexagramGreyLevel(QStringLiteral("1,00")), 255);
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(hexagramGreyLevel(QStringLiteral("0.02")), 44);
}

TEST_F(MainWindowTest, PictureShowsTheSuitsLeftToRightAndSurvivesARepaint)
{
    typeAndCheck(OrderedDeckText); // every suit: hexagram 13 at 0.02
    form->repaint();
    const QImage image = form->client()->grab().toImage();
    const QPoint origin(form->CheckBox5->x(), form->RichEdit1->y());
    // The bottom line of hexagram 13 is unbroken, its second broken.
    const int bottom = origin.y() + 18 + 14 * 5 + 5;
    const int second = origin.y() + 18 + 14 * 4 + 5;
    for (int s = 0; s < 4; ++s) {
        const int x = origin.x() + 100 * s;
        EXPECT_EQ(image.pixelColor(x + 40, bottom), QColor(44, 44, 44)) << s;
        EXPECT_NE(image.pixelColor(x + 40, second), QColor(44, 44, 44)) << s;
        EXPECT_EQ(image.pixelColor(x + 10, second), QColor(44, 44, 44)) << s;
    }
}

TEST_F(MainWindowTest, CountCellsArePink)
{
    typeAndCheck(OrderedDeckText);
    const QColor pink(250, 200, 250);
    const QColor window = platform::systemColor(platform::SystemColor::Window);
    EXPECT_EQ(cellColour(form->StringGrid2, 3, 5), pink);
    EXPECT_EQ(cellColour(form->StringGrid2, 10, 2), pink);
    EXPECT_EQ(cellColour(form->StringGrid2, 3, 6), window);
    EXPECT_EQ(cellColour(form->StringGrid3, 2, 5), pink);
    EXPECT_EQ(cellColour(form->StringGrid3, 7, 1), pink);
    EXPECT_EQ(cellColour(form->StringGrid3, 8, 1), window);
    EXPECT_EQ(cellColour(form->StringGrid3, 9, 1), window);
    EXPECT_EQ(cellColour(form->StringGrid3, 3, 6), window);
    EXPECT_EQ(cellColour(form->StringGrid3, 0, 2),
              platform::systemColor(platform::SystemColor::ButtonFace));
}

TEST_F(MainWindowTest, SelectingAHexagramNumberWritesItsTexts)
{
    // A seeded chain in which suit к has hexagram 27.
    RandomSource random(1);
    QString text;
    TTLKoloda chain;
    for (int i = 0; i < 200000; ++i) {
        MakeRandomChain(random, chain, text);
        typeAndCheck(text);
        if (form->tables().StringGrid3.cell(8, 3) == u"27")
            break;
    }
    ASSERT_EQ(form->tables().StringGrid3.cell(8, 3), QStringLiteral("27"));
    const int before = form->tables().RichEdit1.lineCount();
    for (const QPoint cell : {QPoint(7, 3), QPoint(9, 3), QPoint(8, 0), QPoint(8, 5), QPoint(1, 1)})
        form->StringGrid3->selectCellAt(cell.x(), cell.y());
    EXPECT_EQ(form->tables().RichEdit1.lineCount(), before);
    const QRect r = form->StringGrid3->cellRect(8, 3);
    QTest::mouseClick(form->StringGrid3->viewport(), Qt::LeftButton, {}, r.center());
    const QStringList lines = form->tables().RichEdit1.lines().mid(before);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Таблица №3. Столбец = 8; Строка = 3; Значение = 27"));
    EXPECT_EQ(lines[1], QStringLiteral("Гексаграмма № 27 ") + HexagramTexts[27].Title);
    EXPECT_EQ(lines[2], u' ' + HexagramTexts[27].Judgement);
}

TEST_F(MainWindowTest, EmptyNumberCellWritesTheFirstLineOnly)
{
    form->StringGrid3->selectCellAt(8, 2);
    EXPECT_EQ(form->tables().RichEdit1.lines(),
              QStringList{QStringLiteral("Таблица №3. Столбец = 8; Строка = 2; Значение = ")});
}
