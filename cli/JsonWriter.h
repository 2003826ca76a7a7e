// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ByteOutput.h"

#include <array>
#include <cstdint>
#include <string_view>

// Compact JSON appended to a byte output, byte for byte what
// QJsonDocument::toJson(QJsonDocument::Compact) gives for the same values: no
// blanks; strings as UTF-8 with only '"', '\\' and the control characters
// escaped (\b \f \n \r \t, the others as \u00xx in lower-case hex); whole
// numbers in plain decimal. Keys go out in the order they are given: a caller
// standing in for a QJsonObject gives them sorted, as QJsonObject keeps them.
// Strings must be valid UTF-8 (QString holds nothing else that UTF-8 can say).
class JsonWriter
{
public:
    explicit JsonWriter(ByteOutput &out) : out_(out) {}

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    void key(std::string_view name)
    {
        char *p = start(6 * name.size() + 3);
        *p++ = '"';
        p = escape(p, name);
        *p++ = '"';
        *p++ = ':';
        out_.setEnd(p);
        afterKey_ = true;
    }

    void string(std::string_view utf8)
    {
        char *p = start(6 * utf8.size() + 2);
        *p++ = '"';
        p = escape(p, utf8);
        *p++ = '"';
        out_.setEnd(p);
    }

    void integer(std::int64_t value)
    {
        // Most numbers of a record are single digits.
        if (value >= 0 && value < 10) {
            char *p = start(1);
            *p++ = char('0' + value);
            out_.setEnd(p);
        } else {
            longInteger(value);
        }
    }
    void boolean(bool value) { out_.setEnd(copy(start(5), value ? "true" : "false")); }

    // A string written in pieces, so that a very long text can be handed on
    // between them. A piece may end inside a character.
    void beginString() { out_.setEnd(copy(start(1), "\"")); }
    void stringPiece(std::string_view utf8)
    {
        out_.setEnd(escape(out_.reserve(6 * utf8.size()), utf8));
    }
    void endString() { out_.append('"'); }

    // Writes the escaped form of a UTF-8 text, without quotes, at p, which has
    // room for six bytes per byte of text; returns the end.
    static char *escape(char *p, std::string_view utf8)
    {
        for (const char c : utf8) {
            if (EscapeKind[static_cast<unsigned char>(c)] == 0)
                *p++ = c;
            else
                p = escapeOne(p, static_cast<unsigned char>(c));
        }
        return p;
    }

    // Writes the decimal digits of value ('-' before a negative one) so that
    // they end at end, which has room for 20 bytes before it; returns where
    // they start.
    static char *decimalBefore(char *end, std::int64_t value)
    {
        // In unsigned arithmetic, so that the smallest value has a magnitude too.
        std::uint64_t magnitude = value < 0 ? 0 - std::uint64_t(value) : std::uint64_t(value);
        do {
            *--end = char('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (value < 0)
            *--end = '-';
        return end;
    }

private:
    // 0: copied as it is; 1: a short escape; 2: \u00xx.
    static constexpr std::array<std::uint8_t, 256> EscapeKind = [] {
        std::array<std::uint8_t, 256> kind{};
        for (int c = 0; c < 0x20; ++c)
            kind[std::size_t(c)] = 2;
        for (unsigned char c : {'\b', '\f', '\n', '\r', '\t', '"', '\\'})
            kind[c] = 1;
        return kind;
    }();

    static char *escapeOne(char *p, unsigned char c);
    void longInteger(std::int64_t value);

    static char *copy(char *p, std::string_view text)
    {
        for (const char c : text)
            *p++ = c;
        return p;
    }

    // The comma before a value, unless it follows its key or opens its
    // container; returns where the value goes, with room for n bytes.
    char *start(std::size_t n)
    {
        char *p = out_.reserve(n + 1);
        if (afterKey_) {
            afterKey_ = false;
        } else {
            if (hasItem_ & 1)
                *p++ = ',';
            hasItem_ |= 1;
        }
        return p;
    }

    void open(char bracket)
    {
        char *p = start(1);
        *p++ = bracket;
        out_.setEnd(p);
        hasItem_ <<= 1;
    }

    void close(char bracket)
    {
        out_.append(bracket);
        hasItem_ >>= 1;
    }

    ByteOutput &out_;
    // Bit 0: the innermost open container has an item already; one bit per
    // level, deep enough for any record we write.
    std::uint64_t hasItem_ = 0;
    bool afterKey_ = false;
};
