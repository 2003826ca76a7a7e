// SPDX-License-Identifier: GPL-3.0-or-later
#include "../SystemTestSupport.h"
#include "../TestSupport.h"
#include "CliTestSupport.h"
#include "cli/LineReader.h"
#include "platform/TextEncoding.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct Lines
{
    QList<QByteArray> lines;
    QList<qint64> notices;
    int error = 0;
};

// The read end of a pipe that holds input and is closed behind it.
int pipeHolding(const QByteArray &input)
{
    int fds[2];
    EXPECT_EQ(openPipe(fds), 0);
    EXPECT_LT(input.size(), 60000) << "the input must fit the pipe";
    EXPECT_EQ(::write(fds[1], input.constData(), std::size_t(input.size())), input.size());
    ::close(fds[1]);
    return fds[0];
}

// Everything a reader with chunks of chunk bytes gives for input through a pipe.
Lines readAll(const QByteArray &input, InputEncoding encoding, qsizetype chunk)
{
    const int fd = pipeHolding(input);
    Lines result;
    LineReader reader(fd, encoding, chunk);
    reader.setCp1251Notice([&](qint64 line) { result.notices << line; });
    QByteArray line;
    while (reader.next(line) && result.lines.size() < 1000)
        result.lines << line;
    result.error = reader.error();
    ::close(fd);
    return result;
}

// The same read with appendNext, every line appended to one buffer.
QList<QByteArray> readAllAppended(const QByteArray &input, InputEncoding encoding, qsizetype chunk)
{
    const int fd = pipeHolding(input);
    LineReader reader(fd, encoding, chunk);
    std::string buffer = "before";
    QList<QByteArray> lines;
    for (std::size_t start = buffer.size(); reader.appendNext(buffer) && lines.size() < 1000;
         start = buffer.size())
        lines << QByteArray::fromStdString(buffer.substr(start));
    EXPECT_TRUE(buffer.starts_with("before"));
    ::close(fd);
    return lines;
}

} // namespace

struct LineCase
{
    const char *name;
    QByteArray input;
    InputEncoding encoding;
    QList<QByteArray> lines;
    QList<qint64> notices; // lines that Auto said it read as Windows-1251
};

