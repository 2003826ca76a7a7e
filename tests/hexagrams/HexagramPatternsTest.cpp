// SPDX-License-Identifier: GPL-3.0-or-later
#include "hexagrams/HexagramPatterns.h"
#include "../TestSupport.h"

#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Cases print by name in test listings.
using ::PrintTo;

struct KnownHexagram
{
    const char *name;
    int number;
    const char *pattern;
};

class KnownPatterns : public ::testing::TestWithParam<KnownHexagram>
{
};

QString upsideDown(QString pattern)
{
    std::reverse(pattern.begin(), pattern.end());
    return pattern;
}

QString inverted(QString pattern)
{
    for (QChar &line : pattern)
        line = line == u'1' ? u'0' : u'1';
    return pattern;
}

} // namespace

TEST_P(KnownPatterns, HasItsLinesAndIsFoundByThem)
{
    const KnownHexagram &known = GetParam();
    EXPECT_EQ(HexagramPatterns[known.number], QString::fromLatin1(known.pattern));
    EXPECT_EQ(HexagramPatterns.find(QString::fromLatin1(known.pattern)), known.number);
}

INSTANTIATE_TEST_SUITE_P(
    HexagramPatterns, KnownPatterns,
    ::testing::Values(
        KnownHexagram{"creative", 1, "111111"}, KnownHexagram{"receptive", 2, "000000"},
        KnownHexagram{"difficulty_at_the_beginning", 3, "100010"},
        KnownHexagram{"youthful_folly", 4, "010001"}, KnownHexagram{"peace", 11, "111000"},
        KnownHexagram{"standstill", 12, "000111"}, KnownHexagram{"fellowship", 13, "101111"},
        KnownHexagram{"nourishment", 27, "100001"}, KnownHexagram{"abysmal", 29, "010010"},
        KnownHexagram{"clinging", 30, "101101"}, KnownHexagram{"after_completion", 63, "101010"},
        KnownHexagram{"before_completion", 64, "010101"}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(HexagramPatterns, AreSixLinesOfOnesAndZeros)
{
    for (int n = 1; n <= HexagramPatternTable::Count; ++n) {
        SCOPED_TRACE(n);
        const QString &pattern = HexagramPatterns[n];
        ASSERT_EQ(pattern.size(), 6);
        for (const QChar line : pattern)
            EXPECT_TRUE(line == u'0' || line == u'1');
    }
}

TEST(HexagramPatterns, AllSixtyFourAreDistinct)
{
    QSet<QString> seen;
    for (int n = 1; n <= HexagramPatternTable::Count; ++n)
        seen.insert(HexagramPatterns[n]);
    EXPECT_EQ(seen.size(), 64);
}

TEST(HexagramPatterns, EveryLinePatternHasExactlyOneNumber)
{
    for (int bits = 0; bits < 64; ++bits) {
        QString pattern;
        for (int line = 0; line < 6; ++line)
            pattern += (bits >> line) & 1 ? u'1' : u'0';
        SCOPED_TRACE(pattern.toStdString());
        const int number = HexagramPatterns.find(pattern);
        ASSERT_GE(number, 1);
        ASSERT_LE(number, 64);
        EXPECT_EQ(HexagramPatterns[number], pattern);
    }
}

// King Wen's sequence comes in pairs: the second of each pair is the first turned
// upside down, or, where that changes nothing, the first with every line changed.
TEST(HexagramPatterns, FollowKingWensPairs)
{
    for (int odd = 1; odd < 64; odd += 2) {
        SCOPED_TRACE(odd);
        const QString &first = HexagramPatterns[odd];
        const QString expected = upsideDown(first) == first ? inverted(first) : upsideDown(first);
        EXPECT_EQ(HexagramPatterns[odd + 1], expected);
    }
}

TEST(HexagramPatterns, OutsideTheTableIsEmptyAndUnknownPatternsHaveNoNumber)
{
    EXPECT_TRUE(HexagramPatterns[0].isEmpty());
    EXPECT_TRUE(HexagramPatterns[65].isEmpty());
    EXPECT_EQ(HexagramPatterns.find(QStringLiteral("1?1111")), 0);
    EXPECT_EQ(HexagramPatterns.find(QStringLiteral("11111")), 0);
    EXPECT_EQ(HexagramPatterns.find(QString()), 0);
}
