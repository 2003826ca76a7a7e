#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <string_view>

// Whether bytes are well-formed UTF-8 as Unicode defines it: no overlong forms,
// no encoded surrogates, nothing above U+10FFFF. QString::fromUtf8 reads such
// bytes unchanged.
bool isValidUtf8(QByteArrayView bytes);

// The bytes of the character a lead byte of valid UTF-8 starts.
inline std::size_t utf8SequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The code point of one character's bytes (valid UTF-8).
char32_t utf8CodePoint(std::string_view character);
