// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonWriter.h"
#include "../ChainTexts.h"
#include "../TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

QString allAsciiCharacters()
{
    QString text;
    for (char16_t c = 0; c < 0x80; ++c)
        text += QChar(c);
    return text;
}

struct StringCase
{
    const char *name;
    QString text;
};

class JsonStrings : public ::testing::TestWithParam<StringCase>
{
};

// The same string as a value, in an array and as a key, beside Qt's writing.
TEST_P(JsonStrings, AreWrittenAsQJsonDocumentWritesThem)
{
    const QString &text = GetParam().text;
    const std::string utf8 = toUtf8(text);
    const QJsonObject object{{QStringLiteral("a"), QJsonArray{text, text, QString()}},
                             {QStringLiteral("s"), text}};
    ByteOutput out;
    JsonWriter json(out);
    json.beginObject();
    json.key("a");
    json.beginArray();
    json.string(utf8);
    json.string(utf8);
    json.string("");
    json.endArray();
    json.key("s");
    json.string(utf8);
    json.endObject();
    const QByteArray expected = QJsonDocument(object).toJson(QJsonDocument::Compact);
    EXPECT_EQ(out.view(), expected.toStdString());
    EXPECT_EQ(
        QJsonDocument::fromJson(QByteArray(out.view().data(), qsizetype(out.size()))).object(),
        object);
}

TEST_P(JsonStrings, WrittenInPiecesAsWhole)
{
    const std::string utf8 = toUtf8(GetParam().text);
    ByteOutput whole, pieces;
    JsonWriter(whole).string(utf8);
    // Cut everywhere, also inside characters and between the halves of an escape.
    for (std::size_t cut = 0; cut <= utf8.size(); ++cut) {
        pieces.clear();
        JsonWriter json(pieces);
        json.beginString();
        json.stringPiece(std::string_view(utf8).substr(0, cut));
        json.stringPiece(std::string_view(utf8).substr(cut));
        json.endString();
        ASSERT_EQ(pieces.view(), whole.view()) << "cut at " << cut;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStrings,
    ::testing::Values(StringCase{"Empty", QString()},
                      StringCase{"Ascii", QStringLiteral("6p 7p X Tb")},
                      StringCase{"EveryAsciiCharacter", allAsciiCharacters()},
                      StringCase{"Nul", QString(QChar(u'\0'))},
                      StringCase{"QuotesAndBackslashes", QStringLiteral("\"\\\"\\\\ \\u0041 \"")},
                      StringCase{"SlashAndDelete", QStringLiteral("/ \x7f </script>")},
                      StringCase{"Cyrillic", QStringLiteral("Свёртка до 2 карт Ёё")},
                      StringCase{"ThreeBytes",
                                 QStringLiteral("€ ‰ \u2028 \u2029 \ufeff \ufffd \ufffe \uffff")},
                      StringCase{"BeyondTheBmp", QStringLiteral("😀 𝕡 🂡 \U0010FFFF \U00010000")},
                      StringCase{"Mixed", QStringLiteral("\t6п\x01 7п\"\\ 8п\r\x1f 9п😀\n")}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(JsonWriter, NumbersBooleansAndNestingAsQJsonDocument)
{
    // Keys sorted as QJsonObject keeps them: capitals before the small letters.
    const QJsonObject object{
        {QStringLiteral("B"),
         QJsonArray{0, -1, 36, qint64(1234567890123), qint64(INT64_MIN), qint64(INT64_MAX)}},
        {QStringLiteral("_"), QJsonObject{}},
        {QStringLiteral("a"), QJsonArray{true, false, QJsonArray{}, QJsonArray{QJsonArray{}}}},
        {QStringLiteral("ab"),
         QJsonObject{{QStringLiteral("x"), QJsonObject{{QStringLiteral("y"), 1}}},
                     {QStringLiteral("z"), QString()}}},
    };
    ByteOutput out;
    JsonWriter json(out);
    json.beginObject();
    json.key("B");
    json.beginArray();
    for (std::int64_t n : {std::int64_t(0), std::int64_t(-1), std::int64_t(36),
                           std::int64_t(1234567890123), INT64_MIN, INT64_MAX})
        json.integer(n);
    json.endArray();
    json.key("_");
    json.beginObject();
    json.endObject();
    json.key("a");
    json.beginArray();
    json.boolean(true);
    json.boolean(false);
    json.beginArray();
    json.endArray();
    json.beginArray();
    json.beginArray();
    json.endArray();
    json.endArray();
    json.endArray();
    json.key("ab");
    json.beginObject();
    json.key("x");
    json.beginObject();
    json.key("y");
    json.integer(1);
    json.endObject();
    json.key("z");
    json.string("");
    json.endObject();
    json.endObject();
    EXPECT_EQ(out.view(), QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString());
}

} // namespace
