#include "LineReader.h"

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

bool LineReader::next(QByteArray &line)
{
    line.clear();
    bool ended = false; // by a line end rather than by the end of the input
    bool anyBytes = false;
    while (!ended) {
        if (begin_ == end_ && (atEnd_ || !fill()))
            break;
        const char *start = chunk_.constData() + begin_;
        const auto *lf =
            static_cast<const char *>(std::memchr(start, '\n', std::size_t(end_ - begin_)));
        const qsizetype taken = lf ? lf - start : end_ - begin_;
        line.append(start, taken);
        anyBytes = true;
        begin_ += taken;
        if (lf) {
            ++begin_;
            ended = true;
        }
    }
    if (error_ != 0 || !anyBytes)
        return false;
    if (ended && line.endsWith('\r'))
        line.chop(1);
    ++lineNumber_;
    if (lineNumber_ == 1 && encoding_ != InputEncoding::Cp1251 && line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    if (makeValidUtf8(line, encoding_) && !noticeGiven_) {
        noticeGiven_ = true;
        if (notice_)
            notice_(lineNumber_);
    }
    return true;
}
