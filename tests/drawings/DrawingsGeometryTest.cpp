// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/DrawingsGeometry.h"
#include "../TestSupport.h"
#include "DrawingsFixtures.h"

#include <gtest/gtest.h>

TEST(DrawingFrame, APicture400By300)
{
    const DrawingFrame f = drawingFrame(400, 300);
    EXPECT_EQ(f, (DrawingFrame{200, 150, 20, 10, 380, 280}));
}

TEST(DrawingFrame, HalvesTowardZero)
{
    const DrawingFrame f = drawingFrame(355, 341);
    EXPECT_EQ(f.X0, 177);
    EXPECT_EQ(f.Y0, 170);
    EXPECT_EQ(f.Right, 335);
    EXPECT_EQ(f.Bottom, 321);
}

TEST(CompassRose, RadiiAndRaysOfA400By300Picture)
{
    const DrawingFrame f = drawingFrame(400, 300);
    const StarGeometry star = starGeometry(f.X0, f.Y0, f.Left, f.Top, f.Right, f.Bottom);
    EXPECT_EQ(star.d, 180);
    EXPECT_EQ(star.r1, 112);
    EXPECT_EQ(star.r2, 100);
    EXPECT_EQ(star.r3, 67);
    EXPECT_EQ(star.r4, 54);
    EXPECT_EQ(star.a, 18);
    EXPECT_EQ(star.b, 28);

    // Each ray's two halves share its tip and the centre.
    const QPoint centre(200, 150);
    const QPoint northTip(200, 10), eastTip(380, 150), southTip(200, 280), westTip(20, 150);
    EXPECT_EQ(star.Triangles[0], (Triangle{northTip, QPoint(218, 122), centre}));
    EXPECT_EQ(star.Triangles[1], (Triangle{centre, eastTip, QPoint(228, 168)}));
    EXPECT_EQ(star.Triangles[2], (Triangle{southTip, QPoint(182, 178), centre}));
    EXPECT_EQ(star.Triangles[3], (Triangle{westTip, QPoint(172, 132), centre}));
    EXPECT_EQ(star.Triangles[4], (Triangle{northTip, centre, QPoint(182, 122)}));
    EXPECT_EQ(star.Triangles[5], (Triangle{centre, QPoint(228, 132), eastTip}));
    EXPECT_EQ(star.Triangles[6], (Triangle{centre, QPoint(218, 178), southTip}));
    EXPECT_EQ(star.Triangles[7], (Triangle{westTip, centre, QPoint(172, 168)}));
}

TEST(DrawingLabels, NameTheCentreAndTheSuitAtEachPointOfTheCompass)
{
    const DrawingFrame f = drawingFrame(400, 300);
    const QVector<PlacedText> labels =
        drawingLabels(f, QStringLiteral("Пики"), QStringLiteral("Черви"), QStringLiteral("Крести"),
                      QStringLiteral("Бубны"));
    const QVector<PlacedText> expected{
        {QPoint(180, 135), QStringLiteral("x0 = 200")},
        {QPoint(180, 150), QStringLiteral("y0 = 150")},
        {QPoint(185, 15), QStringLiteral("N = Пики")},
        {QPoint(185, 285), QStringLiteral("S = Черви")},
        {QPoint(5, 135), QStringLiteral("W = Крести")},
        {QPoint(340, 155), QStringLiteral("E = Бубны")},
    };
    EXPECT_EQ(labels, expected);
}

class StepCounterTest : public ::testing::Test
{
protected:
    DrawingsState state;
};

TEST_F(StepCounterTest, CountsFrom1To36AndStartsAgain)
{
    EXPECT_EQ(state.StepCounter, 1);
    QVector<int> seen;
    for (int press = 1; press <= 37; ++press) {
        seen << state.StepCounter;
        advanceStepCounter(state);
    }
    EXPECT_EQ(seen[0], 1);
    EXPECT_EQ(seen[1], 2);
    EXPECT_EQ(seen[35], 36);
    EXPECT_EQ(seen[36], 1);
}

TEST_F(StepCounterTest, AValueOutsideTheRangeStartsAgainAt1)
{
    state.StepCounter = 255; // wraps to 0 in 8 bits
    advanceStepCounter(state);
    EXPECT_EQ(state.StepCounter, 1);
    state.StepCounter = 40;
    advanceStepCounter(state);
    EXPECT_EQ(state.StepCounter, 1);
}

TEST(Walk, StartsAtTheCentreTheAxesCross)
{
    EXPECT_EQ(walkStart(400, 300), QPoint(200, 150));
}

TEST(Walk, NominalLengthsFollowTheRankIndex)
{
    const ChainTable table(QStringLiteral("6п Тч"));
    const QVector<QLine> lines = walkLines(table, 2, StepLength::Nominal, QPoint(200, 150));
    // One pixel up, then nine down.
    EXPECT_EQ(lines, (QVector<QLine>{QLine(200, 150, 200, 149), QLine(200, 149, 200, 158)}));
}

TEST(Walk, SingleLengthMakesEveryStepOnePixel)
{
    const ChainTable table(QStringLiteral("6п Тч"));
    const QVector<QLine> lines = walkLines(table, 2, StepLength::Single, QPoint(200, 150));
    EXPECT_EQ(lines, (QVector<QLine>{QLine(200, 150, 200, 149), QLine(200, 149, 200, 150)}));
}

TEST(Walk, SuitsGiveTheDirections)
{
    const ChainTable table(QStringLiteral("7п 8б 9к Xч"));
    const QVector<QLine> lines = walkLines(table, 4, StepLength::Nominal, QPoint(100, 100));
    EXPECT_EQ(lines, (QVector<QLine>{QLine(100, 100, 100, 98), QLine(100, 98, 103, 98),
                                     QLine(103, 98, 99, 98), QLine(99, 98, 99, 103)}));
}

TEST(Walk, DrawsOnlyTheStepsCounted)
{
    const ChainTable table(OrderedDeckText);
    EXPECT_TRUE(walkLines(table, 0, StepLength::Nominal, QPoint(200, 150)).isEmpty());
    EXPECT_EQ(walkLines(table, 1, StepLength::Nominal, QPoint(200, 150)).size(), 1);
    EXPECT_EQ(walkLines(table, 36, StepLength::Nominal, QPoint(200, 150)).size(), 36);
    // The whole deck ends at the start.
    EXPECT_EQ(walkLines(table, 36, StepLength::Nominal, QPoint(200, 150)).last().p2(),
              QPoint(200, 150));
}

TEST(Walk, ACellWithoutACardDrawsNothingAndStaysPut)
{
    ChainTable table(QStringLiteral("6п Тч 7б"));
    table.setCell(2, 1, QStringLiteral("Т?"));
    const QVector<QLine> lines = walkLines(table, 3, StepLength::Nominal, QPoint(200, 150));
    EXPECT_EQ(lines, (QVector<QLine>{QLine(200, 150, 200, 149), QLine(200, 149, 202, 149)}));
    EXPECT_TRUE(walkLines(TextGrid(38, 8), 36, StepLength::Nominal, QPoint(200, 150)).isEmpty());
}
