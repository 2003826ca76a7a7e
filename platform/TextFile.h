// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/TextEncoding.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// A text file read whole: its lines, told apart at "\n", "\r\n" and "\r", the
// last one left out when it is empty (a file that ends with a line end).
struct TextFileContents
{
    bool ok = false;
    QString error; // the reason when not ok, in the system's words
    QStringList lines;
    bool readAsCp1251 = false; // the bytes were no UTF-8 and were read as Windows-1251
};

// Reads the file at path, UTF-8 or Windows-1251 as the command line tells them
// apart (InputEncoding::Auto): valid UTF-8 is UTF-8, anything else Windows-1251.
// A byte order mark at the start is dropped.
TextFileContents readTextFile(const QString &path, InputEncoding encoding = InputEncoding::Auto);

// Writes bytes to path whole or not at all: into a new file beside it that
// replaces the old one only once everything is written. Returns the reason of a
// failure, empty on success; on failure the old file is as it was.
QString writeTextFileWhole(const QString &path, const QByteArray &bytes);

} // namespace platform
