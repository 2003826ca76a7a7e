// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DeckCheck.h"
#include "../ChainTexts.h"
#include "../TestSupport.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

QString deckWith(const QString &card, const QString &replacement)
{
    QString text = OrderedDeckText;
    const qsizetype at = text.indexOf(card + u' ');
    EXPECT_GE(at, 0) << card.toStdString();
    return text.replace(at, card.size(), replacement);
}

QStringList list(std::initializer_list<const char16_t *> items)
{
    QStringList result;
    for (const char16_t *item : items)
        result << QString::fromUtf16(item);
    return result;
}

} // namespace

struct DeckCase
{
    const char *name;
    QString text;
    QStringList missing;
    QStringList repeated;
    QStringList unknown;
    QString line;
};

class DeckChecks : public ::testing::TestWithParam<DeckCase>
{
};

TEST_P(DeckChecks, TellWhatTheTextHoldsAgainstTheDeck)
{
    const DeckCase &c = GetParam();
    const DeckCheck check = checkDeck(c.text);
    EXPECT_EQ(check.missing, c.missing);
    EXPECT_EQ(check.repeated, c.repeated);
    EXPECT_EQ(check.unknown, c.unknown);
    EXPECT_EQ(check.full, c.missing.isEmpty() && c.repeated.isEmpty() && c.unknown.isEmpty());
    EXPECT_EQ(deckCheckLine(check), c.line);
    EXPECT_EQ(checkDeckUtf8(c.text.toStdString()), check);
}

// The check of UTF-8 bytes and the check of the QString agree on random chains
// and spoilt ones: short, doubled, foreign letters, tens as "10", patterns.
TEST(DeckCheckUtf8, AgreesWithTheCheckOfTheText)
{
    // Every byte a character, a byte order mark too (fromUtf8 would drop it).
    const auto decoded = [](std::string_view text) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return QString(decoder(QByteArrayView(text.data(), qsizetype(text.size()))));
    };
    ChainTexts texts(31);
    for (int i = 0; i < 3000; ++i) {
        const std::string text = texts.next();
        ASSERT_EQ(checkDeckUtf8(text), checkDeck(decoded(text))) << text;
    }
    for (const char *text : {"1", "10", "6п 1",
                             "\xef\xbb\xbf"
                             "6п",
                             "Тч😀", "😀😀 😀", "  "})
        EXPECT_EQ(checkDeckUtf8(text), checkDeck(decoded(text))) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DeckChecks,
    ::testing::Values(DeckCase{"OrderedDeckIsFull", OrderedDeckText, {}, {}, {}, QString()},
                      DeckCase{"NoCollapseChainIsFull", NoCollapseText, {}, {}, {}, QString()},
                      DeckCase{"TenWrittenAsTwoDigitsIsTheTen",
                               QString(OrderedDeckText).replace(u'X', QStringLiteral("10")),
                               {},
                               {},
                               {},
                               QString()},
                      DeckCase{"DoubledCard",
                               deckWith(QStringLiteral("7п"), QStringLiteral("6п")),
                               list({u"7п"}),
                               list({u"6п"}),
                               {},
                               QStringLiteral("не хватает: 7п; дважды: 6п")},
                      DeckCase{"CyrillicHaForTheLatinTen",
                               deckWith(QStringLiteral("Xк"), QStringLiteral("Хк")),
                               list({u"Xк"}),
                               {},
                               list({u"Хк"}),
                               QStringLiteral("не хватает: Xк; не карты: «Хк»")},
                      DeckCase{"LatinBForTheCyrillicJack",
                               deckWith(QStringLiteral("Вч"), QStringLiteral("Bч")),
                               list({u"Вч"}),
                               {},
                               list({u"Bч"}),
                               QStringLiteral("не хватает: Вч; не карты: «Bч»")},
                      DeckCase{"MissingCard",
                               deckWith(QStringLiteral("Дб"), QString()),
                               list({u"Дб"}),
                               {},
                               {},
                               QStringLiteral("не хватает: Дб")},
                      // The analysis reads 36 entries; the check reads the whole text, so what
                      // lies beyond the 36th entry is not passed over in silence.
                      DeckCase{"CardsBeyondTheThirtySixthAreRepeated",
                               OrderedDeckText + QStringLiteral("Тч 6п Тч"),
                               {},
                               list({u"6п", u"Тч"}),
                               {},
                               QStringLiteral("дважды: 6п Тч")},
                      DeckCase{"JunkBeyondTheThirtySixthIsUnknown",
                               OrderedDeckText + QStringLiteral("zz"),
                               {},
                               {},
                               list({u"zz"}),
                               QStringLiteral("не карты: «zz»")},
                      DeckCase{"UnknownEntriesOnceEachAsRead",
                               deckWith(QStringLiteral("6п"), QStringLiteral("Zп 1п Zп 6")),
                               list({u"6п"}),
                               {},
                               list({u"Zп", u"1п", u"6 "}),
                               QStringLiteral("не хватает: 6п; не карты: «Zп» «1п» «6 »")},
                      DeckCase{"EmojiIsOneLetter",
                               deckWith(QStringLiteral("Тч"), QStringLiteral("😀ч")),
                               list({u"Тч"}),
                               {},
                               list({u"😀ч"}),
                               QStringLiteral("не хватает: Тч; не карты: «😀ч»")}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(DeckCheckEmpty, AnEmptyTextLacksTheWholeDeckInDeckOrder)
{
    const DeckCheck check = checkDeck(QString());
    EXPECT_FALSE(check.full);
    ASSERT_EQ(check.missing.size(), 36);
    EXPECT_EQ(check.missing.join(u' ') + u' ', OrderedDeckText);
    EXPECT_TRUE(check.repeated.isEmpty());
    EXPECT_TRUE(check.unknown.isEmpty());
}
