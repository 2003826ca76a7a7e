// SPDX-License-Identifier: GPL-3.0-or-later
#include "Utf8.h"

char32_t utf8CodePoint(std::string_view character)
{
    const auto *s = reinterpret_cast<const unsigned char *>(character.data());
    switch (character.size()) {
    case 1:
        return s[0];
    case 2:
        return char32_t(s[0] & 0x1F) << 6 | char32_t(s[1] & 0x3F);
    case 3:
        return char32_t(s[0] & 0x0F) << 12 | char32_t(s[1] & 0x3F) << 6 | char32_t(s[2] & 0x3F);
    default:
        return char32_t(s[0] & 0x07) << 18 | char32_t(s[1] & 0x3F) << 12 |
               char32_t(s[2] & 0x3F) << 6 | char32_t(s[3] & 0x3F);
    }
}
