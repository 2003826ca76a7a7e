// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "platform/RandomSource.h"
#include "platform/views/CompactList.h"
#include "search/MicroChainSearch.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>
#include <string>

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
    EXPECT_EQ(services.messages,
              QStringList{QStringLiteral("'Выбери' is not a valid integer value")});
    EXPECT_EQ(state->MicroChainCount, 7);
    EXPECT_EQ(form->RichEdit1->height(), 100);
}

TEST_F(MicroWindow, ALongSearchShowsItsProgressAndStopsOnCancel)
{
    form->setMicroProgressDelay(0);
    form->Edit2->setText(QStringLiteral("50"));
    form->ComboBox2->setCurrentIndex(16); // EFL 16: attempts keep failing
    form->ComboBox4->setCurrentIndex(1);
    // The search serves pending events as soon as it starts: the dialog is up by
    // then, and "Остановить" ends the search.
    bool sawProgress = false;
    QTimer::singleShot(0, form.get(), [&] {
        auto *progress = form->findChild<QProgressDialog *>();
        sawProgress = progress && progress->isVisible();
        if (progress)
            progress->cancel();
    });
    form->GetMicroCS();
    EXPECT_TRUE(sawProgress);
    EXPECT_EQ(form->findChild<QProgressDialog *>(), nullptr);
    const QStringList lines = form->tables().RichEdit1.lines();
    EXPECT_EQ(state->MicroChainCount, 0);
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[lines.size() - 5],
              QStringLiteral("Поиск МикроЦС остановлен: построено 0 из 50."));
    EXPECT_TRUE(lines.back().startsWith(QStringLiteral("Времени ушло = ")));
}

struct RefusedMicroInput
{
    const char *name;
    QString count;
    QString efl;    // typed over ComboBox2's text
    QString target; // typed over ComboBox4's text
    QString message;
};

class MicroRefusal : public MicroWindow, public ::testing::WithParamInterface<RefusedMicroInput>
{
};

