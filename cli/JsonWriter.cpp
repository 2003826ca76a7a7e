#include "JsonWriter.h"

#include <array>

namespace {

// 0: copied as it is; 1: a short escape; 2: \u00xx.
constexpr std::array<std::uint8_t, 256> EscapeKind = [] {
    std::array<std::uint8_t, 256> kind{};
    for (int c = 0; c < 0x20; ++c)
        kind[std::size_t(c)] = 2;
    for (unsigned char c : {'\b', '\f', '\n', '\r', '\t', '"', '\\'})
        kind[c] = 1;
    return kind;
}();

char shortEscape(unsigned char c)
{
    switch (c) {
    case '\b':
        return 'b';
    case '\f':
        return 'f';
    case '\n':
        return 'n';
    case '\r':
        return 'r';
    case '\t':
        return 't';
    default:
        return char(c); // '"' and '\\'
    }
}

} // namespace

void JsonWriter::appendEscaped(std::string &out, std::string_view utf8)
{
    const char *run = utf8.data();
    const char *const end = run + utf8.size();
    for (const char *p = run; p != end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        const std::uint8_t kind = EscapeKind[c];
        if (kind == 0)
            continue;
        out.append(run, std::size_t(p - run));
        run = p + 1;
        if (kind == 1) {
            const char escape[2] = {'\\', shortEscape(c)};
            out.append(escape, 2);
        } else {
            constexpr char Hex[] = "0123456789abcdef";
            const char escape[6] = {'\\', 'u', '0', '0', Hex[c >> 4], Hex[c & 0xF]};
            out.append(escape, 6);
        }
    }
    out.append(run, std::size_t(end - run));
}

void JsonWriter::separate()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItem_ & 1)
        out_ += ',';
    hasItem_ |= 1;
}

void JsonWriter::beginObject()
{
    separate();
    out_ += '{';
    hasItem_ <<= 1;
}

void JsonWriter::endObject()
{
    out_ += '}';
    hasItem_ >>= 1;
}

void JsonWriter::beginArray()
{
    separate();
    out_ += '[';
    hasItem_ <<= 1;
}

void JsonWriter::endArray()
{
    out_ += ']';
    hasItem_ >>= 1;
}

void JsonWriter::key(std::string_view name)
{
    separate();
    out_ += '"';
    appendEscaped(out_, name);
    out_.append("\":", 2);
    afterKey_ = true;
}

void JsonWriter::string(std::string_view utf8)
{
    separate();
    out_ += '"';
    appendEscaped(out_, utf8);
    out_ += '"';
}

void JsonWriter::integer(std::int64_t value)
{
    separate();
    char digits[24];
    char *p = digits + sizeof digits;
    // In unsigned arithmetic, so that the smallest value has a magnitude too.
    std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--p = '-';
    out_.append(p, std::size_t(digits + sizeof digits - p));
}

void JsonWriter::boolean(bool value)
{
    separate();
    if (value)
        out_.append("true", 4);
    else
        out_.append("false", 5);
}

void JsonWriter::beginString()
{
    separate();
    out_ += '"';
}

void JsonWriter::stringPiece(std::string_view utf8)
{
    appendEscaped(out_, utf8);
}

void JsonWriter::endString()
{
    out_ += '"';
}
