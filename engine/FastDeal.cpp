// SPDX-License-Identifier: GPL-3.0-or-later
#include "FastDeal.h"

#include "StackCollapse.h"

namespace fastdeal {
namespace {

Deal buildOrderedDeal()
{
    Deal deal{};
    for (int s = 1; s <= 4; ++s)
        for (int r = 1; r <= 9; ++r)
            deal[std::size_t((s - 1) * 9 + r - 1)] = makeCard(s, r);
    return deal;
}

} // namespace

const Deal &orderedDeal()
{
    static const Deal deal = buildOrderedDeal();
    return deal;
}

void dealRandom(RandomSource &random, Deal &deal)
{
    deal = orderedDeal();
    // Fisher-Yates; each 64-bit draw gives two 32-bit halves, each mapped onto
    // [0, i] by Lemire's multiply-and-reject, which keeps the deal exactly uniform.
    std::uint64_t word = 0;
    bool half = false;
    for (std::uint32_t i = 35; i >= 1; --i) {
        const std::uint32_t bound = i + 1;
        std::uint32_t j;
        for (;;) {
            if (!half)
                word = random.next();
            const std::uint32_t bits = half ? std::uint32_t(word) : std::uint32_t(word >> 32);
            half = !half;
            const std::uint64_t m = std::uint64_t(bits) * bound;
            // Rejection happens with probability below 36 / 2^32.
            if (std::uint32_t(m) >= bound || std::uint32_t(m) >= std::uint32_t(-bound) % bound) {
                j = std::uint32_t(m >> 32);
                break;
            }
        }
        const Card t = deal[i];
        deal[i] = deal[j];
        deal[j] = t;
    }
}

int countCollapse(const Deal &deal)
{
    // The row is kept as a stack of cards among which no triple can collapse,
    // fed from the pending cards. Taking the next card can only create the triple
    // that ends on it, so the first matching triple found is the leftmost one of
    // the whole row, as the collapse demands. A collapse removes the left card;
    // the middle and right cards go back to the pending cards so that the two
    // triples they now end are tested, leftmost first.
    //
    // The two top cards of the stack and the next card live in registers, and
    // the loads a step may need are issued before its test is known, so the
    // chain from one test to the next stays short. Stores that a step does not
    // need land in slots that are dead at that moment.
    constexpr int Below = 4; // empty slots (0 matches no card) under the stack
    Card stackSlots[Below + 36] = {};
    Card *const stack = stackSlots + Below;
    Card pending[1 + 36 + 1]; // a dead slot before, a read-ahead slot after
    pending[0] = 0;
    for (int k = 0; k < 36; ++k)
        pending[1 + k] = deal[std::size_t(k)];
    pending[37] = 0;

    int p = 1;      // next pending card is pending[p]; p = 1 + stack size + removed cards
    int s = 0;      // stack size
    Card top = 0;   // stack[s - 1]
    Card below = 0; // stack[s - 2]
    Card next = pending[1];
    while (p < 37) {
        const bool collapse = agree(below, next);
        stack[s] = next;      // the push, if no collapse
        pending[p - 1] = top; // the middle card given back, if a collapse
        const Card third = stack[s - 3];
        const Card fourth = stack[s - 4];
        const Card ahead = pending[p + 1];
        const Card middle = top;
        top = collapse ? third : next;
        below = collapse ? fourth : middle;
        next = collapse ? middle : ahead;
        p += collapse ? -1 : 1;
        s += collapse ? -2 : 1;
    }
    return s;
}

void collapseWithMetrics(const Deal &deal, Metrics &metrics)
{
    // Only the generator's candidates come here, so plain branches do.
    struct Record
    {
        Metrics &metrics;
        void mobile(int position) { ++metrics.mobileCount[std::size_t(position - 1)]; }
        void transit(int position)
        {
            ++metrics.transit[std::size_t(position - 1)];
            ++metrics.transitTotal;
        }
        void stageEnds(int position, int depth, int remainder)
        {
            metrics.depth[std::size_t(position - 1)] = std::int8_t(depth);
            metrics.remainder[std::size_t(position - 1)] = std::int8_t(remainder);
        }
    };
    metrics = Metrics{};
    Record record{metrics};
    metrics.left = collapseOnStack(
        deal, [](Card left, Card right) { return agree(left, right); }, record);
    metrics.mobileCount[35] = 1;
}

void toRecord(const Deal &deal, TTLKoloda &chain)
{
    for (int n = 1; n <= 36; ++n) {
        TKarta &card = chain.Cards[n];
        const Card c = deal[std::size_t(n - 1)];
        card.Rank = RankLetters[rankOf(c)];
        card.Suit = SuitLetters[suitOf(c)];
        card.Position = n;
        card.MobileCount = 0;
        card.Transit = 0;
        card.Remainder = 0;
        card.Depth = 0;
    }
}

void toAnalysedRecord(const Deal &deal, const Metrics &metrics, TTLKoloda &chain)
{
    toRecord(deal, chain);
    for (int n = 1; n <= 36; ++n) {
        TKarta &card = chain.Cards[n];
        const std::size_t k = std::size_t(n - 1);
        card.MobileCount = metrics.mobileCount[k];
        card.Transit = metrics.transit[k];
        card.Remainder = metrics.remainder[k];
        card.Depth = metrics.depth[k];
        chain.ExtremeNames[n].clear();
    }
    chain.TransitTotal = metrics.transitTotal;
    chain.ExtremeCount = 0;
    for (int n = 1; n <= 5; ++n)
        chain.SuitStatistics[n].clear();
    for (int n = 1; n <= 4; ++n)
        chain.HexagramNumbers[n] = 0;
}

QString toText(const Deal &deal)
{
    QString text;
    text.reserve(36 * 3);
    for (std::size_t k = 0; k < deal.size(); ++k) {
        if (k > 0)
            text += u' ';
        text += RankLetters[rankOf(deal[k])];
        text += SuitLetters[suitOf(deal[k])];
    }
    return text;
}

} // namespace fastdeal
