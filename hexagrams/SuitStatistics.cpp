// SPDX-License-Identifier: GPL-3.0-or-later
#include "SuitStatistics.h"
#include "platform/LocaleFormats.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

std::uint64_t powerOfTen(int exponent)
{
    std::uint64_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= 10;
    return result;
}

// Hundredths of value, rounded the way the statistic is shown: first to three
// significant digits, then to two decimals, halves going up each time. Both
// steps work on the decimal digits, so the binary noise of a product such as
// 0.5 * 0.5 * 0.66 cannot tip a half (0.165 is shown as 0.17).
std::uint64_t shownHundredths(long double value)
{
    // Eighteen significant digits: the decimal reach of the extended format,
    // enough to drop the binary noise of six multiplications.
    constexpr int Digits = 18;
    char text[64];
    std::snprintf(text, sizeof text, "%.*Le", Digits - 1, value);

    std::uint64_t mantissa = std::uint64_t(text[0] - '0');
    for (int i = 2; i <= Digits; ++i)
        mantissa = mantissa * 10 + std::uint64_t(text[i] - '0');
    int exponent = std::atoi(text + Digits + 2); // of the first digit

    const std::uint64_t cut = powerOfTen(Digits - 3);
    std::uint64_t significant = mantissa / cut;
    if (mantissa % cut >= cut / 2)
        ++significant;
    if (significant == 1000) {
        significant = 100;
        ++exponent;
    }

    // significant * 10^(exponent - 2) is the value; in hundredths that is
    // significant * 10^exponent.
    if (exponent >= 0)
        return exponent > 15 ? UINT64_MAX : significant * powerOfTen(exponent);
    if (exponent < -3)
        return 0; // under a thousandth
    const std::uint64_t divisor = powerOfTen(-exponent);
    return (significant + divisor / 2) / divisor;
}

const QString Marked = QStringLiteral("X");

} // namespace

QString formatSuitStatistic(long double value)
{
    return formatSuitStatistic(value, platform::decimalSeparator());
}

QString formatSuitStatistic(long double value, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        return QString::number(double(value));
    const bool negative = std::signbit(value);
    const std::uint64_t hundredths = shownHundredths(std::fabs(value));
    QString text = QString::number(hundredths / 100) + decimalSeparator +
                   QStringLiteral("%1").arg(hundredths % 100, 2, 10, QChar(u'0'));
    if (negative && hundredths != 0)
        text.prepend(u'-');
    return text;
}

long double BalanceFactor(const QString &mark, bool marked)
{
    if (mark == QStringLiteral("++") || mark == QStringLiteral("--"))
        return 0.5L;
    if ((mark == QStringLiteral("+") && marked) || (mark == QStringLiteral("-") && !marked))
        return 0.66L;
    return 1.0L;
}

void ComputeSuitStatistics(TTLKoloda &Chain, TextGrid &StringGrid3, ReportLog &report)
{
    QString line = QStringLiteral("P(п,б,к,ч) = {");
    for (int r = 1; r <= 4; ++r) {
        // Extended precision, left to right: at the halves (0.165, 0.125) the shown
        // value depends on where the product lands.
        long double statistic = 1.0L;
        for (int c = 1; c <= 6; ++c)
            statistic *= BalanceFactor(StringGrid3.cell(c, 6), StringGrid3.cell(c, r) == Marked);
        const QString shown = formatSuitStatistic(statistic);
        Chain.SuitStatistics[r] = shown;
        StringGrid3.setCell(9, r, shown);
        if (r > 1)
            line += u';';
        line += shown;
    }
    line += u'}';
    Chain.SuitStatistics[5] = line;
    report.append(line);
}
