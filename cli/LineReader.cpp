// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineReader.h"
#include "platform/OperatingSystem.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

LineReader::LineReader(int fd, InputEncoding encoding, qsizetype chunk)
    : fd_(fd), encoding_(encoding), chunk_(std::max<qsizetype>(1, chunk), Qt::Uninitialized)
{
}

void LineReader::setCp1251Notice(std::function<void(qint64)> notice)
{
    notice_ = std::move(notice);
}

void LineReader::setBeforeRead(std::function<void()> hook)
{
    beforeRead_ = std::move(hook);
}

bool LineReader::fill()
{
    if (beforeRead_)
        beforeRead_();
    for (;;) {
        const ssize_t got = ::read(fd_, chunk_.data(), std::size_t(chunk_.size()));
        if (got > 0) {
            begin_ = 0;
            end_ = got;
            return true;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error_ = errno;
        atEnd_ = true;
        return false;
    }
}

template <typename Buffer> std::optional<bool> LineReader::readRaw(Buffer &buffer)
{
    bool anyBytes = false;
    while (true) {
        if (begin_ == end_ && (atEnd_ || !fill()))
            break;
        const char *start = chunk_.constData() + begin_;
        const auto *lf =
            static_cast<const char *>(std::memchr(start, '\n', std::size_t(end_ - begin_)));
        const qsizetype taken = lf ? lf - start : end_ - begin_;
        buffer.append(start, taken);
        anyBytes = true;
        begin_ += taken;
        if (lf) {
            ++begin_;
            return true;
        }
    }
    if (error_ != 0 || !anyBytes)
        return std::nullopt;
    return false;
}

std::optional<QByteArray> LineReader::finishLine(QByteArrayView bytes, bool ended, qsizetype &keep)
{
    // keep: how many of the bytes stay the line; the rest (a CR) goes.
    keep = bytes.size();
    if (ended && bytes.endsWith('\r'))
        --keep;
    ++lineNumber_;
    qsizetype from = 0;
    if (lineNumber_ == 1 && encoding_ != InputEncoding::Cp1251 &&
        bytes.first(keep).startsWith("\xEF\xBB\xBF"))
        from = 3;
    const QByteArrayView line = bytes.sliced(from, keep - from);
    bool readAsCp1251 = false;
    std::optional<QByteArray> reencoded = validUtf8Copy(line, encoding_, &readAsCp1251);
    if (readAsCp1251 && !noticeGiven_) {
        noticeGiven_ = true;
        if (notice_)
            notice_(lineNumber_);
    }
    if (!reencoded && from != 0)
        return line.toByteArray();
    return reencoded;
}

bool LineReader::next(QByteArray &line)
{
    line.clear();
    const std::optional<bool> ended = readRaw(line);
    if (!ended)
        return false;
    qsizetype keep = 0;
    if (std::optional<QByteArray> replaced = finishLine(line, *ended, keep))
        line = std::move(*replaced);
    else
        line.truncate(keep);
    return true;
}

bool LineReader::appendNext(std::string &line)
{
    const std::size_t start = line.size();
    const std::optional<bool> ended = readRaw(line);
    if (!ended)
        return false;
    qsizetype keep = 0;
    const QByteArrayView bytes(line.data() + start, qsizetype(line.size() - start));
    if (std::optional<QByteArray> replaced = finishLine(bytes, *ended, keep)) {
        line.resize(start);
        line.append(replaced->constData(), std::size_t(replaced->size()));
    } else {
        line.resize(start + std::size_t(keep));
    }
    return true;
}

bool LineReader::wouldWait() const
{
    if (atEnd_ || std::memchr(chunk_.constData() + begin_, '\n', std::size_t(end_ - begin_)))
        return false;
    return os::readWouldWait(fd_);
}
