// SPDX-License-Identifier: GPL-3.0-or-later
#include "TypedCards.h"

namespace {

bool isCyrillicHa(char16_t c)
{
    return c == u'Х' || c == u'х';
}

} // namespace

bool isCardSeparator(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\u00A0' || c == U'\u202F';
}

std::size_t separatorBytesAt(std::string_view text, std::size_t i)
{
    if (i >= text.size())
        return 0;
    if (text[i] == ' ' || text[i] == '\t')
        return 1;
    if (text.substr(i, 2) == "\xC2\xA0")
        return 2;
    return text.substr(i, 3) == "\xE2\x80\xAF" ? 3 : 0;
}

qsizetype tenUnitsAt(const QString &text, qsizetype i)
{
    if (i >= text.size())
        return 0;
    const char16_t c = text.at(i).unicode();
    if (c == u'1' && i + 1 < text.size() && text.at(i + 1) == u'0')
        return 2;
    return c == u'X' || isCyrillicHa(c) ? 1 : 0;
}

std::size_t tenBytesAt(std::string_view text, std::size_t i)
{
    if (i >= text.size())
        return 0;
    if (text[i] == '1' && i + 1 < text.size() && text[i + 1] == '0')
        return 2;
    if (text[i] == 'X')
        return 1;
    // "Х" is D0 A5 and "х" D1 85 in UTF-8.
    const std::string_view rest = text.substr(i, 2);
    return rest == "\xD0\xA5" || rest == "\xD1\x85" ? 2 : 0;
}

QString typedCardText(const QString &text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && isCardSeparator(text.at(start).unicode()))
        ++start;
    while (end > start && isCardSeparator(text.at(end - 1).unicode()))
        --end;
    const QString card = text.mid(start, end - start);
    const qsizetype ten = tenUnitsAt(card, 0);
    return ten == 0 ? card : u'X' + card.mid(ten);
}
