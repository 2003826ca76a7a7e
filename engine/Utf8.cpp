#include "Utf8.h"

#include <cstdint>
#include <cstring>

bool isValidUtf8(QByteArrayView bytes)
{
    // Runs of ASCII are skipped eight bytes at a time.
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t n = std::size_t(bytes.size());
    std::size_t i = 0;
    while (i < n) {
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, s + i, 8);
            if (word & 0x8080808080808080u)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char b = s[i];
        const auto continuation = [&](std::size_t k) { return (s[k] & 0xC0) == 0x80; };
        if (b < 0x80) {
            ++i;
        } else if (b < 0xC2) {
            return false;
        } else if (b < 0xE0) {
            if (i + 1 >= n || !continuation(i + 1))
                return false;
            i += 2;
        } else if (b < 0xF0) {
            if (i + 2 >= n || !continuation(i + 1) || !continuation(i + 2))
                return false;
            if ((b == 0xE0 && s[i + 1] < 0xA0) || (b == 0xED && s[i + 1] >= 0xA0))
                return false;
            i += 3;
        } else if (b < 0xF5) {
            if (i + 3 >= n || !continuation(i + 1) || !continuation(i + 2) || !continuation(i + 3))
                return false;
            if ((b == 0xF0 && s[i + 1] < 0x90) || (b == 0xF4 && s[i + 1] >= 0x90))
                return false;
            i += 4;
        } else {
            return false;
        }
    }
    return true;
}

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
