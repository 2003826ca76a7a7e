// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>

#include <cstdio>

// A stream with every write checked. The first failure is kept (its errno) and
// every later write is skipped, so a command may write on and look once, or
// stop early, through ok().
class OutputStream
{
public:
    explicit OutputStream(std::FILE *file) : file_(file) {}

    bool write(QByteArrayView bytes);
    bool writeLine(QByteArrayView utf8);
    bool writeLine(const QString &line);
    // One JSON object as one compact line. The line never holds a lone surrogate:
    // one that reached the object is written as U+FFFD, so strict parsers take it.
    bool writeJsonLine(const QJsonObject &object);
    bool flush();

    bool ok() const { return error_ == 0; }
    int error() const { return error_; } // errno of the first failure, 0 if none

private:
    bool failed();

    std::FILE *file_;
    int error_ = 0;
};

// Standard output, shared by every command of the run.
OutputStream &standardOutput();

// Write to standardOutput(); false once a write has failed.
bool writeLine(const QString &line);
bool writeJsonLine(const QJsonObject &object);

// Writes text and a line end to standard error (UTF-8), flushing standard output
// first so that a message stands after the results it follows.
void writeError(const QString &line);

// The reason for errno error, in English.
QString errorReason(int error);

// A compact JSON line with every escaped lone surrogate (\udXXX, which
// QJsonDocument writes for one) replaced by \ufffd.
QByteArray jsonLine(const QJsonObject &object);
