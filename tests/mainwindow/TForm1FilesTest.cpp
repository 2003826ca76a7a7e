// SPDX-License-Identifier: GPL-3.0-or-later
#include "../ScratchFolder.h"
#include "MainWindowFixture.h"
#include "analysis/ChainFile.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>

namespace {

class WindowFiles : public MainWindowTest, public ScratchFolder
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        TForm1::FileQuestions questions;
        questions.openPath = [this](const QString &startFolder) {
            askedFolders << startFolder;
            return answerPath;
        };
        questions.savePath = questions.openPath;
        questions.pickChain = [this](const QStringList &chains) {
            offered = chains;
            return picked;
        };
        form->setFileQuestions(questions);
    }

    QString answerPath;
    QStringList askedFolders;
    QStringList offered;
    int picked = 0;
};

TEST_F(WindowFiles, OpeningOneChainAnalysesItAsTheCheckButtonDoes)
{
    answerPath = write("one.txt", NoCollapseText.toUtf8() + "\n");
    form->OPEN1->trigger();
    EXPECT_EQ(form->Edit1->text(), NoCollapseText);
    EXPECT_EQ(form->tables().RichEdit1.lines().value(0), QStringLiteral("Свёртка до 36 карт"));
    EXPECT_EQ(form->tables().StringGrid1.cell(1, 1), QStringLiteral("6п"));
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_TRUE(services.messages.isEmpty());
}

TEST_F(WindowFiles, OpeningSeveralChainsOffersThemAndAnalysesThePickedOne)
{
    QByteArray cp1251 = "\xCC\xEE\xE8 \xF6\xE5\xEF\xEE\xF7\xEA\xE8\n"; // "Мои цепочки"
    for (const QString &chain : {OrderedDeckText, NoCollapseText}) {
        for (const QChar c : chain)
            cp1251.append(c.unicode() < 0x80 ? char(c.unicode())
                                             : char(0xC0 + (c.unicode() - 0x410)));
        cp1251.append('\n');
    }
    answerPath = write("two.txt", cp1251);
    picked = 1;
    form->OPEN1->trigger();
    EXPECT_EQ(offered, (QStringList{OrderedDeckText, NoCollapseText}));
    EXPECT_EQ(form->Edit1->text(), NoCollapseText);
    EXPECT_EQ(form->tables().RichEdit1.lines().value(0), QStringLiteral("Свёртка до 36 карт"));
}

TEST_F(WindowFiles, CancellingThePickChangesNothing)
{
    form->Edit1->setText(QStringLiteral("6п 7п"));
    answerPath = write("two.txt", (OrderedDeckText + u'\n' + NoCollapseText).toUtf8());
    picked = -1;
    form->OPEN1->trigger();
    EXPECT_EQ(offered.size(), 2);
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("6п 7п"));
    EXPECT_EQ(form->tables().RichEdit1.lineCount(), 0);
}

TEST_F(WindowFiles, AFileThatCannotBeReadSaysWhyAndKeepsWhatWasTyped)
{
    form->Edit1->setText(QStringLiteral("6п 7п"));
    for (const QString &unreadable : {path("missing.txt"), folder.path()}) {
        services.messages.clear();
        answerPath = unreadable;
        form->OPEN1->trigger();
        ASSERT_EQ(services.messages.size(), 1);
        EXPECT_TRUE(services.messages[0].startsWith(QStringLiteral("Не удалось прочитать файл")));
        EXPECT_EQ(form->Edit1->text(), QStringLiteral("6п 7п"));
    }
}

TEST_F(WindowFiles, SavingWritesTheAnalysisAndAFailedSaveKeepsTheOldFile)
{
    typeAndCheck(OrderedDeckText);
    answerPath = path("saved.txt");
    form->SAVE1->trigger();
    EXPECT_TRUE(services.messages.isEmpty());
    QFile saved(answerPath);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), analysisFileText(OrderedDeckText, form->tables()));

    write("plain", "not a folder");
    answerPath = path("plain/saved.txt");
    form->SAVE1->trigger();
    ASSERT_EQ(services.messages.size(), 1);
    EXPECT_TRUE(services.messages[0].startsWith(QStringLiteral("Не удалось сохранить файл")));
    EXPECT_EQ(form->Edit1->text(), OrderedDeckText);
}

TEST_F(WindowFiles, TheNextDialogStartsInTheFolderLastUsed)
{
    answerPath = write("one.txt", OrderedDeckText.toUtf8());
    form->OPEN1->trigger();
    form->SAVE1->trigger();
    ASSERT_EQ(askedFolders.size(), 2);
    EXPECT_EQ(QDir(askedFolders[1]).absolutePath(), QDir(folder.path()).absolutePath());
    // Kept in the settings, never in the user's own: each test program has its
    // own, in a temporary folder.
    EXPECT_TRUE(QSettings().fileName().startsWith(QDir::tempPath()))
        << QSettings().fileName().toStdString();
    EXPECT_EQ(QDir(QSettings().value(QStringLiteral("files/folder")).toString()).absolutePath(),
              QDir(folder.path()).absolutePath());
}

} // namespace

namespace {

// A Russian keyboard's "Х" and a chain pasted from a table read as people mean them.
TEST_F(MainWindowTest, TheCyrillicHaIsTheTenAndTabsSeparateInTheWindow)
{
    QString typed = QString(OrderedDeckText).replace(u'X', u'Х');
    typed.replace(QStringLiteral("п "), QStringLiteral("п\u00A0"));
    typeAndCheck(typed);
    EXPECT_EQ(form->DeckCheckLabel->text(), FullDeckText);
    EXPECT_EQ(form->tables().StringGrid1.cell(5, 1), QStringLiteral("Xп"));
    // The same analysis as of the deck written with the Latin "X".
    MainTables latin;
    ChainState latinState;
    TestServices latinServices;
    RunAnalysis(latin, latinState, latinServices, OrderedDeckText);
    EXPECT_EQ(form->tables().RichEdit1.lines(), latin.RichEdit1.lines());

    // The replacement lists take a typed "хб" as the ten of diamonds.
    form->ComboBox5->setEditText(QStringLiteral("хб"));
    form->ComboBox6->setEditText(QStringLiteral("6б"));
    QTest::mouseClick(form->Button1, Qt::LeftButton);
    EXPECT_TRUE(services.messages.isEmpty());
    EXPECT_EQ(form->tables().StringGrid1.cell(10, 1), QStringLiteral("Xб"));
    EXPECT_EQ(form->tables().StringGrid1.cell(14, 1), QStringLiteral("6б"));
}

} // namespace
