// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

// The bytes of the character a lead byte of valid UTF-8 starts.
inline std::size_t utf8SequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The code point of one character's bytes (valid UTF-8).
char32_t utf8CodePoint(std::string_view character);
