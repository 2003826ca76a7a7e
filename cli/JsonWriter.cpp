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
    char digits[24];
    char *first = digits + sizeof digits;
    // In unsigned arithmetic, so that the smallest value has a magnitude too.
    std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
    do {
        *--first = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--first = '-';
    out_.setEnd(copy(start(sizeof digits),
                     std::string_view(first, std::size_t(digits + sizeof digits - first))));
}
