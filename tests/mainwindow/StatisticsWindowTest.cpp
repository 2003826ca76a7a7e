// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/StatisticsWindow.h"
#include "MainWindowFixture.h"
#include "mainwindow/HistogramView.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>

#include <cmath>

namespace {

int pixelsOf(QWidget *widget, const QColor &colour, const QRect &area = QRect())
{
    const QImage image = widget->grab().toImage();
    const QRect r = area.isNull() ? image.rect() : area;
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += QColor(image.pixel(x, y)).rgb() == colour.rgb();
    return count;
}

std::vector<HistogramView *> allViews(StatisticsWindow &window)
{
    std::vector<HistogramView *> views{window.EflView, window.TransitsView, window.LeftView};
    views.insert(views.end(), window.HexagramViews.begin(), window.HexagramViews.end());
    return views;
}

} // namespace

class StatisticsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setSeed(11);
        window.setThreads(2);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void startWith(const QString &count)
    {
        window.DealsBox->setEditText(count);
        QTest::mouseClick(window.StartButton, Qt::LeftButton);
    }

    StatisticsWindow window;
};

TEST_F(StatisticsWindowTest, ShowsItsControlsInRussian)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Статистика"));
    EXPECT_EQ(window.StartButton->text(), QStringLiteral("Начать"));
    EXPECT_EQ(window.StopButton->text(), QStringLiteral("Остановить"));
    EXPECT_EQ(window.DealsBox->currentText(), QStringLiteral("10 млн"));
    EXPECT_FALSE(window.StopButton->isEnabled());
    EXPECT_EQ(window.MarksLabel->text(),
              QStringLiteral("Цепочка ещё не проанализирована: отметить на графиках нечего."));
    EXPECT_EQ(pixelsOf(window.EflView, HistogramView::barColour()), 0) << "nothing dealt yet";
}

TEST_F(StatisticsWindowTest, RunsASampleToTheEndAndDrawsItsBars)
{
    ChainMarks marks;
    marks.left = 2;
    marks.figures = {6, 14, false, {1, 2, 3, 4}};
    window.setMarks(marks);
    QSignalSpy ended(&window, &StatisticsWindow::runEnded);
    startWith(QStringLiteral("50 тыс"));
    EXPECT_TRUE(window.running());
    EXPECT_FALSE(window.StartButton->isEnabled());
    EXPECT_TRUE(window.StopButton->isEnabled());
    ASSERT_TRUE(ended.wait(60000));

    EXPECT_FALSE(window.running());
    EXPECT_EQ(window.statistics(), collectStatistics(11, 50000, 0));
    EXPECT_EQ(window.Progress->value(), window.Progress->maximum());
    EXPECT_TRUE(window.Summary->text().startsWith(
        QStringLiteral("Сдано 50 000 из 50 000 раскладов — готово (сид 11")))
        << window.Summary->text().toStdString();
    EXPECT_TRUE(window.StartButton->isEnabled());

    for (HistogramView *view : allViews(window))
        EXPECT_GT(pixelsOf(view, HistogramView::barColour()), 50) << view->title().toStdString();
    // The marked values' bars are drawn in the mark's colour.
    const QRect marked = window.EflView->barRect(6);
    ASSERT_FALSE(marked.isEmpty());
    EXPECT_EQ(pixelsOf(window.EflView, HistogramView::markColour(), marked),
              marked.width() * marked.height());
    EXPECT_GT(pixelsOf(window.TransitsView, HistogramView::markColour()), 0);
    EXPECT_GT(pixelsOf(window.HexagramViews[3], HistogramView::markColour()), 0);
    // Two cards left, the rarest of the common outcomes, stands lowest of its
    // neighbours in the remaining-cards chart.
    EXPECT_LT(window.LeftView->barRect(2).height(), window.LeftView->barRect(10).height());
    EXPECT_EQ(window.EflView->barText(6).left(6), QStringLiteral("EFL 6:"));
    // How rare the marked chain is, as the generator's conditions would ask for it.
    EXPECT_TRUE(window.MarksLabel->text().contains(
        QStringLiteral("Среди свернувшихся до двух EFL ≥ 6 у 1 из 1")))
        << window.MarksLabel->text().toStdString();
}

