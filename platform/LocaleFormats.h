#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <functional>

// The user's regional formats, read through QLocale's default locale (which
// follows the environment and which tests can switch), and the local clock.
namespace platform {

QString shortDate(const QDate &date);
QString longTime(const QTime &time);
QChar decimalSeparator();

using Clock = std::function<QDateTime()>;

// The local date and time; tests inject a clock to make elapsed times exact.
QDateTime now();
Clock setClock(Clock clock);

// "Генерировать Начали в     = " and the like: the short date, a blank and the
// long time of the instant.
QString dateTimeText(const QDateTime &when);

} // namespace platform