// Input the search cannot take gives its message with no progress dialog about:
// nothing runs that the user would have to stop before closing the message.
TEST_P(MicroRefusal, ShowsItsMessageAndNoProgress)
{
    const RefusedMicroInput &c = GetParam();
    form->setMicroProgressDelay(0);
    typeAndCheck(OrderedDeckText);
    const QStringList report = form->tables().RichEdit1.lines();
    form->Edit2->setText(c.count);
    form->ComboBox2->setEditText(c.efl);
    form->ComboBox4->setEditText(c.target);
    bool progressAtMessage = false;
    services.setMessageHandler([&](const QString &text) {
        services.messages << text;
        progressAtMessage = form->findChild<QProgressDialog *>() != nullptr;
    });
    form->GetMicroCS();
    EXPECT_EQ(services.messages, QStringList{c.message});
    EXPECT_FALSE(progressAtMessage);
    EXPECT_EQ(form->findChild<QProgressDialog *>(), nullptr);
    if (c.message != QStringLiteral("'abc' is not a valid integer value")) {
        EXPECT_EQ(form->tables().RichEdit1.lines(), report); // refused before any change
        EXPECT_EQ(state->MicroChainCount, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MicroWindow, MicroRefusal,
    ::testing::Values(
        RefusedMicroInput{"CountNotANumber", "abc", "2", "Тч",
                          QStringLiteral("'abc' is not a valid integer value")},
        RefusedMicroInput{"CountAboveTheStore", "501", "2", "Тч", MicroCountTooLargeText},
        RefusedMicroInput{"EflTypedOver", "3", "2x", "Тч", platform::ListIndexOutOfBoundsText},
        RefusedMicroInput{"TargetTypedOver", "3", "2", "Т", platform::ListIndexOutOfBoundsText},
        RefusedMicroInput{"TargetPlaceholder", "3", "2", "Выбери", MicroTargetNotChosenText}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(MicroWindow, ALongReportAfterAShortOneTakesTheBoundedHeight)
{
    form->ComboBox2->setCurrentIndex(1);
    form->Edit2->setText(QStringLiteral("3"));
    form->GetMicroCS();
    EXPECT_EQ(form->RichEdit1->height(), 13 * 8 * 2);
    form->Edit2->setText(QStringLiteral("40"));
    form->GetMicroCS(); // 50 lines: 800 by the rule, held to 400
    EXPECT_EQ(form->RichEdit1->height(), 400);
    EXPECT_EQ(form->client()->height(), 23 + 20 + 24 + 10 + 129 + 10 + 129 + 10 + 400 + 20);
}

TEST_F(MicroWindow, RootsBeforeAnyMicroChainSayThereAreNone)
{
    form->Roots1->trigger();
    EXPECT_EQ(form->tables().RichEdit1.lines(), QStringList{MicroRootsNoneYetText});
    form->ComboBox2->setEditText(QStringLiteral("1x"));
    form->Roots1->trigger();
    EXPECT_EQ(services.messages, QStringList{platform::ListIndexOutOfBoundsText});
}

// Answers the "МикроЦС" dialog the menu opens, once it is up.
class MicroDialogAnswer
{
public:
    explicit MicroDialogAnswer(std::function<void(MicroSearchDialog &)> answer)
    {
        QTimer::singleShot(0, [this, answer = std::move(answer)] {
            auto *dialog = qobject_cast<MicroSearchDialog *>(QApplication::activeModalWidget());
            seen = dialog != nullptr;
            if (dialog)
                answer(*dialog);
        });
    }
    bool seen = false;
};

struct ProposedMethod
{
    const char *name;
    int eflIndex; // ComboBox2's item: 0 "Выбери", else the EFL
    MicroMethod method;
};

class MicroDialogProposal : public MicroWindow, public ::testing::WithParamInterface<ProposedMethod>
{
};

TEST_P(MicroDialogProposal, AsksForACountAndProposesTheMethodByEfl)
{
    form->ComboBox2->setCurrentIndex(GetParam().eflIndex);
    MicroDialogAnswer answer([&](MicroSearchDialog &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("МикроЦС"));
        EXPECT_EQ(dialog.Count->minimum(), 1);
        EXPECT_EQ(dialog.Count->maximum(), 500);
        EXPECT_EQ(dialog.count(), 10);
        EXPECT_EQ(dialog.method(), GetParam().method);
        EXPECT_EQ(dialog.Method->itemText(0), QStringLiteral("случайный перебор"));
        EXPECT_EQ(dialog.Method->itemText(1), QStringLiteral("поиск с возвратом"));
        EXPECT_EQ(dialog.Buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("ОК"));
        EXPECT_EQ(dialog.Buttons->button(QDialogButtonBox::Cancel)->text(),
                  QStringLiteral("Отмена"));
        QTest::mouseClick(dialog.Buttons->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    form->Micro1->trigger();
    EXPECT_TRUE(answer.seen);
    EXPECT_EQ(state->MicroChainCount, 0); // cancelled: no search
    EXPECT_TRUE(form->tables().RichEdit1.lines().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    MicroWindow, MicroDialogProposal,
    ::testing::Values(ProposedMethod{"Placeholder", 0, MicroMethod::GenerateAndTest},
                      ProposedMethod{"Efl11", 11, MicroMethod::GenerateAndTest},
                      ProposedMethod{"Efl12", 12, MicroMethod::Search},
                      ProposedMethod{"Efl30", 30, MicroMethod::Search}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(MicroWindow, MenuAsksForTheCountAndRootsFollow)
{
    form->ComboBox2->setCurrentIndex(1); // EFL 1
    MicroDialogAnswer answer([](MicroSearchDialog &dialog) {
        dialog.Count->selectAll();
        QTest::keyClicks(dialog.Count, QStringLiteral("2"));
        dialog.Method->setCurrentIndex(1);
        QTest::keyClick(dialog.Count, Qt::Key_Return); // Return answers this question
    });
    form->Micro1->trigger();
    EXPECT_TRUE(answer.seen);
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("2"));
    EXPECT_EQ(form->microMethod(), MicroMethod::Search);
    EXPECT_EQ(state->MicroChainCount, 2);
    const int before = form->tables().RichEdit1.lineCount();
    form->Roots1->trigger();
    const QStringList roots = form->tables().RichEdit1.lines().mid(before);
    ASSERT_EQ(roots.size(), 2);
    EXPECT_TRUE(roots[0].endsWith(QStringLiteral("# 001.")));
    EXPECT_TRUE(roots[0].contains(QStringLiteral("->")));

    // The count asked for last is offered again.
    MicroDialogAnswer again([](MicroSearchDialog &dialog) {
        EXPECT_EQ(dialog.count(), 2);
        dialog.reject();
    });
    form->Micro1->trigger();
    EXPECT_TRUE(again.seen);
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
