// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFile.h"
#include "../ScratchFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

class TextFiles : public ::testing::Test, public ScratchFolder
{
protected:
    static QByteArray contentsOf(const QString &filePath)
    {
        QFile file(filePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(TextFiles, ReadUtf8LinesAtEveryKindOfLineEndWithoutTheByteOrderMark)
{
    const auto read = platform::readTextFile(write("utf8.txt", "\xEF\xBB\xBF"
                                                               "6п 7п\r\nТч Xб\n\nКк\r9ч\n"));
    ASSERT_TRUE(read.ok);
    EXPECT_FALSE(read.readAsCp1251);
    EXPECT_EQ(read.lines, (QStringList{QStringLiteral("6п 7п"), QStringLiteral("Тч Xб"), QString(),
                                       QStringLiteral("Кк"), QStringLiteral("9ч")}));
}

TEST_F(TextFiles, ReadBytesThatAreNoUtf8AsWindows1251)
{
    // "6п Тч" and "Кб" in Windows-1251.
    const auto read = platform::readTextFile(write("cp1251.txt", "6\xEF \xD2\xF7\n\xCA\xE1"));
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.readAsCp1251);
    EXPECT_EQ(read.lines, (QStringList{QStringLiteral("6п Тч"), QStringLiteral("Кб")}));
}

TEST_F(TextFiles, AMissingOrUnreadableFileSaysWhy)
{
    for (const QString &name : {path("missing.txt"), folder.path()}) {
        const auto read = platform::readTextFile(name);
        EXPECT_FALSE(read.ok) << name.toStdString();
        EXPECT_FALSE(read.error.isEmpty()) << name.toStdString();
        EXPECT_TRUE(read.lines.isEmpty());
    }
}

TEST_F(TextFiles, AreWrittenWholeOverAnOldFile)
{
    const QString file = write("out.txt", "old");
    EXPECT_EQ(platform::writeTextFileWhole(file, "new text\n"), QString());
    EXPECT_EQ(contentsOf(file), QByteArray("new text\n"));
}

TEST_F(TextFiles, AFileThatCannotBeWrittenSaysWhy)
{
    write("plain", "a file where a folder should be");
    EXPECT_FALSE(platform::writeTextFileWhole(path("plain/out.txt"), "text").isEmpty());
}

#ifdef Q_OS_UNIX
// A write that fails half-way (here at a file size limit, which binds even the
// superuser) leaves the old file as it was, not cut short.
TEST_F(TextFiles, AWriteThatFailsHalfWayLeavesTheOldFileWhole)
{
    const QString file = write("kept.txt", "the old analysis\n");
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString reason = platform::writeTextFileWhole(file, QByteArray(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(contentsOf(file), QByteArray("the old analysis\n"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.txt")});
}
#endif

} // namespace
