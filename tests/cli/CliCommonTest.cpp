// SPDX-License-Identifier: GPL-3.0-or-later
#include "../SystemTestSupport.h"
#include "../TestSupport.h"
#include "cli/CommandMessages.h"
#include "cli/CommandOptions.h"
#include "cli/CommandOutput.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <unistd.h>

TEST(OutputStreamFailure, DevFullFailsAtTheFlushAndStaysFailed)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no device that is always full";
#endif
    std::FILE *full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    OutputStream output(full);
    EXPECT_TRUE(output.ok());
    output.writeLine(QStringLiteral("6п 7п")); // may only fill the buffer
    EXPECT_FALSE(output.flush());
    EXPECT_FALSE(output.ok());
    EXPECT_EQ(output.error(), ENOSPC);
    EXPECT_FALSE(output.writeLine(QStringLiteral("8п"))) << "later writes are skipped";
    EXPECT_EQ(output.error(), ENOSPC) << "the first failure is kept";
    std::fclose(full);
}

TEST(OutputStreamFailure, AClosedPipeIsABrokenPipeOnceSigpipeIsIgnored)
{
#ifdef SIGPIPE
    const auto previous = std::signal(SIGPIPE, SIG_IGN);
#endif
    int fds[2];
    ASSERT_EQ(openPipe(fds), 0);
    ::close(fds[0]);
    std::FILE *pipe = ::fdopen(fds[1], "w");
    ASSERT_NE(pipe, nullptr);
    OutputStream output(pipe);
    output.writeJsonLine(QJsonObject{{QStringLiteral("a"), 1}});
    EXPECT_FALSE(output.flush());
    EXPECT_EQ(output.error(), EPIPE);
    std::fclose(pipe);
#ifdef SIGPIPE
    std::signal(SIGPIPE, previous);
#endif
}

TEST(OutputStreamSuccess, WritesLinesAsUtf8)
{
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    std::FILE *written = std::fopen(QFile::encodeName(file.fileName()).constData(), "wb");
    ASSERT_NE(written, nullptr);
    OutputStream output(written);
    EXPECT_TRUE(output.writeLine(QStringLiteral("Тч 😀")));
    EXPECT_TRUE(output.writeLine(QByteArrayView("6п")));
    EXPECT_TRUE(output.writeLine(QString())); // the blank line between reports
    EXPECT_TRUE(output.flush());
    EXPECT_EQ(output.error(), 0);
    std::fclose(written);
    EXPECT_EQ(file.readAll(), QStringLiteral("Тч 😀\n6п\n\n").toUtf8());
}

struct JsonCase
{
    const char *name;
    QString value;
    QString parsed; // what a parser reads back
};

class JsonLines : public ::testing::TestWithParam<JsonCase>
{
};

TEST_P(JsonLines, NeverHoldALoneSurrogate)
{
    const JsonCase &c = GetParam();
    const QByteArray line = jsonLine(QJsonObject{{QStringLiteral("text"), c.value}});
    const QByteArray lower = line.toLower();
    for (const char *escape :
         {"\\ud8", "\\ud9", "\\uda", "\\udb", "\\udc", "\\udd", "\\ude", "\\udf"}) {
        qsizetype at = lower.indexOf(escape);
        // An escaped backslash followed by the letters is text, not an escape.
        while (at > 0 && lower[at - 1] == '\\')
            at = lower.indexOf(escape, at + 1);
        EXPECT_LT(at, 0) << line.toStdString();
    }
    EXPECT_EQ(QString::fromUtf8(line).toUtf8(), line) << "valid UTF-8";
    EXPECT_EQ(QJsonDocument::fromJson(line).object()[u"text"].toString(), c.parsed);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonLines,
    ::testing::Values(JsonCase{"PlainText", QStringLiteral("Тч 6п"), QStringLiteral("Тч 6п")},
                      JsonCase{"PairStaysAsUtf8", QStringLiteral("😀п"), QStringLiteral("😀п")},
                      JsonCase{"LoneHighBecomesReplacement", QString(QChar(0xD83D)) + u'п',
                               QStringLiteral("\uFFFDп")},
                      JsonCase{"LoneLowBecomesReplacement", u'6' + QString(QChar(0xDE00)),
                               QStringLiteral("6\uFFFD")},
                      JsonCase{"TwoLoneHighs", QString(QChar(0xD83D)) + QChar(0xD83D),
                               QStringLiteral("\uFFFD\uFFFD")},
                      JsonCase{"EscapedBackslashBeforeLettersIsText", QStringLiteral("\\ud83d"),
                               QStringLiteral("\\ud83d")},
                      JsonCase{"BackslashThenLoneSurrogate", QStringLiteral("\\") + QChar(0xDC00),
                               QStringLiteral("\\\uFFFD")}),
    [](const auto &test) { return std::string(test.param.name); });

