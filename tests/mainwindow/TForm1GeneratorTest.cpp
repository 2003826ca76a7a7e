// SPDX-License-Identifier: GPL-3.0-or-later
#include "../SystemTestSupport.h"
#include "MainWindowFixture.h"
#include "engine/ChainReader.h"
#include "engine/Collapse.h"
#include "platform/LocaleFormats.h"
#include "platform/RandomSource.h"
#include "search/ChainGenerator.h"
#include "search/ConditionEstimator.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QThread>

namespace {

int dealerThreads()
{
    return threadsNamed(lanedeal::ParallelDealer::WorkerThreadName);
}

} // namespace

class GeneratorWindow : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        services.random().reseed(2026);
    }

    // Ticks an EFL of 36, which no solved chain has: a run goes on until it is stopped.
    void tickAnUnreachableEfl()
    {
        form->CheckBox2->setChecked(true);
        form->ComboBox2->setCurrentIndex(36);
    }
};

TEST_F(GeneratorWindow, FoundChainIsShownAnalysedAndTimed)
{
    const QDateTime start(QDate(2026, 12, 8), QTime(12, 0, 0));
    int calls = 0;
    services.setClock([&] { return start.addMSecs(calls++ == 0 ? 0 : 3725700); });
    form->CheckBox2->setChecked(true);
    form->ComboBox2->setCurrentIndex(5); // EFL at least 5
    QTest::mouseClick(form->ButtonTLG, Qt::LeftButton);

    const QString text = form->Edit1->text();
    EXPECT_FALSE(text.endsWith(u' '));
    EXPECT_EQ(text.size(), 107);
    EXPECT_TRUE(form->ButtonCheckString->isEnabled());
    EXPECT_TRUE(form->Button1->isEnabled());
    const QStringList lines = form->tables().RichEdit1.lines();
    ASSERT_GE(lines.size(), 6);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Генерировать Начали в     = ")));
    EXPECT_EQ(lines[2], QStringLiteral("Времени ушло = 1 часов, 2 минут, 5 секунд."));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral(" Сбалансированных участков  = ")));
    EXPECT_TRUE(lines.back().startsWith(QStringLiteral("P(п,б,к,ч) = {")));
    EXPECT_EQ(form->Label1->text(),
              QStringLiteral("Перебрали = %1 вариантов").arg(state->TriedVariants));
    // The rate stands beside the status bar only while a run lasts.
    EXPECT_TRUE(form->RunRateLabel->text().isEmpty());

    TTLKoloda read;
    ReadChain(text, read);
    EXPECT_EQ(CountCollapse(read), 2);
    AnalyseChain(read);
    EXPECT_TRUE(state->CurrentChain.Cards == read.Cards);
    int deepest = 0;
    for (int n = 1; n <= 36; ++n)
        deepest = std::max(deepest, read.Cards[n].Depth);
    EXPECT_GE(deepest, 5);
    EXPECT_EQ(state->MaxDepth, deepest);
    EXPECT_EQ(form->tables().StringGrid1.cell(1, 1), read.Cards[1].name());
    EXPECT_FALSE(form->tables().StringGrid3.cell(8, 1).isEmpty());
}

TEST_F(GeneratorWindow, PlaceholderEndsTheRunWithTheMessageAndChangesNothingElse)
{
    typeAndCheck(NoCollapseText);
    const TTLKoloda before = state->CurrentChain;
    form->CheckBox1->setChecked(true);
    form->ComboBox1->setCurrentIndex(0);
    QTest::mouseClick(form->ButtonTLG, Qt::LeftButton);
    EXPECT_EQ(services.messages,
              QStringList{QStringLiteral("'Выбери' is not a valid integer value")});
    EXPECT_EQ(form->Edit1->text(), OrderedDeckText);
    EXPECT_FALSE(form->ButtonCheckString->isEnabled());
    EXPECT_TRUE(state->CurrentChain == before);
    EXPECT_EQ(form->tables().RichEdit1.lineCount(), 0);
    EXPECT_TRUE(form->tables().StringGrid1.cell(1, 1).isEmpty());
    EXPECT_EQ(form->Label1->text(),
              QStringLiteral("Перебрали = %1 вариантов").arg(state->TriedVariants));
}

