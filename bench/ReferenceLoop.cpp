// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RandomSource.h"

#include <array>
#include <cstdint>

#include <benchmark/benchmark.h>

// The baseline the deal loop is measured against: a deal and its collapse
// written the plain way, compiled at -O2. Cards are (suit << 4) | rank bytes.
namespace {

using Row = std::array<std::uint8_t, 36>;

void shuffle(RandomSource &random, Row &row)
{
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 9; ++r)
            row[std::size_t((s - 1) * 9 + r - 1)] = std::uint8_t((s << 4) | r);
    std::uint64_t word = 0;
    bool half = false;
    for (std::uint32_t i = 35; i >= 1; --i) {
        const std::uint32_t bound = i + 1;
        std::uint64_t m;
        do {
            if (!half)
                word = random.next();
            const std::uint32_t bits = half ? std::uint32_t(word) : std::uint32_t(word >> 32);
            half = !half;
            m = std::uint64_t(bits) * bound;
        } while (std::uint32_t(m) < bound && std::uint32_t(m) < std::uint32_t(-bound) % bound);
        std::swap(row[i], row[m >> 32]);
    }
}

bool agree(std::uint8_t a, std::uint8_t b)
{
    return (a >> 4) == (b >> 4) || (a & 15) == (b & 15);
}

// The collapse as a stack: the row's prefix that holds no triple, fed from the
// cards still to come; a collapse drops the left card and gives the middle one back.
int collapse(const Row &row)
{
    std::uint8_t pending[36], stack[36];
    int p = 0, s = 0;
    for (int k = 0; k < 36; ++k)
        pending[k] = row[std::size_t(k)];
    while (p < 36) {
        if (s >= 2 && agree(stack[s - 2], pending[p])) {
            pending[--p] = stack[s - 1];
            s -= 2;
        } else {
            stack[s++] = pending[p++];
        }
    }
    return s;
}

} // namespace

static void BM_ReferenceDealAndCount(benchmark::State &state)
{
    RandomSource random(2026);
    Row row;
    std::int64_t solved = 0;
    for (auto _ : state) {
        shuffle(random, row);
        solved += collapse(row) == 2;
    }
    benchmark::DoNotOptimize(solved);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReferenceDealAndCount);
