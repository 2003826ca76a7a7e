// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/CompassWalk.h"
#include "../TestSupport.h"
#include "DrawingsFixtures.h"
#include "engine/Deck.h"
#include "platform/RandomSource.h"

#include <gtest/gtest.h>

namespace {

QPoint offsetFromStart(QPoint point)
{
    return point - QPoint(CompassStartX, CompassStartY);
}

} // namespace

TEST(CompassWalk, AnAceOfSpadesFirstGoesNinetyPixelsNorth)
{
    const ChainTable table(QStringLiteral("Тп 6б 7к"));
    const CompassWalk walk = computeCompassWalk(table, 10);

    EXPECT_EQ(walk.Points[0], QPoint(3000, 3000));
    EXPECT_EQ(offsetFromStart(walk.Points[1]), QPoint(0, -90));
    EXPECT_EQ(compassReplayLines(1, walk.Points),
              QStringList({QStringLiteral("Карта № 1"), QStringLiteral("x1 =    0"),
                           QStringLiteral("y1 =    -90")}));
}

TEST(CompassWalk, EachSuitMovesInItsDirectionByRankTimesMultiplier)
{
    const ChainTable table(QStringLiteral("7п 8б 9к Xч"));
    const CompassWalk walk = computeCompassWalk(table, 10);

    EXPECT_EQ(offsetFromStart(walk.Points[1]), QPoint(0, -20));   // north
    EXPECT_EQ(offsetFromStart(walk.Points[2]), QPoint(30, -20));  // east
    EXPECT_EQ(offsetFromStart(walk.Points[3]), QPoint(-10, -20)); // west
    EXPECT_EQ(offsetFromStart(walk.Points[4]), QPoint(-10, 30));  // south
}

TEST(CompassWalk, AChainOfTheWholeDeckEndsWhereItStarted)
{
    QStringList chains{orderedDeckText(), NoCollapseText};
    RandomSource random(2024);
    for (int i = 0; i < 20; ++i) {
        TTLKoloda chain;
        QString text;
        MakeRandomChain(random, chain, text);
        chains << text;
    }
    for (const QString &text : chains) {
        const CompassWalk walk = computeCompassWalk(ChainTable(text), 10);
        EXPECT_EQ(offsetFromStart(walk.Points[36]), QPoint(0, 0)) << text.toStdString();
        EXPECT_EQ(compassReplayLines(36, walk.Points),
                  QStringList({QStringLiteral("Карта № 36"), QStringLiteral("x1 =    0"),
                               QStringLiteral("y1 =    0")}));
    }
}

TEST(CompassWalk, AllSpadesBeforeAnyHeartMakeABox450High)
{
    for (const QString &text : {OrderedDeckText, spadesBeforeHeartsText()}) {
        const CompassWalk walk = computeCompassWalk(ChainTable(text), 10);
        const CompassBox box = compassBox(walk.Bounds);
        EXPECT_EQ(box.Top, 150);
        EXPECT_EQ(box.Bottom - box.Top, 450) << text.toStdString();
    }
}

TEST(CompassWalk, TheWestmostAndNorthmostPointsLie150PixelsFromTheEdges)
{
    const CompassWalk walk = computeCompassWalk(ChainTable(OrderedDeckText), 10);
    // North 450, then east 450, back west 450 and south 450: a line up and a
    // line across from the start.
    EXPECT_EQ(walk.Bounds, (TCompassBounds{3000, 3450, 2550, 3000}));
    EXPECT_EQ(compassOrigin(walk.Bounds), QPoint(150, 600));
    EXPECT_EQ(compassBox(walk.Bounds), (CompassBox{150, 150, 600, 600}));
}

TEST(CompassWalk, TheBoxTakesInTheStartWhenTheWalkNeverComesBack)
{
    const CompassWalk walk = computeCompassWalk(ChainTable(QStringLiteral("Тб Дб")), 10);
    EXPECT_EQ(walk.Bounds, (TCompassBounds{3000, 3160, 3000, 3000}));
    EXPECT_EQ(compassOrigin(walk.Bounds), QPoint(150, 150));
    EXPECT_EQ(compassBox(walk.Bounds), (CompassBox{150, 150, 310, 150}));
}

TEST(CompassWalk, BeforeAnyAnalysisEveryPointIsTheStart)
{
    const TextGrid empty(38, 8);
    const CompassWalk walk = computeCompassWalk(empty, 10);
    for (const QPoint &point : walk.Points)
        EXPECT_EQ(point, QPoint(3000, 3000));
    EXPECT_EQ(compassOrigin(walk.Bounds), QPoint(150, 150));
    EXPECT_EQ(compassBox(walk.Bounds), (CompassBox{150, 150, 150, 150}));
    EXPECT_TRUE(compassStepLines(empty, 36, 10, QPoint(150, 150)).isEmpty());
}