TEST_F(GeneratorWindow, ExitDuringARunWritesNothingMoreAndCloses)
{
    typeAndCheck(NoCollapseText);
    const TTLKoloda before = state->CurrentChain;
    tickAnUnreachableEfl();
    int events = 0;
    int workersDuringTheRun = 0;
    services.setPendingEventsHook([&] {
        workersDuringTheRun = dealerThreads();
        if (++events == 3)
            form->ButtonClose->click();
    });
    form->ButtonTLGClick();
    // Every core dealt, and no worker outlives the run.
    EXPECT_EQ(workersDuringTheRun, std::max(1, QThread::idealThreadCount()));
    EXPECT_EQ(dealerThreads(), 0);
    EXPECT_TRUE(state->StopRequested);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->Label1->text(), QStringLiteral("EXIT"));
    EXPECT_EQ(form->tables().RichEdit1.lineCount(), 0);
    EXPECT_EQ(form->Edit1->text(), OrderedDeckText);
    EXPECT_TRUE(state->CurrentChain == before);
}

// A long run passes 2^32 deals; the label goes on counting and shows the count whole.
TEST_F(GeneratorWindow, CountLabelGoesOnPastTwoToTheThirtyTwo)
{
    tickAnUnreachableEfl();
    const std::uint64_t nearTheTop = (std::uint64_t(1) << 32) - 1000;
    std::uint64_t shown = 0;
    int events = 0;
    bool closing = false;
    QElapsedTimer clock;
    clock.start();
    services.setPendingEventsHook([&] {
        if (++events == 1)
            state->TriedVariants = nearTheTop;
        if (closing)
            return;
        shown = form->Label1->text().section(u' ', 2, 2).toULongLong();
        if (shown > nearTheTop + 1000 || clock.elapsed() > 20000) {
            closing = true;
            form->ButtonClose->click();
        }
    });
    form->ButtonTLGClick();
    EXPECT_GT(shown, std::uint64_t(1) << 32);
    EXPECT_GT(state->TriedVariants, std::uint64_t(1) << 32);
}

TEST_F(GeneratorWindow, ClosingTheWindowAnyOtherWayAlsoEndsTheRun)
{
    tickAnUnreachableEfl();
    int events = 0;
    services.setPendingEventsHook([&] {
        if (++events == 2)
            form->close();
    });
    form->ButtonTLGClick();
    EXPECT_EQ(dealerThreads(), 0);
    EXPECT_TRUE(state->StopRequested);
    EXPECT_EQ(form->tables().RichEdit1.lineCount(), 0);
}

// The status bar tells the ticked conditions' chance once they settle; a run
// holds the estimate back and it follows afterwards.
TEST_F(GeneratorWindow, StatusBarEstimatesTheTickedConditions)
{
    const auto settled = [&] {
        return QTest::qWaitFor(
            [&] {
                return !form->estimator()->busy() && form->EstimateLabel->text().startsWith(u'≈');
            },
            60000);
    };
    ASSERT_TRUE(settled()) << form->EstimateLabel->text().toStdString();
    const QString none = form->EstimateLabel->text();
    form->CheckBox2->setChecked(true);
    form->ComboBox2->setCurrentIndex(form->ComboBox2->findText(QStringLiteral("12")));
    // Counted at once on the sample in hand, then on the sample grown for it.
    EXPECT_NE(form->EstimateLabel->text(), none);
    ASSERT_TRUE(settled());
    EXPECT_NE(form->EstimateLabel->text(), none);
    ASSERT_TRUE(form->estimator()->estimate());
    EXPECT_LT(form->estimator()->estimate()->chance(), 0.0077 / 5);

    form->ComboBox2->setCurrentIndex(form->ComboBox2->findText(QStringLiteral("5")));
    form->ButtonTLGClick();
    EXPECT_TRUE(settled());
}

TEST_F(GeneratorWindow, ConditionChangedDuringTheRunAppliesToTheNextTest)
{
    tickAnUnreachableEfl();
    int events = 0;
    services.setPendingEventsHook([&] {
        if (++events == 5)
            form->CheckBox2->setChecked(false); // give up the impossible condition
    });
    form->ButtonTLGClick();
    EXPECT_GE(events, 5);
    EXPECT_TRUE(
        form->tables().RichEdit1.lines().value(2).startsWith(QStringLiteral("Времени ушло")));
}