class LineReading : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(LineReading, GivesEachLineOnceAsValidUtf8WhateverTheChunks)
{
    const LineCase &c = GetParam();
    for (const qsizetype chunk :
         {qsizetype(1), qsizetype(2), qsizetype(3), qsizetype(5), LineReader::DefaultChunk}) {
        const Lines read = readAll(c.input, c.encoding, chunk);
        EXPECT_EQ(read.lines, c.lines) << "chunk " << chunk;
        EXPECT_EQ(read.notices, c.notices) << "chunk " << chunk;
        EXPECT_EQ(read.error, 0);
        EXPECT_EQ(readAllAppended(c.input, c.encoding, chunk), c.lines) << "chunk " << chunk;
        for (const QByteArray &line : read.lines)
            EXPECT_TRUE(line.isValidUtf8()) << line.toHex(' ').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, LineReading,
    ::testing::Values(
        LineCase{"LfLines", "6п 7п\n8п\n", InputEncoding::Auto, {"6п 7п", "8п"}, {}},
        LineCase{"CrLfReadsLikeLf", "6п 7п\r\n8п\r\n", InputEncoding::Auto, {"6п 7п", "8п"}, {}},
        LineCase{"MixedLineEnds", "a\r\nb\nc\r\n", InputEncoding::Auto, {"a", "b", "c"}, {}},
        LineCase{"CrNotBeforeLfStays", "a\rb\nc\r", InputEncoding::Auto, {"a\rb", "c\r"}, {}},
        LineCase{"LastLineWithoutLineEnd", "a\nb", InputEncoding::Auto, {"a", "b"}, {}},
        LineCase{"EmptyLinesAreLines", "\n\r\n\n", InputEncoding::Auto, {"", "", ""}, {}},
        LineCase{"EmptyInputHasNoLine", "", InputEncoding::Auto, {}, {}},
        LineCase{"LastLineEndingInALoneByte", "6п\n7\xea", InputEncoding::Auto, {"6п", "7к"}, {2}},
        LineCase{"LoneByteForcedUtf8", "\xea", InputEncoding::Utf8, {"\xEF\xBF\xBD"}, {}},
        LineCase{"EachLineDecidesAndOneNotice",
                 "6п\n\xef\n7п\n\xe1\n",
                 InputEncoding::Auto,
                 {"6п", "п", "7п", "б"},
                 {2}},
        LineCase{"Cp1251ForcedOnValidUtf8", "\xD0\xB8", InputEncoding::Cp1251, {"Рё"}, {}},
        LineCase{"EmojiPassesWhole",
                 "\xF0\x9F\x98\x80п\n",
                 InputEncoding::Auto,
                 {"\xF0\x9F\x98\x80п"},
                 {}},
        LineCase{"TruncatedSequenceIsOneReplacement",
                 "\xF0\x9F\x98 6п",
                 InputEncoding::Utf8,
                 {"\xEF\xBF\xBD 6п"},
                 {}},
        LineCase{"EncodedSurrogateIsIllFormed",
                 "\xED\xA0\xBD",
                 InputEncoding::Utf8,
                 {"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
                 {}},
        LineCase{"EncodedSurrogateFallsBackUnderAuto",
                 "\xED\xA0\xBD",
                 InputEncoding::Auto,
                 {"н\xC2\xA0Ѕ"},
                 {1}},
        LineCase{"OverlongSlashIsIllFormed",
                 "\xC0\xAF",
                 InputEncoding::Utf8,
                 {"\xEF\xBF\xBD\xEF\xBF\xBD"},
                 {}},
        LineCase{"ByteOrderMarkOpeningTheInputIsDropped",
                 "\xEF\xBB\xBF"
                 "6п\n\xEF\xBB\xBF",
                 InputEncoding::Auto,
                 {"6п", "\xEF\xBB\xBF"},
                 {}},
        LineCase{
            "ByteOrderMarkUnderCp1251IsText", "\xEF\xBB\xBF", InputEncoding::Cp1251, {"п»ї"}, {}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(LineReadingCp1251, TheDeckInWindows1251ReadsAsTheDeck)
{
    const QByteArray bytes = cp1251Bytes(OrderedDeckText);
    ASSERT_EQ(bytes.size(), 108);
    const Lines read = readAll(bytes + "\r\n" + bytes, InputEncoding::Auto, 7);
    EXPECT_EQ(read.lines, (QList<QByteArray>{OrderedDeckText.toUtf8(), OrderedDeckText.toUtf8()}));
    EXPECT_EQ(read.notices, QList<qint64>{1});
}

TEST(LineReadingErrors, AFailedReadIsAnErrorNotAnEnd)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows opens no folder to read";
#endif
    const int directory = ::open("/", O_RDONLY);
    ASSERT_GE(directory, 0);
    LineReader reader(directory);
    QByteArray line;
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(reader.error(), EISDIR);
    ::close(directory);
}

TEST(LineReadingHooks, TheHookRunsBeforeEveryRead)
{
    const int fd = pipeHolding("a\nb\n");
    LineReader reader(fd, InputEncoding::Auto, 2);
    int reads = 0;
    reader.setBeforeRead([&] { ++reads; });
    QByteArray line;
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(reads, 1) << "a whole line in the first chunk needs no second read";
    ASSERT_TRUE(reader.next(line));
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(reads, 3); // "a\n", "b\n", the end
    ::close(fd);
}

struct Utf8Case
{
    const char *name;
    QByteArray bytes;
    bool valid;
    QByteArray replaced;
};

class Utf8Forms : public ::testing::TestWithParam<Utf8Case>
{
};

TEST_P(Utf8Forms, AreWellFormedOrReplacedByMaximalSubparts)
{
    const Utf8Case &c = GetParam();
    EXPECT_EQ(c.bytes.isValidUtf8(), c.valid);
    EXPECT_EQ(utf8WithReplacement(c.bytes), c.valid ? c.bytes : c.replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, Utf8Forms,
    ::testing::Values(Utf8Case{"Ascii", "6\x7F", true, {}},
                      Utf8Case{"TwoByteLowest", "\xC2\x80", true, {}},
                      Utf8Case{"TwoByteOverlong", "\xC1\xBF", false, "\xEF\xBF\xBD\xEF\xBF\xBD"},
                      Utf8Case{"ThreeByteOverlong", "\xE0\x9F\x80", false,
                               "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
                      Utf8Case{"ThreeByteLowest", "\xE0\xA0\x80", true, {}},
                      Utf8Case{"LastBeforeSurrogates", "\xED\x9F\xBF", true, {}},
                      Utf8Case{"HighestCodePoint", "\xF4\x8F\xBF\xBF", true, {}},
                      Utf8Case{"BeyondTheHighest", "\xF4\x90\x80\x80", false,
                               "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
                      Utf8Case{"NoLeadAboveF4", "\xF5", false, "\xEF\xBF\xBD"},
                      Utf8Case{"LoneContinuation", "a\x80z", false, "a\xEF\xBF\xBDz"},
                      Utf8Case{"TruncatedThenAscii",
                               "\xE2\x82"
                               "a",
                               false,
                               "\xEF\xBF\xBD"
                               "a"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(Cp1251Table, MatchesTheSystemsWindows1251Decoder)
{
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        GTEST_SKIP() << "this Qt has no Windows-1251 decoder to compare with";
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const char c = char(byte);
        const QString expected = decoder.decode(QByteArrayView(&c, 1));
        EXPECT_EQ(QString::fromUtf8(cp1251ToUtf8(QByteArrayView(&c, 1))), expected)
            << std::hex << byte;
    }
}

TEST(Cp1251Table, GivesTheLettersOfTheCodePage)
{
    EXPECT_EQ(QString::fromUtf8(cp1251ToUtf8("\xEF\xE1\xEA\xF7 \xC2\xC4\xCA\xD2 X")),
              QStringLiteral("пбкч ВДКТ X"));
    EXPECT_EQ(QString::fromUtf8(cp1251ToUtf8("\xA8\xB8\xB9\x88\xC0\xFF")),
              QStringLiteral("Ёё№€Ая"));
}

TEST(InputEncodingNames, AreTheThreeWithTheirCommonSpellings)
{
    EXPECT_EQ(inputEncodingNamed(u"auto"), InputEncoding::Auto);
    EXPECT_EQ(inputEncodingNamed(u"UTF-8"), InputEncoding::Utf8);
    EXPECT_EQ(inputEncodingNamed(u"utf8"), InputEncoding::Utf8);
    EXPECT_EQ(inputEncodingNamed(u"cp1251"), InputEncoding::Cp1251);
    EXPECT_EQ(inputEncodingNamed(u"Windows-1251"), InputEncoding::Cp1251);
    EXPECT_EQ(inputEncodingNamed(u"koi8-r"), std::nullopt);
}
