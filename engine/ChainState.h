// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Cards.h"

// The chain records and counters the windows share for the length of a run.
// The ordered deck is built with the state, so no routine depends on another
// having run first.
struct ChainState
{
    ChainState();

    TTLKoloda CurrentChain;          // the chain of the last completed analysis
    TTLKoloda OrderedDeck;           // the 36 cards in deck order
    std::int32_t MaxMobileCount = 0; // largest move count of the chain last shown
    std::int32_t MaxDepth = 0;       // EFL found by the last depth search
};
