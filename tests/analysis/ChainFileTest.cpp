// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/ChainFile.h"
#include "../TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ChainFiles : public ::testing::Test
{
protected:
    QString write(const char *name, const QByteArray &bytes) const
    {
        QFile file(QDir(folder.path()).filePath(QString::fromUtf8(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir folder;
};

TEST(ChainLines, AreTheLinesThatStartWithACard)
{
    const QStringList lines{QStringLiteral("Мои цепочки"),
                            QStringLiteral("  6п 7п 8п"),
                            QString(),
                            QStringLiteral("10ч Тб"),
                            QStringLiteral("Хп 6б"),
                            QStringLiteral("\tКк Дд"),
                            QStringLiteral("1. 6п 7п"),
                            QStringLiteral("Свёртка до 2 карт")};
    EXPECT_EQ(chainsInLines(lines),
              (QStringList{QStringLiteral("  6п 7п 8п"), QStringLiteral("10ч Тб"),
                           QStringLiteral("Хп 6б"), QStringLiteral("\tКк Дд")}));
}

TEST_F(ChainFiles, OfOneChainInEitherEncodingGiveThatChain)
{
    QByteArray cp1251;
    for (const char16_t c : OrderedDeckText.toStdU16String()) {
        // The deck's letters in Windows-1251: А…я are 0xC0…0xFF.
        cp1251.append(c < 0x80 ? char(c) : char(0xC0 + (c - 0x0410)));
    }
    for (const QByteArray &bytes : {OrderedDeckText.toUtf8() + "\n", cp1251}) {
        const ChainFileRead read = readChainFile(write("one.txt", bytes));
        EXPECT_EQ(read.error, QString());
        EXPECT_EQ(read.chains, QStringList{OrderedDeckText});
    }
}

TEST_F(ChainFiles, OfSeveralChainsGiveThemAllInOrder)
{
    const ChainFileRead read =
        readChainFile(write("several.txt", (QStringLiteral("Партия 1\r\n") + OrderedDeckText +
                                            QStringLiteral("\r\n\r\n") + NoCollapseText)
                                               .toUtf8()));
    EXPECT_EQ(read.chains, (QStringList{OrderedDeckText, NoCollapseText}));
}

TEST_F(ChainFiles, ThatAreMissingUnreadableOrHoldNoChainSayWhy)
{
    const QString missing = QDir(folder.path()).filePath(QStringLiteral("нет.txt"));
    const ChainFileRead notThere = readChainFile(missing);
    EXPECT_TRUE(notThere.chains.isEmpty());
    EXPECT_TRUE(notThere.error.startsWith(QStringLiteral("Не удалось прочитать файл «нет.txt»: ")));

    EXPECT_TRUE(
        readChainFile(folder.path()).error.startsWith(QStringLiteral("Не удалось прочитать")));

    const ChainFileRead notes = readChainFile(write("notes.txt", "Заметки\nбез цепочек\n"));
    EXPECT_TRUE(notes.chains.isEmpty());
    EXPECT_EQ(notes.error, ChainFileEmptyText.arg(QStringLiteral("notes.txt")));
}

TEST_F(ChainFiles, SaveTheChainTheReportAndTheTablesTabSeparated)
{
    MainTables tables;
    TestServices services;
    ChainState state;
    RunAnalysis(tables, state, services, OrderedDeckText);
    const QString text = QString::fromUtf8(analysisFileText(OrderedDeckText, tables));
    const QStringList lines = text.split(u'\n');

    EXPECT_EQ(lines.at(0), OrderedDeckText);
    EXPECT_EQ(lines.at(1), QString());
    EXPECT_EQ(lines.at(2), QStringLiteral("Отчёт"));
    EXPECT_EQ(lines.mid(3, tables.RichEdit1.lineCount()), tables.RichEdit1.lines());
    const qsizetype grid1 = lines.indexOf(QStringLiteral("Таблица анализа"));
    ASSERT_GT(grid1, 0);
    // Row 0 holds the positions, row 1 the cards, a tab between cells.
    EXPECT_TRUE(lines.at(grid1 + 1).startsWith(QStringLiteral("\t1\t2\t3\t")));
    EXPECT_TRUE(lines.at(grid1 + 2).startsWith(QStringLiteral("Колода\t6п\t7п\t8п\t")));
    EXPECT_EQ(lines.at(grid1 + 2).count(u'\t'), 37);
    const qsizetype grid2 = lines.indexOf(QStringLiteral("Масти и значения"));
    const qsizetype grid3 = lines.indexOf(QStringLiteral("Таблица №3"));
    EXPECT_EQ(grid2, grid1 + 1 + 8 + 1);
    EXPECT_EQ(grid3, grid2 + 1 + 8 + 1);
    EXPECT_EQ(lines.at(grid3 + 2).split(u'\t').size(), 11);
    EXPECT_TRUE(text.endsWith(u'\n'));

    // A saved analysis opens again as its chain.
    const QString saved = QDir(folder.path()).filePath(QStringLiteral("saved.txt"));
    ASSERT_EQ(saveAnalysisFile(saved, OrderedDeckText, tables), QString());
    EXPECT_EQ(readChainFile(saved).chains, QStringList{OrderedDeckText});
}

TEST_F(ChainFiles, ThatCannotBeSavedSayWhy)
{
    write("plain", "a file where a folder should be");
    MainTables tables;
    const QString failure = saveAnalysisFile(
        QDir(folder.path()).filePath(QStringLiteral("plain/a.txt")), OrderedDeckText, tables);
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Не удалось сохранить файл «a.txt»: ")));
    EXPECT_TRUE(failure.endsWith(QStringLiteral(". Прежний файл не изменён.")));
}

} // namespace