TEST(CompassWalk, ACellWithoutACardMovesNothing)
{
    ChainTable table(QStringLiteral("Тп 6б 7к"));
    table.setCell(2, 1, QString());
    const CompassWalk walk = computeCompassWalk(table, 10);
    EXPECT_EQ(walk.Points[2], walk.Points[1]);
    EXPECT_EQ(offsetFromStart(walk.Points[3]), QPoint(-20, -90));

    const QVector<CompassStepLine> lines = compassStepLines(table, 3, 10, QPoint(300, 300));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].Step, 1);
    EXPECT_EQ(lines[1].Step, 3);
    EXPECT_EQ(lines[1].From, QPoint(300, 210));
    EXPECT_EQ(lines[1].To, QPoint(280, 210));
}

TEST(CompassWalk, ADoubledMultiplierDoublesEveryLineFromTheSameOrigin)
{
    const ChainTable table(OrderedDeckText);
    const QPoint origin(150, 600);
    const QVector<CompassStepLine> single = compassStepLines(table, 36, 10, origin);
    const QVector<CompassStepLine> doubled = compassStepLines(table, 36, 20, origin);
    ASSERT_EQ(single.size(), 36);
    ASSERT_EQ(doubled.size(), 36);
    EXPECT_EQ(doubled[0].From, origin);
    for (int i = 0; i < 36; ++i) {
        EXPECT_EQ(doubled[i].Suit, single[i].Suit);
        EXPECT_EQ(doubled[i].To - doubled[i].From, (single[i].To - single[i].From) * 2);
    }
}

TEST(CompassWalk, StepLinesStopAtTheCountAsked)
{
    const ChainTable table(OrderedDeckText);
    EXPECT_TRUE(compassStepLines(table, 0, 10, QPoint(150, 600)).isEmpty());
    const QVector<CompassStepLine> two = compassStepLines(table, 2, 10, QPoint(150, 600));
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(two[1].To, QPoint(150, 570));
}

TEST(CompassReplay, TheClickCountWrapsAfterCard36)
{
    std::int32_t step = CompassStepReset;
    QVector<std::int32_t> shown;
    for (int click = 1; click <= 38; ++click) {
        step = nextCompassStep(step);
        shown << step;
    }
    EXPECT_EQ(shown.first(), 0); // the first click shows only the start
    EXPECT_EQ(shown[1], 1);
    EXPECT_EQ(shown[36], 36); // the 37th click
    EXPECT_EQ(shown[37], 0);  // the 38th starts again
}

struct MultiplierCase
{
    const char *name;
    QString text;
    std::uint8_t expected;
};

class MultiplierText : public ::testing::TestWithParam<MultiplierCase>
{
};

TEST_P(MultiplierText, KeepsTheLow8BitsOfAWholeNumberAndIgnoresTheRest)
{
    const MultiplierCase &c = GetParam();
    EXPECT_EQ(multiplierFromText(c.text, 10), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MultiplierText,
    ::testing::Values(MultiplierCase{"twenty", QStringLiteral("20"), 20},
                      MultiplierCase{"three_hundred_wraps", QStringLiteral("300"), 44},
                      MultiplierCase{"leading_blank", QStringLiteral(" 15"), 15},
                      MultiplierCase{"minus_one_wraps", QStringLiteral("-1"), 255},
                      MultiplierCase{"zero", QStringLiteral("0"), 0},
                      MultiplierCase{"empty_while_retyping", QString(), 10},
                      MultiplierCase{"letters", QStringLiteral("abc"), 10},
                      MultiplierCase{"decimal_point", QStringLiteral("1.5"), 10}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(CompassWindow, IsSizedForOneSuitsFullLengthAndItsMargins)
{
    EXPECT_EQ(compassWindowSide(10), 650);
    EXPECT_EQ(compassWindowSide(20), 1100);
    EXPECT_EQ(compassWindowSide(0), 200);
}

struct ScreenRoom
{
    const char *name;
    int multiplier;
    QSize room;
    QMargins frame;
    int side;
};

class CompassWindowOnAScreen : public ::testing::TestWithParam<ScreenRoom>
{
};

TEST_P(CompassWindowOnAScreen, KeepsTheSquareWithItsFrameOnTheScreen)
{
    const ScreenRoom &c = GetParam();
    EXPECT_EQ(fittedCompassWindowSide(std::uint8_t(c.multiplier), c.room, c.frame), c.side);
}

// A landscape screen limits the height: the width alone would let the window
// run off the bottom.
INSTANTIATE_TEST_SUITE_P(
    CompassWindow, CompassWindowOnAScreen,
    ::testing::Values(
        ScreenRoom{"fits", 10, QSize(1280, 1024), QMargins(4, 28, 4, 4), 650},
        ScreenRoom{"held_by_the_height", 20, QSize(1920, 1050), QMargins(4, 28, 4, 4), 1018},
        ScreenRoom{"held_by_the_width", 20, QSize(800, 1280), QMargins(4, 28, 4, 4), 792},
        ScreenRoom{"small_screen_below_the_start_size", 10, QSize(800, 600), QMargins(0, 0, 0, 0),
                   600},
        ScreenRoom{"largest_multiplier", 255, QSize(1280, 1024), QMargins(1, 24, 1, 1), 999}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(CompassState, StartsWithTheDefaultMultiplierAndFrameMargin)
{
    const CompassState state;
    EXPECT_EQ(state.CompassMultiplier, 10);
    EXPECT_EQ(state.CompassFrameMargin, 5);
    EXPECT_EQ(state.CompassStep, -100);
}
