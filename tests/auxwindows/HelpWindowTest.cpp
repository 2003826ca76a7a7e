// SPDX-License-Identifier: GPL-3.0-or-later
#include "auxwindows/HelpFAQUnit.h"
#include "auxwindows/HelpText.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

class HelpWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    TFormHelp form;
};

TEST_F(HelpWindow, HasItsCaptionAndSize)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("FormHelp"));
    EXPECT_EQ(form.size(), QSize(400, 500));
}

TEST_F(HelpWindow, HasOnePageOnHexagramsFillingTheWindow)
{
    ASSERT_EQ(form.PageControl1->count(), 1);
    EXPECT_EQ(form.PageControl1->tabText(0), QStringLiteral("Гексограммы"));
    EXPECT_EQ(form.PageControl1->widget(0), form.TabSheet1);
    EXPECT_EQ(form.PageControl1->geometry(), form.rect());
    EXPECT_EQ(form.Memo1->parentWidget(), form.TabSheet1);
    EXPECT_EQ(form.Memo1->geometry(), form.TabSheet1->rect());
}

TEST_F(HelpWindow, ShowsTheNineteenLinesReadOnlyWithAVerticalScrollBar)
{
    const QStringList expected = hexagramHelpLines();
    ASSERT_EQ(expected.size(), 19);
    ASSERT_EQ(form.Memo1->document()->blockCount(), 19);
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(form.Memo1->document()->findBlockByNumber(i).text(), expected[i])
            << "line " << i + 1;

    // The six lines are explained from the first to the sixth.
    const QString text = form.Memo1->toPlainText();
    qsizetype last = -1;
    for (const QString &word :
         {QStringLiteral("хочу"), QStringLiteral("могу"), QStringLiteral("делаю"),
          QStringLiteral("посредники"), QStringLiteral("закон"), QStringLiteral("энергия")}) {
        const qsizetype at = text.indexOf(word);
        EXPECT_GT(at, last) << word.toStdString();
        last = at;
    }

    EXPECT_TRUE(form.Memo1->isReadOnly());
    EXPECT_EQ(form.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(form.Memo1->verticalScrollBar()->isVisible());
    EXPECT_FALSE(form.Memo1->horizontalScrollBar()->isVisible());

    form.Memo1->setFocus();
    QTest::keyClicks(form.Memo1, QStringLiteral("abc"));
    EXPECT_EQ(form.Memo1->toPlainText(), expected.join(u'\n'));
}

TEST_F(HelpWindow, PaintsTheTextOnThePage)
{
    const QImage shown = form.Memo1->viewport()->grab().toImage();
    const QColor base = form.Memo1->palette().color(QPalette::Base);
    int inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (QColor(shown.pixel(x, y)).lightness() < base.lightness() - 100)
                ++inked;
    EXPECT_GT(inked, 50);
}

} // namespace
