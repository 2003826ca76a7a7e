// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstring>
#include <functional>
#include <string_view>

// Bytes on their way to a stream. Writers append, or reserve room and write
// into it directly; a writer that makes a very long record calls checkpoint()
// now and then, and the owner's drain may hand the bytes on (and clear them) so
// that the record is never held whole. The buffer grows by realloc, which moves
// a large block without copying or touching its pages.
class ByteOutput
{
public:
    // Gets the output once it holds at least threshold bytes; clears what it
    // hands on, or leaves it as it is to keep it for later.
    using Drain = std::function<void(ByteOutput &output)>;

    ByteOutput() = default;
    ~ByteOutput();
    ByteOutput(const ByteOutput &) = delete;
    ByteOutput &operator=(const ByteOutput &) = delete;

    std::string_view view() const { return {data_, size_}; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void clear() { size_ = 0; }

    // Room for at least n more bytes; where they go. setEnd() takes them in.
    char *reserve(std::size_t n)
    {
        if (capacity_ - size_ < n)
            grow(n);
        return data_ + size_;
    }
    void setEnd(char *end) { size_ = std::size_t(end - data_); }

    void append(std::string_view bytes)
    {
        if (!bytes.empty())
            std::memcpy(reserve(bytes.size()), bytes.data(), bytes.size());
        size_ += bytes.size();
    }
    void append(char c)
    {
        *reserve(1) = c;
        ++size_;
    }
    void append(std::size_t count, char c)
    {
        std::memset(reserve(count), c, count);
        size_ += count;
    }

    void setDrain(Drain drain, std::size_t threshold);
    void checkpoint()
    {
        if (size_ >= threshold_ && drain_)
            drain_(*this);
    }

private:
    void grow(std::size_t n);

    char *data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    Drain drain_;
    std::size_t threshold_ = 0;
};
