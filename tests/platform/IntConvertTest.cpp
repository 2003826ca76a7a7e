// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/IntConvert.h"
#include "../TestSupport.h"

#include <gtest/gtest.h>

struct ConversionCase
{
    const char16_t *text;
    bool valid;
    int value;
};

class IntConversion : public ::testing::TestWithParam<ConversionCase>
{
};

TEST_P(IntConversion, AcceptsWhatAUserTypesAsAWholeNumber)
{
    const ConversionCase c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    int value = -12345;
    EXPECT_EQ(platform::tryStrToInt(text, value), c.valid) << text.toStdString();
    if (c.valid) {
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(platform::StrToInt(text), c.value);
    } else {
        try {
            platform::StrToInt(text);
            ADD_FAILURE() << "no error for " << text.toStdString();
        } catch (const platform::ConversionError &error) {
            EXPECT_EQ(error.message(),
                      QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntConversion,
    ::testing::Values(ConversionCase{u"36", true, 36}, ConversionCase{u"1", true, 1},
                      ConversionCase{u"  7", true, 7}, ConversionCase{u"+12", true, 12},
                      ConversionCase{u"-5", true, -5}, ConversionCase{u"007", true, 7},
                      ConversionCase{u"2147483647", true, 2147483647},
                      ConversionCase{u"-2147483648", true, -2147483647 - 1},
                      ConversionCase{u"2147483648", false, 0}, ConversionCase{u"Выбери", false, 0},
                      ConversionCase{u"", false, 0}, ConversionCase{u" ", false, 0},
                      ConversionCase{u"-", false, 0}, ConversionCase{u"12 ", false, 0},
                      ConversionCase{u"1.5", false, 0}, ConversionCase{u"0x10", false, 0},
                      ConversionCase{u" Сколько МикроЦС надо? ", false, 0}));

TEST(IntConversionMessage, NamesTheOffendingText)
{
    try {
        platform::StrToInt(QStringLiteral("Выбери"));
        FAIL();
    } catch (const platform::ConversionError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'Выбери' is not a valid integer value"));
    }
}
