// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FastDeal.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

// Deals and counts chains in blocks, many side by side in the lanes of vector
// registers where the processor has them.
//
// A run is a seed S and the deals k = 0, 1, 2, ... grouped in blocks of
// BlockSize: deal i of block b is the run's deal b * BlockSize + i. Block b is
// dealt from Streams random streams that depend on (S, b) alone, so a block
// holds the same deals whichever path and whichever thread deals it:
// - stream s gives the words of RandomSource(streamSeed(S, b, s)).next();
// - deal i of the block is the (i / Streams)-th deal of stream i % Streams;
// - a deal is Fisher-Yates on the deck order, positions i = 35 down to 1, each
//   swapped with a position drawn from [0, i]; it starts on a fresh word and
//   takes 16-bit draws from each word, highest bits first, dropping what is
//   left over at its end;
// - a draw d maps onto [0, i] as (d * (i + 1)) >> 16 and is rejected, for the
//   next one, when (d * (i + 1)) & 0xFFFF < 65536 % (i + 1) (Lemire's method),
//   which keeps every deal exactly uniform over the 36! orders.
namespace lanedeal {

inline constexpr int BlockSize = 1024;
// Deals dealt and collapsed side by side, one byte each in a 256-bit register;
// each has its own stream.
inline constexpr int Lanes = 32;
inline constexpr int Streams = Lanes;

std::uint64_t streamSeed(std::uint64_t runSeed, std::uint64_t blockIndex, int stream);

// About 37 KB: keep one per thread on the heap and deal into it again and again.
struct Block
{
    std::uint64_t index = 0;
    // Card k of deal i sits at cards[(i / Lanes) * 36 * Lanes + k * Lanes + i % Lanes],
    // the layout the collapse works on; deal(i) gives the row.
    alignas(32) std::array<fastdeal::Card, 36 * BlockSize> cards;
    // Cards each deal keeps after its collapse, as fastdeal::countCollapse gives it.
    std::array<std::uint8_t, BlockSize> left;

    fastdeal::Deal deal(std::size_t i) const;
};

// Deals block blockIndex of run runSeed and counts every deal's collapse.
void dealBlock(std::uint64_t runSeed, std::uint64_t blockIndex, Block &block);

// Counts the collapse of n given deals, as fastdeal::countCollapse would.
void countCollapses(const fastdeal::Deal *deals, std::uint8_t *left, std::size_t n);

enum class Path
{
    Avx2,
    Scalar
};

// The path in use: the vector path where the processor has AVX2, unless the
// environment says TLCALC_SIMD=scalar (read once) or forcePath chose one.
Path activePath();
bool avx2Available();
// Chooses the path for the whole process; an empty choice returns to the
// default. AVX2 on a processor without it stays scalar.
void forcePath(std::optional<Path> path);

} // namespace lanedeal
