// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <optional>

// How input bytes (a line of standard input, an argument) become text. Chain
// texts come from a single-byte Windows-1251 world as well as from UTF-8 systems.
enum class InputEncoding
{
    Auto,   // UTF-8 where the bytes are valid UTF-8, else all of them Windows-1251
    Utf8,   // UTF-8; each maximal ill-formed sequence becomes one U+FFFD
    Cp1251, // Windows-1251, every byte
};

// "auto", "utf-8" (or "utf8"), "cp1251" (or "windows-1251"), in any case.
std::optional<InputEncoding> inputEncodingNamed(QStringView name);

// Windows-1251 bytes as UTF-8. Every byte has a character (0x98, unassigned,
// is U+0098 as in the WHATWG encoding table), so this cannot fail.
QByteArray cp1251ToUtf8(QByteArrayView bytes);

// UTF-8 with each maximal ill-formed subsequence replaced by U+FFFD, the
// substitution Unicode recommends and the WHATWG decoder does.
QByteArray utf8WithReplacement(QByteArrayView bytes);

// The bytes as valid UTF-8 by encoding, or nothing when they are to be taken as
// they are (valid UTF-8 under Auto or Utf8). readAsCp1251 tells whether Auto
// read them as Windows-1251.
std::optional<QByteArray> validUtf8Copy(QByteArrayView bytes, InputEncoding encoding,
                                        bool *readAsCp1251 = nullptr);

// Makes bytes valid UTF-8 by encoding, in place; valid UTF-8 under Auto or Utf8
// is left untouched (no copy). Returns whether Auto read them as Windows-1251.
bool makeValidUtf8(QByteArray &bytes, InputEncoding encoding);
