// SPDX-License-Identifier: GPL-3.0-or-later
#include "ByteOutput.h"

#include <cstdlib>
#include <new>
#include <utility>

ByteOutput::~ByteOutput()
{
    std::free(data_);
}

void ByteOutput::setDrain(Drain drain, std::size_t threshold)
{
    drain_ = std::move(drain);
    threshold_ = threshold;
}

void ByteOutput::grow(std::size_t n)
{
    std::size_t capacity = capacity_ < 4096 ? 4096 : capacity_ * 2;
    if (capacity - size_ < n)
        capacity = size_ + n;
    char *data = static_cast<char *>(std::realloc(data_, capacity));
    if (data == nullptr)
        throw std::bad_alloc();
    data_ = data;
    capacity_ = capacity;
}
