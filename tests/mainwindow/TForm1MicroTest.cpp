#include "MainWindowFixture.h"
#include "platform/RandomSource.h"
#include "mainwindow/MicroChainSearch.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMenuBar>
#include <QProgressDialog>
#include <QTimer>

class MicroWindow : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        services.random().reseed(5);
        state->MicroChains = {};
        state->MicroChainCount = 0;
    }
};

TEST_F(MicroWindow, SearchWritesItsLinesAndFitsTheReportToThem)
{
    form->Edit2->setText(QStringLiteral("3"));
    form->ComboBox2->setCurrentIndex(2);  // EFL 2
    form->ComboBox4->setCurrentIndex(36); // Тч
    form->GetMicroCS();
    const QStringList lines = form->tables().RichEdit1.lines();
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[0], QStringLiteral("Целевая Карта = Тч | EFL = 2"));
    EXPECT_EQ(lines[4], QStringLiteral("01 02 03 04   № ЦС"));
    EXPECT_TRUE(lines[6].endsWith(QStringLiteral("Тч   # 001.")));
    EXPECT_TRUE(lines[8].endsWith(QStringLiteral("Тч   # 003.")));
    EXPECT_EQ(state->MicroChainCount, 3);
    // 13 lines of an 8-point font: 13 × 8 × 2 = 208 pixels, and the window with it.
    EXPECT_EQ(form->RichEdit1->height(), 208);
    EXPECT_EQ(form->client()->height(), 23 + 20 + 24 + 10 + 129 + 10 + 129 + 10 + 208 + 20);
    EXPECT_EQ(form->client()->width(), 976);
}

TEST_F(MicroWindow, PlaceholderEflGivesTheConversionMessageWithTheCountStored)
{
    form->Edit2->setText(QStringLiteral("7"));
    form->ComboBox2->setCurrentIndex(0); // "Выбери"
    form->GetMicroCS();
    EXPECT_EQ(services.messages, QStringList{QStringLiteral("'Выбери' is not a valid integer value")});
    EXPECT_EQ(state->MicroChainCount, 7);
    EXPECT_EQ(form->RichEdit1->height(), 100);
}

TEST_F(MicroWindow, ALongSearchShowsItsProgressAndStopsOnCancel)
{
    form->Edit2->setText(QStringLiteral("50"));
    form->ComboBox2->setCurrentIndex(16); // EFL 16: attempts keep failing
    form->ComboBox4->setCurrentIndex(1);
    // Cancel as soon as the progress dialog shows (or, failing that, after a
    // while, so the test cannot hang).
    bool sawProgress = false;
    int polls = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, form.get(), [&] {
        auto *progress = form->findChild<QProgressDialog *>();
        sawProgress = progress && progress->isVisible();
        if (progress && (sawProgress || ++polls > 100))
            progress->cancel();
    });
    poll.start(100);
    form->GetMicroCS();
    EXPECT_TRUE(sawProgress);
    const QStringList lines = form->tables().RichEdit1.lines();
    EXPECT_EQ(state->MicroChainCount, 0);
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[lines.size() - 5], QStringLiteral("Поиск МикроЦС остановлен: построено 0 из 50."));
    EXPECT_TRUE(lines.back().startsWith(QStringLiteral("Времени ушло = ")));
}

TEST_F(MicroWindow, MenuAsksForTheCountAndRootsFollow)
{
    form->ComboBox2->setCurrentIndex(1); // EFL 1
    QTimer::singleShot(0, form.get(), [&] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->textValue(), QStringLiteral(" Сколько МикроЦС надо? "));
        dialog->setTextValue(QStringLiteral("2"));
        dialog->accept();
    });
    form->Micro1->trigger();
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("2"));
    EXPECT_EQ(state->MicroChainCount, 2);
    const int before = form->tables().RichEdit1.lineCount();
    form->Roots1->trigger();
    const QStringList roots = form->tables().RichEdit1.lines().mid(before);
    ASSERT_EQ(roots.size(), 2);
    EXPECT_TRUE(roots[0].endsWith(QStringLiteral("# 001.")));
    EXPECT_TRUE(roots[0].contains(QStringLiteral("->")));
}

TEST_F(MicroWindow, HelpMenuOpensTheAboutAndHelpWindows)
{
    EXPECT_TRUE(form->HELP1->menuAction()->isEnabled());
    QDialog about, help;
    form->setAboutWindow(&about);
    form->setHelpWindow(&help);
    for (auto [action, dialog] : {std::pair{form->ABOUT1, &about}, std::pair{form->FAQ1, &help}}) {
        bool shown = false;
        QTimer::singleShot(0, form.get(), [&, dialog = dialog] {
            shown = dialog->isVisible();
            dialog->accept();
        });
        action->trigger();
        EXPECT_TRUE(shown);
    }
}

TEST_F(MainWindowTest, ExitEndsTheProgramWithStatusZero)
{
    QTimer::singleShot(0, form.get(), [&] { form->ButtonClose->click(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(form->isVisible());
}