TEST_F(GeneratorWindow, SecondPressRunsANestedSearchThenTheFirstResumes)
{
    tickAnUnreachableEfl(); // neither run can succeed as it starts
    int events = 0;
    int nestedEvents = -1; // none yet: the nested run has not started
    std::uint64_t nestedCount = 0;
    int workersDuringTheNestedRun = 0;
    services.setPendingEventsHook([&] {
        ++events;
        if (events == 2) {
            nestedEvents = 0;
            form->ButtonTLGClick();
            nestedEvents = -1;
            nestedCount = state->TriedVariants;
            form->CheckBox2->setChecked(false); // the outer run takes the next solved chain
        } else if (nestedEvents >= 0) {
            workersDuringTheNestedRun = dealerThreads();
            // The nested run lets events through a few times on the unreachable
            // condition, however fast it deals, then takes an EFL of 24 or more.
            if (++nestedEvents == 3)
                form->ComboBox2->setCurrentIndex(form->ComboBox2->findText(QStringLiteral("24")));
        }
    });
    form->ButtonTLGClick();
    // The outer run's workers and the nested run's both live during the nested
    // run; none is left after the outer one.
    EXPECT_EQ(workersDuringTheNestedRun, 2 * std::max(1, QThread::idealThreadCount()));
    EXPECT_EQ(dealerThreads(), 0);
    const QStringList lines = form->tables().RichEdit1.lines();
    const auto timeLines = lines.filter(QStringLiteral("Времени ушло"));
    EXPECT_EQ(timeLines.size(), 2); // the nested run's, then the outer run's
    EXPECT_GE(nestedCount, 1u);
    // The nested run reset the shared count; the outer one went on from there.
    EXPECT_GE(state->TriedVariants, nestedCount);
    TTLKoloda read;
    ReadChain(form->Edit1->text(), read);
    EXPECT_EQ(CountCollapse(read), 2);
    EXPECT_EQ(state->CurrentChain.Cards[1].name(), read.Cards[1].name());
}

TEST_F(GeneratorWindow, ReplacementSwapsCardsAndAnalysesTheNewChain)
{
    typeAndCheck(OrderedDeckText);
    form->ComboBox5->setCurrentIndex(1);  // 6п
    form->ComboBox6->setCurrentIndex(36); // Тч
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    const QString text = form->Edit1->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Тч 7п")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("Кч 6п ")));
    EXPECT_EQ(form->tables().StringGrid1.cell(1, 1), QStringLiteral("Тч"));
    EXPECT_EQ(state->CurrentChain.Cards[1].name(), QStringLiteral("Тч"));
    TTLKoloda read;
    ReadChain(text, read);
    EXPECT_EQ(form->tables().RichEdit1.lines().value(0),
              QStringLiteral("Свёртка до %1 карт").arg(CountCollapse(read)));
    EXPECT_TRUE(form->ButtonCheckString->isEnabled());
    EXPECT_EQ(form->ComboBox5->currentText(), QStringLiteral("6п"));
    EXPECT_EQ(form->ComboBox6->currentText(), QStringLiteral("Тч"));
}

TEST_F(GeneratorWindow, EqualItemsRewriteTheTextAndAnalyseAgain)
{
    typeAndCheck(NoCollapseText);
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    EXPECT_EQ(form->Edit1->text(), NoCollapseText + u' ');
    EXPECT_EQ(form->tables().RichEdit1.lines().value(0), QStringLiteral("Свёртка до 36 карт"));
}

TEST_F(GeneratorWindow, ListsKeepToTheSameKind)
{
    typeAndCheck(OrderedDeckText);
    form->ComboBox5->setCurrentIndex(39); // ?к
    EXPECT_EQ(form->ComboBox6->currentText(), QStringLiteral("?к"));
    form->ComboBox6->setCurrentIndex(5); // Xп
    EXPECT_EQ(form->ComboBox5->currentText(), QStringLiteral("Xп"));
    form->ComboBox5->setCurrentIndex(40); // ?ч
    form->ComboBox6->setCurrentIndex(46); // В?
    EXPECT_EQ(form->ComboBox5->currentText(), QStringLiteral("В?"));
    form->ComboBox5->setCurrentIndex(37); // ?п
    form->ComboBox6->setCurrentIndex(38); // ?б: both suits, nothing changes
    EXPECT_EQ(form->ComboBox5->currentText(), QStringLiteral("?п"));
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    EXPECT_TRUE(form->Edit1->text().startsWith(QStringLiteral("6б 7б")));
}

TEST(RunRate, ShowsMillionsOfDealsPerSecondInTheLocalesForm)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(runRateText(dealsPerSecond(25'000'000, 1000)),
              QStringLiteral("25,0 млн вариантов в секунду"));
    EXPECT_EQ(runRateText(dealsPerSecond(1'234'000, 500)),
              QStringLiteral("2,47 млн вариантов в секунду"));
    EXPECT_EQ(runRateText(dealsPerSecond(1000, 0)), QString()); // no time yet, no rate
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(runRateText(dealsPerSecond(3'000'000, 1000)),
              QStringLiteral("3.00 млн вариантов в секунду"));
}
