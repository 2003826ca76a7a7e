// SPDX-License-Identifier: GPL-3.0-or-later
#include "IntConvert.h"

#include <limits>

namespace platform {

ConversionError::ConversionError(const QString &text)
    : std::runtime_error("not a valid integer value"),
      message_(QStringLiteral("'%1' is not a valid integer value").arg(text))
{
}

bool tryStrToInt(const QString &text, int &value)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == n)
        return false;
    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    const qint64 signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<int>::max())
        return false;
    value = int(signedValue);
    return true;
}

int StrToInt(const QString &text)
{
    int value = 0;
    if (!tryStrToInt(text, value))
        throw ConversionError(text);
    return value;
}

} // namespace platform
