// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/AnalyseRecordWriter.h"
#include "../ChainTexts.h"
#include "../TestSupport.h"
#include "cli/AnalyseCommand.h"
#include "cli/TextEncoding.h"

#include <QJsonDocument>
#include <QLocale>

#include <gtest/gtest.h>

namespace {

struct TablePipeline
{
    std::string json;   // the record `analyse --json` writes today, with its line end
    std::string report; // the readable report, with its line end
    bool warned = false;
};

// The window's path: RunAnalysis on QString tables, the record built as a
// QJsonObject and written by QJsonDocument.
TablePipeline tablePipeline(const std::string &text)
{
    TablePipeline result;
    TestServices services;
    const QJsonObject record = analyseRecord(fromUtf8(text), services);
    result.json = toUtf8(QString::fromUtf8(QJsonDocument(record).toJson(QJsonDocument::Compact)));
    result.json += '\n';
    result.warned = services.messages == QStringList{QStringLiteral("Цепочка маловата")};
    services.messages.clear();
    result.report = toUtf8(analyseReport(fromUtf8(text), services)) + '\n';
    return result;
}

std::string printable(const std::string &text)
{
    std::string shown;
    for (const char c : text)
        shown += static_cast<unsigned char>(c) < 0x20 ? '.' : c;
    return shown.size() > 300 ? shown.substr(0, 300) + "…" : shown;
}

struct Crafted
{
    const char *name;
    std::string text;
};

std::string repeated(std::string_view piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text.append(piece);
    return text;
}

std::string repairedUtf8(QByteArrayView bytes)
{
    return utf8WithReplacement(bytes).toStdString();
}

const std::string OrderedDeck = toUtf8(OrderedDeckText);
const std::string NoCollapse = toUtf8(NoCollapseText);

std::string replaced(std::string text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

const std::vector<Crafted> CraftedTexts = {
    {"OrderedDeck", OrderedDeck},
    {"NoCollapse", NoCollapse},
    {"ThreeCards", "6п 7п 8п"},
    {"Empty", ""},
    {"OnlyBlanks", repeated(" ", 40)},
    {"TensAsTen", replaced(OrderedDeck, "X", "10")},
    {"RankOne", "1п 10 0б 1"},
    {"CommaSeparated", "6п,7п"},
    {"BlankAsSuit", "6 п"},
    {"NoSeparators", replaced(OrderedDeck, " ", "")},
    {"ThirtySixCharacters", replaced(OrderedDeck, " ", "").substr(0, 18 * 3)},
    {"ThirtyFiveCharacters", repeated("6п", 17) + "7"},
    {"DoubledCards", "6п " + OrderedDeck.substr(0, OrderedDeck.size() - 5)},
    {"OneCardThroughout", repeated("Тч ", 36)},
    {"LatinLookAlikes",
     replaced(replaced(replaced(replaced(OrderedDeck, "В", "B"), "К", "K"), "Т", "T"), "X", "Х")},
    {"LatinSuits", replaced(replaced(OrderedDeck, "к", "k"), "п", "n")},
    {"Patterns", "?п 6? ?б 7? ?к 8? ?ч 9? ?? X? ?п В? ?б Д? ?к К? ?ч Т?"},
    {"Garbage", "!@#$%^&*()_+{}|:<>?~`-=[];',./ абвгдеёжз ABCDEFG"},
    {"ControlCharacters", "\t6п\x01 7п\"\\ 8п\r\x1f 9п\x7f \b\f\n"},
    {"NulCharacters", std::string("6п\0 7п\0\0 8п", 14)},
    // Bytes that were not UTF-8, as the line reader hands them on: each
    // ill-formed sequence replaced by U+FFFD.
    {"NotUtf8",
     repairedUtf8("\xff\xfe 6п 7п \xc3 8п \xe0\x80\xaf \xed\xa0\x80 \xf4\x90\x80\x80 9\xd0")},
    {"ByteOrderMark", "\xef\xbb\xbf" + OrderedDeck},
    {"TwoByteOrderMarks", "\xef\xbb\xbf\xef\xbb\xbf" + NoCollapse + "\xef\xbb\xbf"},
    {"ByteOrderMarkAndNotUtf8", repairedUtf8("\xef\xbb\xbf"
                                             "6п 7п \xef\xbb")},
    {"TextAfterTheLastCard", OrderedDeck + "6п 7п \"хвост\" \\ \t"},
    {"LongText", repeated(OrderedDeck, 2000)},
    {"ThreeByteLetters", "6€ 7€ 8€ €п €б €к ‰ч"},
    // Beyond the BMP the table pipeline reads code points, as the typed one must.
    {"FourByteSuits", "6𝕡 7𝕡 8𝕡 9𝕡"},
    {"ThirtySixEmoji", repeated("😀", 36)},
    {"ThirtyFiveEmoji", repeated("😀", 35)},
    {"EmojiAndPlayingCards", "Тп 😀б 🂡 🂡 🂡 6п 7п"},
};

class TypedRecords : public ::testing::TestWithParam<const char *>
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QString::fromLatin1(GetParam()))); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    // Every key of the record (every card, cell, report line, hexagram and
    // statistic) and the readable report, byte for byte.
    void expectAsTheTablePipeline(AnalyseRecordWriter &writer, const std::string &text)
    {
        const TablePipeline expected = tablePipeline(text);
        ByteOutput json, report;
        writer.writeJson(text, json);
        ASSERT_EQ(json.view(), expected.json) << "text: " << printable(text);
        EXPECT_EQ(writer.analysis().isShort(), expected.warned) << "text: " << printable(text);
        writer.writeReport(text, report);
        ASSERT_EQ(report.view(), expected.report) << "text: " << printable(text);
    }
};

