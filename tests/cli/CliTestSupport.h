// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// Windows-1251 bytes of a text of ASCII and the deck's Cyrillic letters, from the
// byte values the letters have in that code page; other characters are left out.
inline QByteArray cp1251Bytes(const QString &text)
{
    const std::vector<std::pair<char16_t, unsigned char>> letters{
        {u'п', 0xEF}, {u'б', 0xE1}, {u'к', 0xEA}, {u'ч', 0xF7},
        {u'В', 0xC2}, {u'Д', 0xC4}, {u'К', 0xCA}, {u'Т', 0xD2}};
    QByteArray bytes;
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            bytes.append(char(c.unicode()));
        for (const auto &[letter, byte] : letters)
            if (c == QChar(letter))
                bytes.append(char(byte));
    }
    return bytes;
}
