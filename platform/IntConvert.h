// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

// Whole-number conversion of a text the user typed or picked from a list. A
// command that converts an unreadable text ends there with the platform's
// message; what it had already changed stays changed.
namespace platform {

class ConversionError : public std::runtime_error
{
public:
    explicit ConversionError(const QString &text);
    // "'<text>' is not a valid integer value"
    const QString &message() const { return message_; }

private:
    QString message_;
};

// Accepts optional blanks, an optional sign and decimal digits, and nothing
// else; the value must fit a signed 32-bit number. Throws ConversionError.
int StrToInt(const QString &text);

// The same test without the exception.
bool tryStrToInt(const QString &text, int &value);

} // namespace platform
