// SPDX-License-Identifier: GPL-3.0-or-later
#include "LaneDeal.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <string_view>

// TLCALC_NO_AVX2 builds the scalar path alone, as on other processors.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(TLCALC_NO_AVX2)
#include <immintrin.h>
#define TLCALC_LANES_AVX2 1
#define TLCALC_AVX2 __attribute__((target("avx2")))
#endif

namespace lanedeal {
namespace {

using fastdeal::Card;

constexpr int GroupCards = 36 * Lanes;
constexpr int Groups = BlockSize / Lanes;
static_assert(BlockSize % Lanes == 0 && Streams == Lanes);

std::uint64_t rotl(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

// Where stream (and lane) l keeps its state: the vector path draws for four
// streams per register and packs the draws into lane order with byte and dword
// interleaves; storing the states in this order makes the packed draws land in
// lane l. A permutation of the five bits of l.
constexpr int slotOf(int lane)
{
    const int half = lane >> 4, pair = (lane >> 2) & 3, k = lane & 3;
    return 8 * pair + 4 * (k >> 1) + 2 * half + (k & 1);
}

// The xoshiro256** states of a block's streams, word-major so that the vector
// path loads four streams' word w at once. Seeded and stepped as RandomSource.
struct StreamStates
{
    alignas(32) std::uint64_t words[4][Streams];

    void seed(std::uint64_t runSeed, std::uint64_t blockIndex)
    {
        for (int s = 0; s < Streams; ++s) {
            std::uint64_t state = streamSeed(runSeed, blockIndex, s);
            for (auto &word : words)
                word[slotOf(s)] = ::splitmix64(state);
        }
    }

    std::uint64_t next(int stream)
    {
        const int slot = slotOf(stream);
        std::uint64_t &s0 = words[0][slot], &s1 = words[1][slot], &s2 = words[2][slot],
                      &s3 = words[3][slot];
        const std::uint64_t result = rotl(s1 * 5, 7) * 9;
        const std::uint64_t t = s1 << 17;
        s2 ^= s0;
        s3 ^= s1;
        s1 ^= s2;
        s0 ^= s3;
        s2 ^= t;
        s3 = rotl(s3, 45);
        return result;
    }
};

// Below these a draw's low product half is rejected: 65536 % bound.
constexpr auto rejectBelow = [] {
    std::array<std::uint16_t, 37> thresholds{};
    for (int bound = 1; bound <= 36; ++bound)
        thresholds[std::size_t(bound)] = std::uint16_t(65536 % bound);
    return thresholds;
}();

// The deal rule of the header on one stream.
void dealRow(StreamStates &streams, int stream, fastdeal::Deal &deal)
{
    deal = fastdeal::orderedDeal();
    std::uint64_t word = 0;
    int chunks = 0;
    for (std::uint32_t i = 35; i >= 1; --i) {
        const std::uint32_t bound = i + 1;
        const std::uint32_t threshold = rejectBelow[bound];
        std::uint32_t m;
        do {
            if (chunks == 0) {
                word = streams.next(stream);
                chunks = 4;
            }
            --chunks;
            m = std::uint32_t(word >> (16 * chunks) & 0xFFFF) * bound;
        } while ((m & 0xFFFF) < threshold);
        std::swap(deal[i], deal[m >> 16]);
    }
}

void scatterDeal(const fastdeal::Deal &deal, Card *column)
{
    for (int k = 0; k < 36; ++k)
        column[k * Lanes] = deal[std::size_t(k)];
}

void gatherDeal(const Card *column, fastdeal::Deal &deal)
{
    for (int k = 0; k < 36; ++k)
        deal[std::size_t(k)] = column[k * Lanes];
}

void dealBlockScalar(StreamStates &streams, Block &block)
{
    fastdeal::Deal deal;
    for (int g = 0; g < Groups; ++g) {
        Card *group = block.cards.data() + g * GroupCards;
        for (int lane = 0; lane < Lanes; ++lane) {
            dealRow(streams, lane, deal);
            scatterDeal(deal, group + lane);
            block.left[std::size_t(g * Lanes + lane)] = std::uint8_t(fastdeal::countCollapse(deal));
        }
    }
}

#ifdef TLCALC_LANES_AVX2

constexpr int laneOf(int slot)
{
    const int pair = slot >> 3, k = 2 * (slot >> 2 & 1) + (slot & 1), half = slot >> 1 & 1;
    return 16 * half + 4 * pair + k;
}

const Card *orderedGroup()
{
    static const auto group = [] {
        std::array<Card, GroupCards> cards{};
        for (int k = 0; k < 36; ++k)
            std::memset(cards.data() + k * Lanes, fastdeal::orderedDeal()[std::size_t(k)], Lanes);
        return cards;
    }();
    return group.data();
}

struct VectorStreams
{
    __m256i s0, s1, s2, s3;
};

template <int K> TLCALC_AVX2 inline __m256i rotl64(__m256i x)
{
    return _mm256_or_si256(_mm256_slli_epi64(x, K), _mm256_srli_epi64(x, 64 - K));
}

TLCALC_AVX2 inline __m256i nextWords(VectorStreams &v)
{
    // No 64-bit multiply in AVX2: times 5 and times 9 as shifts and adds.
    const __m256i times5 = _mm256_add_epi64(v.s1, _mm256_slli_epi64(v.s1, 2));
    const __m256i r = rotl64<7>(times5);
    const __m256i result = _mm256_add_epi64(r, _mm256_slli_epi64(r, 3));
    const __m256i t = _mm256_slli_epi64(v.s1, 17);
    v.s2 = _mm256_xor_si256(v.s2, v.s0);
    v.s3 = _mm256_xor_si256(v.s3, v.s1);
    v.s1 = _mm256_xor_si256(v.s1, v.s2);
    v.s0 = _mm256_xor_si256(v.s0, v.s3);
    v.s2 = _mm256_xor_si256(v.s2, t);
    v.s3 = rotl64<45>(v.s3);
    return result;
}

TLCALC_AVX2 inline __m256i load(const void *p)
{
    return _mm256_load_si256(static_cast<const __m256i *>(p));
}

TLCALC_AVX2 inline void store(void *p, __m256i v)
{
    _mm256_store_si256(static_cast<__m256i *>(p), v);
}

// GCC 12 folds these two into longer sequences: x < 16 becomes a min and a
// compare, and vpblendvb gets a compare that rebuilds the sign mask it tests
// when the mask is not a comparison result of its own.
TLCALC_AVX2 inline __m256i opaque(__m256i v)
{
    asm("" : "+x"(v));
    return v;
}

// a where mask has bit 7 clear, b where it is set.
TLCALC_AVX2 inline __m256i blendBytes(__m256i a, __m256i b, __m256i mask)
{
    __m256i r;
    asm("vpblendvb %3, %2, %1, %0" : "=x"(r) : "x"(a), "x"(b), "x"(mask));
    return r;
}

// A deal takes its 35 draws from 9 words, four 16-bit draws a word.
constexpr int DealWords = 9;

// The positions of every lane's next deal: positions[i * Lanes + l] is where
// lane l's Fisher-Yates step i swaps to. Returns the lanes whose draws hit a
// rejection; their positions are void and their streams are left where they
// were, for the scalar path to deal from.
TLCALC_AVX2 std::uint32_t drawGroup(StreamStates &streams, std::uint8_t *positions)
{
    // Word w of a stream gives, from its highest 16 bits down, the draws for
    // positions 35 - 4w down to 32 - 4w; the last word's lowest draw is unused
    // (its bound of 1 never rejects).
    struct Tables
    {
        alignas(32) std::uint16_t bounds[DealWords][16];
        alignas(32) std::uint16_t thresholds[DealWords][16];
    };
    static constexpr Tables tables = [] {
        Tables t{};
        for (int w = 0; w < DealWords; ++w)
            for (int e = 0; e < 16; ++e) {
                const int bound = 33 - 4 * w + e % 4;
                t.bounds[w][e] = std::uint16_t(bound);
                t.thresholds[w][e] = rejectBelow[std::size_t(bound)];
            }
        return t;
    }();

    alignas(32) std::uint16_t draws[DealWords][Streams / 4][16];
    std::uint32_t rejected = 0;
    for (int q = 0; q < Streams / 4; ++q) {
        const VectorStreams start{load(&streams.words[0][4 * q]), load(&streams.words[1][4 * q]),
                                  load(&streams.words[2][4 * q]), load(&streams.words[3][4 * q])};
        VectorStreams v = start;
        __m256i shortfall = _mm256_setzero_si256();
        for (int w = 0; w < DealWords; ++w) {
            const __m256i r = nextWords(v);
            const __m256i bound = load(tables.bounds[w]);
            store(draws[w][q], _mm256_mulhi_epu16(r, bound));
            shortfall = _mm256_or_si256(shortfall, _mm256_subs_epu16(load(tables.thresholds[w]),
                                                                     _mm256_mullo_epi16(r, bound)));
        }
        // A stream's four draws of a word share its 64-bit element; a rejecting
        // stream keeps its start.
        const __m256i clean = _mm256_cmpeq_epi64(shortfall, _mm256_setzero_si256());
        store(&streams.words[0][4 * q], _mm256_blendv_epi8(start.s0, v.s0, clean));
        store(&streams.words[1][4 * q], _mm256_blendv_epi8(start.s1, v.s1, clean));
        store(&streams.words[2][4 * q], _mm256_blendv_epi8(start.s2, v.s2, clean));
        store(&streams.words[3][4 * q], _mm256_blendv_epi8(start.s3, v.s3, clean));
        const int cleanStreams = _mm256_movemask_pd(_mm256_castsi256_pd(clean));
        for (int slot = 0; slot < 4; ++slot)
            if ((cleanStreams >> slot & 1) == 0)
                rejected |= 1u << laneOf(4 * q + slot);
    }

    // Into lane order: bytes grouped by draw within each 128-bit half, then a
    // 4 x 4 dword transpose across the four packed pairs of registers.
    const __m256i byDraw = _mm256_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15, 0,
                                            4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
    for (int w = 0; w < DealWords; ++w) {
        __m256i b[4];
        for (int m = 0; m < 4; ++m)
            b[m] = _mm256_shuffle_epi8(
                _mm256_packus_epi16(load(draws[w][2 * m]), load(draws[w][2 * m + 1])), byDraw);
        const __m256i x0 = _mm256_unpacklo_epi32(b[0], b[1]);
        const __m256i x1 = _mm256_unpackhi_epi32(b[0], b[1]);
        const __m256i y0 = _mm256_unpacklo_epi32(b[2], b[3]);
        const __m256i y1 = _mm256_unpackhi_epi32(b[2], b[3]);
        std::uint8_t *row = positions + (32 - 4 * w) * Lanes;
        store(row, _mm256_unpacklo_epi64(x0, y0));
        store(row + Lanes, _mm256_unpackhi_epi64(x0, y0));
        store(row + 2 * Lanes, _mm256_unpacklo_epi64(x1, y1));
        store(row + 3 * Lanes, _mm256_unpackhi_epi64(x1, y1));
    }
    return rejected;
}

// Fisher-Yates on the 32 deals of a group at once: at step i each lane's row
// position i changes places with the position its draw names, found by
// comparing the draw with every position below i; each lane hits at most one,
// so the card taken is the or of the hits. Steps go two at a time, each
// position below both read and written once for the pair.
TLCALC_AVX2 void shuffleGroup(const std::uint8_t *positions, Card *group)
{
    const __m256i one = _mm256_set1_epi8(1);
    auto row = [&](int k) { return group + k * Lanes; };
    int i = 35;
    for (; i >= 2; i -= 2) {
        const __m256i drawnHigh = load(positions + i * Lanes);
        const __m256i drawnLow = load(positions + (i - 1) * Lanes);
        const __m256i top = load(row(i));
        const __m256i below = load(row(i - 1));
        // Step i first settles position i - 1, where step i - 1 starts.
        const __m256i hitBelow = _mm256_cmpeq_epi8(drawnHigh, _mm256_set1_epi8(char(i - 1)));
        const __m256i belowAfter = _mm256_blendv_epi8(below, top, hitBelow);
        __m256i takenHigh = _mm256_or_si256(
            _mm256_and_si256(hitBelow, below),
            _mm256_and_si256(_mm256_cmpeq_epi8(drawnHigh, _mm256_set1_epi8(char(i))), top));
        __m256i takenLow = _mm256_and_si256(
            _mm256_cmpeq_epi8(drawnLow, _mm256_set1_epi8(char(i - 1))), belowAfter);
        __m256i p = _mm256_setzero_si256();
        for (int k = 0; k < i - 1; ++k) {
            const __m256i card = load(row(k));
            const __m256i hitHigh = _mm256_cmpeq_epi8(drawnHigh, p);
            takenHigh = _mm256_or_si256(takenHigh, _mm256_and_si256(hitHigh, card));
            const __m256i between = _mm256_blendv_epi8(card, top, hitHigh);
            const __m256i hitLow = _mm256_cmpeq_epi8(drawnLow, p);
            takenLow = _mm256_or_si256(takenLow, _mm256_and_si256(hitLow, between));
            store(row(k), _mm256_blendv_epi8(between, belowAfter, hitLow));
            p = _mm256_add_epi8(p, one);
        }
        store(row(i), takenHigh);
        store(row(i - 1), takenLow);
    }
    // Step 1 is left over: positions 0 and 1 change places where the draw says 0.
    const __m256i hit = _mm256_cmpeq_epi8(load(positions + Lanes), _mm256_setzero_si256());
    const __m256i first = load(row(0));
    const __m256i second = load(row(1));
    store(row(0), _mm256_blendv_epi8(first, second, hit));
    store(row(1), _mm256_blendv_epi8(second, first, hit));
}

// The collapse of a group's 32 deals side by side, one pass per removed card:
// every lane's agreeing triples (k, k + 2) are found at once, and from each
// lane's leftmost one on its row moves one place to the left. A lane that is
// still collapsing has lost one card in each pass so far, so pass t need look
// at the first 36 - t cards only; a lane that has stopped has no agreeing
// triple anywhere and never changes.
TLCALC_AVX2 void collapseGroup(const Card *group, std::uint8_t *left)
{
    alignas(32) Card row[GroupCards];
    std::memcpy(row, group, sizeof row);
    // Two cards agree when their xor has a zero high nibble (same suit: the xor
    // is below 16, as card bytes never set bit 7) or a zero low nibble (same
    // rank: looked up by pshufb on the low nibble).
    const __m256i sameSuitBelow = _mm256_set1_epi8(16);
    const __m256i zeroLowNibble = _mm256_setr_epi8(-1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                   -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    __m256i removed = _mm256_setzero_si256();
    for (int last = 35; last >= 2; --last) {
        __m256i shift = _mm256_setzero_si256();
        // The triple (k, k + 1, k + 2): the left card moves on from here on.
        auto step = [&](__m256i leftCard, __m256i middleCard, __m256i rightCard,
                        int k) TLCALC_AVX2 {
            const __m256i x = _mm256_xor_si256(leftCard, rightCard);
            const __m256i agree = _mm256_or_si256(_mm256_cmpgt_epi8(opaque(sameSuitBelow), x),
                                                  _mm256_shuffle_epi8(zeroLowNibble, x));
            shift = _mm256_or_si256(shift, agree);
            store(row + k * Lanes, blendBytes(leftCard, middleCard, shift));
        };
        // Unrolled by three so that the three cards in hand change names, not registers.
        __m256i a = load(row);
        __m256i b = load(row + Lanes);
        int k = 0;
        for (; k + 4 <= last; k += 3) {
            const __m256i c = load(row + (k + 2) * Lanes);
            step(a, b, c, k);
            const __m256i d = load(row + (k + 3) * Lanes);
            step(b, c, d, k + 1);
            const __m256i e = load(row + (k + 4) * Lanes);
            step(c, d, e, k + 2);
            a = d;
            b = e;
        }
        for (; k + 2 <= last; ++k) {
            const __m256i c = load(row + (k + 2) * Lanes);
            step(a, b, c, k);
            a = b;
            b = c;
        }
        if (_mm256_testz_si256(shift, shift))
            break;
        // What stays at position last is past the end of every lane that moved.
        store(row + (last - 1) * Lanes, blendBytes(a, b, shift));
        removed = _mm256_sub_epi8(removed, shift);
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i *>(left),
                        _mm256_sub_epi8(_mm256_set1_epi8(36), removed));
}

TLCALC_AVX2 void dealBlockAvx2(StreamStates &streams, Block &block)
{
    alignas(32) std::uint8_t positions[36 * Lanes];
    fastdeal::Deal deal;
    for (int g = 0; g < Groups; ++g) {
        Card *group = block.cards.data() + g * GroupCards;
        const std::uint32_t rejected = drawGroup(streams, positions);
        std::memcpy(group, orderedGroup(), GroupCards);
        shuffleGroup(positions, group);
        // About one group in seven has a lane whose draws hit a rejection: that
        // lane is dealt again on the scalar path, which draws as long as it must.
        for (int lane = 0; lane < Lanes; ++lane)
            if (rejected >> lane & 1) {
                dealRow(streams, lane, deal);
                scatterDeal(deal, group + lane);
            }
        collapseGroup(group, block.left.data() + g * Lanes);
    }
}

#endif

std::atomic<int> forcedPath{-1};

Path defaultPath()
{
    static const Path path = [] {
        const char *setting = std::getenv("TLCALC_SIMD");
        if (setting != nullptr && std::string_view(setting) == "scalar")
            return Path::Scalar;
        return avx2Available() ? Path::Avx2 : Path::Scalar;
    }();
    return path;
}

} // namespace

std::uint64_t streamSeed(std::uint64_t runSeed, std::uint64_t blockIndex, int stream)
{
    std::uint64_t state = runSeed;
    std::uint64_t z = ::splitmix64(state);
    z += (blockIndex * Streams + std::uint64_t(stream)) * 0xD1342543DE82EF95ULL;
    return ::splitmix64(z);
}

fastdeal::Deal Block::deal(std::size_t i) const
{
    assert(i < BlockSize);
    fastdeal::Deal deal;
    gatherDeal(cards.data() + (i / Lanes) * GroupCards + i % Lanes, deal);
    return deal;
}

void dealBlock(std::uint64_t runSeed, std::uint64_t blockIndex, Block &block)
{
    block.index = blockIndex;
    StreamStates streams;
    streams.seed(runSeed, blockIndex);
#ifdef TLCALC_LANES_AVX2
    if (activePath() == Path::Avx2) {
        dealBlockAvx2(streams, block);
        return;
    }
#endif
    dealBlockScalar(streams, block);
}

void countCollapses(const fastdeal::Deal *deals, std::uint8_t *left, std::size_t n)
{
#ifdef TLCALC_LANES_AVX2
    if (activePath() == Path::Avx2) {
        alignas(32) Card group[GroupCards];
        alignas(32) std::uint8_t groupLeft[Lanes];
        for (std::size_t first = 0; first < n; first += Lanes) {
            const std::size_t count = std::min<std::size_t>(Lanes, n - first);
            // A short last group repeats its last deal in the spare lanes.
            for (std::size_t lane = 0; lane < Lanes; ++lane)
                scatterDeal(deals[first + std::min(lane, count - 1)], group + lane);
            collapseGroup(group, groupLeft);
            std::memcpy(left + first, groupLeft, count);
        }
        return;
    }
#endif
    for (std::size_t i = 0; i < n; ++i)
        left[i] = std::uint8_t(fastdeal::countCollapse(deals[i]));
}

bool avx2Available()
{
#ifdef TLCALC_LANES_AVX2
    static const bool available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return available;
#else
    return false;
#endif
}

Path activePath()
{
    const int forced = forcedPath.load(std::memory_order_relaxed);
    return forced >= 0 ? Path(forced) : defaultPath();
}

void forcePath(std::optional<Path> path)
{
    if (!path)
        forcedPath.store(-1, std::memory_order_relaxed);
    else if (*path == Path::Avx2 && !avx2Available())
        forcedPath.store(int(Path::Scalar), std::memory_order_relaxed);
    else
        forcedPath.store(int(*path), std::memory_order_relaxed);
}

} // namespace lanedeal
