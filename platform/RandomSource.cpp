// SPDX-License-Identifier: GPL-3.0-or-later
#include "RandomSource.h"

#include <chrono>
#include <random>

std::uint64_t splitmix64(std::uint64_t &state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

void RandomSource::reseed(std::uint64_t seed)
{
    std::uint64_t state = seed;
    for (auto &word : s_)
        word = splitmix64(state);
}

std::uint64_t entropySeed()
{
    std::random_device device;
    const std::uint64_t fromDevice = (std::uint64_t(device()) << 32) ^ device();
    const std::uint64_t fromClock =
        std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::uint64_t mix = fromDevice ^ (fromClock * 0x9E3779B97F4A7C15ULL);
    return splitmix64(mix);
}
