// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TextEncoding.h"

#include <QByteArray>

#include <functional>
#include <optional>
#include <string>

// Lines of a file descriptor (standard input) as valid UTF-8, one at a time, read
// in chunks so that memory holds one line and one chunk however long the input.
//
// A line ends at LF; a CR just before the LF goes with the line end, so CRLF
// files read like LF ones. A last line without a line end is a line all the
// same, so every line of the input comes out exactly once. A UTF-8 byte order
// mark opening the input is dropped unless the encoding is Cp1251.
class LineReader
{
public:
    static constexpr qsizetype DefaultChunk = 64 * 1024;

    // Reads fd (not owned, not closed). chunk is the most read at once.
    explicit LineReader(int fd, InputEncoding encoding = InputEncoding::Auto,
                        qsizetype chunk = DefaultChunk);

    // Called once per reader, with the line's number, for the first line that
    // Auto reads as Windows-1251: the place to say so.
    void setCp1251Notice(std::function<void(qint64 lineNumber)> notice);

    // Called before each read of fd, which may wait for more input: the place for
    // a command that streams results to flush them, so that a script feeding it
    // line by line gets its answers without waiting for a full buffer.
    void setBeforeRead(std::function<void()> hook);

    // The next line as valid UTF-8 without its line end. False at the end of the
    // input and after a read error (then error() is set and a partial last line
    // is dropped).
    bool next(QByteArray &line);
    // The same, appended to line (which may hold earlier lines): a batch reads
    // lines into one buffer without copying each of them twice.
    bool appendNext(std::string &line);

    // Whether the next line would have to wait for input: no whole line is
    // buffered and the descriptor has nothing to read now. A command answering
    // a script line by line writes what it has before it reads on.
    bool wouldWait() const;

    int error() const { return error_; } // errno of a failed read, else 0

private:
    bool fill();
    // Appends the raw bytes of the next line (without LF) to buffer; whether the
    // line ended with LF rather than at the end of the input, or nothing when
    // there is no line.
    template <typename Buffer> std::optional<bool> readRaw(Buffer &buffer);
    // After a line's raw bytes: counts it, drops its CR and a leading byte order
    // mark, and says whether it must be re-encoded (then gives it re-encoded).
    std::optional<QByteArray> finishLine(QByteArrayView bytes, bool ended, qsizetype &keep);

    int fd_;
    InputEncoding encoding_;
    QByteArray chunk_;
    qsizetype begin_ = 0, end_ = 0; // the unread bytes of chunk_
    bool atEnd_ = false;
    int error_ = 0;
    qint64 lineNumber_ = 0; // of the last line given, from 1
    bool noticeGiven_ = false;
    std::function<void(qint64)> notice_;
    std::function<void()> beforeRead_;
};