TEST_P(TypedRecords, CraftedTextsGiveTodaysRecordsAndReports)
{
    AnalyseRecordWriter writer;
    for (const Crafted &crafted : CraftedTexts) {
        SCOPED_TRACE(crafted.name);
        expectAsTheTablePipeline(writer, crafted.text);
    }
}

TEST_P(TypedRecords, RandomAndSpoiltChainsGiveTodaysRecordsAndReports)
{
    AnalyseRecordWriter writer;
    ChainTexts texts(20260515);
    for (int i = 0; i < 1500; ++i)
        expectAsTheTablePipeline(writer, texts.next());
}

INSTANTIATE_TEST_SUITE_P(Locales, TypedRecords, ::testing::Values("C", "ru_RU"),
                         [](const auto &test) { return std::string(test.param); });

TEST(TypedRecordsLocale, SeparatorIsReadWhenTheWriterIsMade)
{
    QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
    AnalyseRecordWriter comma;
    QLocale::setDefault(QLocale::c());
    ByteOutput out;
    comma.writeJson(toUtf8(NoCollapseText), out);
    EXPECT_EQ(comma.analysis().statistic(4), "0,03");
    EXPECT_NE(out.view().find("\"statistics\":[\"0,"), std::string::npos);
}

TEST(TypedRecordsBeyondTheBmp, OneCharacterIsOneCodePoint)
{
    AnalyseRecordWriter writer(QChar(u'.'));
    ByteOutput out;
    writer.writeReport("6𝕡 🂡𝕡 10𝕡", out);
    const ChainAnalysis &a = writer.analysis();
    EXPECT_TRUE(a.isShort());
    EXPECT_EQ(a.card(1).suit, "𝕡");
    EXPECT_EQ(a.card(2).rank, "🂡");
    EXPECT_EQ(a.card(3).rank, "X");
    EXPECT_EQ(a.card(3).name, "X𝕡");
    EXPECT_EQ(a.card(4).name, "");
    // The suits agree, so the three cards collapse like any other.
    EXPECT_EQ(a.card(2).mobileCount, 1);
    EXPECT_EQ(a.card(3).transit, 1);
    // Padded by characters: the card 🂡𝕡 is two wide.
    EXPECT_NE(out.view().find("\n   2     🂡𝕡       1"), std::string::npos) << out.view();

    writer.writeJson(repeated("😀", 36), out);
    EXPECT_FALSE(writer.analysis().isShort());
    writer.writeJson(repeated("😀", 35), out);
    EXPECT_TRUE(writer.analysis().isShort());
}

struct DeckCase
{
    const char *name;
    std::string text;
    bool full;
    std::vector<std::string> missing, repeated, unknown;
};

class DeckKey : public ::testing::TestWithParam<DeckCase>
{
};

TEST_P(DeckKey, NamesMissingRepeatedAndUnknownCards)
{
    const DeckCase &c = GetParam();
    AnalyseRecordWriter writer(QChar(u'.'));
    ByteOutput out;
    writer.writeJson(c.text, out);
    const QByteArray line = QByteArray(out.view().data(), qsizetype(out.size())).trimmed();
    QJsonObject record = QJsonDocument::fromJson(line).object();
    // Keys in QJsonObject's order and Qt's own formatting: written again, the
    // record gives the same bytes.
    EXPECT_EQ(QJsonDocument(record).toJson(QJsonDocument::Compact), line);
    const QJsonObject deck = record[u"deck"].toObject();
    const auto names = [](const std::vector<std::string> &list) {
        QJsonArray array;
        for (const std::string &name : list)
            array.append(fromUtf8(name));
        return array;
    };
    EXPECT_EQ(deck[u"full"].toBool(), c.full);
    EXPECT_EQ(deck[u"missing"].toArray(), names(c.missing));
    EXPECT_EQ(deck[u"repeated"].toArray(), names(c.repeated));
    EXPECT_EQ(deck[u"unknown"].toArray(), names(c.unknown));
    TestServices services;
    EXPECT_EQ(record, analyseRecord(fromUtf8(c.text), services));
}

INSTANTIATE_TEST_SUITE_P(
    Chains, DeckKey,
    ::testing::Values(
        DeckCase{"OrderedDeck", OrderedDeck, true, {}, {}, {}},
        DeckCase{"DoubledSix",
                 "6п " + OrderedDeck.substr(0, OrderedDeck.size() - 5),
                 false,
                 {"Тч"},
                 {"6п"},
                 {}},
        DeckCase{"LookAlikeAndPattern",
                 replaced(replaced(OrderedDeck, "Xп", "Хп"), "Тч", "?ч"),
                 false,
                 {"Xп", "Тч"},
                 {},
                 {"Хп", "?ч"}},
        DeckCase{
            "EntriesAfterTheLastCard", OrderedDeck + "6п ?x Дч", false, {}, {"6п", "Дч"}, {"?x"}},
        DeckCase{"ShortText",
                 "6п 7п 8п 9п 10п Вп Дп Кп Тп 6б 7б",
                 false,
                 [] {
                     std::vector<std::string> rest;
                     for (int n = 12; n <= 36; ++n)
                         rest.push_back(
                             (RankLetters[(n - 1) % 9 + 1] + SuitLetters[(n - 1) / 9 + 1])
                                 .toStdString());
                     return rest;
                 }(),
                 {},
                 {}}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
