// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocaleFormats.h"

#include <QLocale>
#include <QRegularExpression>

namespace platform {
QString shortDate(const QDate &date)
{
    return QLocale().toString(date, QLocale::ShortFormat);
}

QString longTime(const QTime &time)
{
    // A desktop's long time format names hours, minutes and seconds; Qt's long
    // format adds the time zone, which the time lines never showed.
    QString format = QLocale().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral(R"(\s*\bt+\b)"));
    format.remove(zone);
    return QLocale().toString(time, format.trimmed());
}

QChar decimalSeparator()
{
    // QLocale gives a string; every locale Qt knows uses one character here.
    const QString separator = QLocale().decimalPoint();
    return separator.isEmpty() ? QChar(u'.') : separator.front();
}

QString fixedNumber(double value, int decimals)
{
    return QString::number(value, 'f', decimals).replace(u'.', decimalSeparator());
}

QString dateTimeText(const QDateTime &when)
{
    return shortDate(when.date()) + u' ' + longTime(when.time());
}

} // namespace platform
