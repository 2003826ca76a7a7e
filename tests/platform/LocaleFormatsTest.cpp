// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocaleFormats.h"
#include "../TestSupport.h"

#include <QLocale>

#include <gtest/gtest.h>

class LocaleFormats : public ::testing::Test
{
protected:
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(LocaleFormats, DecimalSeparatorFollowsTheDefaultLocale)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(platform::decimalSeparator(), QChar(u','));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(platform::decimalSeparator(), QChar(u'.'));
}

TEST_F(LocaleFormats, LongTimeShowsSecondsButNoTimeZone)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const QString text = platform::longTime(QTime(9, 5, 7));
    EXPECT_TRUE(text.contains(QStringLiteral("05:07"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("UTC"))) << text.toStdString();
    EXPECT_EQ(platform::shortDate(QDate(2026, 12, 8)), QStringLiteral("08.12.2026"));
}

TEST_F(LocaleFormats, InjectedClockIsTheTimeOfNow)
{
    platform::Services services(1);
    const QDateTime fixed(QDate(2026, 1, 2), QTime(3, 4, 5));
    auto previous = services.setClock([&] { return fixed; });
    EXPECT_EQ(services.now(), fixed);
    services.setClock(previous);
    EXPECT_NE(services.now(), fixed);
}
