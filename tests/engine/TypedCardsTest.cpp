// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/TypedCards.h"
#include "../TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct TypedCase
{
    const char *name;
    const char16_t *typed;
    const char16_t *read;
};

class TypedCards : public ::testing::TestWithParam<TypedCase>
{
};

TEST_P(TypedCards, ReadAsTheItemsWriteThem)
{
    EXPECT_EQ(typedCardText(QString::fromUtf16(GetParam().typed)),
              QString::fromUtf16(GetParam().read));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedCards,
    ::testing::Values(TypedCase{"LatinTen", u"Xп", u"Xп"}, TypedCase{"TwoDigitTen", u"10п", u"Xп"},
                      TypedCase{"CyrillicHa", u"Хп", u"Xп"},
                      TypedCase{"SmallCyrillicHa", u"хч", u"Xч"},
                      TypedCase{"TenPattern", u"Х?", u"X?"}, TypedCase{"SuitPattern", u"?п", u"?п"},
                      TypedCase{"OtherCard", u"Тч", u"Тч"},
                      TypedCase{"SeparatorsAround", u"\t\u00A0 хб \u202F", u"Xб"},
                      // Only the rank is the ten's place: a Ха elsewhere stays.
                      TypedCase{"HaAsSuit", u"6Х", u"6Х"}, TypedCase{"Empty", u"", u""}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(CardSeparators, AreTheBlankTheTabAndTheNoBreakSpaces)
{
    for (const char32_t c : {U' ', U'\t', U'\u00A0', U'\u202F'})
        EXPECT_TRUE(isCardSeparator(c)) << int(c);
    for (const char32_t c : {U',', U'\n', U'_', U'п', U'\u2009'})
        EXPECT_FALSE(isCardSeparator(c)) << int(c);
    EXPECT_EQ(separatorBytesAt("\xC2\xA0x", 0), 2u);
    EXPECT_EQ(separatorBytesAt("x\xE2\x80\xAF", 1), 3u);
    EXPECT_EQ(separatorBytesAt("\t", 0), 1u);
    EXPECT_EQ(separatorBytesAt("\xC2\xA1", 0), 0u);
    EXPECT_EQ(separatorBytesAt("", 0), 0u);
    EXPECT_EQ(tenBytesAt("\xD0\xA5п", 0), 2u);
    EXPECT_EQ(tenBytesAt("\xD1\x85п", 0), 2u);
    EXPECT_EQ(tenBytesAt("10", 0), 2u);
    EXPECT_EQ(tenBytesAt("1", 0), 0u);
    EXPECT_EQ(tenBytesAt("\xD0\xA4", 0), 0u); // Ф
}

} // namespace
