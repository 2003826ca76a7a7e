#pragma once

#include "Cards.h"
#include "RandomSource.h"

#include <array>
#include <cstdint>

// The generator's hot path: a chain as 36 bytes, each card (suit << 4) | rank
// with suit 1..4 and rank 1..9, so that two cards match when their xor has an
// empty high or an empty low nibble. Records and texts are built only for the
// chain that is kept.
namespace fastdeal {

using Card = std::uint8_t;
using Deal = std::array<Card, 36>;

constexpr Card makeCard(int suit, int rank) { return Card((suit << 4) | rank); }
constexpr int suitOf(Card card) { return card >> 4; }
constexpr int rankOf(Card card) { return card & 0x0F; }

// The 36 cards in deck order.
const Deal &orderedDeal();

// A uniformly random permutation of the deck (Fisher-Yates on the deck order).
void dealRandom(RandomSource &random, Deal &deal);

// The number of cards left after the collapse: the same result as CountCollapse
// on the chain's record.
int countCollapse(const Deal &deal);

// The record (letters, Position 1..36, counters 0) and its text, cards joined by
// single blanks.
void toRecord(const Deal &deal, TTLKoloda &chain);
QString toText(const Deal &deal);

} // namespace fastdeal
