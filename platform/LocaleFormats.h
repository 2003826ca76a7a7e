// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// The user's regional formats, read through QLocale's default locale (which
// follows the environment and which tests can switch).
namespace platform {

QString shortDate(const QDate &date);
QString longTime(const QTime &time);
QChar decimalSeparator();
// value with the given decimals after the locale's decimal separator, no digit
// grouping: "2,50".
QString fixedNumber(double value, int decimals);

// "Генерировать Начали в     = " and the like: the short date, a blank and the
// long time of the instant.
QString dateTimeText(const QDateTime &when);

} // namespace platform
