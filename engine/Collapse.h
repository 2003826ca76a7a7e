#pragma once

#include "Cards.h"

// The collapse: wherever a card and the card two places to its right share
// suit or rank, the left one leaves the row; the scan always takes the leftmost
// such triple and starts again from the left, until none is left or two cards
// remain.

// Cards left after collapsing a copy of Chain (2 to 36); Chain is unchanged.
std::int32_t CountCollapse(const TTLKoloda &Chain);

// Collapses a working copy and adds the per-card results (MobileCount, Transit,
// Remainder, Depth) and TransitTotal into Chain. The counters must be zero before.
void CollapseWithMetrics(TTLKoloda &Chain);

// The analysis step shared by the analysis run, the generator and the replacement.
void AnalyseChain(TTLKoloda &Chain);
