#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <utility>

// Bytes on their way to a stream. Writers append to bytes; a writer that makes
// a very long record calls checkpoint() now and then, and the owner's drain may
// hand the bytes on (and clear them) so that the record is never held whole.
class ByteOutput
{
public:
    // Gets the buffer once it holds at least threshold bytes; clears what it
    // passes on, or leaves the buffer as it is to keep it for later.
    using Drain = std::function<void(std::string &bytes)>;

    std::string bytes;

    void setDrain(Drain drain, std::size_t threshold)
    {
        drain_ = std::move(drain);
        threshold_ = threshold;
    }

    void checkpoint()
    {
        if (drain_ && bytes.size() >= threshold_)
            drain_(bytes);
    }

private:
    Drain drain_;
    std::size_t threshold_ = 0;
};
