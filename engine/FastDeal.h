// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Cards.h"
#include "platform/RandomSource.h"

#include <array>
#include <cstdint>

// The generator's hot path: a chain as 36 bytes, each card (suit << 4) | rank
// with suit 1..4 and rank 1..9, so that two cards match when their xor has an
// empty high or an empty low nibble. Records and texts are built only for the
// chain that is kept.
namespace fastdeal {

using Card = std::uint8_t;
using Deal = std::array<Card, 36>;

constexpr Card makeCard(int suit, int rank)
{
    return Card((suit << 4) | rank);
}
constexpr int suitOf(Card card)
{
    return card >> 4;
}
constexpr int rankOf(Card card)
{
    return card & 0x0F;
}
// Two cards agree when they share suit or rank: their xor has a zero high or a
// zero low nibble. Written without a branch for the deal loop.
constexpr bool agree(Card left, Card right)
{
    const unsigned x = unsigned(left ^ right);
    return ((x & 0xF0u) == 0) | ((x & 0x0Fu) == 0);
}

// The 36 cards in deck order.
const Deal &orderedDeal();

// A uniformly random permutation of the deck (Fisher-Yates on the deck order).
void dealRandom(RandomSource &random, Deal &deal);

// The number of cards left after the collapse: the same result as CountCollapse
// on the chain's record.
int countCollapse(const Deal &deal);

// What the collapse did to each card, by position (index 0 is position 1), as
// CollapseWithMetrics writes it into a record.
struct Metrics
{
    std::array<std::int8_t, 36> mobileCount{};
    std::array<std::int8_t, 36> transit{};
    std::array<std::int8_t, 36> remainder{};
    std::array<std::int8_t, 36> depth{};
    int transitTotal = 0;
    int left = 36; // cards left, as countCollapse gives it
};

// The collapse with its per-card results on the compact encoding: the same
// results as CollapseWithMetrics on the chain's record.
void collapseWithMetrics(const Deal &deal, Metrics &metrics);

// The record (letters, Position 1..36, counters 0) and its text, cards joined by
// single blanks.
void toRecord(const Deal &deal, TTLKoloda &chain);

// The record of an analysed deal: letters, positions and the collapse results;
// every other field of the chain emptied, as a fresh record has them.
void toAnalysedRecord(const Deal &deal, const Metrics &metrics, TTLKoloda &chain);
QString toText(const Deal &deal);

} // namespace fastdeal
