// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// A fast pseudo-random generator of good statistical quality (xoshiro256**),
// seeded through splitmix64 so that any 64-bit seed gives a well-mixed state.
class RandomSource
{
public:
    explicit RandomSource(std::uint64_t seed = 0) { reseed(seed); }

    void reseed(std::uint64_t seed);

    std::uint64_t next()
    {
        const std::uint64_t result = rotl(s_[1] * 5, 7) * 9;
        const std::uint64_t t = s_[1] << 17;
        s_[2] ^= s_[0];
        s_[3] ^= s_[1];
        s_[1] ^= s_[2];
        s_[0] ^= s_[3];
        s_[2] ^= t;
        s_[3] = rotl(s_[3], 45);
        return result;
    }

    // Uniform in [0, bound), bound >= 1, without modulo bias (Lemire's method).
    std::uint32_t below(std::uint32_t bound)
    {
        std::uint64_t m = std::uint64_t(std::uint32_t(next() >> 32)) * bound;
        std::uint32_t low = std::uint32_t(m);
        if (low < bound) {
            const std::uint32_t threshold = std::uint32_t(-bound) % bound;
            while (low < threshold) {
                m = std::uint64_t(std::uint32_t(next() >> 32)) * bound;
                low = std::uint32_t(m);
            }
        }
        return std::uint32_t(m >> 32);
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t s_[4]{};
};

// One step of splitmix64: a well-mixed 64-bit value from a counter-like state.
std::uint64_t splitmix64(std::uint64_t &state);

// A seed from the random device mixed with a high-resolution clock.
std::uint64_t entropySeed();