struct CardArgumentCase
{
    const char *name;
    const char16_t *text;
    const char16_t *read; // nullptr: refused
};

class CardArguments : public ::testing::TestWithParam<CardArgumentCase>
{
};

TEST_P(CardArguments, AreCardsOrPatternsWithTenAsInChainTexts)
{
    const CardArgumentCase &c = GetParam();
    const std::optional<QString> read = cardOrPattern(QString::fromUtf16(c.text));
    if (c.read == nullptr)
        EXPECT_EQ(read, std::nullopt);
    else
        EXPECT_EQ(read, QString::fromUtf16(c.read));
}

INSTANTIATE_TEST_SUITE_P(Texts, CardArguments,
                         ::testing::Values(CardArgumentCase{"Card", u"Тч", u"Тч"},
                                           CardArgumentCase{"TenAsTwoDigits", u"10п", u"Xп"},
                                           CardArgumentCase{"TenRankPattern", u"10?", u"X?"},
                                           CardArgumentCase{"SuitPattern", u"?п", u"?п"},
                                           CardArgumentCase{"RankPattern", u"6?", u"6?"},
                                           CardArgumentCase{"BareTen", u"10", nullptr},
                                           CardArgumentCase{"CyrillicSmallHa", u"хп", u"Xп"},
                                           CardArgumentCase{"CyrillicCapitalHa", u"Хп", u"Xп"},
                                           CardArgumentCase{"LatinB", u"Bп", nullptr},
                                           CardArgumentCase{"One", u"1п", nullptr},
                                           CardArgumentCase{"ThreeLetters", u"6пп", nullptr},
                                           CardArgumentCase{"BlanksAround", u" 6п\u00A0", u"6п"},
                                           CardArgumentCase{"Empty", u"", nullptr},
                                           CardArgumentCase{"TwoQuestionMarks", u"??", nullptr}),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(CommandLineHelp, ShowsTheCommandsOwnUsageAndOptionsOnly)
{
    CommandLine line(QStringLiteral("analyse"), QStringLiteral("Reads chains."));
    line.addOption(QCommandLineOption(QStringLiteral("json"), QStringLiteral("JSON lines.")));
    line.addOption(encodingOption());
    line.addArgument(QStringLiteral("TEXT"), QStringLiteral("Chain texts."),
                     QStringLiteral("[TEXT ...]"));
    const QString help = line.helpText();
    EXPECT_TRUE(help.startsWith(QStringLiteral("Usage: tlcalc-cli analyse [options] [TEXT ...]\n")))
        << help.toStdString();
    EXPECT_TRUE(help.contains(QStringLiteral("  --encoding ENC  ")));
    EXPECT_TRUE(help.contains(QStringLiteral("  -h, --help ")));
    EXPECT_FALSE(help.contains(QStringLiteral("help-all")));
    for (const QString &helpLine : help.split(u'\n'))
        EXPECT_LE(helpLine.size(), 79) << helpLine.toStdString();
}
