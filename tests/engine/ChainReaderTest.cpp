// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ChainReader.h"
#include "../TestSupport.h"
#include "engine/ChainState.h"

#include <gtest/gtest.h>

namespace {

struct Entry
{
    const char16_t *rank;
    const char16_t *suit;
};

struct ReaderCase
{
    const char *name;
    const char16_t *text;
    bool warns;
    std::vector<Entry> first; // the first entries; the rest must be empty
};

// The entries of "6п7п…Тп6б…Тб", with the first rank and the last suit given.
std::vector<Entry> spadesAndDiamonds(const char16_t *firstRank = u"6",
                                     const char16_t *lastSuit = u"б")
{
    const char16_t *ranks[] = {u"6", u"7", u"8", u"9", u"X", u"В", u"Д", u"К", u"Т"};
    std::vector<Entry> entries;
    for (const char16_t *suit : {u"п", u"б"})
        for (const char16_t *rank : ranks)
            entries.push_back({rank, suit});
    entries.front().rank = firstRank;
    entries.back().suit = lastSuit;
    return entries;
}

class ChainReader : public ::testing::TestWithParam<ReaderCase>
{
};

} // namespace

TEST_P(ChainReader, ReadsEntriesAsTheTextGivesThem)
{
    const ReaderCase c = GetParam();
    TestServices services;
    TTLKoloda chain;
    const ReadChainResult read = ReadChain(QString::fromUtf16(c.text), chain);
    EXPECT_EQ(read.isShort, c.warns);
    EXPECT_TRUE(services.messages.isEmpty()) << "the reader tells, its caller shows";
    for (int n = 1; n <= 36; ++n) {
        const TKarta &card = chain.Cards[n];
        EXPECT_EQ(card.Position, n);
        if (std::size_t(n) <= c.first.size()) {
            EXPECT_EQ(card.Rank, QString::fromUtf16(c.first[std::size_t(n - 1)].rank)) << n;
            EXPECT_EQ(card.Suit, QString::fromUtf16(c.first[std::size_t(n - 1)].suit)) << n;
        } else {
            EXPECT_TRUE(card.Rank.isEmpty()) << n;
            EXPECT_TRUE(card.Suit.isEmpty()) << n;
        }
        EXPECT_EQ(card.MobileCount, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ChainReader,
    ::testing::Values(
        ReaderCase{"TenAsTwoDigits", u"10п 6б", true, {{u"X", u"п"}, {u"6", u"б"}}},
        ReaderCase{"TenAsLatinX", u"Xп 6б", true, {{u"X", u"п"}, {u"6", u"б"}}},
        ReaderCase{"OneIsARankOfItsOwn", u"1п", true, {{u"1", u"п"}}},
        ReaderCase{"CommaIsNoSeparator", u"6п,7п", true, {{u"6", u"п"}, {u",", u"7"}, {u"п", u""}}},
        ReaderCase{"BlankAfterRankIsTheSuit", u"6 п", true, {{u"6", u" "}, {u"п", u""}}},
        ReaderCase{"ThreeCards", u"6п 7п 8п", true, {{u"6", u"п"}, {u"7", u"п"}, {u"8", u"п"}}},
        ReaderCase{"NoSeparatorNeeded", u"6п7п", true, {{u"6", u"п"}, {u"7", u"п"}}},
        ReaderCase{"LeadingAndRunsOfBlanks", u"   6п     7п", true, {{u"6", u"п"}, {u"7", u"п"}}},
        ReaderCase{"Empty", u"", true, {}},
        ReaderCase{"ThirtySixCharactersDoNotWarn", u"6п7п8п9пXпВпДпКпТп6б7б8б9бXбВбДбКбТб", false,
                   spadesAndDiamonds()},
        ReaderCase{"CyrillicHaIsNotTheTen", u"Хп", true, {{u"Х", u"п"}}},
        // A character is one code point: a letter outside the Basic Multilingual
        // Plane is one letter and one character of the length check.
        ReaderCase{"EmojiIsOneRank", u"😀п 7п", true, {{u"😀", u"п"}, {u"7", u"п"}}},
        ReaderCase{"EmojiIsOneSuit", u"6😀7п", true, {{u"6", u"😀"}, {u"7", u"п"}}},
        ReaderCase{"TwoEmojiAreOneCard", u"😀🂡 6п", true, {{u"😀", u"🂡"}, {u"6", u"п"}}},
        ReaderCase{"EmojiAfterTenIsItsSuit", u"10😀", true, {{u"X", u"😀"}}},
        ReaderCase{"ThirtySixCodePointsWithAnEmojiDoNotWarn",
                   u"😀п7п8п9пXпВпДпКпТп6б7б8б9бXбВбДбКбТб", false, spadesAndDiamonds(u"😀")},
        ReaderCase{"ThirtyFiveCodePointsInThirtySixUnitsWarn",
                   u"😀п7п8п9пXпВпДпКпТп6б7б8б9бXбВбДбКбТ", true, spadesAndDiamonds(u"😀", u"")},
        ReaderCase{"LoneSurrogateIsOneCharacter",
                   u"\xD83Dп\xDC00",
                   true,
                   {{u"\xD83D", u"п"}, {u"\xDC00", u""}}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(ChainReaderDeck, OrderedDeckTextReadsAsTheDeckWithoutWarning)
{
    TTLKoloda chain;
    EXPECT_FALSE(ReadChain(OrderedDeckText, chain).isShort);
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 9; ++r) {
            const TKarta &card = chain.Cards[(s - 1) * 9 + r];
            EXPECT_EQ(card.Rank, RankLetters[r]);
            EXPECT_EQ(card.Suit, SuitLetters[s]);
        }
}

TEST(ChainReaderDeck, TextAfterTheThirtySixthCardIsIgnored)
{
    TTLKoloda chain;
    ReadChain(OrderedDeckText + QStringLiteral("7п 8п 9п"), chain);
    EXPECT_EQ(chain.Cards[36].name(), QStringLiteral("Тч"));
}

struct CharacterCase
{
    const char *name;
    const char16_t *text;
    qsizetype count;
    std::vector<const char16_t *> characters;
};

class TextCharacters : public ::testing::TestWithParam<CharacterCase>
{
};

TEST_P(TextCharacters, AreCodePoints)
{
    const CharacterCase c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    EXPECT_EQ(characterCount(text), c.count);
    for (std::size_t k = 0; k < c.characters.size(); ++k)
        EXPECT_EQ(characterAt(text, qsizetype(k)), QString::fromUtf16(c.characters[k])) << k;
    EXPECT_EQ(characterAt(text, c.count), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextCharacters,
    ::testing::Values(CharacterCase{"Empty", u"", 0, {}},
                      CharacterCase{"Cyrillic", u"Тч", 2, {u"Т", u"ч"}},
                      CharacterCase{"EmojiBetweenLetters", u"6😀п", 3, {u"6", u"😀", u"п"}},
                      CharacterCase{"LoneHighThenPair", u"\xD83D😀", 2, {u"\xD83D", u"😀"}},
                      CharacterCase{"LoneLowAtTheEnd", u"п\xDE00", 2, {u"п", u"\xDE00"}}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(ChainTextScannerEntries, GoOnPastTheThirtySixth)
{
    ChainTextScanner scanner(OrderedDeckText + QStringLiteral(" 10😀 6"));
    QString rank, suit;
    int entries = 0;
    while (scanner.next(rank, suit) && entries < 100)
        ++entries;
    EXPECT_EQ(entries, 38);
    EXPECT_FALSE(scanner.next(rank, suit));
    EXPECT_TRUE(rank.isEmpty() && suit.isEmpty());
}

TEST(ClearChainRecord, EmptiesLettersCountersAndResults)
{
    TTLKoloda chain;
    ReadChain(OrderedDeckText, chain);
    chain.Cards[5].MobileCount = 3;
    chain.Cards[5].Depth = 2;
    chain.TransitTotal = 7;
    chain.ExtremeNames[2] = QStringLiteral("Тб");
    chain.SuitStatistics[5] = QStringLiteral("line");
    chain.HexagramNumbers[3] = 27;
    chain.ExtremeCount = 4;
    ClearChain(chain);
    TTLKoloda expected;
    expected.ExtremeCount = 4; // only the depth search sets it
    EXPECT_TRUE(chain == expected);
}

TEST(ChainRecordCopy, ChangingACopyLeavesTheOriginal)
{
    ChainState state;
    ReadChain(OrderedDeckText, state.CurrentChain);
    TTLKoloda copy = state.CurrentChain;
    copy.Cards[1].Rank = QStringLiteral("Т");
    copy.Cards[1].Suit += QStringLiteral("!");
    EXPECT_EQ(state.CurrentChain.Cards[1].name(), QStringLiteral("6п"));
}
