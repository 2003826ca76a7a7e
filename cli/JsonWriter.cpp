// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonWriter.h"

char *JsonWriter::escapeOne(char *p, unsigned char c)
{
    *p++ = '\\';
    switch (c) {
    case '\b':
        *p++ = 'b';
        break;
    case '\f':
        *p++ = 'f';
        break;
    case '\n':
        *p++ = 'n';
        break;
    case '\r':
        *p++ = 'r';
        break;
    case '\t':
        *p++ = 't';
        break;
    case '"':
    case '\\':
        *p++ = char(c);
        break;
    default:
        constexpr char Hex[] = "0123456789abcdef";
        *p++ = 'u';
        *p++ = '0';
        *p++ = '0';
        *p++ = Hex[c >> 4];
        *p++ = Hex[c & 0xF];
        break;
    }
    return p;
}

void JsonWriter::longInteger(std::int64_t value)
{
    char digits[20];
    const char *first = decimalBefore(digits + sizeof digits, value);
    out_.setEnd(copy(start(sizeof digits),
                     std::string_view(first, std::size_t(digits + sizeof digits - first))));
}
