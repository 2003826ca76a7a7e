// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextEncoding.h"

#include <QString>

#include <array>

namespace {

// The upper half of Windows-1251, 0x80 to 0xFF; the lower half is ASCII.
constexpr std::array<char16_t, 128> Cp1251Upper{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0 А…
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8 …Я
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0 а…
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8 …я
};

constexpr char ReplacementUtf8[] = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at bytes[i], or minus the length
// of its maximal ill-formed subpart (at least 1), after the table of
// well-formed byte sequences in the Unicode standard.
qsizetype sequenceAt(QByteArrayView bytes, qsizetype i)
{
    const auto byte = [&](qsizetype k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned lead = byte(i);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // shorter forms are overlong
        else if (lead == 0xED)
            high = 0x9F; // ED A0..BF would encode surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F; // beyond U+10FFFF
    } else {
        return -1;
    }
    for (qsizetype k = 1; k < length; ++k) {
        if (i + k >= bytes.size())
            return -k;
        const unsigned next = byte(i + k);
        const bool fits = k == 1 ? next >= low && next <= high : next >= 0x80 && next <= 0xBF;
        if (!fits)
            return -k;
    }
    return length;
}

} // namespace

std::optional<InputEncoding> inputEncodingNamed(QStringView name)
{
    const QString lower = name.toString().toLower();
    if (lower == u"auto")
        return InputEncoding::Auto;
    if (lower == u"utf-8" || lower == u"utf8")
        return InputEncoding::Utf8;
    if (lower == u"cp1251" || lower == u"windows-1251")
        return InputEncoding::Cp1251;
    return std::nullopt;
}

QByteArray cp1251ToUtf8(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.append(c);
            continue;
        }
        const char16_t u = Cp1251Upper[byte - 0x80];
        if (u < 0x800) {
            out.append(char(0xC0 | (u >> 6)));
        } else {
            out.append(char(0xE0 | (u >> 12)));
            out.append(char(0x80 | ((u >> 6) & 0x3F)));
        }
        out.append(char(0x80 | (u & 0x3F)));
    }
    return out;
}

QByteArray utf8WithReplacement(QByteArrayView bytes)
{
    QByteArray out;
    out.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = sequenceAt(bytes, i);
        if (length > 0) {
            out.append(bytes.sliced(i, length));
            i += length;
        } else {
            out.append(ReplacementUtf8);
            i -= length;
        }
    }
    return out;
}

std::optional<QByteArray> validUtf8Copy(QByteArrayView bytes, InputEncoding encoding,
                                        bool *readAsCp1251)
{
    if (readAsCp1251)
        *readAsCp1251 = false;
    switch (encoding) {
    case InputEncoding::Cp1251:
        return cp1251ToUtf8(bytes);
    case InputEncoding::Utf8:
        if (bytes.isValidUtf8())
            return std::nullopt;
        return utf8WithReplacement(bytes);
    case InputEncoding::Auto:
        if (bytes.isValidUtf8())
            return std::nullopt;
        if (readAsCp1251)
            *readAsCp1251 = true;
        return cp1251ToUtf8(bytes);
    }
    return std::nullopt;
}

bool makeValidUtf8(QByteArray &bytes, InputEncoding encoding)
{
    bool readAsCp1251 = false;
    if (std::optional<QByteArray> copy = validUtf8Copy(bytes, encoding, &readAsCp1251))
        bytes = std::move(*copy);
    return readAsCp1251;
}