TEST_F(StatisticsWindowTest, ClosingDuringARunStopsTheDealing)
{
    startWith(QStringLiteral("1 млрд"));
    ASSERT_TRUE(window.running());
    QTest::qWait(100);
    window.close();
    // The run is gone, and with it its dealer, whose threads it joined.
    EXPECT_FALSE(window.running());
    EXPECT_LT(window.statistics().deals, 1'000'000'000u);
    EXPECT_TRUE(window.StartButton->isEnabled());
    EXPECT_TRUE(window.Summary->text().contains(QStringLiteral("— остановлено")));
}

// Counted on another thread and picked up by the window: what a stopped run
// keeps must be the run's first deals, each block once, as the same deals
// counted headless give them.
TEST_F(StatisticsWindowTest, StopKeepsExactlyTheFirstDealsCounted)
{
    startWith(QStringLiteral("1 млрд"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window.statistics().deals >= 3 * lanedeal::BlockSize; }, 5000));
    window.LogScale->setChecked(true);
    QTest::mouseClick(window.StopButton, Qt::LeftButton);
    EXPECT_FALSE(window.running());
    const DealStatistics kept = window.statistics();
    ASSERT_GT(kept.deals, 0u);
    EXPECT_EQ(kept.deals % lanedeal::BlockSize, 0u);
    EXPECT_TRUE(kept == collectStatistics(11, kept.deals, 1));
    QTest::qWait(50);
    EXPECT_TRUE(window.statistics() == kept) << "nothing counted after the stop";
    EXPECT_GT(pixelsOf(window.LeftView, HistogramView::barColour()), 0);
}

TEST_F(StatisticsWindowTest, SaysWhenItCannotReadTheCount)
{
    startWith(QStringLiteral("много"));
    EXPECT_FALSE(window.running());
    EXPECT_EQ(
        window.Summary->text(),
        QStringLiteral("Число раскладов не понято: «много». Пример: 50000, 10 млн, 2,5 млрд."));
}

TEST_F(MainWindowTest, StatisticsMenuOpensTheWindowWithTheAnalysedChainMarked)
{
    typeAndCheck(OrderedDeckText);
    ASSERT_TRUE(form->Statistics1);
    EXPECT_EQ(form->Statistics1->text(), QStringLiteral("Статистика"));
    form->Statistics1->trigger();
    auto *window = form->findChild<StatisticsWindow *>();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->EflView->marked(), 3);
    EXPECT_EQ(window->TransitsView->marked(), 28);
    EXPECT_EQ(window->LeftView->marked(), 2);
    EXPECT_TRUE(window->MarksLabel->text().contains(QStringLiteral("свёртка до 2 карт, EFL 3, "
                                                                   "транзитов 28")));

    // Another chain analysed: the window shows its marks when it is looked at again.
    typeAndCheck(NoCollapseText);
    form->Statistics1->trigger();
    EXPECT_EQ(window->LeftView->marked(), 36);
    EXPECT_EQ(form->findChildren<StatisticsWindow *>().size(), 1);
}

struct HistogramCase
{
    const char *name;
    std::vector<std::uint64_t> counts;
    bool trim;
    std::optional<int> marked;
    int firstShown;
    int lastShown;
};

class HistogramRanges : public ::testing::TestWithParam<HistogramCase>
{
};

TEST_P(HistogramRanges, ShowTheValuesWithCountsAndTheMarkedOne)
{
    HistogramView view(QStringLiteral("t"), QStringLiteral("EFL"), QStringLiteral("всех"));
    view.resize(300, 160);
    view.setCounts(GetParam().counts, 1, 100, GetParam().trim);
    view.setMarked(GetParam().marked);
    EXPECT_EQ(view.firstShown(), GetParam().firstShown);
    EXPECT_EQ(view.lastShown(), GetParam().lastShown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HistogramRanges,
    ::testing::Values(HistogramCase{"WholeRange", {0, 0, 5, 7, 0}, false, {}, 1, 5},
                      HistogramCase{"Trimmed", {0, 0, 5, 7, 0}, true, {}, 3, 4},
                      HistogramCase{"TrimmedToTheMark", {0, 0, 5, 7, 0}, true, 1, 1, 4},
                      HistogramCase{"MarkBeyondTheCounts", {0, 0, 5, 7, 0}, true, 9, 3, 9},
                      HistogramCase{"NothingCounted", {0, 0, 0}, true, {}, 1, 3}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(HistogramView, BarsAreAsHighAsTheirCountsOnEitherScale)
{
    HistogramView view(QStringLiteral("EFL"), QStringLiteral("EFL"),
                       QStringLiteral("свернувшихся до двух"));
    view.resize(300, 200);
    view.setCounts({100, 0, 50, 1}, 3, 400);
    const QRect highest = view.barRect(3), half = view.barRect(5), one = view.barRect(6);
    EXPECT_TRUE(view.barRect(4).isEmpty());
    EXPECT_NEAR(double(half.height()) / highest.height(), 0.5, 0.02);
    EXPECT_GE(one.height(), 1) << "a single deal still shows";
    EXPECT_EQ(half.bottom(), highest.bottom());
    EXPECT_LT(highest.right(), half.left());
    EXPECT_EQ(view.barText(5), QStringLiteral("EFL 5: 50 (12.500 % свернувшихся до двух)"));

    view.setLogScale(true);
    EXPECT_NEAR(double(view.barRect(5).height()) / view.barRect(3).height(),
                std::log1p(50.0) / std::log1p(100.0), 0.02);
    EXPECT_GT(view.barRect(6).height(), one.height());
}
